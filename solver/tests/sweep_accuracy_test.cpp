// The sweep on lines of many conductors against the double-precision chain
// matrix reference: S, Z and Y must agree to 1E-5, each entry measured
// relative to the larger of its own modulus and 1E-2 of the largest entry of
// its matrix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "chain_reference.h"
#include "input_stages.h"
#include "parameter_blocks.h"
#include "run_mtlnet.h"
#include "test_directory.h"

namespace {

using namespace solver_test;

constexpr double TARGET = 1e-5;
const char* QUIET_CONFIG = "0 0\n1E8\n0.5\n1.0\n0 0 0 0 0\n1 1 1 1 1\n";

struct Deviations {
    double s = 0, z = 0, y = 0;
};

double deviation(const std::vector<ParameterBlock>& blocks, const std::vector<DenseMatrix>& reference) {
    double worst = 0;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const DenseMatrix& r = reference[b];
        double largest = 0;
        for (const CD& e : r.v) largest = std::max(largest, std::abs(e));
        for (int q = 0; q < r.rows; ++q)
            for (int p = 0; p <= q; ++p) {
                const double scale = std::max(std::abs(r(q, p)), 1e-2 * largest);
                const double dv = std::abs(blocks[b].at(q + 1, p + 1) - r(q, p)) / scale;
                worst = std::max(worst, dv);
            }
    }
    return worst;
}

// The per-unit-length matrices of one line, row by row.
struct Line {
    int n = 0;
    std::vector<double> l, c, r, g;
    double length = 0;
    explicit Line(int conductors, double len = 0)
        : n(conductors), l(n * n), c(n * n), r(n * n), g(n * n), length(len) {}
    // Fills entry (i, j) of every matrix from a function of i and j.
    void fill(const std::function<void(int, int, double&, double&, double&, double&)>& entry) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) entry(i, j, l[i * n + j], c[i * n + j], r[i * n + j], g[i * n + j]);
    }
};

std::string line_file(const std::vector<Line>& lines) {
    std::ostringstream s;
    s.precision(9);
    s << lines.size() << '\n';
    for (const Line& line : lines) s << line.n << '\n';
    for (const Line& line : lines) {
        for (const auto* m : {&line.l, &line.c, &line.r, &line.g}) {
            for (double v : *m) s << v << ' ';
            s << '\n';
        }
        s << line.length << '\n';
    }
    return s.str();
}

// Elements listed at each node ("code value index" each).
struct Net {
    int ports = 0;
    std::vector<std::vector<std::string>> at;
    explicit Net(int nodes, int port_count) : ports(port_count), at(nodes) {}
    void add(int node, int code, double value, int index) {
        std::ostringstream e;
        e.precision(9);
        e << code << ' ' << value << ' ' << index;
        at[node - 1].push_back(e.str());
    }
    std::string text() const {
        std::ostringstream s;
        s << at.size() << '\n' << ports << '\n';
        for (const auto& elements : at) {
            s << elements.size() << '\n';
            for (const auto& e : elements) s << e << '\n';
        }
        return s.str();
    }
};

class SweepAccuracy : public ::testing::Test {
protected:
    // Runs the solver and the reference on the same input files.
    Deviations compare(const std::string& name, const std::string& sweep, const std::vector<Line>& lines,
                       const Net& net) {
        dir.write_inputs(QUIET_CONFIG, sweep, line_file(lines), net.text());
        std::ostringstream diagnostics;
        EXPECT_EQ(solver::run_mtlnet(dir.path(), diagnostics), 0) << diagnostics.str();

        solver::SolverRun run(dir.path(), diagnostics);
        std::string reason;
        EXPECT_TRUE(run.report.open(dir.path() / "ECHO.DAT", reason)) << reason;
        int error = 0;
        solver::read_configuration(run, error);
        solver::read_frequency_sweep(run, error);
        solver::read_transmission_lines(run, error);
        solver::read_network(run, error);
        EXPECT_EQ(error, 0) << diagnostics.str();
        std::vector<DenseMatrix> s, z, y;
        for (int i = 0; i <= run.sweep.step_count; ++i) {
            reference = reference_port_matrices(run, run.sweep.frequency(i));
            s.push_back(reference.s);
            z.push_back(reference.z);
            y.push_back(reference.y);
        }
        auto file = [&](const char* f) { return read_parameter_file((dir.path() / f).string()); };
        spar = file("SPAR.DAT");
        EXPECT_EQ(spar.size(), s.size());
        Deviations d{deviation(spar, s), deviation(file("ZPAR.DAT"), z), deviation(file("YPAR.DAT"), y)};
        std::printf("%s: worst deviation S %.1e, Z %.1e, Y %.1e\n", name.c_str(), d.s, d.z, d.y);
        EXPECT_LT(d.s, TARGET) << name;
        EXPECT_LT(d.z, TARGET) << name;
        EXPECT_LT(d.y, TARGET) << name;
        return d;
    }
    TestDirectory dir;
    PortMatrices reference;             // at the last frequency
    std::vector<ParameterBlock> spar;   // the solver's S
};

