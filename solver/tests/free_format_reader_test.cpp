#include "free_format_reader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "test_directory.h"

namespace solver {
namespace {

using solver_test::TestDirectory;

class ReaderTest : public ::testing::Test {
protected:
    void open_with(const std::string& content) {
        dir.write("INPUT.DAT", content);
        ASSERT_TRUE(reader.open(dir.path(), "INPUT.DAT"));
    }
    TestDirectory dir;
    FreeFormatReader reader;
};

TEST_F(ReaderTest, ReadContinuesOverLinesAndIgnoresTheRestOfItsLastLine) {
    open_with("1 2\n\n  3,4 , 5 99 trailing words\n6\n");
    std::int32_t five[5] = {};
    ASSERT_TRUE(reader.read_integers(five, 5, "five values"));
    EXPECT_EQ(five[0], 1);
    EXPECT_EQ(five[4], 5);
    std::int32_t next = 0;
    ASSERT_TRUE(reader.read_integers(&next, 1, "sixth"));
    EXPECT_EQ(next, 6);  // 99 and the words were skipped with the rest of the line
}

TEST_F(ReaderTest, TwoReadsOnOneLineAreNotTaken) {
    open_with("1.0 2.0\n");
    float a = 0, b = 0;
    ASSERT_TRUE(reader.read_reals(&a, 1, "first"));
    EXPECT_FALSE(reader.read_reals(&b, 1, "second"));
    EXPECT_EQ(reader.failure(), "INPUT.DAT:1: expected a real number (second), found end of file");
}

TEST_F(ReaderTest, MixedReadTakesIntegersAndRealsInOrder) {
    open_with("6 -50.0\n  2 comment\n");
    std::int32_t code = 0, index = 0;
    float value = 0;
    reader.start_read();
    ASSERT_TRUE(reader.next_integer(code, "code"));
    ASSERT_TRUE(reader.next_real(value, "value"));
    ASSERT_TRUE(reader.next_integer(index, "index"));
    EXPECT_EQ(code, 6);
    EXPECT_EQ(value, -50.0f);
    EXPECT_EQ(index, 2);
}

TEST_F(ReaderTest, CrLfLineEndsAndTabsSeparateValues) {
    open_with("1\t2\r\n3\r\n");
    std::int32_t v[2] = {};
    ASSERT_TRUE(reader.read_integers(v, 2, "pair"));
    EXPECT_EQ(v[1], 2);
    ASSERT_TRUE(reader.read_integers(v, 1, "third"));
    EXPECT_EQ(v[0], 3);
}

TEST_F(ReaderTest, FailureNamesFileLinePositionAndToken) {
    open_with("4\n1.0E-10\n\n3.0E-11 1,2e-10x\n");
    std::int32_t n = 0;
    ASSERT_TRUE(reader.read_integers(&n, 1, "count"));
    float m[4] = {};
    EXPECT_FALSE(reader.read_reals(m, 4, "matrix [C] of line 1"));
    EXPECT_EQ(reader.failure(),
              "INPUT.DAT:4: expected a real number (value 4 of 4 of matrix [C] of line 1), found \"2e-10x\"");
}

TEST_F(ReaderTest, LettersNonFiniteValuesAndEmptyValuesFail) {
    struct Case {
        const char* content;
        const char* failure;
    };
    for (Case c : {Case{"abc\n", "INPUT.DAT:1: expected a real number (v), found \"abc\""},
                   Case{"nan\n", "INPUT.DAT:1: expected a real number (v), found \"nan\""},
                   Case{"\n\n1e400\n", "INPUT.DAT:3: expected a real number (v), found \"1e400\""},
                   Case{"-inf\n", "INPUT.DAT:1: expected a real number (v), found \"-inf\""},
                   Case{",1\n", "INPUT.DAT:1: expected a real number (v), found an empty value between two commas"},
                   Case{"", "INPUT.DAT:1: expected a real number (v), found end of file"}}) {
        open_with(c.content);
        float v = 0;
        EXPECT_FALSE(reader.read_reals(&v, 1, "v")) << c.content;
        EXPECT_EQ(reader.failure(), c.failure);
    }
    open_with("1,,2\n");
    float two[2] = {};
    EXPECT_FALSE(reader.read_reals(two, 2, "pair"));
    EXPECT_EQ(reader.failure(),
              "INPUT.DAT:1: expected a real number (value 2 of 2 of pair), found an empty value between two commas");
}

TEST_F(ReaderTest, EndOfFileInTheMiddleOfAReadFails) {
    open_with("1 2\n3\n");
    std::int32_t v[4] = {};
    EXPECT_FALSE(reader.read_integers(v, 4, "four"));
    EXPECT_EQ(reader.failure(), "INPUT.DAT:2: expected an integer (value 4 of 4 of four), found end of file");
}

TEST_F(ReaderTest, UnprintableBytesAreNotCopiedIntoTheDiagnostic) {
    open_with(std::string("1\x01\xEA\n", 4));
    std::int32_t v = 0;
    EXPECT_FALSE(reader.read_integers(&v, 1, "v"));
    EXPECT_EQ(reader.failure(), "INPUT.DAT:1: expected an integer (v), found \"1??\"");
}

TEST_F(ReaderTest, RejectionQuotesTheLastValueWithItsLine) {
    open_with("\n\n-3 extra\n");
    std::int32_t v = 0;
    ASSERT_TRUE(reader.read_integers(&v, 1, "v"));
    EXPECT_EQ(reader.rejection("a positive count"), "INPUT.DAT:3: expected a positive count, found \"-3\"");
}

TEST(ReaderOpen, MissingFileFailsWithReason) {
    TestDirectory dir;
    FreeFormatReader reader;
    EXPECT_FALSE(reader.open(dir.path(), "NONE.DAT"));
    EXPECT_EQ(reader.failure().rfind("NONE.DAT: cannot open the file for reading", 0), 0u);
}

}  // namespace
}  // namespace solver
