// LININP.DAT stage: checks, node numbering, symmetrisation and echo.
#include <gtest/gtest.h>

#include <string>

#include "input_stages.h"
#include "stage_fixture.h"

namespace solver {
namespace {

using solver_test::StageTest;

// The echo that comes before the per-line sections with fref 1 GHz and the
// exponents 0.5 and 1.
std::string echo_head(int line_count) {
    std::string count = std::to_string(line_count);
    return " NUMBER OF TRANSMISSION LINES" + std::string(3 - count.size(), ' ') + count +
           "\n\n"
           " REFERENCE FREQUENCY FOR MATRICES [R] AND [G] 1.000E+09 Hz\n"
           " MATRIX [R] PROPORTIONAL TO (f/fref)**0.50\n"
           " MATRIX [G] PROPORTIONAL TO (f/fref)**1.00\n"
           "\n";
}

// n x n matrix text with `diagonal` on the diagonal and `other` elsewhere.
std::string matrix_text(int n, const std::string& diagonal, const std::string& other) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) text += (i == j ? diagonal : other) + " ";
        text += "\n";
    }
    return text;
}

class LineInputTest : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        run->options.reference_frequency = 1.0e9f;
        run->options.r_exponent = 0.5f;
        run->options.g_exponent = 1.0f;
    }
    void read(const std::string& lines) {
        dir.write("LININP.DAT", lines);
        read_transmission_lines(*run, error_flag);
    }
};

TEST_F(LineInputTest, NoLinesNeedsOnlyTheCountAndStillEchoesTheScaling) {
    read("0\n");
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(report(), echo_head(0));
    EXPECT_EQ(run->lines.line_port_count, 0);
}

TEST_F(LineInputTest, SingleConductorLineWholeEcho) {
    read("1\n1\n2.5E-7\n1E-10\n0.5\n-1E-5\n0.3\n");
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(report(), echo_head(1) +
                            "\n"
                            " LINE  1 HAS  1 SIGNAL CONDUCTOR\n"
                            "\n\n MATRIX [L] (H/m)\n\n  2.5000E-07\n"
                            "\n\n MATRIX [C] (F/m)\n\n  1.0000E-10\n"
                            "\n\n MATRIX [R] (\xEA/m)\n\n  5.0000E-01\n"
                            "\n\n MATRIX [G] (S/m)\n\n -1.0000E-05\n"
                            "\n\n LINE LENGTH 3.000E-01 m\n\n\n");
}

TEST_F(LineInputTest, TwelveConductorsEchoEachRowOnTwoLines) {
    const int n = 12;
    read("1\n12\n" + matrix_text(n, "3.2E-7", "6E-8") + matrix_text(n, "1.3E-10", "-2E-11") +
         matrix_text(n, "5", "0") + matrix_text(n, "0", "0") + "0.25\n");
    ASSERT_EQ(error_flag, 0) << diagnostics.str();
    auto rows = [](const std::string& diagonal, const std::string& other) {
        std::string text;
        for (int i = 0; i < 12; ++i) {
            for (int j = 0; j < 12; ++j) {
                text += i == j ? diagonal : other;
                if (j == 9 || j == 11) text += "\n";
            }
        }
        return text;
    };
    EXPECT_EQ(report(), echo_head(1) + "\n LINE  1 HAS 12 SIGNAL CONDUCTORS\n" +
                            "\n\n MATRIX [L] (H/m)\n\n" + rows("  3.2000E-07", "  6.0000E-08") +
                            "\n\n MATRIX [C] (F/m)\n\n" + rows("  1.3000E-10", " -2.0000E-11") +
                            "\n\n MATRIX [R] (\xEA/m)\n\n" + rows("  5.0000E+00", "  0.0000E+00") +
                            "\n\n MATRIX [G] (S/m)\n\n" + rows("  0.0000E+00", "  0.0000E+00") +
                            "\n\n LINE LENGTH 2.500E-01 m\n\n\n");
}

TEST_F(LineInputTest, UnsymmetricMatricesAreAveragedAndEchoedSymmetric) {
    read("1\n2\n1E-7 1E-7\n3E-7 1E-7\n1 0 0 1\n4 1\n3 4\n1 2 2 1\n1\n");
    ASSERT_EQ(error_flag, 0);
    const LineTable& lines = run->lines;
    EXPECT_FLOAT_EQ(lines.inductance[0][0][1], 2e-7f);
    EXPECT_EQ(lines.inductance[0][0][1], lines.inductance[0][1][0]);
    EXPECT_EQ(lines.resistance[0][0][1], 2.0f);
    EXPECT_EQ(lines.conductance[0][1][0], 2.0f);
    std::string text = report();
    EXPECT_NE(text.find(" MATRIX [L] (H/m)\n\n  1.0000E-07  2.0000E-07\n  2.0000E-07  1.0000E-07\n"), std::string::npos);
    EXPECT_NE(text.find(" MATRIX [R] (\xEA/m)\n\n  4.0000E+00  2.0000E+00\n  2.0000E+00  4.0000E+00\n"),
              std::string::npos);
}

