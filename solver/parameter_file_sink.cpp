#include "parameter_file_sink.h"

#include <cstring>
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
    // The blocks of a point share their frequency line; each is put
    // together in its file's buffer.
    char head[portfiles::BLOCK_HEAD_BYTES];
    portfiles::put_block_head(head, point.frequency);
    const int ports = point.port_count;
    auto append = [&](ReplacementFile& file, const ComplexD* m) {
        char* out = file.room(portfiles::BLOCK_HEAD_BYTES + portfiles::block_body_bytes(ports));
        std::memcpy(out, head, portfiles::BLOCK_HEAD_BYTES);
        file.advance(portfiles::put_block_body(out + portfiles::BLOCK_HEAD_BYTES, m, ports, PORT_LD));
    };
    if (point.matrices >= S_ONLY) append(files_.spar, point.s);
    if (point.matrices >= S_AND_Z) append(files_.zpar, point.z);
    if (point.matrices >= S_Z_AND_Y) append(files_.ypar, point.y);
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
