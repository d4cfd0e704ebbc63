// Touchstone files: what the writer writes comes back, the variants of the
// format read as they should, and broken files are refused with the line and
// what was expected there.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <string>

#include "touchstone.h"

namespace portfiles {
namespace {

using C = std::complex<double>;

TouchstoneNetwork made_network(ParameterKind kind, int ports, std::vector<double> reference, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    TouchstoneNetwork network;
    network.kind = kind;
    network.reference = std::move(reference);
    network.sweep.port_count = ports;
    for (int k = 0; k < 4; ++k) {
        C* m = network.sweep.add_point(1e4 * std::pow(10.0, 1.37 * k) + 0.25);  // uneven, not whole
        for (int i = 0; i < ports * ports; ++i) m[i] = {value(random), value(random) * 1e-7};
    }
    return network;
}

TouchstoneReading read_text(const std::string& text, const std::string& name = "made.s2p") {
    std::istringstream in(text);
    return read_touchstone_stream(in, name);
}

TEST(TouchstoneRoundTrip, WhatIsWrittenComesBackToTwelveDigits) {
    struct Case {
        ParameterKind kind;
        int ports;
        std::vector<double> reference;
        int version;
    };
    for (const Case& c : {Case{ParameterKind::S, 1, {50}, 1}, Case{ParameterKind::S, 2, {50, 50}, 1},
                          Case{ParameterKind::Z, 3, {75, 75, 75}, 1}, Case{ParameterKind::Y, 5, {25, 25, 25, 25, 25}, 1},
                          Case{ParameterKind::S, 2, {50, 75}, 2}, Case{ParameterKind::Z, 4, {50, 75, 50, 100}, 2},
                          Case{ParameterKind::S, 9, {50, 50, 50, 50, 50, 50, 50, 50, 60}, 2}}) {
        SCOPED_TRACE(std::to_string(c.ports) + " ports, version " + std::to_string(c.version));
        const TouchstoneNetwork written = made_network(c.kind, c.ports, c.reference, c.ports);
        std::ostringstream text;
        write_touchstone(text, written, {"mtlnet 1.0", "made for a test"});
        const TouchstoneReading r = read_text(text.str(), "made.s" + std::to_string(c.ports) + "p");
        ASSERT_TRUE(r.ok) << r.error.message() << "\n" << text.str();
        EXPECT_EQ(r.version, c.version);
        EXPECT_EQ(r.network.kind, c.kind);
        EXPECT_EQ(r.network.reference, c.reference);
        EXPECT_TRUE(r.notes.empty());
        const PortSweep& read = r.network.sweep;
        ASSERT_EQ(read.port_count, c.ports);
        ASSERT_EQ(read.points(), written.sweep.points());
        EXPECT_EQ(read.frequencies, written.sweep.frequencies);
        for (std::size_t i = 0; i < read.values.size(); ++i)
            EXPECT_NEAR(std::abs(read.values[i] - written.sweep.values[i]), 0, 1e-11 * std::abs(written.sweep.values[i]))
                << i;
    }
}

TEST(TouchstoneWriter, VersionOneForOneImpedanceVersionTwoForMixed) {
    TouchstoneNetwork network;
    network.reference = {50, 50};
    network.sweep.port_count = 2;
    C* m = network.sweep.add_point(1e6);
    m[0] = {0.5, -0.25};
    m[1] = {0.125, 0};  // S21
    m[2] = {-0.125, 0};  // S12
    m[3] = {0, 1};
    std::ostringstream v1;
    write_touchstone(v1, network, {"mtlnet 1.0"});
    EXPECT_EQ(v1.str(),
              "! mtlnet 1.0\n"
              "# Hz S RI R 50\n"
              "1000000  5.00000000000e-01 -2.50000000000e-01  1.25000000000e-01  0.00000000000e+00"
              " -1.25000000000e-01  0.00000000000e+00  0.00000000000e+00  1.00000000000e+00\n");
    network.reference = {50, 75};
    std::ostringstream v2;
    write_touchstone(v2, network, {});
    EXPECT_EQ(v2.str(),
              "[Version] 2.0\n"
              "# Hz S RI R 50\n"
              "[Number of Ports] 2\n"
              "[Two-Port Data Order] 12_21\n"
              "[Number of Frequencies] 1\n"
              "[Reference]\n"
              "50 75\n"
              "[Network Data]\n"
              "1000000  5.00000000000e-01 -2.50000000000e-01 -1.25000000000e-01  0.00000000000e+00\n"
              "    1.25000000000e-01  0.00000000000e+00  0.00000000000e+00  1.00000000000e+00\n"
              "[End]\n");
    EXPECT_EQ(default_touchstone_name(4), "NETWORK.s4p");
}

TEST(TouchstoneReader, ReadsTheVariantsOfTheFormat) {
    // Defaults (GHz, S, MA, 50 ohms), comments anywhere, the 2-port order
    // N11 N21 N12 N22 of version 1.
    TouchstoneReading r = read_text("! a comment\n#\n1 0.5 90 2 0 3 180 1 -90 ! trailing comment\n");
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.network.sweep.frequencies[0], 1e9);
    EXPECT_NEAR(std::abs(r.network.sweep.at(0, 0, 0) - C(0, 0.5)), 0, 1e-15);
    EXPECT_EQ(r.network.sweep.at(0, 1, 0), C(2, 0));   // S21
    EXPECT_NEAR(std::abs(r.network.sweep.at(0, 0, 1) - C(-3, 0)), 0, 1e-15);  // S12
    EXPECT_EQ(r.network.reference, (std::vector<double>{50, 50}));

