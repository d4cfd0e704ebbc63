// The solver's four input stages on one input set, and the frequency sweep
// when the set is small. The fuzzer's bytes hold CONFIG.DAT, FRQINP.DAT,
// LININP.DAT and NETINP.DAT in this order, each ended by a line "%%"; a
// file without bytes is absent.
//
// Invariants: a failed run gives exactly one diagnostic line; a run that
// passes the input stages leaves tables within the solver's limits, with
// finite values, symmetric line matrices and a consistent network.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "frequency_sweep.h"
#include "fuzz_folder.h"
#include "input_stages.h"
#include "solver_run.h"

namespace {

using fuzz::require;
using namespace solver;

constexpr const char* FILE_NAMES[4] = {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"};
constexpr std::string_view FILE_END = "%%\n";

// Sweeps beyond these sizes take too long for a fuzzing run.
constexpr int SWEEP_POINTS = 3;
constexpr int SWEEP_NODES = 48;

void check_options(const RunOptions& o) {
    require(std::isfinite(o.reference_frequency) && o.reference_frequency > 0, "reference frequency");
    require(o.r_exponent >= 0 && o.r_exponent < 10 && o.g_exponent >= 0 && o.g_exponent < 10, "exponents");
}

void check_sweep(const FrequencySweep& s) {
    require(std::isfinite(s.start_frequency) && s.start_frequency > 0, "start frequency");
    require(std::isfinite(s.frequency_step) && s.frequency_step >= 0, "frequency step");
    require(s.step_count >= 0 && s.step_count <= MAX_FREQUENCY_STEPS, "step count");
    require(std::isfinite(s.last_frequency()), "last frequency");
}

void check_lines(const LineTable& t) {
    require(t.line_count >= 0 && t.line_count <= MAX_LINES, "line count");
    int node = 1;
    for (int k = 0; k < t.line_count; ++k) {
        const int n = t.conductor_count[k];
        require(n >= 1 && n <= MAX_CONDUCTORS, "conductor count");
        require(t.first_node[k] == node, "line-end numbering");
        node += 2 * n;
        for (auto* m : {t.inductance[k], t.capacitance[k], t.resistance[k], t.conductance[k]})
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    require(std::isfinite(m[r][c]) && m[r][c] == m[c][r], "finite symmetric line matrix");
        require(std::isfinite(t.line_length[k]), "finite line length");
    }
    require(t.line_port_count == node - 1 && t.line_port_count <= MAX_NODES, "line-end node count");
}

void check_network(const Network& net, const LineTable& lines) {
    require(net.node_count >= std::max(1, lines.line_port_count) && net.node_count <= MAX_NODES, "node count");
    require(net.port_count >= 1 && net.port_count <= MAX_PORTS, "port count");
    for (int i = 0; i < net.node_count; ++i) {
        require(net.element_count[i] >= 0 && net.element_count[i] <= MAX_ELEMENTS_PER_NODE, "element count");
        for (int e = 0; e < net.element_count[i]; ++e) {
            const NodeElement& el = net.elements[i][e];
            require(el.code >= RESISTOR && el.code <= PORT, "element code");
            require(std::isfinite(el.value), "finite element value");
            if (el.code == PORT) {
                require(el.index >= 1 && el.index <= net.port_count, "port number");
                require(el.value > 0, "port impedance");
            } else {
                require(el.index >= 0 && el.index <= net.node_count, "second node");
                if (el.code != SHORT_CIRCUIT && el.code != OPEN_CIRCUIT) require(el.value > 0, "element value");
            }
        }
    }
    for (int p = 0; p < net.port_count; ++p) {
        require(net.port_node[p] >= 1 && net.port_node[p] <= net.node_count, "port node");
        require(net.nominal_impedance[p] > 0 && std::isfinite(net.nominal_impedance[p]), "nominal impedance");
    }
}

void check_one_diagnostic_line(const std::string& text) {
    require(text.rfind("mtlnet: ", 0) == 0 && text.size() > 9, "a diagnostic for a failed run");
    require(text.find('\n') == text.size() - 1, "exactly one diagnostic line");
}

bool small_enough_to_sweep(const SolverRun& run) {
    return run.sweep.step_count + 1 <= SWEEP_POINTS && run.network.node_count <= SWEEP_NODES;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::FuzzFolder folder("mtl_fuzz_solver");
    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const char* name : FILE_NAMES) {
        const std::size_t end = input.find(FILE_END);
        const std::string_view file = input.substr(0, end);
        if (file.empty())
            std::filesystem::remove(folder.path() / name);
        else
            folder.write(name, file);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + FILE_END.size());
    }

    std::ostringstream diagnostics, warnings;  // warnings about odd input are not failures
    auto run = std::make_unique<SolverRun>(folder.path(), diagnostics, MtlnetOptions{}, &warnings);
    std::string reason;
    require(run->report.open(folder.path() / "VDANOUT.DAT", reason), "report opens");
    int error_flag = 0;
    read_configuration(*run, error_flag);
    if (error_flag == 0) read_frequency_sweep(*run, error_flag);
    if (error_flag == 0) read_transmission_lines(*run, error_flag);
    if (error_flag == 0) read_network(*run, error_flag);
    if (error_flag == 0) {
        require(diagnostics.str().empty(), "no diagnostic without a failure");
        check_options(run->options);
        check_sweep(run->sweep);
        check_lines(run->lines);
        check_network(run->network, run->lines);
        if (small_enough_to_sweep(*run)) run_frequency_sweep(*run, error_flag);
    }
    run->report.close();
    if (error_flag != 0)
        check_one_diagnostic_line(diagnostics.str());
    else
        require(diagnostics.str().empty(), "no diagnostic without a failure");
    return 0;
}
