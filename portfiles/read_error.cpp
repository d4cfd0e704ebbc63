#include "read_error.h"

#include <cerrno>
#include <cstring>

namespace portfiles {

std::string ReadError::message() const {
    std::string text = file;
    if (line > 0) text += ":" + std::to_string(line);
    text += ": expected " + expected;
    if (!found.empty()) text += ", found " + found;
    return text;
}

ReadError cannot_open(const std::string& shown_name) {
    ReadError error;
    error.file = shown_name;
    error.expected = "a file that can be opened for reading";
    error.found = errno != 0 ? std::strerror(errno) : "it cannot be opened";
    return error;
}

std::string shown_text(std::string_view text) {
    constexpr std::size_t MAX_SHOWN = 40;
    std::string shown;
    for (std::size_t i = 0; i < text.size() && i < MAX_SHOWN; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    if (text.size() > MAX_SHOWN) shown += "...";
    return shown;
}

std::string quoted_field(std::string_view text) { return "\"" + shown_text(text) + "\""; }

}  // namespace portfiles
