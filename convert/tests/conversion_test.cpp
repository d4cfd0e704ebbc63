// mtlconv's conversions and refusals on files in a scratch folder.
#include "conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "network_parameter_reader.h"
#include "network_parameter_writer.h"
#include "touchstone.h"

namespace convert {
namespace {

namespace fs = std::filesystem;

class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() : dir_(fs::temp_directory_path() / ("mtl_conv_" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
    }
    ~ConversionTest() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, const std::string& text) { std::ofstream(path(name)) << text; }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name));
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int convert(const std::string& in, const std::string& out, ConversionOptions options = {}) {
        options.input = path(in);
        options.output = path(out);
        err.str("");
        return run_conversion(options, err);
    }
    std::size_t files() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }

    fs::path dir_;
    std::ostringstream err;
};

const char* const TWO_PORT =
    "! measured\n# MHz S MA R 50\n"
    "100 0.5 -45 0.8 30 0.8 30 0.4 10\n"
    "150 0.55 -50 0.75 25 0.75 25 0.45 12\n"
    "400 0.6 -60 0.7 20 0.7 20 0.5 15\n"  // uneven steps stay as they are
    "100 1.5 0.5 30 0.2\n";               // noise data

TEST_F(ConversionTest, TouchstoneBecomesAParameterFileWithTheSameNumbers) {
    write("dut.s2p", TWO_PORT);
    ASSERT_EQ(convert("dut.s2p", "dut.spm"), 0) << err.str();
    EXPECT_EQ(err.str(), "mtlconv: note: " + path("dut.s2p") + ": the noise data from line 6 on is ignored\n");
    const portfiles::SweepReading spm = portfiles::read_parameter_file(path("dut.spm"), "dut.spm");
    ASSERT_TRUE(spm.ok) << spm.error.message();
    const portfiles::TouchstoneReading s2p = portfiles::read_touchstone_file(path("dut.s2p"), "dut.s2p");
    ASSERT_EQ(spm.sweep.points(), 3u);
    EXPECT_EQ(spm.sweep.frequencies, (std::vector<double>{1e8, 1.5e8, 4e8}));
    for (std::size_t i = 0; i < spm.sweep.values.size(); ++i)
        EXPECT_NEAR(std::abs(spm.sweep.values[i] - s2p.network.sweep.values[i]), 0, 1e-8);
}

TEST_F(ConversionTest, ParameterFileBecomesTouchstoneAndBack) {
    portfiles::PortSweep sweep;
    sweep.port_count = 3;
    for (int k = 0; k < 3; ++k) {
        std::complex<double>* m = sweep.add_point(1e6 * (k + 1));
        for (int q = 0; q < 3; ++q)
            for (int p = 0; p <= q; ++p) m[q + 3 * p] = m[p + 3 * q] = {50.0 * (q + 1) + k, -10.0 * p};
    }
    {
        std::ofstream out(path("ZPAR.DAT"));
        portfiles::write_parameter_blocks(out, sweep);
    }
    ConversionOptions mixed;
    mixed.z0 = {50, 75, 50};
    ASSERT_EQ(convert("ZPAR.DAT", "line.s3p", mixed), 0) << err.str();
    const std::string text = read("line.s3p");
    EXPECT_EQ(text.rfind("! mtlconv ", 0), 0u) << text;
    EXPECT_NE(text.find("[Reference]\n50 75 50\n"), std::string::npos) << text;
    ASSERT_EQ(convert("line.s3p", "back.zpm"), 0) << err.str();
    EXPECT_EQ(read("back.zpm"), read("ZPAR.DAT"));

    // One impedance for all: version 1 with Z normalised, the same way back.
    ConversionOptions one;
    one.z0 = {75};
    ASSERT_EQ(convert("ZPAR.DAT", "one.s3p", one), 0) << err.str();
    EXPECT_NE(read("one.s3p").find("# Hz Z RI R 75\n"), std::string::npos);
    ASSERT_EQ(convert("one.s3p", "one.zpm"), 0) << err.str();
    EXPECT_EQ(read("one.zpm"), read("ZPAR.DAT"));

    EXPECT_EQ(convert("ZPAR.DAT", "line.s2p"), 1);
    EXPECT_EQ(err.str(), "mtlconv: " + path("line.s2p") + ": a Touchstone file of 3 ports is named *.s3p\n");
    ConversionOptions two;
    two.z0 = {50, 75};
    EXPECT_EQ(convert("ZPAR.DAT", "x.s3p", two), 1);
    EXPECT_EQ(err.str(), "mtlconv: --z0 gives 2 impedances for 3 ports\n");
}

