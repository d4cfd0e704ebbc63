// The frequency sweep: at every frequency the lumped elements and the lines
// (through their modes) are entered into one system of nodal equations,
// which is factorised once and solved once per excited port; S, Z and Y
// follow, are reported and appended to the parameter files. The sweep stops
// at the first failure; the files then hold the blocks completed so far.
#include "frequency_sweep.h"

#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "fixed_fields.h"
#include "modal_analysis.h"
#include "nodal_system.h"
#include "parameter_files.h"
#include "port_parameter_report.h"
#include "sweep_progress.h"

namespace solver {

namespace {

// Resistance of the short circuit and of the conductance every node gets to
// ground, relative to the reference impedance.
constexpr double SHORT_CIRCUIT_FACTOR = 1.0e6;
constexpr double GROUND_LEAK_FACTOR = 1.0e6;

std::string frequency_text(float f) { return fields::format_ew(f, 10, 3).substr(1) + " Hz"; }

// Geometric mean of the ports' nominal impedances. The product is formed in
// double precision so that six large impedances cannot overflow it.
float reference_impedance(const Network& network) {
    double product = 1.0;
    for (int p = 0; p < network.port_count; ++p) product *= network.nominal_impedance[p];
    return static_cast<float>(std::pow(product, 1.0 / network.port_count));
}

// Every entry of the n x n port matrix m is a finite number: values that
// overflowed on the way cannot go into the parameter files. (With a finite
// S, Z and Y stay finite: I - S is either exactly singular or far from
// overflowing its inverse in 64 bits.)
bool all_finite(const ComplexD* m, int n) {
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q)
            if (!std::isfinite(m[q + p * PORT_LD].real()) || !std::isfinite(m[q + p * PORT_LD].imag())) return false;
    return true;
}

class Sweep {
public:
    Sweep(SolverRun& run, NodalSystem& system, ParameterFiles& files)
        : run_(run), sys_(system), files_(files),
          n_nodes_(run.network.node_count),
          z_ref_(reference_impedance(run.network)) {}

    // Analyses one frequency; false after a failure (message written).
    bool analyse(float f, int& error_flag);

private:
    ComplexD& a(int row, int column) { return sys_.node_matrix[row + column * NODE_LD]; }
    void stamp_lumped_network(double omega, float z_ref);
    void add_admittance(int node, int second_node, ComplexD y);
    bool enter_lines(float f, float omega, int& error_flag);
    void enter_line(int k);
    ComplexD port_voltage(int port) const;
    bool derive_port_parameters(float f, int& error_flag);
    void fail(const char* message, const std::string& diagnostic, int& error_flag);

