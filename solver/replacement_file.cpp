#include "replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "file_writes.h"

namespace solver {

namespace {

constexpr std::size_t BUFFER_BYTES = 64 * 1024;

namespace fs = std::filesystem;

// The file a name stands for: symbolic links followed as far as they lead.
fs::path resolved(const fs::path& path) {
    std::error_code error;
    const fs::path real = fs::weakly_canonical(path, error);
    return error ? path : real;
}

// The permissions a new file gets from the process's file-creation mask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

ReplacementFile::ReplacementFile() : buffer_(*this), stream_(&buffer_) {}

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::Buffer::start() {
    if (!area_) area_ = std::make_unique<char[]>(BUFFER_BYTES);
    setp(area_.get(), area_.get() + BUFFER_BYTES);
}

bool ReplacementFile::Buffer::drain() {
    if (file_.fd_ < 0 || !file_.intact()) return false;
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    write_fully(file_.fd_, pending, file_.failure_);
    setp(area_.get(), area_.get() + BUFFER_BYTES);
    return file_.intact();
}

char* ReplacementFile::Buffer::room(std::size_t count) {
    if (static_cast<std::size_t>(epptr() - pptr()) < count && !drain())
        setp(area_.get(), area_.get() + BUFFER_BYTES);  // a failed file's text is dropped
    return pptr();
}

ReplacementFile::Buffer::int_type ReplacementFile::Buffer::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

bool ReplacementFile::create(const fs::path& path) {
    discard();
    failure_.clear();
    stream_.clear();
    target_ = resolved(path);
    temporary_.clear();
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        failure_ = std::strerror(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    } else {
        std::string pattern = target_.string() + ".tmp-XXXXXX";
        fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd_ >= 0) {
            temporary_ = pattern;
            ::fchmod(fd_, exists ? (old.st_mode & 07777) : new_file_mode());
        }
    }
    if (fd_ < 0) {
        failure_ = std::strerror(errno);
        return false;
    }
    buffer_.start();
    return true;
}

void ReplacementFile::close_descriptor() {
    if (fd_ >= 0 && ::close(fd_) != 0 && intact()) failure_ = std::strerror(errno);
    fd_ = -1;
}

bool ReplacementFile::commit() {
    if (fd_ < 0) return false;
    buffer_.drain();
    close_descriptor();
    if (!temporary_.empty()) {
        if (intact() && std::rename(temporary_.c_str(), target_.c_str()) != 0) failure_ = std::strerror(errno);
        if (!intact()) ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    return intact();
}

void ReplacementFile::discard() {
    close_descriptor();
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace solver
