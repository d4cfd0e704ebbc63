// Input sets generated for tests and benchmarks: a network at the solver's
// limits (16 lines of 16 coupled conductors, 512 nodes, 6 ports), a small
// two-port and random networks, written as the four input files into a
// directory.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace solver_testing {

inline void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Run options with the input echo and every result section but S switched off.
inline void write_quiet_config(const std::filesystem::path& dir) {
    write_file(dir / "CONFIG.DAT", "0 0\n1E9\n0.5\n1.0\n0 0 0 0 0\n1 1 1 1 1\n");
}

// A lossy line of n coupled conductors: each couples to its neighbours.
// `coupling` scales the couplings (lines with different values have
// different modes).
inline std::string coupled_line(int n, double length, double coupling = 1.0) {
    std::ostringstream s;
    s.precision(6);
    auto matrix = [&](double diagonal, double neighbour, double next) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                int d = i > j ? i - j : j - i;
                s << (d == 0 ? diagonal : d == 1 ? neighbour : d == 2 ? next : 0.0) << ' ';
            }
            s << '\n';
        }
    };
    matrix(3.2e-7, 0.6e-7 * coupling, 0.15e-7 * coupling);      // [L]
    matrix(1.3e-10, -0.2e-10 * coupling, -0.03e-10 * coupling);  // [C]
    matrix(5.0, 0.5, 0.0);                 // [R]
    matrix(1e-4, -1e-5, 0.0);              // [G]
    s << length << '\n';
    return s.str();
}

// The quiet CONFIG.DAT, the sweep and `count` lines of n coupled
// conductors: line k is 0.02 + length_step * k long and its couplings are
// scaled by 1 + coupling_step * k.
inline void write_coupled_lines(const std::filesystem::path& dir, const std::string& sweep, int count, int n,
                                double length_step, double coupling_step) {
    write_quiet_config(dir);
    write_file(dir / "FRQINP.DAT", sweep);
    std::ostringstream lines;
    lines << count << '\n';
    for (int k = 0; k < count; ++k) lines << n << '\n';
    for (int k = 0; k < count; ++k) lines << coupled_line(n, 0.02 + length_step * k, 1.0 + coupling_step * k);
    write_file(dir / "LININP.DAT", lines.str());
}

// n nodes of the network file in a row: the first `ports` of them carry 50
// ohm ports numbered from first_port, the others `other` (their element
// lines, or "0\n" for none).
inline void write_port_nodes(std::ostream& net, int n, int ports, int first_port, const std::string& other) {
    for (int c = 0; c < n; ++c) {
        if (c < ports)
            net << "1\n6 50 " << first_port + c << '\n';
        else
            net << other;
    }
}

// 16 lines of 16 conductors in a chain, each far end shorted to the next
// line's near end; ports at the first line's near end and the last line's
// far end. The lines differ in length only, unless `distinct_lines` gives
// each its own couplings.
inline void write_limit_network(const std::filesystem::path& dir, const std::string& sweep,
                                bool distinct_lines = false) {
    constexpr int LINES = 16, N = 16;
    write_coupled_lines(dir, sweep, LINES, N, 0.001, distinct_lines ? 0.02 : 0.0);

    std::ostringstream net;
    net << LINES * 2 * N << "\n6\n";
    for (int k = 0; k < LINES; ++k) {
        const int first = 1 + k * 2 * N;
        write_port_nodes(net, N, k == 0 ? 3 : 0, 1, "0\n");  // near ends
        if (k == LINES - 1) {                                 // far ends
            write_port_nodes(net, N, 3, 4, "1\n3 1E-12 0\n");
        } else {
            for (int c = 0; c < N; ++c) net << "1\n4 0 " << first + 2 * N + c << '\n';
        }
    }
    write_file(dir / "NETINP.DAT", net.str());
}

// A star: 15 different lines of 16 conductors whose near ends all meet at
// one group of 16 own nodes (conductor c of every line at hub node c, through
// a small resistor); the far ends carry 50 ohm loads, and ports at three hub
// nodes and three far ends.
inline void write_star_network(const std::filesystem::path& dir, const std::string& sweep) {
    constexpr int LINES = 15, N = 16, HUB = LINES * 2 * N;
    write_coupled_lines(dir, sweep, LINES, N, 0.003, 0.02);

    std::ostringstream net;
    net << HUB + N << "\n6\n";
    for (int k = 0; k < LINES; ++k) {
        for (int c = 0; c < N; ++c) net << "1\n1 1 " << HUB + c + 1 << '\n';  // near ends to the hub
        write_port_nodes(net, N, k == LINES - 1 ? 3 : 0, 4, "1\n1 50 0\n");  // far ends
    }
    write_port_nodes(net, N, 3, 1, "0\n");
    write_file(dir / "NETINP.DAT", net.str());
}

