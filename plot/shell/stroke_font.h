// Stroke fonts read by register_fonts. File format (text, one record a line,
// "#" starts a comment line):
//
//   MTL-STROKE-FONT 1                      first line
//   FONT <name>                            starts a font
//   G <code> <left> <right> <strokes>      one glyph of the current font
//
// <code> is the character code (32..255); <left> and <right> are the glyph's
// extent relative to its origin; <strokes> is a list of points "x,y" in
// which "|" lifts the pen. Coordinates are integers, y grows downwards, the
// capital height is about 21 units (from -12 to 9).
#pragma once

#include <string>
#include <vector>

struct StrokePoint {
    int x;
    int y;
};

struct StrokeGlyph {
    int code = 0;
    int left = 0;
    int right = 0;
    std::vector<std::vector<StrokePoint>> strokes;  // each a polyline
};

struct StrokeFont {
    std::string name;
    std::vector<StrokeGlyph> glyphs;
    const StrokeGlyph* glyph(int code) const;
};

// Parses font text; false (and `error` set) when the text is not a valid font file.
bool parse_stroke_fonts(const std::string& text, std::vector<StrokeFont>& fonts, std::string& error);
// Where register_fonts looks for a font file after the working directory.
std::vector<std::string> stroke_font_folders();
