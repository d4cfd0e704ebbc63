// The parameter-file contract: what the writer writes, the reader reads back
// (to the eight digits of the format), and what is not such a file is
// refused with the line and what was expected there.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>

#include "line_source.h"
#include "network_parameter_reader.h"
#include "network_parameter_writer.h"

namespace portfiles {
namespace {

PortSweep random_sweep(int ports, int points, std::mt19937& random) {
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-120, 120);
    PortSweep sweep;
    sweep.port_count = ports;
    for (int k = 0; k < points; ++k) {
        std::complex<double>* m = sweep.add_point(1e6 * (k + 1) + 0.5);
        for (int q = 0; q < ports; ++q)
            for (int p = 0; p <= q; ++p) {
                auto value = [&] { return mantissa(random) * std::pow(10.0, exponent(random)); };
                m[q + p * ports] = m[p + q * ports] = {value(), value()};
            }
    }
    return sweep;
}

// Eight significant digits survive, also for three-digit exponents (which
// keep seven).
void expect_close(double written, double read) {
    const double magnitude = std::fabs(written);
    const double digits = magnitude != 0 && (magnitude < 1e-99 || magnitude >= 9.99999995e99) ? 6e-7 : 6e-8;
    EXPECT_LE(std::fabs(written - read), digits * magnitude) << written << " " << read;
}

TEST(ParameterFileRoundTrip, EveryEntryComesBackToItsDigitsAndMirrored) {
    std::mt19937 random(11);
    for (int ports : {1, 2, 4, 6, 9}) {
        const PortSweep written = random_sweep(ports, 7, random);
        std::stringstream file;
        write_parameter_blocks(file, written);
        const SweepReading reading = read_parameter_stream(file, "made.spm");
        ASSERT_TRUE(reading.ok) << reading.error.message();
        const PortSweep& read = reading.sweep;
        ASSERT_EQ(read.port_count, ports);
        ASSERT_EQ(read.points(), written.points());
        for (std::size_t k = 0; k < read.points(); ++k) {
            EXPECT_EQ(read.frequencies[k], static_cast<float>(written.frequencies[k]));
            for (int q = 0; q < ports; ++q)
                for (int p = 0; p < ports; ++p) {
                    expect_close(written.at(k, q, p).real(), read.at(k, q, p).real());
                    expect_close(written.at(k, q, p).imag(), read.at(k, q, p).imag());
                }
        }
    }
}

using C = std::complex<double>;

int count_lines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

TEST(ParameterFileBlock, FrequencyAndEntryLinesHaveFixedColumns) {
    C m[4] = {C(0.5, -0.25), C(0, 0), C(-1e-100, 2.5e200), C(1, 0)};  // column-major 2 x 2
    std::ostringstream out;
    append_block(out, 1e6f, m, 2, 2);
    EXPECT_EQ(out.str(),
              "   1.0000000E+06\n"
              "\n"
              "   5.0000000E-01 -2.5000000E-01\n"
              "   0.0000000E+00  0.0000000E+00\n"
              "   1.0000000E+00  0.0000000E+00\n"
              "\n");
}

// Up to 12 ports: blocks beyond 9 ports go out in several writes.
TEST(ParameterFileBlock, LowerTriangleRowByRow) {
    C m[144];
    for (int p = 0; p < 12; ++p)
        for (int q = 0; q < 12; ++q) m[q + p * 12] = C(q + 1, p + 1);  // M(q,p) = q + j p
    for (int ports = 1; ports <= 12; ++ports) {
        std::ostringstream out;
        append_block(out, 2.5e9f, m, ports, 12);
        std::istringstream in(out.str());
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line.size(), 16u);
        std::getline(in, line);
        EXPECT_EQ(line, "");
        int entries = 0;
        for (int q = 1; q <= ports; ++q)
            for (int p = 1; p <= q; ++p) {
                std::getline(in, line);
                ASSERT_EQ(line.size(), 31u);
                std::istringstream fields(line);
                double re, im;
                fields >> re >> im;
                EXPECT_EQ(re, q);
                EXPECT_EQ(im, p);
                ++entries;
            }
        EXPECT_EQ(entries, ports * (ports + 1) / 2);
        EXPECT_EQ(count_lines(out.str()), ports * (ports + 1) / 2 + 3);
    }
}

