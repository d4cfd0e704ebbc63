// The state of the graphics surface in use, and its replacement when a
// presenter is installed.
#include "surface_state.h"

#include <utility>

#include "headless_presenter.h"
#include "surface_backend.h"

namespace {

std::unique_ptr<SurfaceState>& current_surface_state() {
    static std::unique_ptr<SurfaceState> state;
    return state;
}

}  // namespace

SurfaceState& surface_state() {
    std::unique_ptr<SurfaceState>& s = current_surface_state();
    if (!s) {
        s = std::make_unique<SurfaceState>();
        s->presenter = std::make_unique<HeadlessPresenter>();
    }
    return *s;
}

ScreenLayout& screen_layout() { return surface_state().layout; }

void install_presenter(std::unique_ptr<Presenter> presenter) {
    // Release the old presenter (closing its window) before the new one starts.
    current_surface_state().reset();
    auto fresh = std::make_unique<SurfaceState>();
    fresh->presenter = presenter ? std::move(presenter) : std::make_unique<HeadlessPresenter>();
    current_surface_state() = std::move(fresh);
}

Presenter& current_presenter() { return *surface_state().presenter; }

const SoftwareCanvas& surface_canvas() { return surface_state().canvas; }

void set_image_buffers_available(bool available) {
    surface_state().image_buffers_available = available;
}

