// A real client reads our Touchstone files: scikit-rf (Debian's
// python3-scikit-rf, run by /usr/bin/python3) loads what mtlnet --touchstone
// writes for the examples and finds the S-parameters of SPAR.DAT; and a file
// scikit-rf writes goes through mtlconv into a parameter file the plotter
// loads with the same numbers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "network_parameter_reader.h"
#include "parameter_data.h"
#include "sweep_loading.h"

namespace {

namespace fs = std::filesystem;

struct ClientView {
    int ports = 0;
    std::vector<double> reference;
    std::vector<double> frequencies;
    std::vector<std::vector<double>> values;  // per point: re, im of S row by row
};

int run(const std::string& command, std::string* output = nullptr) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        if (output) output->append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ScikitRf : public ::testing::Test {
protected:
    ScikitRf() : dir_(fs::temp_directory_path() / ("mtl_skrf_" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
    }
    ~ScikitRf() override { fs::remove_all(dir_); }

    // What scikit-rf makes of a file (action "read"), or of the file it
    // writes (action "write").
    bool client(const std::string& action, const fs::path& file, ClientView& view) {
        std::string output;
        const int status = run("/usr/bin/python3 '" MTL_SKRF_CLIENT "' " + action + " '" + file.string() + "' 2>&1",
                               &output);
        if (status == 77) return false;
        EXPECT_EQ(status, 0) << output;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string key;
            fields >> key;
            if (key == "ports") fields >> view.ports;
            if (key == "reference")
                for (double r; fields >> r;) view.reference.push_back(r);
            if (key == "point") {
                double f;
                fields >> f;
                view.frequencies.push_back(f);
                view.values.emplace_back();
                for (double v; fields >> v;) view.values.back().push_back(v);
            }
        }
        return true;
    }

    fs::path dir_;
};

// Within the eight significant digits SPAR.DAT prints.
void expect_printed(double client, double printed, const std::string& what) {
    EXPECT_LE(std::fabs(client - printed), 5.0000001e-8 * std::fabs(client) + 1e-300) << what << ": " << client
                                                                                      << " against " << printed;
}

TEST_F(ScikitRf, ReadsTheTouchstoneFilesOfTheExamplesAsSparDat) {
    struct Example {
        const char* name;
        int ports;
        std::vector<double> reference;
    };
    for (const Example& example : {Example{"single_line_50ohm", 2, {50, 50}},
                                   Example{"coupled_microstrip", 4, {50, 50, 50, 50}},
                                   Example{"mixed_impedance", 3, {50, 75, 100}}}) {
        SCOPED_TRACE(example.name);
        const fs::path work = dir_ / example.name;
        fs::create_directories(work);
        for (const char* input : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
            fs::copy_file(fs::path(MTL_EXAMPLES_DIR) / example.name / input, work / input);
        ASSERT_EQ(run("'" MTLNET_PROGRAM "' --quiet --touchstone -C '" + work.string() + "'"), 0);
        const fs::path touchstone = work / ("NETWORK.s" + std::to_string(example.ports) + "p");
        ClientView view;
        if (!client("read", touchstone, view)) GTEST_SKIP() << "scikit-rf is not installed for /usr/bin/python3";

        const portfiles::SweepReading spar = portfiles::read_parameter_file(work / "SPAR.DAT", "SPAR.DAT");
        ASSERT_TRUE(spar.ok) << spar.error.message();
        ASSERT_EQ(view.ports, example.ports);
        EXPECT_EQ(view.reference, example.reference);
        ASSERT_EQ(view.frequencies.size(), spar.sweep.points());
        const int n = example.ports;
        for (std::size_t k = 0; k < spar.sweep.points(); ++k) {
            expect_printed(view.frequencies[k], spar.sweep.frequencies[k], "frequency");
            for (int q = 0; q < n; ++q)
                for (int p = 0; p <= q; ++p) {
                    // SPAR.DAT keeps the lower triangle: S(q,p) with q >= p.
                    const std::complex<double> printed = spar.sweep.at(k, q, p);
                    const std::string what = "S(" + std::to_string(q + 1) + "," + std::to_string(p + 1) + ")";
                    expect_printed(view.values[k][2 * (q * n + p)], printed.real(), what);
                    expect_printed(view.values[k][2 * (q * n + p) + 1], printed.imag(), what);
                    // The upper triangle is the computed one: reciprocal to the
                    // accuracy of the analysis.
                    EXPECT_NEAR(view.values[k][2 * (p * n + q)], printed.real(), 1e-6) << what;
                }
        }
    }
}

TEST_F(ScikitRf, ItsTouchstoneFileGoesThroughMtlconvIntoThePlotter) {
    const fs::path written = dir_ / "dut.s3p";
    ClientView view;
    if (!client("write", written, view)) GTEST_SKIP() << "scikit-rf is not installed for /usr/bin/python3";
    ASSERT_EQ(view.ports, 3);
    std::string errors;
    ASSERT_EQ(run("'" MTLCONV_PROGRAM "' '" + written.string() + "' '" + (dir_ / "dut.spm").string() + "' 2>&1",
                  &errors),
              0)
        << errors;

    portfiles::PortSweep sweep;
    const ParameterFileResult loaded = read_sweep_file((dir_ / "dut.spm").string(), sweep);
    ASSERT_EQ(loaded.status, ParameterFileStatus::LOADED) << loaded.diagnostic;
    ASSERT_EQ(loaded.port_count, 3);
    ASSERT_EQ(loaded.steps + 1, static_cast<int>(view.frequencies.size()));
    // Eight digits in the file, then 32 bits in the plotter.
    auto close = [](double client, float plotted) {
        return std::fabs(client - plotted) <= 1.2e-7 * std::fabs(client) + 1e-30;
    };
    for (std::size_t k = 0; k < view.frequencies.size(); ++k) {
        EXPECT_TRUE(close(view.frequencies[k], static_cast<float>(sweep.frequencies[k]))) << k;  // the uneven steps are kept
        for (int q = 0; q < 3; ++q)
            for (int p = 0; p < 3; ++p) {
                const std::complex<double> plotted = sweep.at(k, q, p);
                EXPECT_TRUE(close(view.values[k][2 * (q * 3 + p)], static_cast<float>(plotted.real())))
                    << k << " " << q << p;
                EXPECT_TRUE(close(view.values[k][2 * (q * 3 + p) + 1], static_cast<float>(plotted.imag())))
                    << k << " " << q << p;
            }
    }
}

}  // namespace
