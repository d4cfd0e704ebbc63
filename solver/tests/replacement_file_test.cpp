// Output files that take the place of older ones only when they are done.
#include "replacement_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_directory.h"

namespace {

namespace fs = std::filesystem;
using solver::ReplacementFile;
using solver_test::TestDirectory;

class ReplacementFileTest : public ::testing::Test {
protected:
    // Every name in the folder: no temporary file may be left behind.
    std::size_t names() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++n;
        return n;
    }
    TestDirectory dir;
};

TEST_F(ReplacementFileTest, TheOldFileStaysUntilTheCommitAndKeepsItsPermissions) {
    dir.write("SPAR.DAT", "old");
    fs::permissions(dir.path() / "SPAR.DAT", fs::perms(0640));
    ReplacementFile file;
    ASSERT_TRUE(file.create(dir.path() / "SPAR.DAT")) << file.failure();
    file.stream() << std::string(100000, 'x');  // more than one buffer
    EXPECT_EQ(dir.read("SPAR.DAT"), "old");
    EXPECT_EQ(names(), 2u);
    ASSERT_TRUE(file.commit()) << file.failure();
    EXPECT_EQ(dir.read("SPAR.DAT"), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(dir.path() / "SPAR.DAT").permissions(), fs::perms(0640));
    EXPECT_EQ(names(), 1u);
}

TEST_F(ReplacementFileTest, WithoutACommitTheOldFileStaysAsItWas) {
    dir.write("ZPAR.DAT", "old");
    {
        ReplacementFile file;
        ASSERT_TRUE(file.create(dir.path() / "ZPAR.DAT"));
        file.stream() << "new";
    }
    ReplacementFile discarded;
    ASSERT_TRUE(discarded.create(dir.path() / "ZPAR.DAT"));
    discarded.stream() << "new";
    discarded.discard();
    EXPECT_FALSE(discarded.commit());
    EXPECT_EQ(dir.read("ZPAR.DAT"), "old");
    EXPECT_EQ(names(), 1u);
}

TEST_F(ReplacementFileTest, AFolderInTheFilesPlaceCannotBeReplaced) {
    fs::create_directory(dir.path() / "YPAR.DAT");
    ReplacementFile file;
    EXPECT_FALSE(file.create(dir.path() / "YPAR.DAT"));
    EXPECT_EQ(file.failure(), "Is a directory");
    EXPECT_FALSE(file.create(dir.path() / "missing" / "YPAR.DAT"));
    EXPECT_EQ(file.failure(), "No such file or directory");
    EXPECT_EQ(names(), 1u);
}

TEST_F(ReplacementFileTest, ALinkKeepsPointingAtTheReplacedFile) {
    fs::create_directory(dir.path() / "kept");
    dir.write("kept/S.DAT", "old");
    fs::create_symlink("kept/S.DAT", dir.path() / "SPAR.DAT");
    ReplacementFile file;
    ASSERT_TRUE(file.create(dir.path() / "SPAR.DAT"));
    file.stream() << "new";
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "SPAR.DAT"));
    EXPECT_EQ(dir.read("kept/S.DAT"), "new");
    EXPECT_EQ(names(), 2u);
}

TEST_F(ReplacementFileTest, DevicesAreWrittenDirectlyAndTheirFailureIsTheSystemsMessage) {
    fs::create_symlink("/dev/null", dir.path() / "SPAR.DAT");
    fs::create_symlink("/dev/full", dir.path() / "YPAR.DAT");
    ReplacementFile null_file, full_file;
    ASSERT_TRUE(null_file.create(dir.path() / "SPAR.DAT"));
    ASSERT_TRUE(full_file.create(dir.path() / "YPAR.DAT"));
    null_file.stream() << "gone";
    full_file.stream() << "gone";
    EXPECT_TRUE(null_file.commit());
    EXPECT_FALSE(full_file.commit());
    EXPECT_EQ(full_file.failure(), "No space left on device");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "YPAR.DAT"));
    EXPECT_EQ(names(), 2u);
}

TEST_F(ReplacementFileTest, TextPutIntoTheBufferGoesOutInOrderAndIsDroppedAfterAFailure) {
    ReplacementFile file, full_file;
    ASSERT_TRUE(file.create(dir.path() / "SPAR.DAT"));
    fs::create_symlink("/dev/full", dir.path() / "ZPAR.DAT");
    ASSERT_TRUE(full_file.create(dir.path() / "ZPAR.DAT"));
    // Lines of 1000 characters, more than the buffer holds, between stream
    // writes.
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        const std::string line = std::string(999, static_cast<char>('a' + i % 26)) + "\n";
        for (ReplacementFile* f : {&file, &full_file}) {
            char* out = f->room(line.size());
            line.copy(out, line.size());
            f->advance(out + line.size());
            f->stream() << i << '\n';
        }
        expected += line + std::to_string(i) + "\n";
    }
    EXPECT_FALSE(full_file.intact());
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(dir.read("SPAR.DAT"), expected);
    EXPECT_FALSE(full_file.commit());
}

}  // namespace
