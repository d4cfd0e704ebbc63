#include "sweep_loading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "scratch_folder.h"
#include "test_files.h"

namespace {

using Status = ParameterFileStatus;

class ParameterFileReaderTest : public ::testing::Test {
protected:
    ParameterFileResult read(const std::string& text) {
        return read_sweep_file(dir.write("spar.dat", text), sweep);
    }
    ParameterFileResult read(const MadeFile& made) { return read(parameter_file_text(made)); }

    // As the plot has them: 32-bit reals, indices from 0.
    float f(std::size_t k) const { return static_cast<float>(sweep.frequencies.at(k)); }
    float re(int r, int c, std::size_t k) const { return static_cast<float>(entry(r, c, k).real()); }
    float im(int r, int c, std::size_t k) const { return static_cast<float>(entry(r, c, k).imag()); }

    ScratchFolder dir;
    portfiles::PortSweep sweep;

private:
    std::complex<double> entry(int r, int c, std::size_t k) const {
        EXPECT_TRUE(k < sweep.points() && r < sweep.port_count && c < sweep.port_count);
        return k < sweep.points() && r < sweep.port_count && c < sweep.port_count ? sweep.at(k, r, c)
                                                                                   : std::complex<double>();
    }
};

TEST_F(ParameterFileReaderTest, ReadsEveryBlockAndMirrorsTheLowerTriangle) {
    // 3 ports, 4 blocks from 100 MHz in steps of 50 MHz.
    ParameterFileResult result = read(MadeFile{3, 4, 1.0e8f, 5.0e7f});
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_EQ(result.port_count, 3);
    EXPECT_EQ(result.steps, 3);
    EXPECT_FLOAT_EQ(result.start_frequency, 1.0e8f);
    EXPECT_FLOAT_EQ(result.stop_frequency, 2.5e8f);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_FLOAT_EQ(f(k - 1), 1.0e8f + (k - 1) * 5.0e7f);
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= r; ++c) {
                EXPECT_NEAR(re(r - 1, c - 1, k - 1), made_re(k, r, c), 1e-6);
                EXPECT_NEAR(im(r - 1, c - 1, k - 1), made_im(k, r, c), 1e-6);
                EXPECT_EQ(re(c - 1, r - 1, k - 1), re(r - 1, c - 1, k - 1));
                EXPECT_EQ(im(c - 1, r - 1, k - 1), im(r - 1, c - 1, k - 1));
            }
    }
}

TEST_F(ParameterFileReaderTest, PortCountsFromOneToNineLoadAndTenIsTooMany) {
    for (int ports : {1, 2, 6, 9}) {
        MadeFile made;
        made.ports = ports;
        made.blocks = 2;
        ParameterFileResult result = read(made);
        EXPECT_EQ(result.status, Status::LOADED) << ports << " ports";
        EXPECT_EQ(result.port_count, ports);
    }
    MadeFile ten;
    ten.ports = 10;
    EXPECT_EQ(read(ten).status, Status::TOO_MANY_PORTS);
}

TEST_F(ParameterFileReaderTest, OneBlockIsNothingToPlotOnlyWithItsClosingEmptyLine) {
    MadeFile made;
    made.ports = 1;
    made.blocks = 1;
    EXPECT_EQ(read(made).status, Status::NOTHING_TO_PLOT);
    made.last_empty_line = false;
    EXPECT_EQ(read(made).status, Status::READ_ERROR);  // the port count cannot be found
}

TEST_F(ParameterFileReaderTest, LastBlockMayLackItsEmptyLineButNotItsEntries) {
    MadeFile made;
    made.ports = 3;
    made.blocks = 3;
    made.last_empty_line = false;
    ParameterFileResult result = read(made);
    EXPECT_EQ(result.status, Status::LOADED);
    EXPECT_EQ(result.steps, 2);

    std::string text = parameter_file_text(made);
    text.resize(text.rfind('\n', text.size() - 2) + 1);  // drop the last entry line
    result = read(text);
    EXPECT_EQ(result.status, Status::READ_ERROR);
    EXPECT_GT(result.line, 0);
    EXPECT_NE(result.diagnostic.find("block 3"), std::string::npos) << result.diagnostic;
}

// A one-port sweep of 1, 2 and 3 MHz whose third frequency is written as `third`.
std::string sweep_ending_at(const std::string& third) {
    std::string text = parameter_file_text(MadeFile{1, 3, 1.0e6f, 1.0e6f});
    const auto at = text.rfind("3.0000000E+06");
    EXPECT_NE(at, std::string::npos);
    return at == std::string::npos ? text : text.replace(at, 13, third);
}

TEST_F(ParameterFileReaderTest, StopFrequencyOfAnEvenSweepComesFromItsStep) {
    // Third frequency 3 MHz written a hair off: the shown stop stays start + 2 steps.
    ParameterFileResult result = read(sweep_ending_at("3.0000100E+06"));
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_FLOAT_EQ(result.stop_frequency, 3.0e6f);
}

