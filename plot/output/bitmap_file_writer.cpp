#include "bitmap_output.h"

#include "graphics_surface.h"
#include "output_file_dialogue.h"
#include "screen_toolkit.h"

namespace {

constexpr int CAPTION_COLUMN = 77;

// Holds the plot area while the inverted picture is saved; obtained on the
// first inverted save and kept for later ones.
ImageBuffer& inverted_save_buffer() {
    static ImageBuffer buffer;
    return buffer;
}

bool obtain_inverted_save_buffer() {
    ImageBuffer& buffer = inverted_save_buffer();
    const long size = screen_layout().plot_save_size;
    if (!buffer.empty() && static_cast<long>(buffer.size()) >= size) return true;
    return obtain_image_buffer(buffer, size);
}

}  // namespace

void reset_bitmap_writer() { release_image_buffer(inverted_save_buffer()); }

void write_bitmap_file(bool inverted) {
    const ScreenLayout& layout = screen_layout();
    const int w = layout.plot_x2 - layout.plot_x1;
    const int h = layout.plot_y2 - layout.plot_y1;
    OutputFileName file;
    if (ask_output_file_name("BMP", CAPTION_COLUMN, ".bmp", file)) {
        const std::string failed = "Error writing bitmap file " + file.name;
        // The buffer is obtained before an old file is deleted, so that a
        // lack of memory loses nothing.
        if (inverted && !obtain_inverted_save_buffer()) {
            show_message(failed);
        } else if (!file.existing_path.empty() && !delete_file(file.existing_path)) {
            show_message(failed);
        } else {
            ImageBuffer& buffer = inverted_save_buffer();
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
