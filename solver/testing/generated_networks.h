// Input sets generated for tests and benchmarks: a network at the solver's
// limits (16 lines of 16 coupled conductors, 512 nodes, 6 ports) and a small
// two-port, written as the four input files into a directory.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace solver_testing {

inline void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Run options with the input echo and every result section but S switched off.
inline void write_quiet_config(const std::filesystem::path& dir) {
    write_file(dir / "CONFIG.DAT", "0 0\n1E9\n0.5\n1.0\n0 0 0 0 0\n1 1 1 1 1\n");
}

// A lossy line of n coupled conductors: each couples to its neighbours.
inline std::string coupled_line(int n, double length) {
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
    matrix(3.2e-7, 0.6e-7, 0.15e-7);      // [L]
    matrix(1.3e-10, -0.2e-10, -0.03e-10);  // [C]
    matrix(5.0, 0.5, 0.0);                 // [R]
    matrix(1e-4, -1e-5, 0.0);              // [G]
    s << length << '\n';
    return s.str();
}

// 16 lines of 16 conductors in a chain, each far end shorted to the next
// line's near end; ports at the first line's near end and the last line's
// far end.
inline void write_limit_network(const std::filesystem::path& dir, const std::string& sweep) {
    constexpr int LINES = 16, N = 16;
    write_quiet_config(dir);
    write_file(dir / "FRQINP.DAT", sweep);
    std::ostringstream lines;
    lines << LINES << '\n';
    for (int k = 0; k < LINES; ++k) lines << N << '\n';
    for (int k = 0; k < LINES; ++k) lines << coupled_line(N, 0.02 + 0.001 * k);
    write_file(dir / "LININP.DAT", lines.str());

    std::ostringstream net;
    net << LINES * 2 * N << "\n6\n";
    for (int k = 0; k < LINES; ++k) {
        const int first = 1 + k * 2 * N;
        for (int c = 0; c < N; ++c) {  // near ends
            if (k == 0 && c < 3)
                net << "1\n6 50 " << c + 1 << '\n';
            else
                net << "0\n";
        }
        for (int c = 0; c < N; ++c) {  // far ends
            if (k == LINES - 1) {
                if (c < 3)
                    net << "1\n6 50 " << c + 4 << '\n';
                else
                    net << "1\n3 1E-12 0\n";
            } else {
                net << "1\n4 0 " << first + 2 * N + c << '\n';
            }
        }
    }
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

}  // namespace solver_testing
