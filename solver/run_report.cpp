#include "run_report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "file_writes.h"

namespace solver {

namespace {

constexpr std::size_t BUFFER_BYTES = 64 * 1024;
// Enough of the file's end to find the start of its last lines.
constexpr std::size_t TAIL_BYTES = 4096;

}  // namespace

RunReport::~RunReport() { close(); }

bool RunReport::open(const std::filesystem::path& path, std::string& reason) {
    close();
    failure_.clear();
    written_ = 0;
    tail_.clear();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ >= 0) return true;
    reason = std::strerror(errno);
    return false;
}

void RunReport::empty_line() { line({}); }

void RunReport::empty_lines(int count) {
    for (int i = 0; i < count; ++i) empty_line();
}

void RunReport::line(std::string_view text) {
    if (text.size() >= BUFFER_BYTES - buffered_) {  // no room for the text and its line end
        flush();
        if (text.size() >= BUFFER_BYTES) {  // longer than the buffer: written as it is
            if (fd_ >= 0 && !failed()) write_out(text);
            if (fd_ >= 0 && !failed()) write_out("\n");
            return;
        }
    }
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(BUFFER_BYTES);
    if (!text.empty()) std::memcpy(buffer_.get() + buffered_, text.data(), text.size());  // an empty view may be null
    buffered_ += text.size();
    buffer_[buffered_++] = '\n';
}

char* RunReport::room(std::size_t count) {
    if (count > BUFFER_BYTES - buffered_) flush();
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(BUFFER_BYTES);
    return buffer_.get() + buffered_;
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

void RunReport::write_out(std::string_view bytes) {
    const std::size_t done = write_fully(fd_, bytes, failure_);
    written_ += done;
    const std::string_view kept = bytes.substr(0, done);
    if (kept.size() > 2 * TAIL_BYTES) {  // only the end of a large write stays
        tail_.assign(kept.substr(kept.size() - TAIL_BYTES));
        return;
    }
    tail_.append(kept);
    if (tail_.size() > 2 * TAIL_BYTES) tail_.erase(0, tail_.size() - TAIL_BYTES);
}

bool RunReport::flush() {
    if (fd_ >= 0 && !failed() && buffered_ > 0) write_out({buffer_.get(), buffered_});
    buffered_ = 0;
    return !failed();
}

bool RunReport::end_cut_report(std::string_view ending) {
    struct stat info {};
    if (fd_ < 0 || !failed() || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (written_ < ending.size()) return false;
    // The last line start at or before written_ - ending.size().
    const std::uint64_t tail_start = written_ - tail_.size();
    const std::uint64_t latest = written_ - ending.size();
    std::uint64_t cut = 0;
    bool found = tail_start == 0;  // the whole file is in the tail: its start is a line start
    for (std::size_t i = tail_.size(); i-- > 0;) {
        if (tail_[i] == '\n' && tail_start + i + 1 <= latest) {
            cut = tail_start + i + 1;
            found = true;
            break;
        }
    }
    if (!found) return false;
    // The bytes up to written_ are on disk already: rewriting them needs no
    // new space.
    const auto at = static_cast<off_t>(cut);
    return ::pwrite(fd_, ending.data(), ending.size(), at) == static_cast<ssize_t>(ending.size()) &&
           ::ftruncate(fd_, at + static_cast<off_t>(ending.size())) == 0;
}

bool RunReport::close() {
    if (fd_ < 0) return !failed();
    flush();
    if (::close(fd_) != 0 && !failed()) failure_ = std::strerror(errno);
    fd_ = -1;
    return !failed();
}

}  // namespace solver