// The densest pattern the input allows: 15 different lines of 16 conductors
// and 16 own nodes, every line end tied to every own node by a capacitor;
// ports at six own nodes, the other own nodes loaded by 50 ohm.
inline void write_dense_network(const std::filesystem::path& dir, const std::string& sweep) {
    constexpr int LINES = 15, N = 16, OWN = LINES * 2 * N;
    write_coupled_lines(dir, sweep, LINES, N, 0.003, 0.02);

    std::ostringstream net;
    net << OWN + N << "\n6\n";
    for (int i = 0; i < OWN; ++i) {
        net << N << '\n';
        for (int c = 0; c < N; ++c) net << "3 1E-13 " << OWN + c + 1 << '\n';
    }
    write_port_nodes(net, N, 6, 1, "1\n1 50 0\n");
    write_file(dir / "NETINP.DAT", net.str());
}

// A two-port: a 50 ohm line with a shunt capacitor in its middle.
inline void write_small_two_port(const std::filesystem::path& dir, const std::string& sweep) {
    write_quiet_config(dir);
    write_file(dir / "FRQINP.DAT", sweep);
    write_file(dir / "LININP.DAT",
               "2\n1\n1\n2.5E-7\n1E-10\n0.5\n1E-5\n0.2\n2.5E-7\n1E-10\n0.5\n1E-5\n0.3\n");
    write_file(dir / "NETINP.DAT",
               "4\n2\n1\n6 50 1\n1\n4 0 3\n1\n3 2E-12 0\n1\n6 50 2\n");
}

// A random network: up to 3 lines of 1 to 4 coupled conductors, up to 6 own
// nodes, resistors, inductors, capacitors, short and open circuits between
// random nodes, 1 to 4 ports, random report switches and a sweep of 3 to 12
// points from 100 MHz in steps of 100 MHz. With `failing`, one more line (a
// single conductor) has an LC product so large that its modes overflow from
// 300 MHz on: the sweep fails at its third point.
inline void write_random_network(const std::filesystem::path& dir, unsigned seed, bool failing) {
    std::mt19937 rng(seed);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    std::ostringstream config;
    config << "0 0\n1E9\n0.5\n1\n0 0 0 0 0\n" << pick(0, 1) << ' ' << pick(0, 1) << ' ' << pick(1, 4) << ' '
           << pick(0, 1) << ' ' << pick(0, 1) << '\n';
    write_file(dir / "CONFIG.DAT", config.str());
    write_file(dir / "FRQINP.DAT", "1E8 1E8 " + std::to_string(pick(2, 11)) + "\n");

    const int line_count = pick(failing ? 0 : 1, 3) + (failing ? 1 : 0);
    std::ostringstream lines;
    lines.precision(7);
    lines << line_count << '\n';
    int conductors[4];
    int line_nodes = 0;
    for (int k = 0; k < line_count; ++k) {
        conductors[k] = failing && k == line_count - 1 ? 1 : pick(1, 4);
        line_nodes += 2 * conductors[k];
        lines << conductors[k] << '\n';
    }
    for (int k = 0; k < line_count; ++k) {
        const int n = conductors[k];
        const bool overflowing = failing && k == line_count - 1;
        const double diagonal[4] = {overflowing ? 1.2e10 : uniform(2e-7, 5e-7), overflowing ? 1.2e10 : uniform(0.8e-10, 2e-10),
                                    uniform(0, 10), uniform(0, 1e-3)};
        for (int m = 0; m < 4; ++m) {
            const double coupling = uniform(0.05, 0.3) * diagonal[m] * (m == 1 ? -1 : 1);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) lines << (i == j ? diagonal[m] : coupling / (1 + (i > j ? i - j : j - i))) << ' ';
                lines << '\n';
            }
        }
        lines << uniform(0.01, 0.5) << '\n';
    }
    write_file(dir / "LININP.DAT", lines.str());

    const int nodes = line_nodes + pick(line_nodes == 0 ? 1 : 0, 6);
    const int ports = pick(1, std::min(4, nodes));
    std::vector<std::vector<std::string>> elements(nodes);
    std::vector<int> port_nodes(nodes);
    for (int i = 0; i < nodes; ++i) port_nodes[i] = i;
    std::shuffle(port_nodes.begin(), port_nodes.end(), rng);
    for (int p = 0; p < ports; ++p)
        elements[port_nodes[p]].push_back("6 " + std::to_string(pick(25, 100)) + " " + std::to_string(p + 1));
    for (int i = 0; i < nodes; ++i) {
        // Own nodes get at least one element; any node may get a few more.
        const int extra = pick(i >= line_nodes ? 1 : 0, 2);
        for (int e = 0; e < extra; ++e) {
            const int code = pick(1, 5);
            const int second = pick(0, nodes);
            std::ostringstream element;
            element.precision(6);
            const double value = code == 1 ? uniform(1, 1000) : code == 2 ? uniform(1e-9, 1e-7) : uniform(1e-13, 1e-11);
            element << code << ' ' << value << ' ' << (second == i + 1 ? 0 : second);
            elements[i].push_back(element.str());
        }
    }
    std::ostringstream net;
    net << nodes << '\n' << ports << '\n';
    for (int i = 0; i < nodes; ++i) {
        net << elements[i].size() << '\n';
        for (const std::string& e : elements[i]) net << e << '\n';
    }
    write_file(dir / "NETINP.DAT", net.str());
}

}  // namespace solver_testing
