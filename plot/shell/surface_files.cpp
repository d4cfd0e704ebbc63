// Bitmap files of the graphics surface's canvas and its stroke fonts.
#include "surface_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bitmap_file.h"
#include "stroke_font.h"
#include "surface_state.h"

namespace fs = std::filesystem;

// ---------------------------------------------------------------- bitmap files

int save_bitmap(const std::string& file, int x1, int y1, int x2, int y2) {
    const SoftwareCanvas& canvas = surface_state().canvas;
    const PixelRect v = canvas.viewport();
    return write_bmp_image(canvas, file, v.x1 + x1, v.y1 + y1, v.x1 + x2, v.y1 + y2);
}

int load_bitmap(const std::string& file, int x, int y) {
    SoftwareCanvas& canvas = surface_state().canvas;
    const PixelRect v = canvas.viewport();
    std::string path = find_file(file);
    if (path.empty()) path = file;
    return draw_bmp_file(canvas, path, v.x1 + x, v.y1 + y, v);
}

// ---------------------------------------------------------------- fonts

const std::vector<StrokeFont>& registered_fonts() { return surface_state().fonts; }

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
    surface_state().fonts = std::move(fonts);
    return static_cast<int>(surface_state().fonts.size());
}
