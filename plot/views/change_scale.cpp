#include "change_scale.h"

#include <cmath>
#include <string>
#include <utility>

#include "engineering_notation.h"
#include "key_codes.h"
#include "keys_and_sound.h"
#include "plot_state.h"
#include "screen_toolkit.h"
#include "value_entry.h"

namespace {

constexpr int FIELD_COLUMNS[] = {5, 21, 41, 57};
constexpr int FIELD_WIDTH = 10;
constexpr float ENTRY_LIMIT = 1e15f;

class ScaleScreen {
public:
    explicit ScaleScreen(PlotState& s) : s_(s), prompt_row_(screen_layout().work_area_first_row()) {}

    void run();

private:
    AxisFields axis_of(int field) { return field <= 2 ? x_axis(s_) : y_axis(s_); }
    float& limit(int field) {
        const AxisFields axis = axis_of(field);
        return field % 2 == 1 ? axis.min : axis.max;
    }
    int x_label_column() const { return (30 - s_.x_label_len) / 2; }
    int y_label_column() const { return (30 - s_.y_label_len) / 2 + 37; }

    void show_screen();
    void refresh();
    void refresh_prefix(const AxisFields& axis, int label_column);
    void print_field(int field, int color);
    // Dispatches one key; returns true when the screen is finished.
    bool handle(int key);
    bool handle_extended(int code);
    void finish();

    PlotState& s_;
    int prompt_row_;
    int field_ = 1;
};

void ScaleScreen::show_screen() {
    print_at(1, 62, COLOR_BRIGHT, "CHANGE SCALE");
    field_ = 1;
    draw_menu_bar("Help        xmin  xmax  ymin  ymax                    End   ");
    print_at(prompt_row_, x_label_column(), COLOR_NORMAL, s_.x_label.substr(0, s_.x_label_len));
    print_at(prompt_row_, y_label_column(), COLOR_NORMAL, s_.y_label.substr(0, s_.y_label_len));
    print_at(prompt_row_ + 1, 1, COLOR_NORMAL,
             "min=          , max=                min=          , max=          ");
}

void ScaleScreen::print_field(int field, int color) {
    const AxisFields axis = axis_of(field);
    print_at(prompt_row_ + 1, FIELD_COLUMNS[field - 1], color,
             format_number(FIELD_WIDTH, limit(field), axis.scale, axis.prefix));
}

// The axis keeps its prefix while its larger limit stays within the unit's
// range; the label shows the prefix in effect.
void ScaleScreen::refresh_prefix(const AxisFields& axis, int label_column) {
    if (choose_prefix(std::fmax(std::fabs(axis.min), std::fabs(axis.max)), axis.prefix,
                      axis.scale, true)) {
        // A changed prefix is announced by two tones.
        sound_beep(100, 1250);
        sound_beep(100, 1000);
    }
    print_at(prompt_row_, label_column + axis.prefix_pos - 1, COLOR_NORMAL,
             std::string(1, axis.prefix));
}

void ScaleScreen::refresh() {
    refresh_prefix(x_axis(s_), x_label_column());
    refresh_prefix(y_axis(s_), y_label_column());
    for (int field = 1; field <= 4; ++field) print_field(field, COLOR_NORMAL);
    print_field(field_, COLOR_BRIGHT);
}

bool ScaleScreen::handle_extended(int code) {
    switch (code) {
        case keys::F3:
        case keys::F4:
        case keys::F5:
        case keys::F6:
            field_ = code - keys::F3 + 1;
            return false;
        case keys::RIGHT:
            field_ = field_ % 4 + 1;
            return false;
        case keys::LEFT:
            field_ = (field_ + 2) % 4 + 1;
            return false;
        case keys::HOME:
            s_.x_min = s_.x_min_data;
            s_.x_max = s_.x_max_data;
            s_.y_min = s_.y_min_data;
            s_.y_max = s_.y_max_data;
            return false;
        case keys::F10:
            return true;
        default:
            error_beep();
            return false;
    }
}

bool ScaleScreen::handle(int key) {
    if (key == keys::EXTENDED || key == keys::EXTENDED_E0) return handle_extended(read_key());
    if (key == keys::ENTER) {
        field_ = field_ % 4 + 1;
        return false;
    }
    if (key == keys::ESC) return true;
    error_beep();
    return false;
}

void ScaleScreen::run() {
    show_screen();
    bool done = false;
    while (!done) {
        refresh();
        int key = read_key();
        const bool starts_number =
            key == '+' || key == '-' || key == '.' || (key >= '0' && key <= '9');
        if (starts_number) {
            const float s = axis_of(field_).scale;
            float value = limit(field_) / s;
            const bool accepted = enter_real(key, prompt_row_ + 1, FIELD_COLUMNS[field_ - 1],
                                             FIELD_WIDTH, value, -ENTRY_LIMIT / s, ENTRY_LIMIT / s);
            if (!accepted) continue;  // Esc gives up the entry only
            limit(field_) = s * value;
        }
        done = handle(key);
    }
    finish();
}

void ScaleScreen::finish() {
    s_.laid_out = false;
    order_limits(s_.x_min, s_.x_max, s_.x_min_data, s_.x_max_data);
    order_limits(s_.y_min, s_.y_max, s_.y_min_data, s_.y_max_data);
    clear_line(1, 62);
    clear_work_area();
}

}  // namespace

void order_limits(float& min, float& max, float data_min, float data_max) {
    if (min > max) std::swap(min, max);
    if (min == max) {
        min = data_min;
        max = data_max;
    }
}

void change_scale(PlotState& state) {
    ScaleScreen screen(state);
    screen.run();
}
