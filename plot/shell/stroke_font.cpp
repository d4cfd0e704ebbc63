#include "stroke_font.h"

#include <filesystem>
#include <sstream>


namespace fs = std::filesystem;

namespace {

bool parse_point(const std::string& token, StrokePoint& point) {
    std::istringstream in(token);
    char comma = 0;
    if (!(in >> point.x >> comma >> point.y) || comma != ',') return false;
    in >> std::ws;
    return in.eof() && point.x > -1000 && point.x < 1000 && point.y > -1000 && point.y < 1000;
}

std::string executable_folder() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

}  // namespace

const StrokeGlyph* StrokeFont::glyph(int code) const {
    for (const StrokeGlyph& g : glyphs)
        if (g.code == code) return &g;
    return nullptr;
}

bool parse_stroke_fonts(const std::string& text, std::vector<StrokeFont>& fonts, std::string& error) {
    fonts.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool header = false;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(number) + ": " + what;
        fonts.clear();
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (!header) {
            int version = 0;
            if (keyword != "MTL-STROKE-FONT" || !(words >> version) || version != 1)
                return fail("expected MTL-STROKE-FONT 1");
            header = true;
        } else if (keyword == "FONT") {
            StrokeFont font;
            if (!(words >> font.name)) return fail("expected a font name");
            fonts.push_back(font);
        } else if (keyword == "G") {
            if (fonts.empty()) return fail("glyph before FONT");
            StrokeGlyph glyph;
            if (!(words >> glyph.code >> glyph.left >> glyph.right) || glyph.code < 32 || glyph.code > 255)
                return fail("expected code, left and right");
            std::vector<StrokePoint> stroke;
            std::string token;
            while (words >> token) {
                if (token == "|") {
                    if (!stroke.empty()) glyph.strokes.push_back(stroke);
                    stroke.clear();
                    continue;
                }
                StrokePoint point{};
                if (!parse_point(token, point)) return fail("expected a point x,y: " + token);
                stroke.push_back(point);
            }
            if (!stroke.empty()) glyph.strokes.push_back(stroke);
            fonts.back().glyphs.push_back(glyph);
        } else {
            return fail("unknown record " + keyword);
        }
    }
    if (!header) return fail("empty font file");
    if (fonts.empty()) return fail("no FONT in the file");
    for (const StrokeFont& f : fonts)
        if (f.glyphs.empty()) return fail("font " + f.name + " has no glyphs");
    return true;
}

std::vector<std::string> stroke_font_folders() {
    std::vector<std::string> folders;
    const std::string exe = executable_folder();
    if (!exe.empty()) folders.push_back((fs::path(exe) / ".." / "share" / "mtlplot").string());
#ifdef MTL_PLOT_DATA_DIR
    folders.push_back(MTL_PLOT_DATA_DIR);
#endif
#ifdef MTL_PLOT_SOURCE_DATA_DIR
    folders.push_back(MTL_PLOT_SOURCE_DATA_DIR);
#endif
    return folders;
}
