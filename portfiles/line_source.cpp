#include "line_source.h"

#include <streambuf>

namespace portfiles {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

LineSource::Status LineSource::next(std::string_view& line) {
    if (ended_) return Status::END;
    std::streambuf* buffer = in_.rdbuf();
    line_.clear();
    bool any = false;
    for (;;) {
        const int c = buffer ? buffer->sbumpc() : std::char_traits<char>::eof();
        if (c == std::char_traits<char>::eof()) {
            ended_ = true;
            if (!any) return Status::END;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line_.size() == max_length_) {
            ended_ = true;
            ++line_number_;
            return Status::TOO_LONG;
        }
        line_.push_back(static_cast<char>(c));
    }
    ++line_number_;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    line = line_;
    if (line_number_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    return Status::LINE;
}

void split_fields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (is_blank(line[i]) || line[i] == ',')) ++i;
        const std::size_t start = i;
        while (i < line.size() && !is_blank(line[i]) && line[i] != ',') ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
}

bool is_blank_line(std::string_view line) {
    for (char c : line)
        if (!is_blank(c)) return false;
    return true;
}

}  // namespace portfiles
