// Hand-made network parameter files in the solver's exact text format, a
// scratch directory to put them in, and a working-directory change.
#pragma once

#include <filesystem>
#include <string>

// The entry (row, column) of block k (all 1-based) in the files made here.
float made_re(int k, int row, int column);
float made_im(int k, int row, int column);

struct MadeFile {
    int ports = 2;
    int blocks = 3;
    float start = 1.0e6f;
    float step = 1.0e6f;
    bool last_empty_line = true;  // the empty line that closes the last block
    bool crlf = false;
};

// The text of such a file: per block " " + E15.7 frequency, an empty line,
// the lower triangle row by row as " " + E15.7 + E15.7, an empty line.
std::string parameter_file_text(const MadeFile& spec);

// A fresh directory, removed again with its files.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes text to name inside the directory and returns its full path.
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path path_;
};

// Makes dir the working directory until destroyed.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& dir);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};
