// What the graphics surface keeps between calls: the canvas, the presenter
// that shows it, the video mode, the screen layout, the registered stroke
// fonts and the open directory searches. Installing a presenter starts a
// new state, so nothing of an earlier screen survives it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "presenter.h"
#include "screen_layout.h"
#include "software_canvas.h"
#include "stroke_font.h"

struct SurfaceState {
    SoftwareCanvas canvas;
    std::unique_ptr<Presenter> presenter;
    VideoConfig config{640, 480, 80, 30, 16, 4, VIDEO_VGA_640X480};
    bool image_buffers_available = true;
    ScreenLayout layout;
    std::vector<StrokeFont> fonts;
    std::map<int, std::vector<std::string>> searches;
    int next_search = 1;
};

// The state of the surface in use (a headless one until a presenter is
// installed).
SurfaceState& surface_state();
