#include "run_report.h"

#include <cerrno>
#include <cstring>

namespace solver {

bool RunReport::open(const std::filesystem::path& path, std::string& reason) {
    errno = 0;
    out_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (out_.is_open()) return true;
    reason = errno != 0 ? std::strerror(errno) : "cannot be created";
    return false;
}

void RunReport::empty_line() { out_.put('\n'); }

void RunReport::empty_lines(int count) {
    for (int i = 0; i < count; ++i) empty_line();
}

void RunReport::line(std::string_view text) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.put('\n');
}

std::string message_text(std::initializer_list<MessageItem> items) {
    std::string text;
    for (const MessageItem& item : items) {
        text += ' ';
        text += item.text();
    }
    return text;
}

void RunReport::message(std::initializer_list<MessageItem> items) { line(message_text(items)); }

void RunReport::error_message(std::initializer_list<MessageItem> items) {
    empty_lines(2);
    message(items);
}

bool RunReport::close() {
    if (!out_.is_open()) return true;
    out_.flush();
    bool ok = !out_.fail();
    out_.close();
    return ok && !out_.fail();
}

}  // namespace solver
