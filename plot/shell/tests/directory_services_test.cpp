#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "headless_screen.h"
#include "scratch_folder.h"
#include "surface_files.h"

namespace fs = std::filesystem;

namespace {

class DirectoryServices : public ::testing::Test {
protected:
    static void touch(const std::string& name) { std::ofstream(name) << "x"; }
    static std::vector<std::string> all(const std::string& pattern) {
        std::vector<std::string> names;
        int handle = -1;
        std::string name;
        while (next_file_info(pattern, handle, name) > 0) names.push_back(name);
        EXPECT_EQ(handle, -2);
        std::sort(names.begin(), names.end());
        return names;
    }
    ScratchFolder folder_;
    HeadlessScreen screen_{false};
};

TEST_F(DirectoryServices, FindFileIgnoresCase) {
    touch("SPAR.DAT");
    const std::string path = find_file("spar.dat");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(fs::path(path).filename(), "SPAR.DAT");
    EXPECT_TRUE(fs::path(path).is_absolute());
    EXPECT_TRUE(find_file("zpar.dat").empty());
    EXPECT_TRUE(find_file("").empty());
    fs::create_directory("YPAR.DAT");
    EXPECT_TRUE(find_file("ypar.dat").empty());  // a folder is not a file
}

TEST_F(DirectoryServices, DeleteFileFindsTheNameWhateverTheCase) {
    touch("OLD.BMP");
    EXPECT_TRUE(delete_file("old.bmp"));
    EXPECT_FALSE(fs::exists("OLD.BMP"));
    EXPECT_FALSE(delete_file("old.bmp"));
}

TEST_F(DirectoryServices, SearchMatchesPatternWithoutCaseAndSkipsLongNames) {
    touch("A.BMP");
    touch("b.bmp");
    touch("C.PLT");
    touch("LONGNAME1.BMP");  // 13 characters: does not fit the name field
    touch("ABCDEFGH.BMP");   // 12 characters: fits
    touch("bmp");
    fs::create_directory("DIR.BMP");
    EXPECT_EQ(all("*.bmp"), (std::vector<std::string>{"A.BMP", "ABCDEFGH.BMP", "b.bmp"}));
    EXPECT_EQ(all("*.SPM"), std::vector<std::string>{});
    EXPECT_EQ(all("?.*"), (std::vector<std::string>{"A.BMP", "C.PLT", "b.bmp"}));
}

TEST_F(DirectoryServices, SearchReturnsLengthsAndEndsWithMinusTwo) {
    touch("ONE.SPM");
    int handle = -1;
    std::string name;
    EXPECT_EQ(next_file_info("*.spm", handle, name), 7);
    EXPECT_EQ(name, "ONE.SPM");
    EXPECT_GE(handle, 0);  // the last name comes with a live handle
    EXPECT_EQ(next_file_info("*.spm", handle, name), 0);
    EXPECT_EQ(handle, -2);
    EXPECT_TRUE(name.empty());
}

}  // namespace
