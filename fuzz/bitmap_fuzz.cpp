// The plotter's bitmap loader on any file, drawn at the plot area's corner.
//
// Invariants: it answers 0 or a negative status; a refused file draws
// nothing; every pixel stays a colour of the 16-colour palette.
#include <cstdint>
#include <string_view>

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
    for (std::uint8_t pixel : canvas.pixels()) {
        require(pixel < 16, "palette colours only");
        require(status == 0 || pixel == 0, "a refused file draws nothing");
    }
    return 0;
}
