// The graphics surface's connection to its canvas and presenter, for the
// presenters, the headless screen and the program's main.
#pragma once

#include <memory>

#include "presenter.h"
#include "software_canvas.h"

// Installs the presenter the surface draws for and starts a new surface
// state: canvas, text window, viewport, colours, screen layout, fonts and
// directory searches as at program start. The previous presenter is
// destroyed first (a null presenter installs a headless one).
void install_presenter(std::unique_ptr<Presenter> presenter);
Presenter& current_presenter();
const SoftwareCanvas& surface_canvas();
// When false, obtain_image_buffer fails.
void set_image_buffers_available(bool available);