TEST_F(ConversionTest, RefusesWhatThePlotterCannotShowOrTheFileCannotHold) {
    write("dut.s2p", TWO_PORT);
    write("keep.spm", "kept\n");
    struct Case {
        std::string name, text, reason;
    };
    std::string nonreciprocal = "# Hz S RI\n1 0.1 0 0.5 0 0.4 0 0.1 0\n2 0.1 0 0.5 0 0.5 0.001 0.1 0\n";
    std::string ten_ports = "# Hz S RI\n1";
    for (int q = 0; q < 10; ++q) {
        for (int p = 0; p < 10; ++p) ten_ports += (p > 0 && p % 4 == 0 ? "\n 0 0" : " 0 0");
        ten_ports += "\n";
    }
    std::string many_points = "# Hz S RI\n";
    for (int k = 1; k <= 10001; ++k) many_points += std::to_string(k) + " 0 0\n";
    for (const Case& c : {
             Case{"nonrecip.s2p", nonreciprocal,
                  "nonrecip.s2p: the matrix is not reciprocal (largest |M(2,1) - M(1,2)| = 0.1 at 1 Hz); a parameter "
                  "file keeps the lower triangle only: --lower keeps M(q,p) for q >= p"},
             Case{"ten.s10p", ten_ports, "ten.s10p has 10 ports; the plotter shows at most 9"},
             Case{"many.s1p", many_points, "many.s1p has 10001 frequencies; the plotter shows at most 10000"},
             Case{"z.s1p", "# Hz Z RI\n1 1 0\n", "z.s1p holds Z-parameters; write them to a .zpm file"},
             Case{"broken.s1p", "# Hz S RI\n1 1 0\n2 1 x\n", "broken.s1p:3: expected a number, found \"x\""},
         }) {
        write(c.name, c.text);
        EXPECT_EQ(convert(c.name, "keep.spm"), 1) << c.name;
        EXPECT_EQ(err.str(), "mtlconv: " + path("") + c.reason + "\n");
        EXPECT_EQ(read("keep.spm"), "kept\n");
    }
    // The asymmetric one goes through with --lower, keeping M(2,1).
    ConversionOptions lower;
    lower.lower = true;
    ASSERT_EQ(convert("nonrecip.s2p", "lower.spm", lower), 0) << err.str();
    const portfiles::SweepReading kept = portfiles::read_parameter_file(path("lower.spm"), "lower.spm");
    ASSERT_TRUE(kept.ok);
    EXPECT_EQ(kept.sweep.at(1, 0, 1), std::complex<double>(0.5, 0));
    // Nothing but the inputs and the two outputs: no temporary files.
    EXPECT_EQ(files(), 8u);
}

TEST_F(ConversionTest, TellsWhenTheNamesDoNotSayWhatToDo) {
    write("a.txt", "");
    EXPECT_EQ(convert("a.txt", "b.txt"), 1);
    EXPECT_NE(err.str().find("cannot tell what to convert"), std::string::npos);
    write("x.dat", "");
    EXPECT_EQ(convert("x.dat", "x.s1p"), 1);
    EXPECT_EQ(err.str(), "mtlconv: cannot tell the kind of " + path("x.dat") + ": give --kind s, y or z\n");
}

}  // namespace
}  // namespace convert
