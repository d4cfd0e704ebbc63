// Keys and tones come from the installed presenter, which is first shown
// the canvas as it is drawn.
#include "keys_and_sound.h"

#include "surface_state.h"

namespace {

SurfaceState& state() { return surface_state(); }

}  // namespace

// ---------------------------------------------------------------- keys, sound

int read_key() {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    return s.presenter->read_key();
}

bool key_waiting() {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    return s.presenter->key_waiting();
}

void wait_for_key() {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    s.presenter->wait_for_key();
}

void beep(int frequency_hz, int duration_ms) {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    s.presenter->beep(frequency_hz, duration_ms);
}

