#include "free_format_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace solver {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool is_separator(char c) { return is_blank(c) || c == ','; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The token as it may appear in a one-line diagnostic.
std::string printable(const std::string& token) {
    constexpr std::size_t MAX_SHOWN = 40;
    std::string shown;
    for (std::size_t i = 0; i < token.size() && i < MAX_SHOWN; ++i) {
        unsigned char c = static_cast<unsigned char>(token[i]);
        shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    if (token.size() > MAX_SHOWN) shown += "...";
    return shown;
}

}  // namespace

bool parse_integer(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!is_digit(text[i])) return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return false;
    value = static_cast<std::int32_t>(result);
    return true;
}

bool parse_real(std::string_view text, float& value) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa_digits = 0;
    while (i < text.size() && is_digit(text[i])) ++i, ++mantissa_digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) ++i, ++mantissa_digits;
    }
    if (mantissa_digits == 0) return false;
    std::string normalised(text.substr(0, i));
    if (i < text.size()) {
        char e = text[i];
        if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return false;
        normalised += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normalised += text[i++];
        std::size_t exponent_digits = 0;
        while (i < text.size() && is_digit(text[i])) normalised += text[i++], ++exponent_digits;
        if (exponent_digits == 0 || i != text.size()) return false;
    }
    // Converted straight to 32 bits: a detour through 64 bits would round
    // twice and can miss the nearest 32-bit value.
    const float parsed = std::strtof(normalised.c_str(), nullptr);
    if (!std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool FreeFormatReader::open(const std::filesystem::path& directory, const std::string& file_name) {
    close();
    file_name_ = file_name;
    line_.clear();
    pos_ = 0;
    line_number_ = 0;
    new_read_pending_ = true;
    comma_allowed_ = false;
    token_.clear();
    token_line_ = 0;
    failure_.clear();
    errno = 0;
    in_.open(directory / file_name, std::ios::in | std::ios::binary);
    if (in_.is_open()) return true;
    failure_ = file_name + ": cannot open the file for reading";
    if (errno != 0) failure_ += std::string(" (") + std::strerror(errno) + ")";
    return false;
}

void FreeFormatReader::close() {
    if (in_.is_open()) in_.close();
    in_.clear();
}

void FreeFormatReader::start_read() {
    new_read_pending_ = true;
    comma_allowed_ = false;
}

bool FreeFormatReader::load_line() {
    if (!in_.is_open() || !std::getline(in_, line_)) return false;
    ++line_number_;
    pos_ = 0;
    return true;
}

FreeFormatReader::TokenResult FreeFormatReader::next_token() {
    if (new_read_pending_) {
        new_read_pending_ = false;
        if (!load_line()) return TokenResult::END_OF_FILE;
    }
    for (;;) {
        while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
        if (pos_ == line_.size()) {
            if (!load_line()) return TokenResult::END_OF_FILE;
            continue;
        }
        if (line_[pos_] == ',') {
            if (!comma_allowed_) {
                token_line_ = line_number_;
                return TokenResult::EMPTY_VALUE;
            }
            comma_allowed_ = false;
            ++pos_;
            continue;
        }
        std::size_t start = pos_;
        while (pos_ < line_.size() && !is_separator(line_[pos_])) ++pos_;
        token_.assign(line_, start, pos_ - start);
        token_line_ = line_number_;
        comma_allowed_ = true;
        return TokenResult::VALUE;
    }
}

bool FreeFormatReader::fail(std::string_view kind, std::string_view what, int position, int count,
                            TokenResult result) {
    int shown_line = result == TokenResult::END_OF_FILE ? (line_number_ > 0 ? line_number_ : 1) : token_line_;
    failure_ = file_name_ + ":" + std::to_string(shown_line) + ": expected " + std::string(kind) + " (";
    if (count > 1) failure_ += "value " + std::to_string(position) + " of " + std::to_string(count) + " of ";
    failure_ += std::string(what) + "), found ";
    switch (result) {
    case TokenResult::END_OF_FILE: failure_ += "end of file"; break;
    case TokenResult::EMPTY_VALUE: failure_ += "an empty value between two commas"; break;
    case TokenResult::VALUE: failure_.append("\"").append(printable(token_)).append("\""); break;
    }
    return false;
}

bool FreeFormatReader::next_integer(std::int32_t& value, std::string_view what, int position, int count) {
    TokenResult result = next_token();
    if (result != TokenResult::VALUE || !parse_integer(token_, value))
        return fail("an integer", what, position, count, result);
    return true;
}

bool FreeFormatReader::next_real(float& value, std::string_view what, int position, int count) {
    TokenResult result = next_token();
    if (result != TokenResult::VALUE || !parse_real(token_, value))
        return fail("a real number", what, position, count, result);
    return true;
}

bool FreeFormatReader::read_integers(std::int32_t* values, int count, std::string_view what) {
    start_read();
    for (int i = 0; i < count; ++i)
        if (!next_integer(values[i], what, i + 1, count)) return false;
    return true;
}

bool FreeFormatReader::read_reals(float* values, int count, std::string_view what) {
    start_read();
    for (int i = 0; i < count; ++i)
        if (!next_real(values[i], what, i + 1, count)) return false;
    return true;
}

std::string FreeFormatReader::last_value_location() const {
    return file_name_ + ":" + std::to_string(token_line_);
}

std::string FreeFormatReader::rejection(std::string_view expected) const {
    return last_value_location() + ": expected " + std::string(expected) + ", found \"" + printable(token_) + "\"";
}

}  // namespace solver
