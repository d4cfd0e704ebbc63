#include "bitmap_output.h"

#include "file_chooser.h"
#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "surface_files.h"
#include "text_sink.h"

namespace {

constexpr int CAPTION_COLUMN = 62;
constexpr int FILE_NAME_LENGTH = 20;

// Asks for a bitmap file with the chooser; empty when none was chosen.
std::string chosen_bitmap(const std::string& title, int& position) {
    std::string name(FILE_NAME_LENGTH, ' ');
    bool chosen = false;
    choose_file("bmp", name, chosen, title, position);
    return chosen ? without_trailing_blanks(name) : std::string();
}

void load_bitmap_file(int message_row, int& position) {
    const std::string name = chosen_bitmap("LOAD", position);
    if (name.empty()) return;
    print_at(message_row, 1, COLOR_BRIGHT, "Loading bitmap file " + name);
    if (load_bitmap(name, 0, 0) < 0) show_message("Error loading bitmap file " + name);
    clear_line(message_row, 1);
}

void delete_bitmap_file(int& position) {
    const std::string name = chosen_bitmap("DEL", position);
    if (name.empty()) return;
    if (ask_yes_no("Do you want to delete file " + name)) delete_file(name);
}

}  // namespace

void store_recall(int& chooser_position) {
    const ScreenLayout& layout = screen_layout();
    const int w = layout.plot_pixels.x2 - layout.plot_pixels.x1;
    const int h = layout.plot_pixels.y2 - layout.plot_pixels.y1;
    print_at(layout.caption_row(), CAPTION_COLUMN, COLOR_BRIGHT, "STORE/RECALL");
    // Everything here (the kept diagram, loaded pictures, Clr) is in the
    // plot area.
    set_viewport(layout.plot_pixels.x1, layout.plot_pixels.y1, layout.plot_pixels.x2,
                 layout.plot_pixels.y2);
    ImageBuffer kept;
    if (!obtain_image_buffer(kept, layout.plot_save_size)) {
        show_message("Cannot initialize storing/recalling");
        clear_line(layout.caption_row(), CAPTION_COLUMN);
        clear_work_area();
        return;
    }
    get_image(0, 0, w, h, kept);

    for (bool running = true; running;) {
        draw_menu_bar("Help  LoaBMP      Ovrlay      Clr         SavBMPDelBMPEnd   ");
        const int key = read_key();
        if (key == keys::ESC) break;
        if (key != keys::EXTENDED && key != keys::EXTENDED_E0) {
            error_beep();
            continue;
        }
        switch (read_key()) {
            case keys::F2: load_bitmap_file(layout.message_row(), chooser_position); break;
            case keys::F4: put_image(0, 0, kept, ImageAction::OR); break;
            case keys::F6:
                clear_screen(ClearArea::VIEWPORT);
                put_image(0, 0, kept, ImageAction::COPY);
                break;
            case keys::F8: write_bitmap_file(false); break;
            case keys::SHIFT_F8:
            case keys::CTRL_F8:
            case keys::ALT_F8: write_bitmap_file(true); break;
            case keys::F9: delete_bitmap_file(chooser_position); break;
            case keys::F10: running = false; break;
            default: error_beep();
        }
    }

    clear_line(layout.caption_row(), CAPTION_COLUMN);
    clear_work_area();
    clear_screen(ClearArea::VIEWPORT);
    put_image(0, 0, kept, ImageAction::COPY);
    release_image_buffer(kept);
}
