#include "value_entry.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {

void write_at(int row, int column, const std::string& text) {
    locate(row, column);
    put_text(text);
}

// An optional sign, digits with at most one decimal point (at least one
// digit), then optionally E or e, an optional sign and at least one digit.
bool is_real_number(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i == text.size()) return true;
    if (text[i] != 'E' && text[i] != 'e') return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    int exponent_digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) ++exponent_digits;
    return exponent_digits > 0 && i == text.size();
}

float to_float(double value) {
    if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::string general_format(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%10.3g", static_cast<double>(value));
    return text;
}

}  // namespace

bool enter_name(int row, int column, std::string& field, int max_length) {
    text_color(COLOR_BRIGHT);
    field.assign(field.size(), ' ');
    show_text_cursor(true);
    clear_line(row, column);
    int n = 0;
    int c = column;
    bool accepted = false;
    for (;;) {
        locate(row, c);
        const int code = read_key();
        if (keys::is_extended(code)) {
            read_key();
            error_beep();
        } else if (code >= 0 && code < 128 && std::isalnum(code)) {
            ++n;
            if (n <= max_length && c <= 80) {
                if (field.size() < static_cast<std::size_t>(n)) field.resize(n, ' ');
                field[n - 1] = static_cast<char>(code);
                write_at(row, c, std::string(1, static_cast<char>(code)));
                ++c;
            } else {
                accepted = true;
                break;
            }
        } else if (code == keys::ENTER) {
            accepted = true;
            break;
        } else if (code == keys::BACKSPACE) {
            if (n > 0) {
                field[n - 1] = ' ';
                --n;
                --c;
                write_at(row, c, " ");
            } else {
                boundary_beep();
            }
        } else if (code == keys::ESC) {
            accepted = false;
            break;
        } else {
            error_beep();
        }
    }
    show_text_cursor(false);
    text_color(COLOR_NORMAL);
    return accepted;
}

bool enter_real(int& key, int row, int column, int width, float& value, float minimum,
                float maximum) {
    const int last = std::min(column + width, 80);
    bool first_round = true;
    bool accepted = false;
    for (;;) {
        // Start (again) with the key passed in or, after a rejection, empty.
        std::string buffer;
        if (first_round && (key == '+' || key == '-' || key == '.' || (key >= 0 && key < 128 && std::isdigit(key))))
            buffer.push_back(static_cast<char>(key));
        first_round = false;
        show_text_cursor(true);
        text_color(COLOR_BRIGHT);
        std::string shown = buffer;
        shown.resize(static_cast<std::size_t>(std::max(width, 0)), ' ');
        write_at(row, column, shown);

        bool parse = false;
        for (;;) {
            const int n = static_cast<int>(buffer.size());
            locate(row, column + n);
            key = read_key();
            if (keys::is_extended(key)) {
                parse = true;
                break;
            }
            if (key == '+' || key == '-' || key == '.' || key == 'E' || key == 'e' ||
                (key >= 0 && key < 128 && std::isdigit(key))) {
                if (column + n < last) {
                    buffer.push_back(static_cast<char>(key));
                    write_at(row, column + n, std::string(1, static_cast<char>(key)));
                } else {
                    error_beep();
                }
            } else if (key == keys::ENTER) {
                parse = true;
                break;
            } else if (key == keys::BACKSPACE) {
                if (n > 0) {
                    buffer.pop_back();
                    write_at(row, column + n - 1, " ");
                } else {
                    boundary_beep();
                }
            } else if (key == keys::ESC) {
                break;
            } else {
                error_beep();
            }
        }
        if (!parse) break;

        if (!buffer.empty() && !is_real_number(buffer)) {
            rejection_beep();
            show_message("Invalid real");
            continue;
        }
        value = buffer.empty() ? 0.0f : to_float(std::strtod(buffer.c_str(), nullptr));
        if (!(value >= minimum && value <= maximum)) {
            rejection_beep();
            show_message("Number exceeds limits (" + general_format(minimum) + " to " +
                         general_format(maximum) + ")");
            continue;
        }
        accepted = true;
        break;
    }
    show_text_cursor(false);
    text_color(COLOR_NORMAL);
    return accepted;
}