    // dB and angle, kHz, any order and case of the options; Z normalised to R.
    r = read_text("# z db r 75 KHZ\n2.5 20 0\n", "made.S1P");
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.network.kind, ParameterKind::Z);
    EXPECT_EQ(r.network.sweep.frequencies[0], 2500);
    EXPECT_NEAR(r.network.sweep.at(0, 0, 0).real(), 750, 1e-9);
    r = read_text("# MHz Y RI R 25\n1 0.5 0\n", "made.s1p");
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.network.sweep.at(0, 0, 0).real(), 0.02, 1e-15);

    // A 5-port of version 1: rows of four values and a continuation line;
    // a second option line is ignored with a note.
    std::string five = "# Hz S RI\n# GHz\n";
    for (int k = 1; k <= 2; ++k) {
        five += std::to_string(k);
        for (int q = 1; q <= 5; ++q) {
            for (int p = 1; p <= 5; ++p) five += (p == 5 ? "\n " : " ") + std::to_string(q) + " " + std::to_string(p);
            five += "\n";
        }
    }
    r = read_text(five, "x.s5p");
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.network.sweep.at(1, 3, 4), C(4, 5));
    EXPECT_EQ(r.network.sweep.frequencies[1], 2);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0], "line 2: a second option line is ignored");

    // Noise data after the network data of a 2-port is left out.
    r = read_text("# Hz S RI\n1 1 0 0 0 0 0 1 0\n2 1 0 0 0 0 0 1 0\n1 0.5 0.1 20 0.3\n2 0.6 0.2 30 0.3\n");
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.network.sweep.points(), 2u);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0], "the noise data from line 4 on is ignored");
}

TEST(TouchstoneReader, ReadsVersionTwoKeywords) {
    TouchstoneReading r = read_text(
        "[Version] 2.0\n# MHz Z MA R 50\n[Number of Ports] 3\n[Number of Frequencies] 2\n"
        "[Reference] 50\n 75 100\n[Matrix Format] Lower\n[Begin Information]\nanything at all\n[End Information]\n"
        "[Network Data]\n1 10 0\n 20 0 30 0\n 40 0 50 0 60 0\n2 1 0\n 2 0 3 0\n 4 0 5 0 6 0\n[End]\nignored after the end\n",
        "made.ts");
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.version, 2);
    EXPECT_EQ(r.network.reference, (std::vector<double>{50, 75, 100}));
    EXPECT_EQ(r.network.sweep.frequencies[1], 2e6);
    EXPECT_EQ(r.network.sweep.at(0, 2, 1), C(50, 0));  // not normalised in version 2
    EXPECT_EQ(r.network.sweep.at(0, 1, 2), C(50, 0));
    // 21_12 is the order of version 1; noise data of version 2 is left out.
    r = read_text("[Version] 2.0\n# Hz S RI\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
                  "[Number of Frequencies] 1\n[Number of Noise Frequencies] 1\n[Network Data]\n"
                  "5 1 0 2 0 3 0 4 0\n[Noise Data]\n5 1 2 3 4\n[End]\n");
    ASSERT_TRUE(r.ok) << r.error.message();
    EXPECT_EQ(r.network.sweep.at(0, 1, 0), C(2, 0));
    EXPECT_EQ(r.notes.size(), 1u);
}

