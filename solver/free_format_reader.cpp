#include "free_format_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "free_format_number.h"
#include "read_error.h"

namespace solver {

using portfiles::parse_integer;
using portfiles::parse_real;

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool is_separator(char c) { return is_blank(c) || c == ','; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

}  // namespace

bool FreeFormatReader::open(const std::filesystem::path& directory, const std::string& file_name,
                            InputWarnings* warnings) {
    close();
    warnings_ = warnings;
    read_has_value_ = false;
    failed_ = false;
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
    bytes_read_ = 0;
    too_long_.clear();
    in_.open(directory / file_name, std::ios::in | std::ios::binary);
    if (in_.is_open()) {
        lines_ = std::make_unique<portfiles::LineSource>(in_, MAX_LINE_BYTES);
        return true;
    }
    failure_ = file_name + ": cannot open the file for reading";
    if (errno != 0) failure_ += std::string(" (") + std::strerror(errno) + ")";
    return false;
}

void FreeFormatReader::close() {
    lines_.reset();
    if (in_.is_open()) in_.close();
    in_.clear();
}

void FreeFormatReader::finish() {
    check_unread_rest();
    close();
}

void FreeFormatReader::start_read() {
    check_unread_rest();
    new_read_pending_ = true;
    comma_allowed_ = false;
}

FreeFormatReader::TokenResult FreeFormatReader::load_line() {
    if (!lines_ || !too_long_.empty()) return TokenResult::END_OF_FILE;
    std::string_view line;
    const portfiles::LineSource::Status status = lines_->next(line);
    if (status == portfiles::LineSource::Status::END) return TokenResult::END_OF_FILE;
    line_number_ = lines_->line_number();
    if (status == portfiles::LineSource::Status::TOO_LONG) {
        too_long_ = "line " + std::to_string(line_number_) + " is longer than " + std::to_string(MAX_LINE_BYTES) +
                    " bytes";
        return TokenResult::TOO_LONG;
    }
    bytes_read_ += line.size() + 1;
    if (bytes_read_ > MAX_FILE_BYTES) {
        too_long_ = "the file is longer than " + std::to_string(MAX_FILE_BYTES) + " bytes";
        return TokenResult::TOO_LONG;
    }
    line_.assign(line);
    if (line_number_ == 1 && line_.starts_with(UTF8_BYTE_ORDER_MARK)) line_.erase(0, UTF8_BYTE_ORDER_MARK.size());
    pos_ = 0;
    return TokenResult::VALUE;
}

// What stands after the values of a completed read is a comment, unless it
// is made of numbers only, or the last value was cut at a comma followed by
// digits (a decimal comma): then it was most likely meant to be read.
void FreeFormatReader::check_unread_rest() {
    const bool completed = read_has_value_ && !failed_ && !new_read_pending_;
    read_has_value_ = false;
    if (!completed || warnings_ == nullptr) return;
    const std::string_view rest = std::string_view(line_).substr(pos_);
    const bool decimal_comma = rest.size() > 1 && rest[0] == ',' && is_digit(rest[1]);
    std::size_t numbers_end = 0;  // end of the leading numbers of the rest
    bool only_numbers = true;
    for (std::size_t i = 0; i < rest.size() && only_numbers;) {
        while (i < rest.size() && is_separator(rest[i])) ++i;
        std::size_t end = i;
        while (end < rest.size() && !is_separator(rest[end])) ++end;
        float ignored = 0.0f;
        if (end > i && !parse_real(rest.substr(i, end - i), ignored)) only_numbers = false;
        if (only_numbers && end > i) numbers_end = end;
        i = end;
    }
    if (numbers_end == 0 || !(only_numbers || decimal_comma)) return;
    const std::size_t first = rest.find_first_not_of(" \t\r\f\v,");
    std::string shown = portfiles::shown_text(rest.substr(first, numbers_end - first));
    if (!only_numbers) shown += " ...";
    warnings_->add(file_name_ + ":" + std::to_string(line_number_),
                   "the rest of line " + std::to_string(line_number_) + ", `" + shown + "`, was not read; " +
                       (decimal_comma ? "a decimal comma?" : "more values than the read takes?"));
}

FreeFormatReader::TokenResult FreeFormatReader::next_token() {
    if (new_read_pending_) {
        new_read_pending_ = false;
        const TokenResult loaded = load_line();
        if (loaded != TokenResult::VALUE) return loaded;
    }
    for (;;) {
        while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
        if (pos_ == line_.size()) {
            const TokenResult loaded = load_line();
            if (loaded != TokenResult::VALUE) return loaded;
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
        read_has_value_ = true;
        return TokenResult::VALUE;
    }
}

bool FreeFormatReader::fail(std::string_view kind, std::string_view what, int position, int count,
                            TokenResult result) {
    failed_ = true;
    if (result == TokenResult::TOO_LONG) {
        failure_ = file_name_ + ":" + std::to_string(line_number_) + ": " + too_long_;
        return false;
    }
    int shown_line = result == TokenResult::END_OF_FILE ? (line_number_ > 0 ? line_number_ : 1) : token_line_;
    failure_ = file_name_ + ":" + std::to_string(shown_line) + ": expected " + std::string(kind) + " (";
    if (count > 1) failure_ += "value " + std::to_string(position) + " of " + std::to_string(count) + " of ";
    failure_ += std::string(what) + "), found ";
    switch (result) {
    case TokenResult::END_OF_FILE: failure_ += "end of file"; break;
    case TokenResult::EMPTY_VALUE: failure_ += "an empty value between two commas"; break;
    case TokenResult::VALUE: failure_ += portfiles::quoted_field(token_); break;
    case TokenResult::TOO_LONG: break;
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
    return last_value_location() + ": expected " + std::string(expected) + ", found " + portfiles::quoted_field(token_);
}

}  // namespace solver
