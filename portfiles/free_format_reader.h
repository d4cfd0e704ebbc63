// Reading a network parameter file by the free-format rules, in two passes:
// the first block's lines give the port count, then every block is read as
// a stream of numbers.
//
// A read of one or more numbers starts on a new line, skips lines that hold
// no number, takes numbers separated by blanks, tabs, commas or line ends,
// and drops the rest of the line of its last number. So blank lines between
// blocks, trailing words and lines of any length are accepted, and only the
// first block's layout is checked. The last block may end with the file.
//
// Whatever the input, the reader keeps no more than one number field in
// memory and reads at most limits.max_bytes per pass. More ports than
// limits.max_ports (no empty line where the first block must have ended)
// and more than limits.max_points blocks are refused as such.
#pragma once

#include <istream>
#include <string>

#include "network_parameter_reader.h"

namespace portfiles {

SweepReading read_free_format(std::istream& in, const std::string& shown_name, const ReadLimits& limits);

}  // namespace portfiles