TEST(TouchstoneReader, RefusesBrokenFilesNamingLineAndWhatWasExpected) {
    struct Case {
        std::string name, text, message;
    };
    const std::string v2 = "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n";
    for (const Case& c : {
             Case{"t.s1p", "# Hz S RI\n1 0.5\n", "t.s1p:2: expected 3 numbers on the line (the frequency and 1 complex value), found 2"},
             Case{"t.s3p", "# Hz S RI\n1 1 0 1 0 1 0\n1 0 1 0 1 0\n", "t.s3p:4: expected the rest of the 19 numbers of the frequency on line 2, found the end of the file"},
             Case{"t.s2p", "# Hz S RI\n1 1 0 0 0 0 0 1\n", "t.s2p:2: expected 9 numbers on the line (the frequency and 4 complex values), found 8"},
             Case{"t.s2p", "# Hz S RI\n1 1 0 0 0 0 0 1 0 7\n", "t.s2p:2: expected the end of the line after the 9 numbers of the frequency on line 2, found more numbers"},
             Case{"t.s3p", "# Hz S RI\n1 1 0 1 0 1\n", "t.s3p:2: expected a line that ends a row of the matrix or holds four of its values (eight numbers), found 6 numbers on the line"},
             Case{"t.s1p", "# GHz S XY\n1 1 0\n", "t.s1p:1: expected an option line of Hz, kHz, MHz or GHz; S, Y or Z; RI, MA or DB; R and a resistance, found \"XY\""},
             Case{"t.s1p", "# GHz S RI R\n", "t.s1p:1: expected a resistance after R in the option line, found the end of the line"},
             Case{"t.s1p", "# GHz S RI R 0\n", "t.s1p:1: expected a resistance in ohms (above 0) after R in the option line, found \"0\""},
             Case{"t.s1p", "# GHz S RI S\n", "t.s1p:1: expected each option once in the option line, found \"S\""},
             Case{"t.s2p", "# GHz H RI\n", "t.s2p:1: expected S, Y or Z parameters in the option line, found \"H\" (hybrid parameters cannot be converted)"},
             Case{"t.s1p", "# Hz S RI\n2 1 0\n1 1 0\n", "t.s1p:3: expected a frequency above the one before (frequencies in increasing order), found 1"},
             Case{"t.s1p", "# Hz S RI\n1 1 0\n1 1 0\n", "t.s1p:3: expected a frequency above the one before (frequencies in increasing order), found 1"},
             Case{"t.s1p", "# Hz S RI\n1 1,5 0\n", "t.s1p:2: expected the end of the line after the 3 numbers of the frequency on line 2, found more numbers"},
             Case{"t.s1p", "# Hz S RI\n1 1.5x 0\n", "t.s1p:2: expected a number, found \"1.5x\""},
             Case{"t.s1p", "# Hz S RI\n1 NaN 0\n", "t.s1p:2: expected a number, found \"NaN\""},
             Case{"t.s1p", "# Hz S RI\n1 inf 0\n", "t.s1p:2: expected a number, found \"inf\""},
             Case{"t.s1p", "# Hz S RI\n-1 1 0\n", "t.s1p:2: expected a frequency of 0 or above, found -1"},
             Case{"t.s1p", "1 1 0\n", "t.s1p:1: expected the option line (# ...) before the data, found \"1 1 0\""},
             Case{"t.s1p", "# Hz S RI\n! nothing\n", "t.s1p:3: expected network data for at least one frequency, found the end of the file"},
             Case{"t.txt", "# Hz S RI\n1 1 0\n", "t.txt:2: expected a file name ending in .sNp (N the number of ports) for a Touchstone 1 file, found another name"},
             Case{"t.s1p", "# Hz S RI\n[Number of Ports] 1\n", "t.s1p:2: expected the option line or data of a Touchstone 1 file, found the keyword [Number of Ports]"},
             Case{"t.ts", "[Version] 3.0\n", "t.ts:1: expected [Version] 2.0, found \"3.0\""},
             Case{"t.ts", v2 + "[Network Data]\n1 1 0\n", "t.ts:4: expected [Number of Frequencies] before [Network Data], found [Network Data]"},
             Case{"t.ts", v2 + "[Number of Frequencies] 2\n[Network Data]\n1 1 0\n[End]\n", "t.ts:7: expected 2 frequencies as [Number of Frequencies] says, found 1"},
             Case{"t.ts", v2 + "[Number of Frequencies] 2\n[Network Data]\n1 1 0\n", "t.ts:7: expected 2 frequencies as [Number of Frequencies] says, found 1"},
             Case{"t.ts", v2 + "[Mixed-Mode Order] D2,1\n", "t.ts:4: expected single-ended network data, found [Mixed-Mode Order] (mixed-mode data cannot be converted)"},
             Case{"t.ts", v2 + "[Reference] 50 60\n", "t.ts:4: expected 1 reference impedance, found more"},
             Case{"t.ts", v2 + "[Foo]\n", "t.ts:4: expected a keyword of Touchstone 2.0, found the keyword [Foo]"},
             Case{"t.s1p", "# Hz S RI\n[Ver\x1b[2Jsion]\n", "t.s1p:2: expected the option line or data of a Touchstone 1 file, found the keyword [Ver?[2Jsion]"},
             Case{"t.ts", "[Version] 2.0\n# Hz S RI\n[Number of Ports] 2\n[Number of Frequencies] 1\n[Network Data]\n", "t.ts:5: expected [Two-Port Data Order] before the [Network Data] of a 2-port, found [Network Data]"},
             Case{"t.s100p", "# Hz S RI\n1 1 0\n", "t.s100p:2: expected at most 64 ports, found 100"},
         }) {
        const TouchstoneReading r = read_text(c.text, c.name);
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(r.error.message(), c.message);
    }
}

TEST(TouchstoneReader, PortCountFromTheName) {
    EXPECT_EQ(port_count_from_name("dir.s9p/x.S12P"), 12);
    EXPECT_EQ(port_count_from_name("a.s1p"), 1);
    for (const char* other : {"a.sp", "a.s0p", "a.s-1p", "a.s2", "a.ts", "s2p", "a.s2pp", "a.sxp"})
        EXPECT_EQ(port_count_from_name(other), 0) << other;
}

}  // namespace
}  // namespace portfiles
