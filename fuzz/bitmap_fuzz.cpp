// The plotter's bitmap loader on any file, drawn at the plot area's corner
// and clipped to the plot area.
//
// Invariants: it answers 0 or a negative status; a refused file draws
// nothing; nothing is drawn outside the plot area; every pixel stays a
// colour of the 16-colour palette.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "bitmap_file.h"
#include "fuzz_folder.h"
#include "software_canvas.h"

using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::FuzzFolder folder("mtl_fuzz_bitmap");
    static SoftwareCanvas canvas;
    canvas.reset(640, 480, 80, 30);
    const auto path =
        folder.write("picture.bmp", std::string_view(reinterpret_cast<const char*>(data), size)).string();
    const PixelRect plot_area{0, 16, 511, 399};
    const int status = draw_bmp_file(canvas, path, 0, 16, plot_area);
    require(status <= 0, "0 or a negative status");
    const std::vector<std::uint8_t>& pixels = canvas.pixels();
    if (status < 0) {
        // Compared in one library call: a loop here would be slow with the fuzzer's instrumentation.
        static const std::vector<std::uint8_t> blank(pixels.size(), 0);
        require(pixels.size() == blank.size() && std::memcmp(pixels.data(), blank.data(), blank.size()) == 0,
                "a refused file draws nothing");
    } else {
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const std::uint8_t pixel = canvas.pixel(x, y);
                require(pixel < 16, "palette colours only");
                const bool inside = x >= plot_area.x1 && x <= plot_area.x2 && y >= plot_area.y1 && y <= plot_area.y2;
                require(inside || pixel == 0, "nothing drawn outside the plot area");
            }
    }
    return 0;
}