TEST_F(ParameterFileReaderTest, StopFrequencyOfAnUnevenListIsItsLastFrequency) {
    // Third frequency 3 MHz -> 90 MHz: a step from the first two would show 3 MHz.
    ParameterFileResult result = read(sweep_ending_at("9.0000000E+07"));
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_FLOAT_EQ(result.stop_frequency, 9.0e7f);
    EXPECT_FLOAT_EQ(f(2), 9.0e7f);
}

TEST_F(ParameterFileReaderTest, AcceptsWindowsLineEndsBlankSeparatorsAndWideExponents) {
    MadeFile made;
    made.crlf = true;
    EXPECT_EQ(read(made).status, Status::LOADED);

    std::string text = " 1.0000000E+06\n   \n  1.000000E-100 1.0000000E+00\n \t \n"
                       " 2.0000000E+06\n\n  5.0000000E-01 -2.5000000E-01\n\n";
    ParameterFileResult result = read(text);
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_EQ(re(0, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(re(0, 0, 1), 0.5f);
    EXPECT_FLOAT_EQ(im(0, 0, 1), -0.25f);
}

TEST_F(ParameterFileReaderTest, MissingAndEmptyFiles) {
    EXPECT_EQ(read_sweep_file((dir.path() / "absent.dat").string(), sweep).status,
              Status::CANNOT_OPEN);
    EXPECT_EQ(read("").status, Status::READ_ERROR);
    EXPECT_EQ(read("\n\n   \n").status, Status::READ_ERROR);
}

TEST_F(ParameterFileReaderTest, NumbersOutsideTheRealRangeOrNotNumbersAreReadErrors) {
    const std::string good = parameter_file_text(MadeFile{1, 2, 1.0e6f, 1.0e6f});
    ASSERT_EQ(read(good).status, Status::LOADED);
    for (const char* bad : {"1.0000000E+999", "1.0E+39", "NaN", "nan", "inf", "-Infinity",
                            "0x1p3", "1.0E+0x", "--1.0", ".", "E+05", "1.0/"}) {
        std::string text = good;
        auto at = text.find("2.0000000E+06");  // the second frequency
        ASSERT_NE(at, std::string::npos);
        text.replace(at, 13, bad);
        EXPECT_EQ(read(text).status, Status::READ_ERROR) << "frequency " << bad;
        text = good;
        at = text.find("E-01", 20);  // an entry of the first block
        ASSERT_NE(at, std::string::npos);
        text.replace(at - 9, 13, bad);
        EXPECT_EQ(read(text).status, Status::READ_ERROR) << "entry " << bad;
    }
}

TEST_F(ParameterFileReaderTest, FortranDExponentsAndOverlongLinesAreHandled) {
    std::string text = " 1.0D+06 trailing words are ignored\n\n  2.5D-01 1.0D+00\n\n"
                       " 2.0E+06\n\n  1.0 2.0 " + std::string(100000, 'x') + "\n\n";
    ParameterFileResult result = read(text);
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_FLOAT_EQ(re(0, 0, 0), 0.25f);
    EXPECT_FLOAT_EQ(im(0, 0, 1), 2.0f);

    // A number field of a million digits, and a blank line of a million blanks.
    EXPECT_EQ(read(" " + std::string(1000000, '1') + "\n\n 1 0\n\n 2\n\n 1 0\n\n").status,
              Status::READ_ERROR);
    EXPECT_EQ(read(" 1\n\n 1 0\n" + std::string(1000000, ' ') + "\n 2\n\n 1 0\n\n").status,
              Status::LOADED);
}

TEST_F(ParameterFileReaderTest, BinaryGarbageIsAReadError) {
    std::string garbage;
    for (int n = 0; n < 4096; ++n) garbage.push_back(static_cast<char>((n * 131 + 7) % 256));
    EXPECT_EQ(read(garbage).status, Status::READ_ERROR);
    EXPECT_EQ(read(parameter_file_text(MadeFile{}) + garbage).status, Status::READ_ERROR);
    EXPECT_EQ(read(std::string("\0\0\0\n\n\0\n\n", 8)).status, Status::READ_ERROR);
}

TEST_F(ParameterFileReaderTest, EveryPointTheSolverWritesIsReadAndMoreAreRefused) {
    MadeFile made{1, 10000, 1.0f, 1.0f};  // the solver's longest sweep, from 1 Hz in steps of 1 Hz
    ParameterFileResult result = read(made);
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_EQ(result.steps, 9999);
    EXPECT_FLOAT_EQ(result.stop_frequency, 10000.0f);
    made.blocks = 10001;
    EXPECT_EQ(read(made).status, Status::TOO_MANY_POINTS);
}

TEST_F(ParameterFileReaderTest, AByteOrderMarkAtTheStartIsSkipped) {
    const ParameterFileResult result = read("\xEF\xBB\xBF" + parameter_file_text(MadeFile{}));
    ASSERT_EQ(result.status, Status::LOADED);
    EXPECT_EQ(result.port_count, MadeFile{}.ports);
}

TEST_F(ParameterFileReaderTest, SweepBeyondTheRealRangeIsAReadError) {
    EXPECT_EQ(read(parameter_file_text(MadeFile{1, 3, -3.0e38f, 3.0e38f})).status,
              Status::READ_ERROR);
}

}  // namespace
