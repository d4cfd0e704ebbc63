// The pen strokes of an HP-GL plot file as an SVG picture on a white page:
// every stretch drawn with the pen down becomes an SVG path with the pen's
// line type and thickness, clipped to the input window in force; labels
// become text in a monospaced font at the plotter's character cells, and
// user-defined characters become paths of their strokes.
//
// Understood: IN, SP, IP, SC, IW, PA, PR, PU, PD, LT, PT, DI, LB and UC as
// the plot writers of this program use them; other instructions are
// skipped.
#pragma once

#include <string>

std::string svg_from_hpgl(const std::string& hpgl);
