#include "parameter_data.h"

#include <array>
#include <stdexcept>
#include <string>

namespace {

constexpr std::array<ParameterKindInfo, 3> KIND_INFO{{
    {'s', "s PARAMETERS", "spar.dat", "spm"},
    {'y', "y PARAMETERS", "ypar.dat", "ypm"},
    {'z', "z PARAMETERS", "zpar.dat", "zpm"},
}};

int kind_slot(int kind) {
    if (kind < 1 || kind > 3) throw std::out_of_range("parameter kind " + std::to_string(kind));
    return kind - 1;
}

}  // namespace

const ParameterKindInfo& parameter_kind_info(int kind) { return KIND_INFO[kind_slot(kind)]; }
