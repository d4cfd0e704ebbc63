#include "screen_toolkit.h"

#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_surface.h"

namespace {

constexpr int BEEP_MS = 50;

// Reads one whole key press: an extended key's scan code is read too.
// Returns the first code.
int consume_key() {
    const int code = read_key();
    if (keys::is_extended(code)) read_key();
    return code;
}

// The plot area of the layout's cells: its pixels and the bytes to save them.
void place_plot_area(ScreenLayout& l, const TextWindow& cells) {
    l.plot_cells = cells;
    l.plot_pixels = {(cells.left - 1) * l.cell_width, (cells.top - 1) * l.cell_height,
                     cells.right * l.cell_width - 1, cells.bottom * l.cell_height - 1};
    const PixelRect& p = l.plot_pixels;
    l.plot_save_size = image_size(0, 0, p.x2 - p.x1, p.y2 - p.y1);
}

}  // namespace

void compute_screen_layout(int pixel_width, int pixel_height, int columns, int rows) {
    ScreenLayout& l = screen_layout();
    l.rows = rows;
    l.columns = columns;
    l.cell_width = columns > 0 ? pixel_width / columns : 0;
    l.cell_height = rows > 0 ? pixel_height / rows : 0;
    place_plot_area(l,
                    {2, 1, columns > 0 ? ((columns - 16) * rows) / columns + 1 : 2, columns - 16});
    l.computed = true;
}

void locate(int row, int column) { set_text_position(row, column); }

void text_color(int color) { set_text_color(color); }

void print_at(int row, int column, int color, const std::string& text) {
    text_color(color);
    locate(row, column);
    put_text(text);
    text_color(COLOR_NORMAL);
}

void clear_line(int row, int column) {
    locate(row, column);
    put_text(std::string(80, ' '));
}

void clear_work_area() {
    const int rows = screen_layout().rows;
    for (int row = rows - 4; row <= rows - 1; ++row) clear_line(row, 1);
}

void clear_side_panel() {
    const int column = screen_layout().side_panel_column();
    for (int row = 3; row <= 27; ++row) clear_line(row, column);
}

void show_message(const std::string& text) {
    const ScreenLayout& layout = screen_layout();
    // Before the layout exists the message stands on the first row.
    const int row = layout.computed ? layout.message_row() : 1;
    const std::string line = blank_padded(without_trailing_blanks(text) + "!", 80);
    show_text_cursor(false);
    print_at(row, 1, COLOR_BRIGHT, line);
    wait_for_key();
    consume_key();
    clear_line(row, 1);
}

bool ask_yes_no(const std::string& question) {
    const ScreenLayout& layout = screen_layout();
    const int row = layout.message_row();
    const std::string asked = without_trailing_blanks(question);
    print_at(row, 1, COLOR_BRIGHT, blank_padded(asked + " (y/n)? ", 80));
    locate(row, static_cast<int>(asked.size()) + 9);
    show_text_cursor(true);
    bool answer = false;
    for (;;) {
        const int code = consume_key();
        if (code == 'y' || code == 'Y' || code == 13) {
            answer = true;
            break;
        }
        if (code == 'n' || code == 'N' || code == 27) {
            answer = false;
            break;
        }
        error_beep();
    }
    show_text_cursor(false);
    clear_line(row, 1);
    text_color(COLOR_NORMAL);
    return answer;
}

void draw_menu_bar(const MenuLabels& labels) {
    const int row = screen_layout().menu_row();
    for (int i = 1; i <= 10; ++i)
        print_at(row, i < 10 ? 8 * i - 7 : 73, COLOR_NORMAL, blank_padded(std::string("F").append(std::to_string(i)), 3));
    for (int i = 1; i <= 10; ++i)
        print_at(row, i < 10 ? 8 * i - 5 : 76, COLOR_BRIGHT, blank_padded(labels[i - 1], 6));
}

void draw_menu_bar(const std::string& sixty_characters) {
    const std::string all = blank_padded(sixty_characters, 60);
    MenuLabels labels;
    for (int i = 0; i < 10; ++i) labels[i] = all.substr(6 * i, 6);
    draw_menu_bar(labels);
}

void sound_beep(int duration_ms, int frequency_hz) { beep(frequency_hz, duration_ms); }

void set_plot_area(int first_column, int first_row, int last_column, int last_row) {
    ScreenLayout& l = screen_layout();
    place_plot_area(l, {first_row, first_column, last_row, last_column});
    set_viewport(l.plot_pixels.x1, l.plot_pixels.y1, l.plot_pixels.x2, l.plot_pixels.y2);
}

void error_beep() { sound_beep(BEEP_MS, 1000); }
void boundary_beep() { sound_beep(BEEP_MS, 500); }
void rejection_beep() { sound_beep(BEEP_MS, 250); }

std::string without_trailing_blanks(std::string text) {
    const auto end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

std::string blank_padded(std::string text, std::size_t length) {
    text.resize(length, ' ');
    return text;
}