// 32 conductors side by side: equal self terms, couplings decaying slowly
// with distance, small losses; ports at both ends of conductor 1, the near
// end of conductor 16 and the far end of conductor 17, every other end
// loaded with a resistor.
TEST_F(SweepAccuracy, RibbonOf32Conductors) {
    const int n = 32;
    Line ribbon(n, 0.25);
    ribbon.fill([](int i, int j, double& l, double& c, double& r, double& g) {
        const int d = std::abs(i - j);
        l = 4e-7 * std::pow(0.5, d);
        c = d == 0 ? 1e-10 : -1.5e-11 * std::pow(0.6, d - 1);
        r = d == 0 ? 3.0 : 0.6 * std::pow(0.5, d - 1);
        g = d == 0 ? 1e-5 : -2e-6 * std::pow(0.5, d - 1);
    });
    Net net(2 * n, 4);
    const int port_at[4] = {1, n + 1, 16, n + 17};
    for (int node = 1; node <= 2 * n; ++node) {
        const int* p = std::find(port_at, port_at + 4, node);
        if (p != port_at + 4)
            net.add(node, 6, 50, static_cast<int>(p - port_at) + 1);
        else
            net.add(node, 1, 60 + 40 * std::sin(node), 0);
    }
    compare("32-conductor ribbon", "3E7 4.85E8 2\n", {ribbon}, net);
}

// 12 lossy conductors, the matrices given unsymmetric (the solver uses their
// symmetric parts), six ports, the other ends loaded with R, L and C.
TEST_F(SweepAccuracy, LossyTwelveConductorsWithUnsymmetricInput) {
    const int n = 12;
    std::mt19937 engine(12);
    auto unit = [&] { return static_cast<double>(engine()) / engine.max(); };
    Line line(n, 0.4);
    line.fill([&](int i, int j, double& l, double& c, double& r, double& g) {
        const int d = std::abs(i - j);
        const double skew = 1 + 0.2 * (unit() - 0.5);
        l = 3.5e-7 * (d == 0 ? 1 + 0.02 * unit() : 0.35 * std::pow(0.75, d) * skew);
        c = 1.2e-10 * (d == 0 ? 1 + 0.02 * unit() : -0.12 * std::pow(0.6, d) * skew);
        r = d == 0 ? 15 + unit() : 2.0 * std::pow(0.6, d) * skew;
        g = d == 0 ? 2e-3 : -2e-4 * std::pow(0.6, d) * skew;
    });
    Net net(2 * n, 6);
    for (int node = 1; node <= 2 * n; ++node) {
        if (node % 4 == 1)
            net.add(node, 6, node == 1 ? 75 : 50, node / 4 + 1);
        else if (node % 3 == 0)
            net.add(node, 2, 2e-8, 0), net.add(node, 1, 80, 0);
        else
            net.add(node, 1, 40 + node, 0), net.add(node, 3, 1e-12, 0);
    }
    // Nearly equal modes: residuals small against ||A||_F but eigenvalues off
    // in their seventh digit, and a single-precision Z'^-1 in TI.
    compare("lossy 12 conductors", "1E7 3.45E8 2\n", {line}, net);
}

