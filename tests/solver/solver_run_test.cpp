// Whole runs of the solver's driver on temporary directories: the complete
// report, the stage order and the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "run_mtlnet.h"
#include "test_directory.h"

namespace {

using solver_test::TestDirectory;

constexpr const char* CONFIG = "0 0\n1.0E9\n0.5\n1.0\n0 0 0 0 0\n0 1 4 1 1\n";
constexpr const char* SWEEP = "1.0E6 1.0E6 9\n";
// Line 1: two conductors (nodes 1..4), line 2: one conductor (nodes 5, 6).
constexpr const char* LINES =
    "2\n2\n1\n"
    "3.2E-7 6E-8\n6E-8 3.2E-7\n1.3E-10 -2E-11\n-2E-11 1.3E-10\n5 0.5\n0.5 5\n0 0\n0 0\n0.1\n"
    "2.5E-7\n1E-10\n0\n0\n0.3\n";
// Own node 7; port 1 at the start of line 1, port 2 at node 7.
constexpr const char* NETWORK =
    "7\n2\n"
    "1\n6 50 1\n"
    "1\n1 50 0\n"
    "1\n4 0 5\n"
    "1\n1 50 0\n"
    "0\n"
    "1\n2 1E-9 7\n"
    "2\n3 1E-12 0\n6 50 2\n";

const std::string EXPECTED_INPUT_ECHO =
    "\n\n"
    " ANALYSIS OF NETWORKS WITH MULTICONDUCTOR TRANSMISSION LINES\n"
    "\n\n"
    " STARTING FREQUENCY 1.000E+06 Hz\n"
    " FREQUENCY STEP 1.000E+06 Hz\n"
    " NUMBER OF FREQUENCY STEPS    9\n"
    "\n\n"
    " NUMBER OF TRANSMISSION LINES  2\n"
    "\n"
    " REFERENCE FREQUENCY FOR MATRICES [R] AND [G] 1.000E+09 Hz\n"
    " MATRIX [R] PROPORTIONAL TO (f/fref)**0.50\n"
    " MATRIX [G] PROPORTIONAL TO (f/fref)**1.00\n"
    "\n"
    "\n"
    " LINE  1 HAS  2 SIGNAL CONDUCTORS\n"
    "\n\n MATRIX [L] (H/m)\n\n"
    "  3.2000E-07  6.0000E-08\n"
    "  6.0000E-08  3.2000E-07\n"
    "\n\n MATRIX [C] (F/m)\n\n"
    "  1.3000E-10 -2.0000E-11\n"
    " -2.0000E-11  1.3000E-10\n"
    "\n\n MATRIX [R] (\xEA/m)\n\n"
    "  5.0000E+00  5.0000E-01\n"
    "  5.0000E-01  5.0000E+00\n"
    "\n\n MATRIX [G] (S/m)\n\n"
    "  0.0000E+00  0.0000E+00\n"
    "  0.0000E+00  0.0000E+00\n"
    "\n\n LINE LENGTH 1.000E-01 m\n\n\n"
    "\n"
    " LINE  2 HAS  1 SIGNAL CONDUCTOR\n"
    "\n\n MATRIX [L] (H/m)\n\n  2.5000E-07\n"
    "\n\n MATRIX [C] (F/m)\n\n  1.0000E-10\n"
    "\n\n MATRIX [R] (\xEA/m)\n\n  0.0000E+00\n"
    "\n\n MATRIX [G] (S/m)\n\n  0.0000E+00\n"
    "\n\n LINE LENGTH 3.000E-01 m\n\n\n"
    "\n"
    " INTERCONNECTING NETWORK HAS   7 NODES WITH FOLLOWING ELEMENTS\n"
    "\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   1\n"
    " \tPORT 1, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
    " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  1, END 1\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   2\n"
    " \tRESISTOR, R= 5.000E+01 \xEA, TO GROUND\n"
    " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  2, END 1\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   3\n"
    " \tSHORT CIRCUIT TO NODE   5\n"
    " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  1, END 2\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   4\n"
    " \tRESISTOR, R= 5.000E+01 \xEA, TO GROUND\n"
    " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  2, END 2\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   5\n"
    " \tTRANSMISSION LINE  2, SIGNAL CONDUCTOR  1, END 1\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   6\n"
    " \tINDUCTOR, L= 1.000E-09 H, TO NODE   7\n"
    " \tTRANSMISSION LINE  2, SIGNAL CONDUCTOR  1, END 2\n"
    "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   7\n"
    " \tCAPACITOR, C= 1.000E-12 F, TO GROUND\n"
    " \tPORT 2, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
    "\n\n"
    " EXTERNAL PORTS\n"
    "\n";

class SolverRunTest : public ::testing::Test {
protected:
    void write_inputs(const std::string& config = CONFIG, const std::string& sweep = SWEEP,
                      const std::string& lines = LINES, const std::string& network = NETWORK) {
        dir.write_inputs(config, sweep, lines, network);
    }
    int run() { return solver::run_mtlnet(dir.path(), diagnostics); }

