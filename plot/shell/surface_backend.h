// The graphics surface's connection to its canvas and presenter, for the
// presenters, the headless screen and the program's main.
#pragma once

#include <memory>

#include "presenter.h"
#include "software_canvas.h"

// Installs the presenter the surface draws for; the previous one is
// destroyed (a null presenter installs a headless one). All surface state returns to its start (see reset_surface).
void install_presenter(std::unique_ptr<Presenter> presenter);
Presenter& current_presenter();
// Forgets everything drawn and set: canvas, text window, viewport, window,
// colours, line style, cursor, open directory searches, registered fonts,
// the screen layout and the image-buffer switch.
void reset_surface();
const SoftwareCanvas& surface_canvas();
// Parts of reset_surface kept by the directory services and the font store.
void reset_directory_searches();
void reset_stroke_fonts();
// When false, obtain_image_buffer fails.
void set_image_buffers_available(bool available);
