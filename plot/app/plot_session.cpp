#include "plot_session.h"

#include <stdexcept>
#include <string>

namespace {

std::size_t kind_slot(int kind) {
    if (kind < 1 || kind > 3) throw std::out_of_range("parameter kind " + std::to_string(kind));
    return static_cast<std::size_t>(kind - 1);
}

}  // namespace

ParameterKindState& PlotSession::kind(int kind) { return kinds[kind_slot(kind)]; }

const ParameterKindState& PlotSession::kind(int kind) const { return kinds[kind_slot(kind)]; }