    TestDirectory dir;
    std::ostringstream diagnostics;
};

TEST_F(SolverRunTest, CompleteInputEchoAndSuccess) {
    write_inputs();
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(diagnostics.str(), "");
    const std::string input_echo = EXPECTED_INPUT_ECHO +
                                   " \tPORT 1 AT NODE   1, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
                                   " \tPORT 2 AT NODE   7, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
                                   "\n\n";
    const std::string report = dir.read("VDANOUT.DAT");
    EXPECT_EQ(report.substr(0, input_echo.size()), input_echo);
    // The sweep follows the echo: two empty lines and the first frequency.
    const std::string first_frequency = "\n\n FREQUENCY 1.000E+06 Hz\n";
    EXPECT_EQ(report.substr(input_echo.size(), first_frequency.size()), first_frequency);
    EXPECT_TRUE(dir.exists("SPAR.DAT"));
}

TEST_F(SolverRunTest, NetworkFailureEndsWithExecutionTerminatedAndCreatesNoParameterFiles) {
    dir.write("ZPAR.DAT", "kept from an earlier run\n");
    std::string network = NETWORK;
    network.replace(network.rfind("6 50 2"), 6, "5 50 0");  // port 2 now attached nowhere
    write_inputs(CONFIG, SWEEP, LINES, network);
    EXPECT_EQ(run(), 1);
    std::string expected = EXPECTED_INPUT_ECHO;
    const std::string port_line = " \tPORT 2, NOMINAL IMPEDANCE 5.000E+01 \xEA\n";
    expected.replace(expected.rfind(port_line), port_line.size(), " \tOPEN CIRCUIT\n");
    EXPECT_EQ(dir.read("VDANOUT.DAT"), expected +
                                           " \tPORT 1 AT NODE   1, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
                                           "\n\n PORT 2  UNDEFINED\n"
                                           " EXECUTION TERMINATED\n");
    EXPECT_FALSE(dir.exists("SPAR.DAT"));
    EXPECT_FALSE(dir.exists("YPAR.DAT"));
    EXPECT_EQ(dir.read("ZPAR.DAT"), "kept from an earlier run\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:2: expected an element of code 6 for port 2 (the file declares 2 ports), found "
              "port 2 at no node\n");
}

TEST_F(SolverRunTest, MissingConfigurationGivesNoBanner) {
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(dir.read("VDANOUT.DAT"), "\n\n ERROR OR END OF FILE READING CONFIGURATION FILE\n EXECUTION TERMINATED\n");
    EXPECT_EQ(diagnostics.str().rfind("mtlnet: CONFIG.DAT: cannot open the file for reading", 0), 0u);
}

TEST_F(SolverRunTest, RejectedConfigurationGivesNoBanner) {
    write_inputs("0 0\n1E9\n10\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(dir.read("VDANOUT.DAT"),
              "\n\n EXPONENT FOR MATRIX [R] LESS THAN 0 OR GREATER  THAN 10\n EXECUTION TERMINATED\n");
}

TEST_F(SolverRunTest, AFailingStageStopsTheLaterOnes) {
    write_inputs(CONFIG, "1E6 x 9\n", "garbage", "garbage");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(dir.read("VDANOUT.DAT"),
              "\n\n ANALYSIS OF NETWORKS WITH MULTICONDUCTOR TRANSMISSION LINES\n"
              "\n\n ERROR OR END OF FILE READING FREQUENCY DATA\n EXECUTION TERMINATED\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: FRQINP.DAT:1: expected a real number (frequency step in Hz, the second of three values), "
              "found \"x\"\n");
}

TEST_F(SolverRunTest, LineFailureKeepsTheEchoReadSoFar) {
    write_inputs(CONFIG, SWEEP, "3\n1\n2\n0\n");
    EXPECT_EQ(run(), 1);
    std::string report = dir.read("VDANOUT.DAT");
    EXPECT_EQ(report.substr(report.find(" NUMBER OF TRANSMISSION LINES")),
              " NUMBER OF TRANSMISSION LINES  3\n\n"
              "\n\n NONPOSITIVE NUMBER OF CONDUCTORS FOR LINE 3\n EXECUTION TERMINATED\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: LININP.DAT:4: expected a number of signal conductors from 1 to 32 for line 3, found \"0\"\n");
}

TEST_F(SolverRunTest, SuppressedEchoWritesOnlyMessages) {
    write_inputs("0 0\n1.0E9\n0.5\n1.0\n0 0 0 0 0\n1 1 4 1 1\n");
    EXPECT_EQ(run(), 0);
    // No banner and no echo: the report starts with the first frequency.
    const std::string report = dir.read("VDANOUT.DAT");
    EXPECT_EQ(report.rfind("\n\n FREQUENCY 1.000E+06 Hz\n\n MATRIX OF S PARAMETERS\n", 0), 0u) << report;
    EXPECT_EQ(report.find("ELEMENTS"), std::string::npos);
    write_inputs("0 0\n1.0E9\n0.5\n1.0\n0 0 0 0 0\n1 1 4 1 1\n", SWEEP, LINES, "7\n3\n0\n0\n0\n0\n0\n0\n0\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(dir.read("VDANOUT.DAT"), "\n\n PORT 1  UNDEFINED\n EXECUTION TERMINATED\n");
}

TEST_F(SolverRunTest, ReportThatCannotBeCreatedFailsWithAReason) {
    std::filesystem::create_directory(dir.path() / "VDANOUT.DAT");
    write_inputs();
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(diagnostics.str().rfind("mtlnet: cannot create the run report VDANOUT.DAT: ", 0), 0u);
    const std::string text = diagnostics.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

}  // namespace