// A symmetric lossless pair between four ports: the reference itself is
// checked against the even- and odd-mode closed form.
TEST_F(SweepAccuracy, SymmetricCoupledPairAlsoAgainstEvenAndOddModes) {
    Line pair(2, 0.3);
    pair.fill([](int i, int j, double& l, double& c, double& r, double& g) {
        l = i == j ? 3.2e-7 : 0.6e-7;
        c = i == j ? 1.3e-10 : -0.2e-10;
        r = g = 0;
    });
    Net net(4, 4);
    for (int p = 1; p <= 4; ++p) net.add(p, 6, 50, p);
    compare("coupled pair", "5E7 1E8 2\n", {pair}, net);

    // Even mode: L + Lm, C + Cm; odd mode: L - Lm, C - Cm (of the values
    // as the solver reads them), each with the conductance to ground of
    // 1E-6 / 50 ohm at both ends.
    const double omega = solver::TWO_PI * 2.5e8f;
    auto two_port = [&](double l, double c, CD& s11, CD& s21) {
        const CD gl(0, omega * std::sqrt(l * c) * double(0.3f));
        const double zc = std::sqrt(l / c), z0 = 50, g = 1 / (z0 * 1e6);
        const CD a = std::cosh(gl) + zc * std::sinh(gl) * g, b = zc * std::sinh(gl);
        const CD cc = std::sinh(gl) / zc + 2.0 * g * std::cosh(gl) + g * g * b;
        const CD den = 2.0 * a + b / z0 + cc * z0;
        s11 = (b / z0 - cc * z0) / den;
        s21 = 2.0 / den;
    };
    CD e11, e21, o11, o21;
    const double l = 3.2e-7f, lm = 0.6e-7f, c = 1.3e-10f, cm = -0.2e-10f;
    two_port(l + lm, c + cm, e11, e21);
    two_port(l - lm, c - cm, o11, o21);
    EXPECT_NEAR(std::abs(reference.s(0, 0) - (e11 + o11) / 2.0), 0, 1e-9);
    EXPECT_NEAR(std::abs(reference.s(1, 0) - (e11 - o11) / 2.0), 0, 1e-9);
    EXPECT_NEAR(std::abs(reference.s(2, 0) - (e21 + o21) / 2.0), 0, 1e-9);
    EXPECT_NEAR(std::abs(reference.s(3, 0) - (e21 - o21) / 2.0), 0, 1e-9);
}

// 16 lines of 1 to 24 conductors and own nodes up to 512, joined at random
// by shorts and lumped elements, six ports.
TEST_F(SweepAccuracy, RandomNetworkOf16LinesAnd512Nodes) {
    std::mt19937 engine(16);
    auto unit = [&] { return static_cast<double>(engine()) / engine.max(); };
    auto pick = [&](int count) { return std::min(count - 1, static_cast<int>(unit() * count)); };
    std::vector<Line> lines;
    int line_nodes = 0;
    for (int k = 0; k < 16; ++k) {
        const int n = 1 + pick(24);
        Line line(n, 0.05 + 0.3 * unit());
        const double rho = 0.3 + 0.5 * unit(), self = 1 + 0.05 * unit();
        line.fill([&](int i, int j, double& l, double& c, double& r, double& g) {
            const int d = std::abs(i - j);
            l = 3e-7 * (d == 0 ? self : 0.5 * std::pow(rho, d));
            c = 1.1e-10 * (d == 0 ? 1 : -0.3 * (1 - rho) * std::pow(rho, d));
            r = d == 0 ? 5 * self : 0.5 * std::pow(rho, d);
            g = d == 0 ? 1e-4 : 0;
        });
        line_nodes += 2 * n;
        lines.push_back(line);
    }
    ASSERT_LE(line_nodes, 512);
    const int nodes = 512;
    Net net(nodes, 6);
    for (int node = 1; node <= nodes; ++node) {
        net.add(node, 1, 100 + 900 * unit(), 0);
        const int other = 1 + pick(nodes);
        if (other == node) continue;
        const double kind = unit();
        if (kind < 0.4)
            net.add(node, 4, 0, other);
        else if (kind < 0.6)
            net.add(node, 1, 10 + 100 * unit(), other);
        else if (kind < 0.8)
            net.add(node, 2, 1e-9 * (1 + 20 * unit()), other);
        else
            net.add(node, 3, 1e-12 * (1 + 5 * unit()), other);
    }
    for (int p = 1; p <= 6; ++p) net.add(1 + pick(line_nodes / 6) + (p - 1) * (line_nodes / 6), 6, 50, p);
    compare("random 512-node network", "5E7 4E8 1\n", lines, net);
}

}  // namespace
