#include "parameter_file_sink.h"

#include <string>

#include "run_report.h"

namespace solver {

bool ParameterFileSink::open(PointFailure& failure) {
    std::string failed_name;
    if (files_.create(directory_, failed_name)) return true;
    failure.message = message_text({"ERROR CREATING PARAMETER FILES"});
    failure.diagnostic = "cannot create the parameter file " + failed_name;
    return false;
}

void ParameterFileSink::write(const PointResult& point) {
    const int ports = point.port_count;
    if (point.matrices >= S_ONLY) append_block(files_.spar, point.frequency, point.s, ports, PORT_LD);
    if (point.matrices >= S_AND_Z) append_block(files_.zpar, point.frequency, point.z, ports, PORT_LD);
    if (point.matrices >= S_Z_AND_Y) append_block(files_.ypar, point.frequency, point.y, ports, PORT_LD);
}

bool ParameterFileSink::intact() const {
    return !files_.spar.fail() && !files_.zpar.fail() && !files_.ypar.fail();
}

bool ParameterFileSink::close(PointFailure& failure) {
    files_.spar.close();
    files_.zpar.close();
    files_.ypar.close();
    if (intact()) return true;
    failure.message = message_text({"ERROR WRITING PARAMETER FILES"});
    failure.diagnostic = "the parameter files could not be written completely (disk full?)";
    return false;
}

}  // namespace solver
