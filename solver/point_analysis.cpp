#include "point_analysis.h"

#include <cmath>
#include <string>

#include "fixed_fields.h"
#include "run_report.h"
#include "s_levels.h"

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

// The modes and characteristic impedance (when wanted) of a line with the
// same matrices: their n x n parts only; the propagation factors are set
// for the line's own length afterwards.
void copy_modes(const ModalSolution& from, const ComplexF* from_zc, ModalSolution& to, ComplexF* to_zc) {
    const int n = from.conductor_count;
    to.conductor_count = n;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            to.modal_voltage_matrix[i + j * LINE_LD] = from.modal_voltage_matrix[i + j * LINE_LD];
            to.modal_current_matrix[i + j * LINE_LD] = from.modal_current_matrix[i + j * LINE_LD];
            if (to_zc) to_zc[i + j * LINE_LD] = from_zc[i + j * LINE_LD];
        }
        to.propagation_coefficients[j] = from.propagation_coefficients[j];
    }
}

PointFailure failure(const char* message, std::string diagnostic) {
    return PointFailure{message_text({message}), std::move(diagnostic)};
}

}  // namespace

PointAnalysis::PointAnalysis(const SolverRun& run, SweepTables& tables, NodalEquations& equations)
    : run_(run),
      sys_(tables),
      equations_(equations),
      n_nodes_(run.network.node_count),
      z_ref_(reference_impedance(run.network)) {
    for (int k = 1; k <= run.lines.line_count; ++k) same_line_[k - 1] = first_same_line(run.lines, k);
}

void PointAnalysis::add_admittance(int node, int second_node, ComplexD y) {
    const int i = node - 1;
    a(i, i) += y;
    if (second_node != 0) {
        const int l = second_node - 1;
        a(l, l) += y;
        a(i, l) -= y;
        a(l, i) = a(i, l);
    }
}

void PointAnalysis::stamp_lumped_network(double omega) {
    equations_.clear();

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
                    add_admittance(i, el.index, ComplexD(SHORT_CIRCUIT_FACTOR / z_ref_, 0.0));
                    break;
                default: break;  // open circuits and ports add nothing here
            }
        }
    }
    // A small conductance to ground keeps floating nodes solvable.
    const double leak = 1.0 / (static_cast<double>(z_ref_) * GROUND_LEAK_FACTOR);
    for (int i = 0; i < n_nodes_; ++i) a(i, i) += leak;
    // Every port is terminated in its nominal impedance.
    for (int p = 0; p < net.port_count; ++p) {
        const int node = net.port_node[p] - 1;
        a(node, node) += 1.0 / static_cast<double>(net.nominal_impedance[p]);
    }
}

