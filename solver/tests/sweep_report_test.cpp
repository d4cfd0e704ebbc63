// A whole run report of one frequency with every result section switched on:
// the modes of a lossy coupled pair, S with decibels, Z and Y.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "run_mtlnet.h"
#include "test_directory.h"

namespace {

const char* const EXPECTED_REPORT =
    "\n"
    "\n"
    " FREQUENCY 4.000E+06 Hz\n"
    "\n"
    "\n"
    " TRANSMISSION LINE  1\n"
    "\n"
    " MODAL VOLTAGE MATRIX (V)\n"
    "\n"
    " (-7.07E-01,-9.62E-09)  ( 7.07E-01, 2.63E-07) \n"
    " ( 7.07E-01, 0.00E+00)  ( 7.07E-01, 0.00E+00) \n"
    "\n"
    " MODAL CURRENT MATRIX (A)\n"
    "\n"
    " (-1.19E-02,-5.31E-03)  ( 9.18E-03, 3.41E-03) \n"
    " ( 1.19E-02, 5.31E-03)  ( 9.18E-03, 3.41E-03) \n"
    "\n"
    " MODAL PROPAGATION COEFFICIENTS (1/m)\n"
    "\n"
    " ( 1.03E-01, 1.78E-01)  ( 9.67E-02, 1.77E-01) \n"
    "\n"
    " CHARACTERISTIC IMPEDANCE MATRIX (\xEA)\n"
    "\n"
    " ( 5.86E+01,-2.36E+01)  ( 9.10E+00,-1.58E+00) \n"
    " ( 9.10E+00,-1.58E+00)  ( 5.86E+01,-2.36E+01) \n"
    "\n"
    "\n"
    " MATRIX OF S PARAMETERS\n"
    "\n"
    " ( 6.15E-02,-8.28E-03) ( -24.14 dB)  ( 7.37E-03, 1.93E-02) ( -33.70 dB)  ( 9.16E-01,-1.12E-01) (  -0.70 dB) \n"
    " ( 7.37E-03, 1.93E-02) ( -33.70 dB)  ( 1.52E-01,-8.73E-02) ( -15.14 dB)  (-3.04E-03, 5.87E-03) ( -43.59 dB) \n"
    " ( 9.16E-01,-1.12E-01) (  -0.70 dB)  (-3.04E-03, 5.87E-03) ( -43.59 dB)  ( 6.15E-02,-8.23E-03) ( -24.15 dB) \n"
    "\n"
    " MATRIX OF Z PARAMETERS (\xEA)\n"
    "\n"
    " ( 5.40E+01,-4.00E+02)  ( 1.54E+01,-7.41E-01)  ( 5.02E+01,-4.03E+02) \n"
    " ( 1.54E+01,-7.41E-01)  ( 1.00E+02,-1.75E+01)  ( 1.45E+01,-1.74E+00) \n"
    " ( 5.02E+01,-4.03E+02)  ( 1.45E+01,-1.74E+00)  ( 5.39E+01,-4.00E+02) \n"
    "\n"
    " MATRIX OF Y PARAMETERS (S)\n"
    "\n"
    " ( 8.12E-02,-6.42E-02)  (-1.26E-03,-6.67E-04)  (-8.11E-02, 6.54E-02) \n"
    " (-1.26E-03,-6.67E-04)  ( 9.69E-03, 1.76E-03)  ( 1.25E-03, 3.03E-04) \n"
    " (-8.11E-02, 6.54E-02)  ( 1.25E-03, 3.03E-04)  ( 8.12E-02,-6.42E-02) \n";

TEST(SweepReport, OneFrequencyWithEverySection) {
    solver_test::TestDirectory dir;
    dir.write_inputs("0 0\n1E6\n0.5\n1\n0 0 0 0 0\n1 0 2 0 0\n", "4E6 0 0\n",
                     "1\n2\n3.2E-7 0.6E-7 0.6E-7 3.2E-7\n1.3E-10 -0.2E-10 -0.2E-10 1.3E-10\n"
                     "5 0.5 0.5 5\n1E-4 0 0 1E-4\n0.75\n",
                     "4\n3\n1\n6 50 1\n1\n6 75 2\n1\n6 50 3\n1\n1 100 0\n");
    std::ostringstream diagnostics;
    ASSERT_EQ(solver::run_mtlnet(dir.path(), diagnostics), 0) << diagnostics.str();
    EXPECT_EQ(dir.read("VDANOUT.DAT"), EXPECTED_REPORT);
}

}  // namespace
