#include "replace_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace portfiles {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ReplaceFile, TheFileIsReplacedWholeOrKeptAsItWas) {
    const fs::path dir = fs::temp_directory_path() / ("mtl_replace_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "out.s2p";
    EXPECT_EQ(replace_file(file, [](std::ostream& out) { out << "first\n"; }), "");
    EXPECT_EQ(read(file), "first\n");
    // A writer that gives up halfway leaves the old file.
    EXPECT_NE(replace_file(file,
                           [](std::ostream& out) {
                               out << "half";
                               out.setstate(std::ios::failbit);
                           }),
              "");
    EXPECT_EQ(read(file), "first\n");
    // A folder that is not there: a reason, and nothing written.
    EXPECT_NE(replace_file(dir / "missing" / "x.s1p", [](std::ostream& out) { out << "x"; }), "");
    // Nothing is left behind, not even a temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace portfiles
