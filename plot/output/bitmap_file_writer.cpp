#include "bitmap_output.h"

#include "output_file_dialogue.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "surface_files.h"

namespace {

constexpr int CAPTION_COLUMN = 77;

}  // namespace

void write_bitmap_file(bool inverted) {
    const ScreenLayout& layout = screen_layout();
    const int w = layout.plot_pixels.x2 - layout.plot_pixels.x1;
    const int h = layout.plot_pixels.y2 - layout.plot_pixels.y1;
    OutputFileName file;
    if (ask_output_file_name("BMP", CAPTION_COLUMN, ".bmp", file)) {
        const std::string failed = "Error writing bitmap file " + file.name;
        // Holds the plot area while the inverted picture is saved. It is
        // obtained before an old file is deleted, so that a lack of memory
        // loses nothing.
        ImageBuffer buffer;
        if (inverted && !obtain_image_buffer(buffer, layout.plot_save_size)) {
            show_message(failed);
        } else if (!file.existing_path.empty() && !delete_file(file.existing_path)) {
            show_message(failed);
        } else {
            if (inverted) {
                get_image(0, 0, w, h, buffer);
                put_image(0, 0, buffer, ImageAction::INVERT);
            }
            print_at(layout.message_row(), 1, COLOR_BRIGHT, "Writing bitmap file " + file.name);
            const int status = save_bitmap(file.name, 0, 0, w, h);
            if (inverted) put_image(0, 0, buffer, ImageAction::COPY);
            if (status != 0) show_message(failed);
        }
    }
    end_output_dialogue(CAPTION_COLUMN);
}