TEST_F(LineInputTest, LinesTakeConsecutiveNodeBlocks) {
    read("2\n2\n3\n" + matrix_text(2, "1", "0") + matrix_text(2, "1", "0") + matrix_text(2, "1", "0") +
         matrix_text(2, "1", "0") + "1\n" + matrix_text(3, "1", "0") + matrix_text(3, "1", "0") +
         matrix_text(3, "1", "0") + matrix_text(3, "1", "0") + "2\n");
    ASSERT_EQ(error_flag, 0);
    EXPECT_EQ(run->lines.first_node[0], 1);
    EXPECT_EQ(run->lines.first_node[1], 5);
    EXPECT_EQ(run->lines.line_port_count, 10);
    EXPECT_EQ(run->lines.line_length[1], 2.0f);
}

TEST_F(LineInputTest, SixteenLinesOfSixteenConductorsFillTheNodeLimit) {
    std::string file = "16\n";
    for (int k = 0; k < 16; ++k) file += "16\n";
    std::string matrix = matrix_text(16, "1", "0");
    for (int k = 0; k < 16; ++k) file += matrix + matrix + matrix + matrix + "1\n";
    run->options.suppress_input_echo = 1;
    read(file);
    EXPECT_EQ(error_flag, 0) << diagnostics.str();
    EXPECT_EQ(run->lines.line_port_count, 512);
    EXPECT_EQ(run->lines.first_node[15], 481);
    EXPECT_EQ(report(), "");
}

TEST_F(LineInputTest, NodeLimitFiresAtTheFirstLineCrossingItBeforeAnyMatrix) {
    // 15 lines of 16 and one of 17 conductors; no matrices follow at all.
    std::string file = "16\n";
    for (int k = 0; k < 15; ++k) file += "16\n";
    file += "17\n";
    read(file);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), " NUMBER OF TRANSMISSION LINES 16\n\n"
                        "\n\n INTERCONNECTING NETWORK HAS MORE NODES THAN  ALLOWED 512\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: LININP.DAT:17: expected conductor counts that give at most 512 line-end nodes in all "
              "(2 per conductor), line 16 brings the total to 514, found \"17\"\n");
}

TEST_F(LineInputTest, CountMessages) {
    struct Case {
        const char* file;
        const char* report;
    };
    for (Case c : {Case{"-1\n", "\n\n NEGATIVE NUMBER OF TRANSMISSION LINES\n"},
                   Case{"17\n", "\n\n NUMBER OF TRANSMISSION LINES EXCEEDS ALLOWED 16\n"},
                   Case{"2\n1\n0\n",
                        " NUMBER OF TRANSMISSION LINES  2\n\n\n\n NONPOSITIVE NUMBER OF CONDUCTORS FOR LINE 2\n"},
                   Case{"1\n33\n", " NUMBER OF TRANSMISSION LINES  1\n\n\n\n NUMBER OF CONDUCTORS FOR LINE 1 "
                                   " EXCEEDS ALLOWED 32\n"},
                   Case{"", "\n\n ERROR OR END OF FILE READING TRANSMISSION-LINE DATA\n"},
                   Case{"two\n", "\n\n ERROR OR END OF FILE READING TRANSMISSION-LINE DATA\n"}}) {
        restart();
        read(c.file);
        EXPECT_EQ(error_flag, 1) << c.file;
        EXPECT_EQ(report(), c.report) << c.file;
    }
}

TEST_F(LineInputTest, ReadFailureInAMatrixComesAfterTheLineHeader) {
    read("1\n2\n1 0 0 1\n1E-10 2E-11\n1,2e-10x 1E-10\n");
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), echo_head(1) +
                            "\n LINE  1 HAS  2 SIGNAL CONDUCTORS\n"
                            "\n\n ERROR OR END OF FILE READING TRANSMISSION-LINE DATA\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: LININP.DAT:5: expected a real number (value 4 of 4 of matrix [C] of line 1), "
              "found \"2e-10x\"\n");
}

TEST_F(LineInputTest, MissingLengthFails) {
    read("1\n1\n1\n1\n1\n1\n");
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: LININP.DAT:6: expected a real number (length in m of line 1), found end of file\n");
}

TEST_F(LineInputTest, MissingFileFails) {
    read_transmission_lines(*run, error_flag);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING TRANSMISSION-LINE DATA\n");
}

}  // namespace
}  // namespace solver
