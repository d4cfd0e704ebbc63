// The line forms shared by both HP-GL writers: the plot frame, integer and
// coordinate fields, pen moves and labels.
//
// Coordinates are fixed-point fields right-aligned in 10 (x) and 11 (y)
// columns with a zero before the point below 1 and the minus sign directly
// before the first digit. A negative value whose printed digits are all zero
// is written without a minus sign ("0.00000", never "-0.00000").
#pragma once

#include <string>

#include "text_sink.h"

// The plot frame in plotter units.
constexpr int HPGL_P1_X = 250;
constexpr int HPGL_P1_Y = 279;
constexpr int HPGL_SMITH_WIDTH = 9600;
constexpr int HPGL_RECT_WIDTH = 10000;
constexpr int HPGL_HEIGHT = 7200;
// Text grid across the user window.
constexpr int HPGL_TEXT_COLUMNS = 88;
constexpr int HPGL_TEXT_ROWS = 60;
// Label terminator (ETX).
constexpr char HPGL_LABEL_END = '\x03';

// v limited to -limit..limit (not a number as 0), so that a curve point far
// outside the frame still fits its coordinate field.
float limited_coordinate(float v, float limit);

class HpglStream {
public:
    // decimals: 5 for the Smith chart, 3 for rectangular diagrams.
    HpglStream(TextSink& sink, int decimals) : sink_(sink), decimals_(decimals) {}

    bool ok() const { return sink_.ok(); }
    TextSink& sink() { return sink_; }

    void line(const std::string& text) { sink_.line(text); }
    // "PA x,y; PD; "
    void move_down(float x, float y) { coordinate_line("PA ", x, y, "; PD; "); }
    // "PA x,y; "
    void move(float x, float y) { coordinate_line("PA ", x, y, "; "); }
    // "PA x,y; PU; "
    void move_up(float x, float y) { coordinate_line("PA ", x, y, "; PU; "); }
    // "PR x,y; PU; " (a relative move)
    void relative_up(float x, float y) { coordinate_line("PR ", x, y, "; PU; "); }
    // "LB" text ETX
    void label(const std::string& text);
    // prefix followed by four integer fields and ";"
    void integer_line(const std::string& prefix, int a, int b, int c, int d);
    // prefix followed by four real fields (x width, x decimals) and ";"
    void real_line(const std::string& prefix, float a, float b, float c, float d);
    // The x and y coordinate fields.
    std::string x_field(float x) const;
    std::string y_field(float y) const;

private:
    void coordinate_line(const char* start, float x, float y, const char* end);

    TextSink& sink_;
    int decimals_;
};
