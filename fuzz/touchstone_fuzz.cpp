// The Touchstone reader (mtlconv's input) on any bytes. The fuzzer's first
// line is the file's name (a version 1 file takes its port count from it),
// the rest the file.
//
// Invariants: the reader either refuses the file with a one-line message
// that names a line and what was expected there, or gives a network that
// holds together: 1 to the limit of ports, a positive reference impedance
// per port, at least one point, finite frequencies in increasing order and
// finite values. What the writer makes of such a network reads back as the
// same network.
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz_folder.h"
#include "touchstone.h"

namespace {

using fuzz::require;
using namespace portfiles;

constexpr std::size_t MAX_NAME = 40;

bool one_line_of_text(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

void check_refusal(const TouchstoneReading& r, const std::string& name) {
    require(r.error.file == name, "a refusal names the file");
    require(r.error.line >= 1, "a refusal of a stream names a line");
    require(!r.error.expected.empty(), "a refusal says what was expected");
    require(one_line_of_text(r.error.message()), "a refusal is one line of text");
}

void check_network(const TouchstoneNetwork& network, const ReadLimits& limits) {
    const PortSweep& sweep = network.sweep;
    const int n = sweep.port_count;
    require(n >= 1 && n <= limits.max_ports, "port count within the limit");
    require(network.reference.size() == static_cast<std::size_t>(n), "one reference impedance per port");
    for (double r : network.reference) require(std::isfinite(r) && r > 0, "positive reference impedance");
    require(sweep.points() >= 1 && sweep.points() <= limits.max_points, "point count within the limit");
    require(sweep.values.size() == sweep.points() * sweep.matrix_size(), "one matrix per point");
    for (std::size_t k = 0; k < sweep.points(); ++k) {
        require(std::isfinite(sweep.frequencies[k]) && sweep.frequencies[k] >= 0, "finite frequency");
        require(k == 0 || sweep.frequencies[k] > sweep.frequencies[k - 1], "increasing frequencies");
    }
    for (const std::complex<double>& v : sweep.values)
        require(std::isfinite(v.real()) && std::isfinite(v.imag()), "finite values");
}

// Y and Z of a version 1 file are written normalised to the reference
// resistance; a value that leaves the range of numbers on the way cannot
// come back.
bool writable(const TouchstoneNetwork& network) {
    const double r = network.reference.front();
    if (!std::isfinite(1 / r)) return false;
    for (const std::complex<double>& v : network.sweep.values)
        for (double part : {v.real(), v.imag()})
            if (!std::isfinite(part * r) || !std::isfinite(part * (1 / r))) return false;
    return true;
}

// Twelve significant digits, and what normalising to the resistance r loses
// below the normal numbers.
bool close(double a, double b, double r) {
    const double subnormal_loss = 8 * std::numeric_limits<double>::denorm_min() * std::fmax(r, 1 / r);
    return std::fabs(a - b) <= 1e-10 * std::fmax(std::fabs(a), std::fabs(b)) + subnormal_loss;
}

void check_round_trip(const TouchstoneNetwork& network) {
    std::ostringstream text;
    write_touchstone(text, network, {"fuzz"});
    std::istringstream in(text.str());
    const TouchstoneReading back = read_touchstone_stream(in, default_touchstone_name(network.sweep.port_count));
    require(back.ok, "what the writer writes reads back");
    require(back.network.kind == network.kind, "the kind reads back");
    require(back.network.reference == network.reference, "the reference impedances read back");
    require(back.network.sweep.port_count == network.sweep.port_count, "the port count reads back");
    require(back.network.sweep.frequencies == network.sweep.frequencies, "the frequencies read back exactly");
    const double r = network.reference.front();
    for (std::size_t i = 0; i < network.sweep.values.size(); ++i) {
        const std::complex<double> a = network.sweep.values[i], b = back.network.sweep.values[i];
        require(close(a.real(), b.real(), r) && close(a.imag(), b.imag(), r), "the values read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t end_of_name = bytes.find('\n');
    if (end_of_name == std::string_view::npos || end_of_name > MAX_NAME) return 0;
    std::string name(bytes.substr(0, end_of_name));
    if (!one_line_of_text(name)) return 0;  // names come from a command line, shown as they are
    std::istringstream in(std::string(bytes.substr(end_of_name + 1)));

    const ReadLimits limits;  // as mtlconv reads
    const TouchstoneReading r = read_touchstone_stream(in, name, limits);
    if (!r.ok) {
        check_refusal(r, name);
        return 0;
    }
    require(r.version == 1 || r.version == 2, "version 1 or 2");
    check_network(r.network, limits);
    for (const std::string& note : r.notes) require(one_line_of_text(note), "a note is one line of text");
    if (writable(r.network)) check_round_trip(r.network);
    return 0;
}
