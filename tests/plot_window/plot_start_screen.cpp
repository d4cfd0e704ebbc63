// The plotter's start screen as the headless presenter draws it, for the
// window test: "render FILE.png" writes it, "compare SHOT.ppm" counts the
// pixels in which a screenshot of the window (binary PPM, 640 x 480 or a
// whole multiple) differs from it. Exit status 0 when they agree.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "plotter_startup.h"
#include "vga_palette.h"

namespace {

bool read_ppm(const std::string& path, int& width, int& height, std::vector<unsigned char>& rgb) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    if (!(in >> magic >> width >> height >> maximum) || magic != "P6" || maximum != 255) return false;
    in.get();
    if (width <= 0 || height <= 0 || width > 10000 || height > 10000) return false;
    rgb.resize(static_cast<std::size_t>(width) * height * 3);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size())));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: plot_start_screen render FILE.png | compare SHOT.ppm\n";
        return 2;
    }
    HeadlessScreen screen(false);
    try {
        run_mtlplot();
    } catch (const KeysExhausted&) {
        // waiting in the main menu: that is the picture
    }
    const std::string mode = argv[1], path = argv[2];
    if (mode == "render") return screen.save_png(path) ? 0 : 1;
    if (mode != "compare") return 2;

    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    if (!read_ppm(path, width, height, rgb)) {
        std::cerr << path << ": not a binary PPM picture\n";
        return 1;
    }
    const int scale = width / 640;
    if (scale < 1 || width != 640 * scale || height != 480 * scale) {
        std::cerr << path << ": " << width << " x " << height << " is not 640 x 480 scaled\n";
        return 1;
    }
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& want = VGA_PALETTE[screen.pixel(x / scale, y / scale)];
            const unsigned char* got = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            if (got[0] != want.red || got[1] != want.green || got[2] != want.blue) ++differing;
        }
    }
    std::cout << differing << " of " << long{width} * height << " pixels differ\n";
    std::cout << "row 1: " << screen.row_text(1) << "\nrow 30: " << screen.row_text(30) << '\n';
    return differing == 0 ? 0 : 1;
}
