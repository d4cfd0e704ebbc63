// Caption characters in HP-GL: plain characters become one-character labels;
// the special characters of the PC character set (code page 437) that a pen
// plotter lacks are drawn as user-defined characters (UC instructions).
#pragma once

#include <string_view>

#include "text_sink.h"

// The UC instruction drawing code page 437 character `code`, or an empty
// view when the character has no glyph of its own.
std::string_view hpgl_glyph(unsigned char code);

// Writes one caption character: "LB" c ETX for codes 32..127 (the line stays
// open, so consecutive characters share a line), the glyph's UC instruction
// ending the line for a special character, and a blank label " LB " ETX
// ending the line for any other code. ok is false before anything is written
// and true after a successful write.
void write_label_text(TextSink& sink, char character, bool& ok);
