#include "parameter_data.h"

#include <stdexcept>

ParameterData& parameter_data() {
    static ParameterData data;  // zero-filled static storage, never on the stack
    return data;
}

namespace {

constexpr std::array<ParameterKindInfo, 3> KIND_INFO{{
    {'s', "s PARAMETERS", "spar.dat", "spm"},
    {'y', "y PARAMETERS", "ypar.dat", "ypm"},
    {'z', "z PARAMETERS", "zpar.dat", "zpm"},
}};

std::array<ParameterKindState, 3>& kind_states() {
    static std::array<ParameterKindState, 3> states;
    return states;
}

int kind_slot(int kind) {
    if (kind < 1 || kind > 3) throw std::out_of_range("parameter kind " + std::to_string(kind));
    return kind - 1;
}

}  // namespace

const ParameterKindInfo& parameter_kind_info(int kind) { return KIND_INFO[kind_slot(kind)]; }

ParameterKindState& parameter_kind_state(int kind) { return kind_states()[kind_slot(kind)]; }

void reset_parameter_kind_states() { kind_states() = {}; }