    SolverRun& run_;
    NodalSystem& sys_;
    ParameterFiles& files_;
    const int n_nodes_;
    const float z_ref_;  // the same at every frequency
};

void Sweep::add_admittance(int node, int second_node, ComplexD y) {
    const int i = node - 1;
    a(i, i) += y;
    if (second_node != 0) {
        const int l = second_node - 1;
        a(l, l) += y;
        a(i, l) -= y;
        a(l, i) = a(i, l);
    }
}

void Sweep::stamp_lumped_network(double omega, float z_ref) {
    for (int c = 0; c < n_nodes_; ++c)
        for (int r = 0; r < n_nodes_; ++r) a(r, c) = 0.0;

    const Network& net = run_.network;
    for (int i = 1; i <= n_nodes_; ++i) {
        for (int e = 0; e < net.element_count[i - 1]; ++e) {
            const NodeElement& el = net.elements[i - 1][e];
            const double value = el.value;
            switch (el.code) {
                case RESISTOR: add_admittance(i, el.index, ComplexD(1.0 / value, 0.0)); break;
                case INDUCTOR: add_admittance(i, el.index, 1.0 / ComplexD(0.0, omega * value)); break;
                case CAPACITOR: add_admittance(i, el.index, ComplexD(0.0, omega * value)); break;
                case SHORT_CIRCUIT:
                    add_admittance(i, el.index, ComplexD(SHORT_CIRCUIT_FACTOR / z_ref, 0.0));
                    break;
                default: break;  // open circuits and ports add nothing here
            }
        }
    }
    // A small conductance to ground keeps floating nodes solvable.
    const double leak = 1.0 / (static_cast<double>(z_ref) * GROUND_LEAK_FACTOR);
    for (int i = 0; i < n_nodes_; ++i) a(i, i) += leak;
    // Every port is terminated in its nominal impedance.
    for (int p = 0; p < net.port_count; ++p) {
        const int node = net.port_node[p] - 1;
        a(node, node) += 1.0 / static_cast<double>(net.nominal_impedance[p]);
    }
}

// Replaces the line's columns by themselves times W, then adds the currents
// flowing from the end nodes into the conductors.
void Sweep::enter_line(int k) {
    const ModalSolution& m = sys_.modal;
    const int n = m.conductor_count;
    const int width = 2 * n;
    const int f0 = run_.lines.first_node[k - 1] - 1;
    ComplexD* w = sys_.wave_map[k - 1];

    for (int j = 0; j < n; ++j) {
        const ComplexD e(m.propagation_factors[j]);
        for (int i = 0; i < n; ++i) {
            const ComplexD v(m.modal_voltage_matrix[i + j * LINE_LD]);
            w[i + j * WAVE_LD] = v;
            w[i + (n + j) * WAVE_LD] = v * e;
            w[(n + i) + j * WAVE_LD] = v * e;
            w[(n + i) + (n + j) * WAVE_LD] = v;
        }
    }

    // Column substitution: rows whose block is all zero stay zero.
    ComplexD* block = sys_.column_block;
    for (int r = 0; r < n_nodes_; ++r) {
        bool nonzero = false;
        for (int c = 0; c < width && !nonzero; ++c) nonzero = a(r, f0 + c) != 0.0;
        if (!nonzero) {
            for (int c = 0; c < width; ++c) block[r + c * NODE_LD] = 0.0;
            continue;
        }
        for (int c = 0; c < width; ++c) {
            ComplexD sum = 0.0;
            for (int l = 0; l < width; ++l) sum += a(r, f0 + l) * w[l + c * WAVE_LD];
            block[r + c * NODE_LD] = sum;
        }
    }
    for (int c = 0; c < width; ++c)
        for (int r = 0; r < n_nodes_; ++r) a(r, f0 + c) = block[r + c * NODE_LD];

    for (int j = 0; j < n; ++j) {
        const ComplexD e(m.propagation_factors[j]);
        for (int i = 0; i < n; ++i) {
            const ComplexD ti(m.modal_current_matrix[i + j * LINE_LD]);
            a(f0 + i, f0 + j) += ti;
            a(f0 + i, f0 + n + j) -= ti * e;
            a(f0 + n + i, f0 + j) -= ti * e;
            a(f0 + n + i, f0 + n + j) += ti;
        }
    }
}

bool Sweep::enter_lines(float f, float omega, int& error_flag) {
    for (int k = 1; k <= run_.lines.line_count; ++k) {
        analyse_line(run_, k, f, omega, sys_.modal, sys_.modal_work, error_flag);
        if (error_flag != 0) return false;
        enter_line(k);
    }
    return true;
}

// Voltage at a port's node: the wave amplitudes of a line end are mapped back
// to the end's voltage through W; an own node's unknown is its voltage.
ComplexD Sweep::port_voltage(int port) const {
    const int node = run_.network.port_node[port] - 1;
    const LineTable& lines = run_.lines;
    for (int k = 0; k < lines.line_count; ++k) {
        const int f0 = lines.first_node[k] - 1;
        const int width = 2 * lines.conductor_count[k];
        if (node >= f0 && node < f0 + width) {
            const ComplexD* w = sys_.wave_map[k];
            ComplexD v = 0.0;
            for (int c = 0; c < width; ++c) v += w[(node - f0) + c * WAVE_LD] * sys_.solution[f0 + c];
            return v;
        }
    }
    return sys_.solution[node];
}

void Sweep::fail(const char* message, const std::string& diagnostic, int& error_flag) {
    run_.report.error_message({message});
    run_.diagnose(diagnostic);
    error_flag = 1;
}

bool Sweep::derive_port_parameters(float f, int& error_flag) {
    const Network& net = run_.network;
    const int ports = net.port_count;
    const RunOptions& opt = run_.options;

    for (int p = 0; p < ports; ++p) {
        for (int i = 0; i < n_nodes_; ++i) sys_.rhs[i] = 0.0;
        // A source of 2 V behind the port's nominal impedance.
        sys_.rhs[net.port_node[p] - 1] = 2.0 / static_cast<double>(net.nominal_impedance[p]);
        int error = 0;
        solve_linear_system(sys_.node_matrix, sys_.rhs, sys_.solution, n_nodes_, NODE_LD, p > 0 ? 1 : 0,
                            error, sys_.row_order);
        if (error != 0) {
            fail("SYSTEM OF NODAL EQUATIONS SINGULAR",
                 "at " + frequency_text(f) + ": the system of nodal equations is singular", error_flag);
            return false;
        }
        for (int q = 0; q < ports; ++q) {
            const ComplexD v = port_voltage(q);
            if (q == p) {
                sys_.s[q + p * PORT_LD] = v - 1.0;
            } else {
                const double ratio = static_cast<double>(net.nominal_impedance[p]) /
                                     static_cast<double>(net.nominal_impedance[q]);
                sys_.s[q + p * PORT_LD] = v * std::sqrt(ratio);
            }
        }
    }

    if (!all_finite(sys_.s, ports)) {
        fail("SYSTEM OF NODAL EQUATIONS SINGULAR",
             "at " + frequency_text(f) + ": the nodal equations give no finite solution (values out of range)",
             error_flag);
        return false;
    }
    if (opt.s_report_mode != 1) write_s_section(run_.report, opt.s_report_mode, sys_.s, ports, PORT_LD);
    append_block(files_.spar, f, sys_.s, ports, PORT_LD);

    // Z = sqrt(Zn) (I + S)(I - S)^-1 sqrt(Zn).
    for (int p = 0; p < ports; ++p) {
        for (int q = 0; q < ports; ++q) {
            const ComplexD identity = (p == q) ? 1.0 : 0.0;
            sys_.sum[q + p * PORT_LD] = identity + sys_.s[q + p * PORT_LD];
            sys_.difference[q + p * PORT_LD] = identity - sys_.s[q + p * PORT_LD];
        }
    }
    int error = 0;
    invert_matrix(sys_.difference, ports, PORT_LD, sys_.swaps, error);
    if (error != 0) {
        fail("ERROR EVALUATING Z PARAMETERS", "at " + frequency_text(f) + ": I - S is singular", error_flag);
        return false;
    }
    multiply_matrices(sys_.sum, sys_.difference, sys_.z, ports, ports, ports, PORT_LD, PORT_LD, PORT_LD);
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q)
            sys_.z[q + p * PORT_LD] = std::sqrt(static_cast<double>(net.nominal_impedance[q])) *
                                      sys_.z[q + p * PORT_LD] *
                                      std::sqrt(static_cast<double>(net.nominal_impedance[p]));
    if (opt.suppress_z_report != 1)
        write_matrix_section(run_.report, " MATRIX OF Z PARAMETERS (\xEA)", sys_.z, ports, PORT_LD);
    append_block(files_.zpar, f, sys_.z, ports, PORT_LD);

    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q) sys_.y[q + p * PORT_LD] = sys_.z[q + p * PORT_LD];
    invert_matrix(sys_.y, ports, PORT_LD, sys_.swaps, error);
    if (error != 0) {
        fail("ERROR EVALUATING Y PARAMETERS", "at " + frequency_text(f) + ": Z is singular", error_flag);
        return false;
    }
    if (opt.suppress_y_report != 1)
        write_matrix_section(run_.report, " MATRIX OF Y PARAMETERS (S)", sys_.y, ports, PORT_LD);
    append_block(files_.ypar, f, sys_.y, ports, PORT_LD);
    return true;
}

