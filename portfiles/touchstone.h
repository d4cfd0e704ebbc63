// Touchstone files, the exchange format of port parameters between RF
// tools: version 1 (port count from the .sNp name, one option line) and
// version 2.0 ([Version], [Number of Ports], [Reference] and the other
// keywords). S, Y and Z parameters; RI, MA and DB pairs; Hz to GHz.
//
// In memory the matrices are complex values in their own units (S
// dimensionless, Y in siemens, Z in ohms): the normalisation of Y and Z to
// the reference resistance that version 1 files use is undone on reading
// and applied on writing.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "network_parameter_reader.h"
#include "port_sweep.h"
#include "read_error.h"

namespace portfiles {

struct TouchstoneNetwork {
    ParameterKind kind = ParameterKind::S;
    PortSweep sweep;
    std::vector<double> reference;  // ohms, one per port
};

struct TouchstoneReading {
    bool ok = false;
    TouchstoneNetwork network;
    int version = 1;
    ReadError error;                 // when not ok
    std::vector<std::string> notes;  // what was read but left out (noise data, ...)
};

// N of a name ending in .sNp (any case), 0 for any other name.
int port_count_from_name(const std::string& file_name);

// shown_name names the file in diagnostics; a version 1 file takes its port
// count from it.
TouchstoneReading read_touchstone_file(const std::filesystem::path& path, const std::string& shown_name,
                                       const ReadLimits& limits = {});
TouchstoneReading read_touchstone_stream(std::istream& in, const std::string& shown_name,
                                         const ReadLimits& limits = {});

// Writes the network: version 1.1 ("# Hz S RI R z0") when every port has
// the same reference impedance, version 2.0 with a [Reference] line
// otherwise. comments are written first, each as a "! " line. Numbers carry
// twelve significant digits; frequencies are written exactly.
void write_touchstone(std::ostream& out, const TouchstoneNetwork& network, const std::vector<std::string>& comments);

// The name the solver gives its Touchstone file: NETWORK.sNp.
std::string default_touchstone_name(int port_count);

}  // namespace portfiles
