#include "file_chooser.h"

#include <algorithm>

#include "key_codes.h"
#include "keys_and_sound.h"
#include "list_scrolling.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "surface_files.h"

namespace {

constexpr int TITLE_COLUMN = 77;
constexpr int LIST_TOP_ROW = 2;
constexpr int LIST_LEFT_COLUMN = 1;
constexpr int LIST_MAX_ROWS = 20;

constexpr char UPPER_LEFT = static_cast<char>(0xC9);
constexpr char UPPER_RIGHT = static_cast<char>(0xBB);
constexpr char LOWER_LEFT = static_cast<char>(0xC8);
constexpr char LOWER_RIGHT = static_cast<char>(0xBC);
constexpr char HORIZONTAL = static_cast<char>(0xCD);
constexpr char VERTICAL = static_cast<char>(0xBA);

void draw_frame(int width, int rows, const std::string& title) {
    const std::string inner(width, HORIZONTAL);
    print_at(1, 1, COLOR_NORMAL, UPPER_LEFT + inner + UPPER_RIGHT);
    for (int r = 2; r <= rows + 1; ++r)
        print_at(r, 1, COLOR_NORMAL, VERTICAL + std::string(width, ' ') + VERTICAL);
    print_at(rows + 2, 1, COLOR_NORMAL, LOWER_LEFT + inner + LOWER_RIGHT);
    std::string caption = without_trailing_blanks(title);
    if (caption.empty()) return;
    int column = std::max((width + 2 - static_cast<int>(caption.size())) / 2, 1);
    caption = (" " + caption + " ").substr(0, std::max(width + 3 - column, 0));
    print_at(1, column, COLOR_BRIGHT, caption);
}

void draw_item(const std::vector<std::string>& items, int width, const ListView& view, int item) {
    print_at(item - view.top_item, 1, item == view.position ? COLOR_BRIGHT : COLOR_NORMAL,
             blank_padded(items[item - 1], static_cast<std::size_t>(width)));
}

void draw_items(const std::vector<std::string>& items, int width, const ListView& view) {
    for (int row = 1; row <= view.rows; ++row) draw_item(items, width, view, view.top_item + row);
}

}  // namespace

std::vector<std::string> search_file_names(const std::string& pattern) {
    std::vector<std::string> names;
    int handle = -1;
    std::string name;
    while (static_cast<int>(names.size()) < MAX_LISTED_FILES) {
        int length = next_file_info(pattern, handle, name);
        if (length <= 0 || name.empty() || handle == -2 || handle == -3) break;
        if (static_cast<int>(name.size()) > LISTED_NAME_LENGTH) continue;
        names.push_back(blank_padded(name, LISTED_NAME_LENGTH));
    }
    return names;
}

void sort_file_names(std::vector<std::string>& names) {
    const std::size_t count = names.size();
    for (std::size_t a = 0; a + 1 < count; ++a)
        for (std::size_t b = a + 1; b < count; ++b)
            if (names[b] < names[a]) std::swap(names[a], names[b]);
}

void popup_list(const std::vector<std::string>& items, int width, int& position, bool& chosen,
                int top_row, int left_column, int max_rows, const std::string& title) {
    chosen = false;
    const ScreenLayout plot_area = screen_layout();
    ListView view = open_list_view(static_cast<int>(items.size()), max_rows, position);
    if (view.rows < 1 || width < 1) return;
    const int bottom_row = top_row + view.rows + 1;
    const int right_column = left_column + width + 1;

    set_plot_area(left_column, top_row, right_column, bottom_row);
    const ScreenLayout& box = screen_layout();
    const int box_width = box.plot_pixels.x2 - box.plot_pixels.x1;
    const int box_height = box.plot_pixels.y2 - box.plot_pixels.y1;
    ImageBuffer saved;
    if (!obtain_image_buffer(saved, image_size(0, 0, box_width, box_height))) {
        show_message("Cannot open menu ");
        set_plot_area(plot_area.plot_cells.left, plot_area.plot_cells.top,
                      plot_area.plot_cells.right, plot_area.plot_cells.bottom);
        return;
    }
    get_image(0, 0, box_width, box_height, saved);

    const TextWindow outer = get_text_window();
    set_text_window(top_row, left_column, bottom_row, right_column);
    draw_frame(width, view.rows, title);
    set_text_window(top_row + 1, left_column + 1, bottom_row - 1, right_column - 1);

    position = view.position;
    draw_items(items, width, view);
    for (;;) {
        int key = read_key();
        if (key == keys::ENTER) {
            chosen = true;
            break;
        }
        if (key == keys::ESC) break;
        if (!keys::is_extended(key)) {
            error_beep();
            continue;
        }
        const int before = view.position;
        switch (move_in_list(view, read_key())) {
            case ListMove::NONE: error_beep(); break;
            case ListMove::BOUNDARY: boundary_beep(); break;
            case ListMove::ROW_CHANGED:
                print_at(before - view.top_item, 1, COLOR_NORMAL, blank_padded(items[before - 1], static_cast<std::size_t>(width)));
                draw_item(items, width, view, view.position);
                break;
            case ListMove::SCROLLED_UP:
            case ListMove::SCROLLED_DOWN: {
                const bool up = view.position > before;
                // The old row in normal colour, then the rows move by one.
                print_at(before - (up ? view.top_item - 1 : view.top_item + 1), 1, COLOR_NORMAL,
                         blank_padded(items[before - 1], static_cast<std::size_t>(width)));
                scroll_text_window(up ? 1 : -1);
                draw_item(items, width, view, view.position);
                break;
            }
            case ListMove::REDRAWN: draw_items(items, width, view); break;
        }
        position = view.position;
    }

    put_image(0, 0, saved, ImageAction::COPY);
    set_text_window(outer.top, outer.left, outer.bottom, outer.right);
    release_image_buffer(saved);
    set_plot_area(plot_area.plot_cells.left, plot_area.plot_cells.top, plot_area.plot_cells.right,
                  plot_area.plot_cells.bottom);
}

void choose_file(const std::string& extension, std::string& file_name, bool& chosen,
                 const std::string& title, int& position) {
    chosen = false;
    print_at(1, TITLE_COLUMN, COLOR_BRIGHT, title);
    std::vector<std::string> names = search_file_names("*." + extension);
    if (names.empty()) {
        show_message("No matching files");
    } else {
        sort_file_names(names);
        popup_list(names, LISTED_NAME_LENGTH, position, chosen, LIST_TOP_ROW, LIST_LEFT_COLUMN,
                   LIST_MAX_ROWS, "File?");
        // A list that could not be shown leaves a position that may lie
        // beyond this list: the name then stays as it was.
        if (position >= 1 && position <= static_cast<int>(names.size())) {
            const std::size_t length = std::max(file_name.size(), names[position - 1].size());
            file_name = blank_padded(names[position - 1], length);
        }
    }
    clear_line(1, TITLE_COLUMN);
}