bool Sweep::analyse(float f, int& error_flag) {
    const float omega = TWO_PI * f;
    run_.report.empty_lines(2);
    run_.report.line(" FREQUENCY" + fields::format_ew(f, 10, 3) + " Hz");
    stamp_lumped_network(omega, z_ref_);
    if (!enter_lines(f, omega, error_flag)) return false;
    return derive_port_parameters(f, error_flag);
}

bool files_intact(ParameterFiles& files) {
    return !files.spar.fail() && !files.zpar.fail() && !files.ypar.fail();
}

}  // namespace

void run_frequency_sweep(SolverRun& run, int& error_flag) {
    std::unique_ptr<NodalSystem> system(new (std::nothrow) NodalSystem);
    if (!system) {
        run.report.error_message({"NOT ENOUGH MEMORY FOR THE NODAL EQUATIONS"});
        run.diagnose("not enough memory for the nodal equations");
        error_flag = 1;
        return;
    }
    ParameterFiles files;
    std::string failed_name;
    if (!files.create(run.directory, failed_name)) {
        run.report.error_message({"ERROR CREATING PARAMETER FILES"});
        run.diagnose("cannot create the parameter file " + failed_name);
        error_flag = 1;
        return;
    }

    Sweep sweep(run, *system, files);
    const int points = run.sweep.step_count + 1;
    SweepProgress progress(points, run.command.quiet);
    for (int i = 0; i < points; ++i) {
        if (!sweep.analyse(run.sweep.frequency(i), error_flag)) break;
        if (!files_intact(files)) break;
        progress.point_done(i + 1);
    }
    files.spar.close();
    files.zpar.close();
    files.ypar.close();
    if (!files_intact(files)) {
        run.report.error_message({"ERROR WRITING PARAMETER FILES"});
        run.diagnose("the parameter files could not be written completely (disk full?)");
        error_flag = 1;
    }
}

}  // namespace solver
