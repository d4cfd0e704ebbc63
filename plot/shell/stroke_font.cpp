#include "stroke_font.h"

#include <fstream>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "graphics_surface.h"
#include "surface_backend.h"

namespace fs = std::filesystem;

namespace {

std::vector<StrokeFont>& fonts_store() {
    static std::vector<StrokeFont> fonts;
    return fonts;
}

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

const std::vector<StrokeFont>& registered_fonts() { return fonts_store(); }

void reset_stroke_fonts() { fonts_store().clear(); }

int register_fonts(const std::string& file) {
    std::string path = find_file(file);
    if (path.empty() && fs::path(file).filename() == fs::path(file)) {
        for (const std::string& folder : stroke_font_folders()) {
            std::error_code error;
            const fs::path candidate = fs::path(folder) / file;
            if (fs::is_regular_file(candidate, error)) {
                path = candidate.string();
                break;
            }
        }
    }
    if (path.empty()) return -1;
    std::ifstream in(path, std::ios::binary);
    if (!in) return -1;
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<StrokeFont> fonts;
    std::string error;
    if (!parse_stroke_fonts(text.str(), fonts, error)) return -2;
    fonts_store() = std::move(fonts);
    return static_cast<int>(fonts_store().size());
}
