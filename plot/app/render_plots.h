// Plots without a screen: each picture of a render request is drawn on the
// headless screen exactly as the interactive program shows it after the
// same choices (kind, file, index, format, title, grid), then written.
#pragma once

#include <ostream>

#include "render_request.h"

// Writes every target of a completed request. Failures are reported on err
// with the program's own messages; returns 0, or 1 at the first failure.
int render_plots(const RenderRequest& request, std::ostream& err);