TEST(ParameterFileBlock, ThreeDigitExponentKeepsABlankBetweenFields) {
    C m[1] = {C(-1.5e-150, 7e123)};
    std::ostringstream out;
    append_block(out, 1e6f, m, 1, 1);
    EXPECT_NE(out.str().find("\n  -1.500000E-150  7.000000E+123\n"), std::string::npos) << out.str();
}

SweepReading read_text(const std::string& text, ReadLimits limits = {}) {
    std::istringstream in(text);
    return read_parameter_stream(in, "SPAR.DAT", limits);
}

const char* const TWO_PORT_BLOCK = " 1E6\n\n 1 2\n 3 4\n 5 6\n\n";

TEST(ParameterFileReader, AcceptsWhatTheFormatAllows) {
    // An empty file is a sweep without points.
    SweepReading r = read_text("");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.sweep.points(), 0u);
    // Blank separator lines, CR LF line ends, a byte-order mark, tabs and
    // commas between numbers, and a last block without its empty line.
    r = read_text("\xEF\xBB\xBF 1E6\r\n  \r\n 1\t2\r\n 3,4\r\n 5 6\r\n\t\r\n 2E6\n\n 7 8\n 9 10\n 11 12");
    ASSERT_TRUE(r.ok) << r.error.message();
    ASSERT_EQ(r.sweep.port_count, 2);
    ASSERT_EQ(r.sweep.points(), 2u);
    EXPECT_EQ(r.sweep.frequencies[1], 2e6);
    EXPECT_EQ(r.sweep.at(0, 1, 0), std::complex<double>(3, 4));
    EXPECT_EQ(r.sweep.at(0, 0, 1), std::complex<double>(3, 4));
    EXPECT_EQ(r.sweep.at(1, 1, 1), std::complex<double>(11, 12));
}

TEST(ParameterFileReader, RefusesBrokenFilesNamingLineAndWhatWasExpected) {
    struct Case {
        std::string text;
        const char* message;
    };
    const std::string block = TWO_PORT_BLOCK;
    for (const Case& c : {
             Case{" 1E6 2E6\n\n 1 2\n\n", "SPAR.DAT:1: expected the frequency of block 1 (one real number), found 2 fields"},
             Case{" 1E6\n", "SPAR.DAT:2: expected the empty line after the frequency of block 1, found the end of the file"},
             Case{" 1E6\n 1 2\n", "SPAR.DAT:2: expected the empty line after the frequency of block 1, found a line of text"},
             Case{" 1E6\n\n 1 2\n 3 4\n\n", "SPAR.DAT:5: expected P(P+1)/2 entry lines in the first block for P ports, found 2 entry lines"},
             Case{" 1E6\n\n\n", "SPAR.DAT:3: expected P(P+1)/2 entry lines in the first block for P ports, found 0 entry lines"},
             Case{" 1E6\n\n 1 2x\n\n", "SPAR.DAT:3: expected entry 1 of block 1 (its real and imaginary part), found \"2x\""},
             Case{" 1E6\n\n 1 nan\n\n", "SPAR.DAT:3: expected entry 1 of block 1 (its real and imaginary part), found \"nan\""},
             Case{" 1E6\n\n 1\n\n", "SPAR.DAT:3: expected entry 1 of block 1 (its real and imaginary part), found 1 field"},
             Case{block + " 2E6\n\n 1 2\n 3 4\n", "SPAR.DAT:11: expected 3 entry lines in block 2, found the end of the file"},
             Case{block + " 2E6\n\n 1 2\n\n", "SPAR.DAT:10: expected 3 entry lines in block 2, found an empty line after 1"},
             Case{block + " 2E6\n\n 1 2\n 3 4\n 5 6\n 7 8\n", "SPAR.DAT:12: expected the empty line that ends block 2 after 3 entry lines, found another entry line"},
             Case{block + " x\n", "SPAR.DAT:7: expected the frequency of block 2 (one real number), found \"x\""},
             Case{" 1E6\n\n 1 " + std::string(5000, '1') + "\n", "SPAR.DAT:3: expected a line of at most 4096 characters, found a longer line"},
         }) {
        const SweepReading r = read_text(c.text);
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(r.error.message(), c.message);
    }
}