// Replaces the line's columns by themselves times W, then adds the currents
// flowing from the end nodes into the conductors.
void PointAnalysis::enter_line(int k, const ModalSolution& m) {
    const int n = m.conductor_count;
    const int f0 = run_.lines.first_node[k - 1] - 1;
    ComplexD* w = sys_.wave_map[k - 1];

    for (int j = 0; j < n; ++j) {
        const ComplexD e(m.propagation_factors[j]);
        sys_.wave_factors[j] = e;
        for (int i = 0; i < n; ++i) {
            const ComplexD v(m.modal_voltage_matrix[i + j * LINE_LD]);
            w[i + j * WAVE_LD] = v;
            w[i + (n + j) * WAVE_LD] = v * e;
            w[(n + i) + j * WAVE_LD] = v * e;
            w[(n + i) + (n + j) * WAVE_LD] = v;
        }
    }

    equations_.substitute_line_columns(f0, n, w, WAVE_LD, sys_.wave_factors);

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

// A line whose per-unit-length matrices equal an earlier line's takes that
// line's modes (the same computation would give the same values); only its
// propagation factors depend on its own length.
bool PointAnalysis::enter_lines(float f, float omega, PointResult& result, LineClaims* claims) {
    const bool zc_wanted = run_.options.suppress_modal_report != 1;
    for (int k = 1; k <= run_.lines.line_count; ++k) {
        ModalSolution& modes = result.modes[k - 1];
        ComplexF* zc = zc_wanted ? result.characteristic_impedance[k - 1] : nullptr;
        const int same = same_line_[k - 1];
        if (same != k) {
            copy_modes(result.modes[same - 1], result.characteristic_impedance[same - 1], modes, zc);
            set_propagation_factors(modes, run_.lines.line_length[k - 1]);
        } else {
            const bool helped = claims && !claims->claim(k);
            const bool analysed = helped ? claims->wait_for(k, result.failure)
                                         : analyse_line(run_.options, run_.lines, k, f, omega, modes, zc,
                                                        sys_.modal_work, result.failure);
            if (!analysed) {
                if (claims) claims->finish();
                result.failed = true;
                return false;
            }
        }
        result.lines_analysed = k;
        enter_line(k, modes);
    }
    return true;
}

// Voltage at a port's node: the wave amplitudes of a line end are mapped back
// to the end's voltage through W; an own node's unknown is its voltage.
ComplexD PointAnalysis::port_voltage(int port, const ComplexD* solution) const {
    const int node = run_.network.port_node[port] - 1;
    const LineTable& lines = run_.lines;
    for (int k = 0; k < lines.line_count; ++k) {
        const int f0 = lines.first_node[k] - 1;
        const int width = 2 * lines.conductor_count[k];
        if (node >= f0 && node < f0 + width) {
            const ComplexD* w = sys_.wave_map[k];
            ComplexD v = 0.0;
            for (int c = 0; c < width; ++c) v += w[(node - f0) + c * WAVE_LD] * solution[f0 + c];
            return v;
        }
    }
    return solution[node];
}

// Column p of S from the solution with port p excited.
bool PointAnalysis::solve_ports(float f, PointResult& result) {
    const Network& net = run_.network;
    const int ports = net.port_count;
    ComplexD* s = result.s;
    ComplexD* x = sys_.port_solutions;
    for (int p = 0; p < ports; ++p) {
        ComplexD* column = x + p * n_nodes_;
        for (int i = 0; i < n_nodes_; ++i) column[i] = 0.0;
        // A source of 2 V behind the port's nominal impedance.
        column[net.port_node[p] - 1] = 2.0 / static_cast<double>(net.nominal_impedance[p]);
    }
    const SolveStatus status = equations_.solve(x, ports, n_nodes_);
    if (status == SolveStatus::OUT_OF_MEMORY) {
        result.fail(failure("NOT ENOUGH MEMORY FOR THE NODAL EQUATIONS",
                            "at " + frequency_text(f) + ": not enough memory to factorise the nodal equations"));
        return false;
    }
    if (status != SolveStatus::SOLVED) {
        result.fail(failure("SYSTEM OF NODAL EQUATIONS SINGULAR",
                            "at " + frequency_text(f) + ": the system of nodal equations is singular"));
        return false;
    }
    for (int p = 0; p < ports; ++p) {
        const ComplexD* solution = x + p * n_nodes_;
        for (int q = 0; q < ports; ++q) {
            const ComplexD v = port_voltage(q, solution);
            if (q == p) {
                s[q + p * PORT_LD] = v - 1.0;
            } else {
                const double ratio = static_cast<double>(net.nominal_impedance[p]) /
                                     static_cast<double>(net.nominal_impedance[q]);
                s[q + p * PORT_LD] = v * std::sqrt(ratio);
            }
        }
    }
    if (!all_finite(s, ports)) {
        result.fail(failure("SYSTEM OF NODAL EQUATIONS SINGULAR",
                            "at " + frequency_text(f) +
                                ": the nodal equations give no finite solution (values out of range)"));
        return false;
    }
    compute_s_levels(run_.options.s_report_mode, s, ports, PORT_LD, result.s_db, result.s_degrees);
    result.matrices = S_ONLY;
    return true;
}

// Z = sqrt(Zn) (I + S)(I - S)^-1 sqrt(Zn), then Y = Z^-1.
void PointAnalysis::derive_port_parameters(float f, PointResult& result) {
    const Network& net = run_.network;
    const int ports = net.port_count;
    for (int p = 0; p < ports; ++p) {
        for (int q = 0; q < ports; ++q) {
            const ComplexD identity = (p == q) ? 1.0 : 0.0;
            sys_.sum[q + p * PORT_LD] = identity + result.s[q + p * PORT_LD];
            sys_.difference[q + p * PORT_LD] = identity - result.s[q + p * PORT_LD];
        }
    }
    int error = 0;
    invert_matrix(sys_.difference, ports, PORT_LD, sys_.swaps, error);
    if (error != 0) {
        result.fail(failure("ERROR EVALUATING Z PARAMETERS", "at " + frequency_text(f) + ": I - S is singular"));
        return;
    }
    ComplexD* z = result.z;
    multiply_matrices(sys_.sum, sys_.difference, z, ports, ports, ports, PORT_LD, PORT_LD, PORT_LD);
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q)
            z[q + p * PORT_LD] = std::sqrt(static_cast<double>(net.nominal_impedance[q])) * z[q + p * PORT_LD] *
                                 std::sqrt(static_cast<double>(net.nominal_impedance[p]));
    result.matrices = S_AND_Z;

    ComplexD* y = result.y;
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q) y[q + p * PORT_LD] = z[q + p * PORT_LD];
    invert_matrix(y, ports, PORT_LD, sys_.swaps, error);
    if (error != 0) {
        result.fail(failure("ERROR EVALUATING Y PARAMETERS", "at " + frequency_text(f) + ": Z is singular"));
        return;
    }
    result.matrices = S_Z_AND_Y;
}

bool PointAnalysis::enter_point(float f, PointResult& result, LineClaims* claims) {
    result.reset(f);
    result.port_count = run_.network.port_count;
    const float omega = TWO_PI * f;
    stamp_lumped_network(omega);
    return enter_lines(f, omega, result, claims);
}

void PointAnalysis::solve_point(PointResult& result) {
    if (solve_ports(result.frequency, result)) derive_port_parameters(result.frequency, result);
}

}  // namespace solver
