#include <charconv>
#include <cmath>
#include <string>

#include "touchstone.h"

namespace portfiles {

namespace {

constexpr int VALUE_PRECISION = 11;  // digits after the point: twelve significant
constexpr int PAIRS_PER_LINE = 4;

void put_value(std::string& line, double value) {
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, VALUE_PRECISION);
    line += ' ';
    if (!std::signbit(value)) line += ' ';  // columns line up whatever the sign
    line.append(text, end.ptr);
}

// The shortest text that reads back as the same value, without exponent.
std::string exact(double value) {
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, end.ptr);
}

const char* kind_letter(ParameterKind kind) {
    switch (kind) {
        case ParameterKind::S: return "S";
        case ParameterKind::Y: return "Y";
        case ParameterKind::Z: return "Z";
    }
    return "S";
}

bool one_reference(const TouchstoneNetwork& network) {
    for (double r : network.reference)
        if (r != network.reference.front()) return false;
    return true;
}

}  // namespace

std::string default_touchstone_name(int port_count) { return "NETWORK.s" + std::to_string(port_count) + "p"; }

void write_touchstone(std::ostream& out, const TouchstoneNetwork& network, const std::vector<std::string>& comments) {
    const PortSweep& sweep = network.sweep;
    const int n = sweep.port_count;
    const bool version_1 = one_reference(network);
    const double r = network.reference.empty() ? 50.0 : network.reference.front();
    for (const std::string& comment : comments) out << "! " << comment << '\n';
    if (!version_1) out << "[Version] 2.0\n";
    out << "# Hz " << kind_letter(network.kind) << " RI R " << exact(r) << '\n';
    if (!version_1) {
        out << "[Number of Ports] " << n << '\n';
        if (n == 2) out << "[Two-Port Data Order] 12_21\n";
        out << "[Number of Frequencies] " << sweep.points() << '\n';
        // The impedances on a line of their own, as every reader takes them.
        out << "[Reference]\n";
        for (int p = 0; p < n; ++p) out << (p ? " " : "") << exact(network.reference[p]);
        out << "\n[Network Data]\n";
    }
    // Version 1 gives Y and Z normalised to the reference resistance.
    double scale = 1;
    if (version_1 && network.kind == ParameterKind::Z) scale = 1 / r;
    if (version_1 && network.kind == ParameterKind::Y) scale = r;

    std::string line;
    for (std::size_t k = 0; k < sweep.points(); ++k) {
        line = exact(sweep.frequencies[k]);
        auto put = [&](int q, int p) {
            const std::complex<double> v = sweep.at(k, q, p) * scale;
            put_value(line, v.real());
            put_value(line, v.imag());
        };
        if (version_1 && n <= 2) {
            // One line: N11 (N21 N12 N22).
            put(0, 0);
            if (n == 2) put(1, 0), put(0, 1), put(1, 1);
            out << line << '\n';
            continue;
        }
        // Row by row, each row on lines of at most four values.
        for (int q = 0; q < n; ++q) {
            for (int p = 0; p < n; ++p) {
                if (p > 0 && p % PAIRS_PER_LINE == 0) {
                    out << line << '\n';
                    line = "  ";
                }
                put(q, p);
            }
            out << line << '\n';
            line = "  ";
        }
    }
    if (!version_1) out << "[End]\n";
}

}  // namespace portfiles
