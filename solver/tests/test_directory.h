// A fresh temporary directory for one test, removed again at its end, with
// helpers to write input files and read back output files byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace solver_test {

class TestDirectory {
public:
    TestDirectory() {
        static std::atomic<int> counter{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "mtl_";
        if (info) name += std::string(info->test_suite_name()) + "_" + info->name();
        name.append("_").append(std::to_string(::getpid())).append("_").append(std::to_string(counter++));
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestDirectory(const TestDirectory&) = delete;
    TestDirectory& operator=(const TestDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(const std::string& file_name, const std::string& content) const {
        std::ofstream out(path_ / file_name, std::ios::binary);
        out << content;
    }
    // The solver's four input files.
    void write_inputs(const std::string& config, const std::string& sweep, const std::string& lines,
                      const std::string& network) const {
        write("CONFIG.DAT", config);
        write("FRQINP.DAT", sweep);
        write("LININP.DAT", lines);
        write("NETINP.DAT", network);
    }
    // The four input files of another folder (an example's), in the place
    // of any there are.
    void copy_inputs_from(const std::filesystem::path& folder) const {
        for (const char* name : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
            std::filesystem::copy_file(folder / name, path_ / name, std::filesystem::copy_options::overwrite_existing);
    }
    std::string read(const std::string& file_name) const {
        std::ifstream in(path_ / file_name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool exists(const std::string& file_name) const { return std::filesystem::exists(path_ / file_name); }

private:
    std::filesystem::path path_;
};

// Input files of a small valid run: echo on, two-conductor line, own node.
inline constexpr const char* VALID_CONFIG = "0 0\n1.0E9\n0.5\n1.0\n0 0 0 0 0\n0 1 4 1 1\n";
inline constexpr const char* VALID_SWEEP = "1.0E6 1.0E6 9\n";

}  // namespace solver_test
