#include "parameter_file_sink.h"

#include <string>

#include "run_report.h"

namespace solver {

bool ParameterFileSink::open(PointFailure& failure) {
    std::string failed_name, reason;
    if (files_.create(directory_, failed_name, reason)) return true;
    failure.message = message_text({"ERROR CREATING PARAMETER FILES"});
    failure.diagnostic = "cannot create the parameter file " + failed_name + ": " + reason;
    return false;
}

void ParameterFileSink::write(const PointResult& point) {
    const int ports = point.port_count;
    if (point.matrices >= S_ONLY) append_block(files_.spar.stream(), point.frequency, point.s, ports, PORT_LD);
    if (point.matrices >= S_AND_Z) append_block(files_.zpar.stream(), point.frequency, point.z, ports, PORT_LD);
    if (point.matrices >= S_Z_AND_Y) append_block(files_.ypar.stream(), point.frequency, point.y, ports, PORT_LD);
}

bool ParameterFileSink::intact() const { return files_.intact(); }

bool ParameterFileSink::close(PointFailure& failure) {
    std::string failed_name, reason;
    if (files_.commit(failed_name, reason)) return true;
    failure.message = message_text({"ERROR WRITING PARAMETER FILES"});
    failure.diagnostic = "the parameter file " + failed_name + " could not be written: " + reason;
    failure.folded = "the parameter file " + failed_name + " could not be written either";
    return false;
}

}  // namespace solver
