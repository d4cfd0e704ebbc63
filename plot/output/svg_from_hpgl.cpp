#include "svg_from_hpgl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "hpgl_stream.h"

namespace {

// The page in plotter units (40 per millimetre): the plot frame with the
// margins of its lower-left corner on every side.
constexpr double PAGE_WIDTH = HPGL_P1_X * 2.0 + HPGL_RECT_WIDTH;
constexpr double PAGE_HEIGHT = HPGL_P1_Y * 2.0 + HPGL_HEIGHT;
constexpr double UNITS_PER_MM = 40.0;
constexpr double DEFAULT_PEN_MM = 0.3;
constexpr double DEFAULT_PATTERN_PERCENT = 4.0;

struct Point {
    double x = 0, y = 0;
};

struct Style {
    int line_type = 0;  // 0: solid
    double pattern_percent = DEFAULT_PATTERN_PERCENT;
    double pen_mm = DEFAULT_PEN_MM;
    int clip = -1;  // index of the input window, -1 for none
    bool operator==(const Style&) const = default;
};

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// Code page 437 characters of the plot writers as XML text.
std::string xml_character(unsigned char c) {
    switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        case '"': return "&quot;";
        case 0xE5: return "\u03C3";
        case 0xE6: return "\u00B5";
        case 0xE9: return "\u0398";
        case 0xEA: return "\u03A9";
        case 0xED: return "\u03C6";
        case 0xEF: return "\u2229";
        case 0xF8: return "\u00B0";
        case 0xFB: return "\u221A";
        case 0xFD: return "\u00B2";
        default: return c >= 32 && c < 127 ? std::string(1, static_cast<char>(c)) : "?";
    }
}

class SvgPlotter {
public:
    void run(std::string_view hpgl);
    std::string picture();

private:
    void instruction(const std::string& name, const std::vector<double>& values);
    void label(std::string_view text);
    void user_character(const std::vector<double>& values);
    Point plotter_point(double x, double y) const;
    Point plotter_step(double dx, double dy) const;
    void move(Point to);
    void end_path();
    double char_width() const { return 0.0075 * (p2_.x - p1_.x); }
    double char_height() const { return 0.015 * (p2_.y - p1_.y); }
    std::string dash_array() const;

    Point p1_{HPGL_P1_X, HPGL_P1_Y}, p2_{HPGL_P1_X + HPGL_RECT_WIDTH, HPGL_P1_Y + HPGL_HEIGHT};
    bool scaled_ = false;
    double sx1_ = 0, sx2_ = 1, sy1_ = 0, sy2_ = 1;
    Point pen_;
    bool down_ = false;
    Style style_;
    std::vector<Point> path_;
    Style path_style_;
    std::vector<std::string> windows_;
    std::string paths_;
    std::string texts_;
};

Point SvgPlotter::plotter_point(double x, double y) const {
    if (!scaled_) return {x, y};
    return {p1_.x + (x - sx1_) * (p2_.x - p1_.x) / (sx2_ - sx1_),
            p1_.y + (y - sy1_) * (p2_.y - p1_.y) / (sy2_ - sy1_)};
}

Point SvgPlotter::plotter_step(double dx, double dy) const {
    if (!scaled_) return {dx, dy};
    return {dx * (p2_.x - p1_.x) / (sx2_ - sx1_), dy * (p2_.y - p1_.y) / (sy2_ - sy1_)};
}

void SvgPlotter::move(Point to) {
    if (down_) {
        if (!path_.empty() && !(path_style_ == style_)) end_path();
        if (path_.empty()) {
            path_.push_back(pen_);
            path_style_ = style_;
        }
        path_.push_back(to);
    } else {
        end_path();
    }
    pen_ = to;
}

