#include "input_warnings.h"

namespace solver {

void InputWarnings::add(std::string_view location, std::string_view text) {
    std::string warning(location);
    warning.append(": ").append(text);
    if (mode_ == WarningMode::SHOW) diagnostics_ << "mtlnet: warning: " << warning << '\n';
    if (mode_ == WarningMode::STRICT) diagnostics_ << "mtlnet: error: " << warning << '\n';
    warnings_.push_back(std::move(warning));
}

}  // namespace solver
