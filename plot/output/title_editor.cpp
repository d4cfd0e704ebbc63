#include "title_editor.h"

#include <string>

#include "key_codes.h"
#include "keys_and_sound.h"
#include "plot_editor.h"
#include "plot_state.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {

constexpr int CAPTION_COLUMN = 62;
constexpr int LAST = TITLE_LENGTH;  // last cursor column

class TitleEditor {
public:
    TitleEditor(std::string& title, int row) : title_(title), row_(row) {}

    // Runs until F10, Enter or Esc.
    void run() {
        for (;;) {
            locate(row_, c_);
            int key = read_key();
            if (key == keys::EXTENDED || key == keys::EXTENDED_E0) {
                if (!extended_key(read_key())) return;
            } else if (!plain_key(key)) {
                return;
            }
        }
    }

private:
    // Shows positions from..LAST of the title from column `from`.
    void show_from(int from) { show(from, title_.substr(static_cast<std::size_t>(from - 1))); }
    void show(int column, const std::string& text) {
        print_at(row_, column, COLOR_NORMAL, text);
    }
    char& at(int position) { return title_[static_cast<std::size_t>(position - 1)]; }

    // Moves positions from+1..LAST one place left and blanks LAST.
    void close_gap(int from) {
        title_.erase(static_cast<std::size_t>(from - 1), 1);
        title_.push_back(' ');
        show_from(from);
    }

    bool extended_key(int scan) {
        switch (scan) {
            case keys::LEFT:
                if (c_ == 1) error_beep(); else --c_;
                break;
            case keys::RIGHT:
                if (c_ == LAST) boundary_beep(); else ++c_;
                break;
            case keys::HOME:
                if (c_ == 1) boundary_beep(); else c_ = 1;
                break;
            case keys::END:
                if (c_ == LAST) boundary_beep(); else c_ = LAST;
                break;
            case keys::DELETE:
                at(c_) = ' ';
                show(c_, " ");
                if (insert_) close_gap(c_);
                break;
            case keys::INSERT:
                insert_ = !insert_;
                break;
            case keys::F5:
                show_text_cursor(false);
                if (ask_yes_no("Do you want to destroy title")) {
                    title_.assign(TITLE_LENGTH, ' ');
                    show_from(1);
                }
                show_text_cursor(true);
                break;
            case keys::F10:
                return false;
            default:
                error_beep();
        }
        return true;
    }

    bool plain_key(int key) {
        if (key >= 32 && key <= 126) {
            if (c_ < LAST && insert_) {
                title_.insert(static_cast<std::size_t>(c_ - 1), 1, ' ');
                title_.pop_back();  // the character at the last position drops off
                show_from(c_ + 1);
            }
            at(c_) = static_cast<char>(key);
            show(c_, std::string(1, static_cast<char>(key)));
            if (c_ < LAST) ++c_;
        } else if (key == keys::BACKSPACE) {
            if (c_ == 1) {
                boundary_beep();
            } else {
                --c_;
                at(c_) = ' ';
                show(c_, " ");
                if (insert_) close_gap(c_);
            }
        } else if (key == keys::ENTER || key == keys::ESC) {
            return false;
        } else {
            error_beep();
        }
        return true;
    }

    std::string& title_;
    int row_;
    int c_ = 1;
    bool insert_ = false;
};

}  // namespace

void edit_title(PlotState& state) {
    const ScreenLayout& layout = screen_layout();
    std::string& title = state.title;
    title.resize(TITLE_LENGTH, ' ');
    const int row = layout.work_area_first_row();

    print_at(layout.caption_row(), CAPTION_COLUMN, COLOR_BRIGHT, "EDIT TITLE");
    print_at(row, 1, COLOR_NORMAL, title);
    draw_menu_bar("Help                    Clear                         End   ");
    show_text_cursor(true);

    TitleEditor(title, row).run();

    show_text_cursor(false);
    clear_line(layout.caption_row(), CAPTION_COLUMN);
    clear_work_area();
    show_plot_title(state);
}