std::string SvgPlotter::dash_array() const {
    const double diagonal = std::hypot(p2_.x - p1_.x, p2_.y - p1_.y);
    const double l = path_style_.pattern_percent / 100.0 * diagonal;
    switch (path_style_.line_type) {
        case 0: return {};
        case 1: return number(0.02 * l) + " " + number(0.98 * l);
        case 2: return number(0.5 * l) + " " + number(0.5 * l);
        case 3: return number(0.7 * l) + " " + number(0.3 * l);
        case 4: return number(0.8 * l) + " " + number(0.1 * l) + " " + number(0.02 * l) + " " +
                       number(0.08 * l);
        case 5: return number(0.7 * l) + " " + number(0.1 * l) + " " + number(0.1 * l) + " " +
                       number(0.1 * l);
        default: return number(0.5 * l) + " " + number(0.1 * l) + " " + number(0.1 * l) + " " +
                        number(0.1 * l) + " " + number(0.1 * l) + " " + number(0.1 * l);
    }
}

void SvgPlotter::end_path() {
    if (path_.size() >= 2) {
        std::string d = "M" + number(path_[0].x) + " " + number(PAGE_HEIGHT - path_[0].y);
        for (std::size_t i = 1; i < path_.size(); ++i)
            d += " L" + number(path_[i].x) + " " + number(PAGE_HEIGHT - path_[i].y);
        paths_ += "<path d=\"" + d + "\" stroke-width=\"" +
                  number(path_style_.pen_mm * UNITS_PER_MM) + "\"";
        if (const std::string dash = dash_array(); !dash.empty())
            paths_ += " stroke-dasharray=\"" + dash + "\"";
        if (path_style_.clip >= 0)
            paths_ += " clip-path=\"url(#w" + std::to_string(path_style_.clip) + ")\"";
        paths_ += "/>\n";
    }
    path_.clear();
}

void SvgPlotter::label(std::string_view text) {
    end_path();
    const double advance = 1.5 * char_width();
    std::string shown;
    for (char c : text) shown += xml_character(static_cast<unsigned char>(c));
    if (text.find_first_not_of(' ') != std::string_view::npos) {
        texts_ += "<text x=\"" + number(pen_.x) + "\" y=\"" + number(PAGE_HEIGHT - pen_.y) +
                  "\" textLength=\"" + number(advance * static_cast<double>(text.size())) +
                  "\" lengthAdjust=\"spacingAndGlyphs\">" + shown + "</text>\n";
    }
    pen_.x += advance * static_cast<double>(text.size());
}

// A user-defined character: pairs of moves in the character grid (a
// quarter of the character width across, an eighth of its height up);
// 99 puts the pen down, -99 lifts it. The pen then stands at the next
// character cell.
void SvgPlotter::user_character(const std::vector<double>& values) {
    end_path();
    const Point start = pen_;
    const bool was_down = down_;
    const double ux = char_width() / 4.0, uy = char_height() / 8.0;
    down_ = false;
    for (std::size_t i = 0; i < values.size();) {
        if (values[i] == 99 || values[i] == -99) {
            if (values[i] == -99) end_path();
            down_ = values[i] == 99;
            ++i;
            continue;
        }
        if (i + 1 >= values.size()) break;
        move({pen_.x + values[i] * ux, pen_.y + values[i + 1] * uy});
        i += 2;
    }
    end_path();
    down_ = was_down;
    pen_ = {start.x + 1.5 * char_width(), start.y};
}

