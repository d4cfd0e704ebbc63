// CONFIG.DAT and FRQINP.DAT stages.
#include <gtest/gtest.h>

#include <string>

#include "input_stages.h"
#include "stage_fixture.h"

namespace solver {
namespace {

using solver_test::StageTest;

class ConfigurationTest : public StageTest {
protected:
    void read(const std::string& config) {
        dir.write("CONFIG.DAT", config);
        read_configuration(*run, error_flag);
    }
};

TEST_F(ConfigurationTest, ReadsTheSixReadsWithCommentsAfterTheValues) {
    read("1 2   reserved\n2.5E8  fref\n0.5\n0\n1 2 3 4 5\n0 1 3 0 1  switches\n");
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(report(), "");
    EXPECT_EQ(diagnostics.str(), "");
    EXPECT_EQ(run->options.reference_frequency, 2.5e8f);
    EXPECT_EQ(run->options.r_exponent, 0.5f);
    EXPECT_EQ(run->options.g_exponent, 0.0f);
    EXPECT_EQ(run->options.suppress_input_echo, 0);
    EXPECT_EQ(run->options.suppress_modal_report, 1);
    EXPECT_EQ(run->options.s_report_mode, 3);
    EXPECT_EQ(run->options.suppress_z_report, 0);
    EXPECT_EQ(run->options.suppress_y_report, 1);
}

TEST_F(ConfigurationTest, AllResultSectionsOffTurnsOnTheSSectionWithDb) {
    read("0 0\n1E6\n0\n0\n0 0 0 0 0\n1 1 1 1 1\n");
    EXPECT_EQ(run->options.s_report_mode, 2);
}

TEST_F(ConfigurationTest, OneResultSectionLeftOnKeepsTheSMode) {
    read("0 0\n1E6\n0\n0\n0 0 0 0 0\n1 1 1 0 1\n");
    EXPECT_EQ(run->options.s_report_mode, 1);
}

TEST_F(ConfigurationTest, MissingFileGivesTheReadMessage) {
    read_configuration(*run, error_flag);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING CONFIGURATION FILE\n");
    EXPECT_EQ(diagnostics.str().rfind("mtlnet: CONFIG.DAT: cannot open the file for reading", 0), 0u);
}

TEST_F(ConfigurationTest, TruncatedOrMalformedFilesGiveTheReadMessage) {
    for (const char* config : {"", "0 0\n1E6\n0\n0\n0 0 0 0 0\n", "0 0\n1E6\n0\n0\n0 0 0 0 0\n0 0 2 0\n",
                               "0 x\n1E6\n0\n0\n0 0 0 0 0\n0 0 2 0 0\n", "0 0\nnan\n0\n0\n0 0 0 0 0\n0 0 2 0 0\n",
                               "0 0 1E6\n1E6\n0\n0 0 0 0 0\n0 0 2 0 0\n"}) {
        restart();
        read(config);
        EXPECT_EQ(error_flag, 1) << config;
        EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING CONFIGURATION FILE\n") << config;
    }
}

TEST_F(ConfigurationTest, DiagnosticNamesLineAndValue) {
    read("0 0\n1E6\n0.5\n1.O\n0 0 0 0 0\n0 0 2 0 0\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: CONFIG.DAT:4: expected a real number (exponent of matrix [G]), found \"1.O\"\n");
}

TEST_F(ConfigurationTest, NonpositiveReferenceFrequencyIsRejectedBeforeTheExponentsAreRead) {
    read("0 0\n-1E6\n");  // the exponents are missing, but the check fires first
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n NONPOSITIVE REFERENCE FREQUENCY\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: CONFIG.DAT:2: expected a reference frequency greater than 0, found \"-1E6\"\n");
}

TEST_F(ConfigurationTest, ExponentsMustLieFromZeroUpToButExcludingTen) {
    struct Case {
        const char* config;
        const char* report;
    };
    const char* r_message = "\n\n EXPONENT FOR MATRIX [R] LESS THAN 0 OR GREATER  THAN 10\n";
    const char* g_message = "\n\n EXPONENT FOR MATRIX [G] LESS THAN 0 OR GREATER  THAN 10\n";
    for (Case c : {Case{"0 0\n1E6\n10\n", r_message}, Case{"0 0\n1E6\n-0.01\n", r_message},
                   Case{"0 0\n1E6\n9.99\n10.0\n", g_message}, Case{"0 0\n1E6\n0\n-1\n", g_message},
                   Case{"0 0\n1E6\n0\n0\n0 0 0 0 0\n0 0 2 0 0\n", ""}}) {
        restart();
        read(c.config);
        EXPECT_EQ(report(), c.report) << c.config;
        EXPECT_EQ(error_flag, std::string(c.report).empty() ? 0 : 1) << c.config;
    }
}

class FrequencyInputTest : public StageTest {
protected:
    void read(const std::string& sweep, int suppress_echo = 0) {
        run->options.suppress_input_echo = suppress_echo;
        dir.write("FRQINP.DAT", sweep);
        read_frequency_sweep(*run, error_flag);
    }
};

TEST_F(FrequencyInputTest, EchoLayout) {
    read("1.0E6, 1.0E6, 9\n");
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(report(),
              "\n\n"
              " STARTING FREQUENCY 1.000E+06 Hz\n"
              " FREQUENCY STEP 1.000E+06 Hz\n"
              " NUMBER OF FREQUENCY STEPS    9\n"
              "\n\n");
    EXPECT_FLOAT_EQ(run->sweep.last_frequency(), 1.0e7f);
}

TEST_F(FrequencyInputTest, ZeroValuesGiveASinglePointAtOneMegahertz) {
    read("0 0 5\n");
    EXPECT_EQ(report(),
              "\n\n STARTING FREQUENCY 1.000E+06 Hz\n FREQUENCY STEP 0.000E+00 Hz\n"
              " NUMBER OF FREQUENCY STEPS    0\n\n\n");
    EXPECT_EQ(run->sweep.step_count, 0);
}

TEST_F(FrequencyInputTest, NegativeValuesAreTakenByMagnitude) {
    read("-2E6\n1E5\n-20\n");  // one read spread over three lines
    EXPECT_EQ(run->sweep.start_frequency, 2.0e6f);
    EXPECT_EQ(run->sweep.frequency_step, 1.0e5f);
    EXPECT_EQ(run->sweep.step_count, 20);
}

TEST_F(FrequencyInputTest, ZeroStartTakesTheStep) {
    read("0 5E4 3\n");
    EXPECT_EQ(run->sweep.start_frequency, 5.0e4f);
    EXPECT_EQ(run->sweep.last_frequency(), 2.0e5f);
}

TEST_F(FrequencyInputTest, StepCountIsLimitedTo9999IncludingTheMostNegativeInteger) {
    read("1E6 1E3 12000\n");
    EXPECT_NE(report().find(" NUMBER OF FREQUENCY STEPS 9999\n"), std::string::npos);
    restart();
    read("1E6 1E3 -2147483648\n");
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(run->sweep.step_count, 9999);
}

TEST_F(FrequencyInputTest, PointsAreComputedDirectly) {
    read("1E6 0.1 9999\n");
    float accumulated = run->sweep.start_frequency;
    for (int i = 0; i < 9999; ++i) accumulated += run->sweep.frequency_step;
    EXPECT_EQ(run->sweep.frequency(9999), 1.0e6f + 9999.0f * 0.1f);
    EXPECT_NE(run->sweep.frequency(9999), accumulated);
}

TEST_F(FrequencyInputTest, SuppressedEchoWritesNothing) {
    read("1E6 1E6 9\n", 1);
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(report(), "");
}

TEST_F(FrequencyInputTest, FailedReadsGiveTheFrequencyMessage) {
    for (const char* sweep : {"", "1E6 1E6\n", "1E6 1E6 9.5\n", "1E6\n\n1E6 x\n", "1E6 1E6\n\n"}) {
        restart();
        read(sweep);
        EXPECT_EQ(error_flag, 1) << sweep;
        EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING FREQUENCY DATA\n") << sweep;
    }
    EXPECT_EQ(diagnostics.str().substr(diagnostics.str().rfind("mtlnet:")),
              "mtlnet: FRQINP.DAT:2: expected an integer (number of frequency steps, the third of three values), "
              "found end of file\n");
}

TEST_F(FrequencyInputTest, MissingFileGivesTheFrequencyMessage) {
    read_frequency_sweep(*run, error_flag);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING FREQUENCY DATA\n");
}

TEST_F(FrequencyInputTest, SweepBeyondTheRangeOf32BitRealsIsRejected) {
    // 3E38 + 9 x 3E38 overflows; so does 2 pi x 1E38, the angular frequency.
    for (const char* sweep : {"3E38 3E38 9\n", "1E38 0 0\n"}) {
        restart();
        read(sweep);
        EXPECT_EQ(error_flag, 1) << sweep;
        EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING FREQUENCY DATA\n") << sweep;
        EXPECT_NE(diagnostics.str().find("FRQINP.DAT:1: expected a sweep whose last angular frequency"),
                  std::string::npos)
            << diagnostics.str();
    }
    restart();
    read("5E37 0 0\n");
    EXPECT_EQ(error_flag, 0);
}

}  // namespace
}  // namespace solver
