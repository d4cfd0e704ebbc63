// An output file that takes the place of an older one only when it is
// done: it is written under a temporary name in the same folder and renamed
// over the old file on commit, so that a run that cannot create or finish
// its files leaves the old ones exactly as they were.
//
// Where a symbolic link stands in the file's place, the file it names is
// replaced. A device or a pipe in the file's place (/dev/null, /dev/full)
// is written directly. A replaced file keeps the permissions of the old one.
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace solver {

class ReplacementFile {
public:
    ReplacementFile();
    // Without a commit, the temporary file is removed.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Prepares the replacement of `path`. False when the file cannot be
    // created (a folder in its place, a folder without the right to write);
    // failure() then holds the system's message.
    bool create(const std::filesystem::path& path);

    std::ostream& stream() { return stream_; }
    // For a writer that puts its text into the file's buffer itself:
    // room(count) is where `count` characters (at most 64 KiB) can go,
    // advance(end) takes those up to `end` into the file. (What is written
    // after a failure is dropped.)
    char* room(std::size_t count) { return buffer_.room(count); }
    void advance(char* end) { buffer_.advance(end); }
    // Writes out what is buffered; false once something could not be written.
    bool flush() { return buffer_.drain(); }
    // False once something could not be written.
    bool intact() const { return failure_.empty(); }
    const std::string& failure() const { return failure_; }

    // Writes out what is buffered and puts the file in the place of the old
    // one. False (with failure() set) when that fails; the old file then
    // stays.
    bool commit();
    // Drops what was written; the old file stays as it was.
    void discard();

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(ReplacementFile& file) : file_(file) {}
        void start();
        bool drain();
        char* room(std::size_t count);
        void advance(char* end) { pbump(static_cast<int>(end - pptr())); }

    protected:
        int_type overflow(int_type c) override;
        int sync() override { return drain() ? 0 : -1; }

    private:
        ReplacementFile& file_;
        std::unique_ptr<char[]> area_;
    };

    void close_descriptor();

    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty when written directly
    int fd_ = -1;
    std::string failure_;
    Buffer buffer_;
    std::ostream stream_;
};

}  // namespace solver
