// What the graphics surface needs from whatever shows its canvas: the video
// modes the display offers, keys, tones and console lines.
#pragma once

#include <string>

#include "surface_types.h"

class SoftwareCanvas;

class Presenter {
public:
    virtual ~Presenter() = default;
    // Switches the display to `mode` (a VGA mode number or one of the
    // VIDEO_ requests) with `rows` text rows (0: the mode's own). Fills the
    // configuration and returns true when the display can show it.
    virtual bool open_mode(int mode, int rows, VideoConfig& config) = 0;
    // Shows the canvas as it is now, with the text cursor laid over it.
    virtual void present(const SoftwareCanvas& canvas) = 0;
    virtual int read_key() = 0;
    virtual bool key_waiting() = 0;
    // Sleeps until a key can be read, without taking it: waiting costs no
    // processor time (no polling loop).
    virtual void wait_for_key() = 0;
    virtual void beep(int frequency_hz, int duration_ms) = 0;
    // A plain line on the console (messages of a failed start in text mode).
    virtual void console_line(const std::string& text) = 0;
};

// Thrown by a presenter's read_key or key_waiting when the user closes the
// program's window; the program's main ends cleanly on it.
struct ProgramQuit {};
