// The plotter's bitmap loader on any file, drawn at the plot area's corner.
//
// Invariants: it answers 0 or a negative status; a refused file draws
// nothing; every pixel stays a colour of the 16-colour palette.
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
    const int status = draw_bmp_file(canvas, path, 0, 16);
    require(status <= 0, "0 or a negative status");
    const std::vector<std::uint8_t>& pixels = canvas.pixels();
    if (status < 0) {
        // Compared in one library call: a loop here would be slow with the fuzzer's instrumentation.
        static const std::vector<std::uint8_t> blank(pixels.size(), 0);
        require(pixels.size() == blank.size() && std::memcmp(pixels.data(), blank.data(), blank.size()) == 0,
                "a refused file draws nothing");
    } else {
        for (std::uint8_t pixel : pixels) require(pixel < 16, "palette colours only");
    }
    return 0;
}
