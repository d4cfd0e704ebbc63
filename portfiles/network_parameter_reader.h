// Reading a network parameter file into a PortSweep, strictly: every block
// is a frequency line (one number), an empty line, the lower triangle of
// the matrix (two numbers per line) and an empty line (the last block may
// end with the file instead). The first block fixes the port count; every
// later block must have as many entry lines. Lines of blanks count as
// empty; numbers are separated by blanks, tabs or commas. An empty file is
// a sweep without points.
//
// Memory stays within the limits: a line longer than MAX_LINE_LENGTH, more
// ports or more points than the limits allow are errors.
//
// The free-format rules read what older programs wrote and accept: see
// free_format_reader.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>

#include "port_sweep.h"
#include "read_error.h"

namespace portfiles {

enum class ReadRules { STRICT, FREE_FORMAT };

struct ReadLimits {
    int max_ports = 64;
    std::size_t max_points = 1000000;
    ReadRules rules = ReadRules::STRICT;
    // Free-format rules only: the bytes one pass reads at most, so that an
    // input without end ends as an error.
    std::int64_t max_bytes = std::int64_t{64} << 20;
    // Free-format rules only: every number must lie within the range of
    // 32-bit reals (for a reader that keeps them so).
    bool single_precision_range = false;
};

// Why a reading failed, for a caller that answers each cause in its own
// words.
enum class ReadFailure { NONE, CANNOT_OPEN, MALFORMED, TOO_MANY_PORTS, TOO_MANY_POINTS };

struct SweepReading {
    bool ok = false;
    ReadFailure failure = ReadFailure::NONE;  // when not ok
    PortSweep sweep;
    ReadError error;  // when not ok
};

constexpr std::size_t MAX_LINE_LENGTH = 4096;

// shown_name names the file in diagnostics. The stream is read from its
// start; the free-format rules read it twice and so seek back to it.
SweepReading read_parameter_file(const std::filesystem::path& path, const std::string& shown_name,
                                 const ReadLimits& limits = {});
SweepReading read_parameter_stream(std::istream& in, const std::string& shown_name,
                                   const ReadLimits& limits = {});

}  // namespace portfiles
