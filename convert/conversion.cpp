#include "conversion.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "network_parameter_reader.h"
#include "network_parameter_writer.h"
#include "option_parser.h"
#include "replace_file.h"
#include "touchstone.h"

namespace convert {

namespace {

using portfiles::ParameterKind;
using portfiles::PortSweep;

std::string lower_case(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string extension_of(const std::string& name) {
    return lower_case(std::filesystem::path(name).extension().string());
}

// The kind of a parameter file from its name: .spm or spar.dat and so on.
std::optional<ParameterKind> parameter_file_kind(const std::string& name) {
    const std::string file = lower_case(std::filesystem::path(name).filename().string());
    const std::string extension = extension_of(name);
    if (extension == ".spm" || file == "spar.dat") return ParameterKind::S;
    if (extension == ".ypm" || file == "ypar.dat") return ParameterKind::Y;
    if (extension == ".zpm" || file == "zpar.dat") return ParameterKind::Z;
    return std::nullopt;
}

bool is_parameter_file_name(const std::string& name) {
    return parameter_file_kind(name).has_value() || extension_of(name) == ".dat";
}

char letter(ParameterKind kind) { return kind == ParameterKind::S ? 'S' : kind == ParameterKind::Y ? 'Y' : 'Z'; }

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

class Conversion {
public:
    Conversion(const ConversionOptions& options, std::ostream& err) : options_(options), err_(err) {}

    int run() {
        if (parameter_file_kind(options_.output)) return touchstone_to_parameter_file();
        if (is_parameter_file_name(options_.input)) return parameter_file_to_touchstone();
        return refuse("cannot tell what to convert: one of " + options_.input + " and " + options_.output +
                      " must be a parameter file (.spm, .ypm, .zpm), the other a Touchstone file (.sNp)");
    }

private:
    int refuse(const std::string& why) {
        err_ << "mtlconv: " << why << '\n';
        return 1;
    }
    void note(const std::string& what) { err_ << "mtlconv: note: " << what << '\n'; }

    int write(const std::function<void(std::ostream&)>& writer) {
        const std::string failure = portfiles::replace_file(options_.output, writer);
        if (!failure.empty()) return refuse("cannot write " + options_.output + ": " + failure);
        return 0;
    }

    int touchstone_to_parameter_file() {
        const ParameterKind wanted = *parameter_file_kind(options_.output);
        const portfiles::TouchstoneReading reading = portfiles::read_touchstone_file(options_.input, options_.input);
        if (!reading.ok) return refuse(reading.error.message());
        for (const std::string& text : reading.notes) note(options_.input + ": " + text);
        const portfiles::TouchstoneNetwork& network = reading.network;
        const PortSweep& sweep = network.sweep;
        if (network.kind != wanted)
            return refuse(options_.input + " holds " + letter(network.kind) + "-parameters; write them to a ." +
                          static_cast<char>(std::tolower(letter(network.kind))) + "pm file");
        if (sweep.port_count > MAX_PLOTTED_PORTS)
            return refuse(options_.input + " has " + std::to_string(sweep.port_count) +
                          " ports; the plotter shows at most " + std::to_string(MAX_PLOTTED_PORTS));
        if (sweep.points() > MAX_PLOTTED_POINTS)
            return refuse(options_.input + " has " + std::to_string(sweep.points()) +
                          " frequencies; the plotter shows at most " + std::to_string(MAX_PLOTTED_POINTS));
        if (std::string why = fits_a_parameter_file(sweep); !why.empty()) return refuse(options_.input + ": " + why);
        if (!options_.lower) {
            if (std::string why = asymmetry(sweep); !why.empty()) return refuse(options_.input + ": " + why);
        }
        if (network.kind == ParameterKind::S) {
            for (double r : network.reference)
                if (r != 50) {
                    note("the reference impedances of " + options_.input + " are not kept in " + options_.output);
                    break;
                }
        }
        return write([&](std::ostream& out) { portfiles::write_parameter_blocks(out, sweep); });
    }

    // What a parameter file cannot hold: values beyond 32 bits (the plotter
    // reads them so) and frequencies that fall together in 32 bits.
    std::string fits_a_parameter_file(const PortSweep& sweep) {
        for (std::size_t k = 0; k < sweep.points(); ++k) {
            if (k > 0 && static_cast<float>(sweep.frequencies[k]) <= static_cast<float>(sweep.frequencies[k - 1]))
                return "the frequencies " + number(sweep.frequencies[k - 1]) + " and " + number(sweep.frequencies[k]) +
                       " Hz fall together in the 32 bits a parameter file keeps";
            for (std::size_t i = 0; i < sweep.matrix_size(); ++i) {
                const std::complex<double> v = sweep.matrix(k)[i];
                if (std::fabs(v.real()) > FLT_MAX || std::fabs(v.imag()) > FLT_MAX)
                    return "a value at " + number(sweep.frequencies[k]) + " Hz lies beyond the range of the plotter";
            }
        }
        return "";
    }

    // The largest difference between M(q,p) and M(p,q), if it matters: more
    // than a parameter file's eight digits of the matrix's largest entry.
    std::string asymmetry(const PortSweep& sweep) {
        constexpr double RELATIVE = 1e-7;
        double worst = 0;
        std::size_t worst_k = 0;
        int worst_q = 0, worst_p = 0;
        double worst_difference = 0;
        for (std::size_t k = 0; k < sweep.points(); ++k) {
            double largest = 0;
            for (std::size_t i = 0; i < sweep.matrix_size(); ++i) largest = std::max(largest, std::abs(sweep.matrix(k)[i]));
            for (int q = 1; q < sweep.port_count; ++q)
                for (int p = 0; p < q; ++p) {
                    const double d = std::abs(sweep.at(k, q, p) - sweep.at(k, p, q));
                    if (d > RELATIVE * largest && d / largest > worst) {
                        worst = d / largest;
                        worst_difference = d;
                        worst_k = k, worst_q = q, worst_p = p;
                    }
                }
        }
        if (worst == 0) return "";
        const std::string m = std::string(1, 'M');
        const std::string qp = std::to_string(worst_q + 1) + "," + std::to_string(worst_p + 1);
        const std::string pq = std::to_string(worst_p + 1) + "," + std::to_string(worst_q + 1);
        return "the matrix is not reciprocal (largest |M(" + qp + ") - M(" + pq + ")| = " + number(worst_difference) +
               " at " + number(sweep.frequencies[worst_k]) +
               " Hz); a parameter file keeps the lower triangle only: --lower keeps M(q,p) for q >= p";
    }

    int parameter_file_to_touchstone() {
        std::optional<ParameterKind> kind = parameter_file_kind(options_.input);
        if (options_.kind) kind = options_.kind == 's' ? ParameterKind::S : options_.kind == 'y' ? ParameterKind::Y : ParameterKind::Z;
        if (!kind) return refuse("cannot tell the kind of " + options_.input + ": give --kind s, y or z");
        const portfiles::SweepReading reading = portfiles::read_parameter_file(options_.input, options_.input);
        if (!reading.ok) return refuse(reading.error.message());
        const PortSweep& sweep = reading.sweep;
        if (sweep.points() == 0) return refuse(options_.input + " holds no frequency");
        const int named = portfiles::port_count_from_name(options_.output);
        if (named != sweep.port_count)
            return refuse(options_.output + ": a Touchstone file of " + std::to_string(sweep.port_count) +
                          " ports is named *.s" + std::to_string(sweep.port_count) + "p");
        for (std::size_t k = 1; k < sweep.points(); ++k)
            if (sweep.frequencies[k] <= sweep.frequencies[k - 1])
                return refuse(options_.input + ": the frequency of block " + std::to_string(k + 1) +
                              " is not above the one before; a Touchstone file lists increasing frequencies");
        portfiles::TouchstoneNetwork network;
        network.kind = *kind;
        network.sweep = sweep;
        if (options_.z0.empty())
            network.reference.assign(sweep.port_count, 50.0);
        else if (options_.z0.size() == 1)
            network.reference.assign(sweep.port_count, options_.z0.front());
        else if (options_.z0.size() == static_cast<std::size_t>(sweep.port_count))
            network.reference = options_.z0;
        else
            return refuse("--z0 gives " + std::to_string(options_.z0.size()) + " impedances for " +
                          std::to_string(sweep.port_count) + " ports");
        const std::vector<std::string> comments = {
            std::string("mtlconv ") + cli::version(),
            std::string(1, letter(*kind)) + "-parameters converted from " +
                std::filesystem::path(options_.input).filename().string() + ", " + std::to_string(sweep.points()) +
                " frequencies from " + number(sweep.frequencies.front()) + " to " + number(sweep.frequencies.back()) +
                " Hz"};
        return write([&](std::ostream& out) { portfiles::write_touchstone(out, network, comments); });
    }

    const ConversionOptions& options_;
    std::ostream& err_;
};

}  // namespace

int run_conversion(const ConversionOptions& options, std::ostream& err) { return Conversion(options, err).run(); }

}  // namespace convert
