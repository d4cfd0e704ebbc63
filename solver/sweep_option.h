// The frequency sweep given on the command line in place of FRQINP.DAT:
//   log:START:STOP:POINTS  POINTS frequencies evenly spaced in log10 f
//   lin:START:STEP:STEPS   start + i × step, i = 0 .. STEPS, as in FRQINP.DAT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "solver_tables.h"

namespace solver {

inline constexpr const char* SWEEP_OPTION_FORMS = "log:START:STOP:POINTS or lin:START:STEP:STEPS";

// The sweep of `text`, or nothing with `error` saying what is wrong with it.
// A linear sweep gets the repairs of FRQINP.DAT; a logarithmic one must have
// 0 < START < STOP and 2 <= POINTS <= 10000. Both must keep their last
// angular frequency finite in 32 bits.
std::optional<FrequencySweep> parse_sweep_option(std::string_view text, std::string& error);

}  // namespace solver