void SvgPlotter::instruction(const std::string& name, const std::vector<double>& v) {
    if (name == "IN") {
        end_path();
        scaled_ = false;
        down_ = false;
        style_ = Style{};
    } else if (name == "SP") {
        if (!v.empty() && v[0] == 0) end_path();
    } else if (name == "IP") {
        if (v.size() >= 4) {
            p1_ = {v[0], v[1]};
            p2_ = {v[2], v[3]};
        }
    } else if (name == "SC") {
        scaled_ = v.size() >= 4 && v[0] != v[1] && v[2] != v[3];
        if (scaled_) {
            sx1_ = v[0];
            sx2_ = v[1];
            sy1_ = v[2];
            sy2_ = v[3];
        }
    } else if (name == "IW") {
        end_path();
        style_.clip = -1;
        if (v.size() >= 4) {
            style_.clip = static_cast<int>(windows_.size());
            windows_.push_back("<clipPath id=\"w" + std::to_string(style_.clip) + "\"><rect x=\"" +
                               number(std::min(v[0], v[2])) + "\" y=\"" +
                               number(PAGE_HEIGHT - std::max(v[1], v[3])) + "\" width=\"" +
                               number(std::fabs(v[2] - v[0])) + "\" height=\"" +
                               number(std::fabs(v[3] - v[1])) + "\"/></clipPath>\n");
        }
    } else if (name == "PA" || name == "PU" || name == "PD") {
        if (name != "PA") down_ = name == "PD";
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) move(plotter_point(v[i], v[i + 1]));
    } else if (name == "PR") {
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
            const Point step = plotter_step(v[i], v[i + 1]);
            move({pen_.x + step.x, pen_.y + step.y});
        }
    } else if (name == "LT") {
        style_.line_type = v.empty() ? 0 : static_cast<int>(v[0]);
        style_.pattern_percent = v.size() >= 2 ? v[1] : DEFAULT_PATTERN_PERCENT;
    } else if (name == "PT") {
        style_.pen_mm = v.empty() || v[0] <= 0 ? DEFAULT_PEN_MM : v[0];
    } else if (name == "UC") {
        user_character(v);
    }
}

void SvgPlotter::run(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (!std::isalpha(c)) {
            ++at;
            continue;
        }
        if (at + 1 >= text.size()) break;
        std::string name{static_cast<char>(std::toupper(c)),
                         static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])))};
        at += 2;
        if (name == "LB") {
            const std::size_t end = text.find(HPGL_LABEL_END, at);
            label(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
            at = end == std::string_view::npos ? text.size() : end + 1;
            continue;
        }
        // Parameters: numbers separated by commas or blanks, up to ";" or
        // the next instruction.
        std::vector<double> values;
        while (at < text.size() && text[at] != ';' && !std::isalpha(static_cast<unsigned char>(text[at]))) {
            const char d = text[at];
            if (d == '-' || d == '+' || d == '.' || std::isdigit(static_cast<unsigned char>(d))) {
                const std::string field(text.substr(at, 32));
                char* end = nullptr;
                const double value = std::strtod(field.c_str(), &end);
                const std::size_t used = static_cast<std::size_t>(end - field.c_str());
                if (used == 0) {
                    ++at;
                    continue;
                }
                values.push_back(value);
                at += used;
            } else {
                ++at;
            }
        }
        instruction(name, values);
    }
    end_path();
}

std::string SvgPlotter::picture() {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(PAGE_WIDTH / UNITS_PER_MM) +
           "mm\" height=\"" + number(PAGE_HEIGHT / UNITS_PER_MM) + "mm\" viewBox=\"0 0 " +
           number(PAGE_WIDTH) + " " + number(PAGE_HEIGHT) + "\">\n";
    svg += "<rect width=\"" + number(PAGE_WIDTH) + "\" height=\"" + number(PAGE_HEIGHT) +
           "\" fill=\"white\"/>\n";
    if (!windows_.empty()) {
        svg += "<defs>\n";
        for (const std::string& w : windows_) svg += w;
        svg += "</defs>\n";
    }
    svg += "<g fill=\"none\" stroke=\"black\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    svg += paths_;
    svg += "</g>\n";
    svg += "<g font-family=\"monospace\" font-size=\"" + number(char_height() * 1.4) +
           "\" fill=\"black\" xml:space=\"preserve\">\n";
    svg += texts_;
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace

std::string svg_from_hpgl(const std::string& hpgl) {
    SvgPlotter plotter;
    plotter.run(hpgl);
    return plotter.picture();
}