TEST(ParameterFileReader, KeepsWithinItsLimits) {
    ReadLimits limits;
    limits.max_ports = 1;
    limits.max_points = 2;
    EXPECT_EQ(read_text(TWO_PORT_BLOCK, limits).error.message(),
              "SPAR.DAT:4: expected at most 1 ports (1 entry lines per block), found more entry lines");
    EXPECT_TRUE(read_text(" 1\n\n 1 1\n\n 2\n\n 1 1\n\n", limits).ok);
    EXPECT_EQ(read_text(" 1\n\n 1 1\n\n 2\n\n 1 1\n\n 3\n\n 1 1\n\n", limits).error.message(),
              "SPAR.DAT:9: expected at most 2 frequency points, found more");
    const SweepReading missing = read_parameter_file("/nonexistent/SPAR.DAT", "SPAR.DAT");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error.message(),
              "SPAR.DAT: expected a file that can be opened for reading, found No such file or directory");
}

// The same files by the free-format rules: what the strict rules refuse for
// its layout is read, damage to the numbers is not, and every cause of a
// failure is told apart.
TEST(ParameterFileReader, FreeFormatRulesReadLooseLayoutsAndNameEachFailure) {
    ReadLimits loose;
    loose.rules = ReadRules::FREE_FORMAT;
    loose.max_ports = 2;
    loose.max_points = 2;
    loose.single_precision_range = true;
    const std::string loose_layout = " 1E6 MHz\n\n 1 2 x\n 3 4\n 5 6\n\n\n\n 2E6\n 7\n 8 9 10 11 12\n";
    EXPECT_EQ(read_text(loose_layout).failure, ReadFailure::MALFORMED);
    SweepReading r = read_text(loose_layout + " 1 1\n 1 1\n", loose);
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.sweep.port_count, 2);
    ASSERT_EQ(r.sweep.points(), 2u);
    EXPECT_EQ(r.sweep.at(0, 1, 0), std::complex<double>(3, 4));
    EXPECT_EQ(r.sweep.at(1, 0, 0), std::complex<double>(7, 8));  // across a line end, the rest dropped
    r = read_text(loose_layout, loose);
    EXPECT_EQ(r.failure, ReadFailure::MALFORMED);
    EXPECT_EQ(r.error.message(), "SPAR.DAT:12: expected the real and imaginary part of entry (2,1) of block 2");

    EXPECT_EQ(read_text(" 1E6\n\n 1 1E39\n\n 2E6\n\n 1 1\n\n", loose).failure, ReadFailure::MALFORMED);
    EXPECT_EQ(read_text(" 1E6\n\n 1 2\n 3 4\n 5 6\n 7 8\n 9 10\n\n", loose).failure, ReadFailure::TOO_MANY_PORTS);
    EXPECT_EQ(read_text(" 1\n\n 1 1\n\n 2\n\n 1 1\n\n 3\n\n 1 1\n\n", loose).failure, ReadFailure::TOO_MANY_POINTS);
    EXPECT_EQ(read_parameter_file("/nonexistent/SPAR.DAT", "SPAR.DAT", loose).failure, ReadFailure::CANNOT_OPEN);
}

// A stream that never ends, like /dev/zero.
class EndlessZeros : public std::streambuf {
protected:
    int_type underflow() override {
        static char zeros[4096] = {};
        setg(zeros, zeros, zeros + sizeof zeros);
        return 0;
    }
};

TEST(LineSource, EndsAnEndlessLineAtItsBound) {
    EndlessZeros zeros;
    std::istream in(&zeros);
    LineSource lines(in, 1000);
    std::string_view line;
    EXPECT_EQ(lines.next(line), LineSource::Status::TOO_LONG);
    EXPECT_EQ(lines.line_number(), 1);
    EXPECT_EQ(lines.next(line), LineSource::Status::END);
    EndlessZeros more;
    std::istream file(&more);
    EXPECT_EQ(read_parameter_stream(file, "zero").error.message(),
              "zero:1: expected a line of at most 4096 characters, found a longer line");
}

}  // namespace
}  // namespace portfiles
