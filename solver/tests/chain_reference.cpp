#include "chain_reference.h"

#include <algorithm>
#include <cmath>

namespace solver_test {

DenseMatrix multiply(const DenseMatrix& a, const DenseMatrix& b) {
    DenseMatrix c(a.rows, b.columns);
    for (int j = 0; j < b.columns; ++j)
        for (int l = 0; l < a.columns; ++l) {
            const CD blj = b(l, j);
            for (int i = 0; i < a.rows; ++i) c(i, j) += a(i, l) * blj;
        }
    return c;
}

DenseMatrix solve(DenseMatrix a, DenseMatrix b) {
    const int n = a.rows;
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::abs(a(i, k)) > std::abs(a(p, k))) p = i;
        for (int j = 0; j < n; ++j) std::swap(a(k, j), a(p, j));
        for (int j = 0; j < b.columns; ++j) std::swap(b(k, j), b(p, j));
        for (int i = k + 1; i < n; ++i) {
            const CD m = a(i, k) / a(k, k);
            if (m == 0.0) continue;
            for (int j = k + 1; j < n; ++j) a(i, j) -= m * a(k, j);
            for (int j = 0; j < b.columns; ++j) b(i, j) -= m * b(k, j);
        }
    }
    for (int j = 0; j < b.columns; ++j)
        for (int i = n - 1; i >= 0; --i) {
            CD s = b(i, j);
            for (int l = i + 1; l < n; ++l) s -= a(i, l) * b(l, j);
            b(i, j) = s / a(i, i);
        }
    return b;
}

// Scaling and squaring with the diagonal Pade approximant of degree 8.
DenseMatrix exponential(DenseMatrix x) {
    const int n = x.rows;
    double norm = 0;
    for (int j = 0; j < n; ++j) {
        double column = 0;
        for (int i = 0; i < n; ++i) column += std::abs(x(i, j));
        norm = std::max(norm, column);
    }
    const int squarings = norm > 0.5 ? static_cast<int>(std::ceil(std::log2(norm / 0.5))) : 0;
    for (CD& e : x.v) e = std::ldexp(1.0, -squarings) * e;
    constexpr int M = 8;
    double c[M + 1] = {1.0};
    for (int k = 1; k <= M; ++k) c[k] = c[k - 1] * (M - k + 1) / (k * (2.0 * M - k + 1));
    DenseMatrix even(n, n), odd(n, n), power(n, n);
    for (int i = 0; i < n; ++i) power(i, i) = 1.0;
    const DenseMatrix square = multiply(x, x);
    for (int k = 0; k <= M; k += 2) {
        for (size_t e = 0; e < power.v.size(); ++e) {
            even.v[e] += c[k] * power.v[e];
            if (k + 1 <= M) odd.v[e] += c[k + 1] * power.v[e];
        }
        if (k + 2 <= M) power = multiply(power, square);
    }
    odd = multiply(x, odd);
    DenseMatrix numerator(n, n), denominator(n, n);
    for (size_t e = 0; e < x.v.size(); ++e) {
        numerator.v[e] = even.v[e] + odd.v[e];
        denominator.v[e] = even.v[e] - odd.v[e];
    }
    DenseMatrix result = solve(denominator, numerator);
    for (int s = 0; s < squarings; ++s) result = multiply(result, result);
    return result;
}

namespace {

double frobenius(const DenseMatrix& m) {
    double sum = 0;
    for (const CD& e : m.v) sum += std::norm(e);
    return std::sqrt(sum);
}

// Adds the admittance matrix of line k (currents from its end nodes into
// its conductors) to the nodal matrix.
void stamp_line(const solver::SolverRun& run, int k, float f, float omega, DenseMatrix& nodal) {
    const solver::LineTable& lines = run.lines;
    const int n = lines.conductor_count[k];
    const float ratio = f / run.options.reference_frequency;
    const double a_r = std::pow(ratio, run.options.r_exponent);
    const double a_g = std::pow(ratio, run.options.g_exponent);
    DenseMatrix z(n, n), y(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            z(i, j) = CD(lines.resistance[k][i][j] * a_r, double(omega) * lines.inductance[k][i][j]);
            y(i, j) = CD(lines.conductance[k][i][j] * a_g, double(omega) * lines.capacitance[k][i][j]);
        }
    // Balanced variables (V, z0 I): d/dx [V; z0 I] = [[0, -Z'/z0], [-z0 Y', 0]] [V; z0 I].
    const double z0 = std::sqrt(frobenius(z) / frobenius(y));
    const double length = lines.line_length[k];
    DenseMatrix m(2 * n, 2 * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            m(i, n + j) = -length * z(i, j) / z0;
            m(n + i, j) = -length * z0 * y(i, j);
        }
    const DenseMatrix chain = exponential(m);
    // V2 = A V1 + B I1 and I(x = length) = C V1 + D I1.
    DenseMatrix a(n, n), b(n, n), c(n, n), d(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            a(i, j) = chain(i, j);
            b(i, j) = chain(i, n + j) * z0;
            c(i, j) = chain(n + i, j) / z0;
            d(i, j) = chain(n + i, n + j);
        }
    DenseMatrix identity(n, n);
    for (int i = 0; i < n; ++i) identity(i, i) = 1.0;
    const DenseMatrix b_inverse = solve(b, identity);
    const DenseMatrix b_inverse_a = multiply(b_inverse, a);
    const DenseMatrix d_b_inverse = multiply(d, b_inverse);
    const DenseMatrix d_b_inverse_a = multiply(d, b_inverse_a);
    // I1 = B^-1 (V2 - A V1); the current into the line at end 2 is -I(length).
    const int e1 = lines.first_node[k] - 1, e2 = e1 + n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            nodal(e1 + i, e1 + j) -= b_inverse_a(i, j);
            nodal(e1 + i, e2 + j) += b_inverse(i, j);
            nodal(e2 + i, e1 + j) += d_b_inverse_a(i, j) - c(i, j);
            nodal(e2 + i, e2 + j) -= d_b_inverse(i, j);
        }
}

}  // namespace

PortMatrices reference_port_matrices(const solver::SolverRun& run, float f) {
    const solver::Network& net = run.network;
    const int nodes = net.node_count, ports = net.port_count;
    const float omega = solver::TWO_PI * f;
    double product = 1.0;
    for (int p = 0; p < ports; ++p) product *= net.nominal_impedance[p];
    const double z_ref = static_cast<float>(std::pow(product, 1.0 / ports));

    DenseMatrix nodal(nodes, nodes);
    auto connect = [&](int i, int l, CD y) {
        nodal(i, i) += y;
        if (l < 0) return;
        nodal(l, l) += y;
        nodal(i, l) -= y;
        nodal(l, i) -= y;
    };
    for (int i = 0; i < nodes; ++i) {
        for (int e = 0; e < net.element_count[i]; ++e) {
            const solver::NodeElement& el = net.elements[i][e];
            const double value = el.value;
            const int other = el.index - 1;
            switch (el.code) {
                case solver::RESISTOR: connect(i, other, 1.0 / value); break;
                case solver::INDUCTOR: connect(i, other, 1.0 / CD(0, omega * value)); break;
                case solver::CAPACITOR: connect(i, other, CD(0, omega * value)); break;
                case solver::SHORT_CIRCUIT: connect(i, other, 1e6 / z_ref); break;
                default: break;
            }
        }
        nodal(i, i) += 1.0 / (z_ref * 1e6);
    }
    for (int p = 0; p < ports; ++p) {
        const int node = net.port_node[p] - 1;
        nodal(node, node) += 1.0 / net.nominal_impedance[p];
    }
    for (int k = 0; k < run.lines.line_count; ++k) stamp_line(run, k, f, omega, nodal);

    // Port p driven by 2 V behind its nominal impedance.
    DenseMatrix sources(nodes, ports);
    for (int p = 0; p < ports; ++p) sources(net.port_node[p] - 1, p) = 2.0 / net.nominal_impedance[p];
    const DenseMatrix voltages = solve(nodal, sources);
    PortMatrices r{DenseMatrix(ports, ports), DenseMatrix(ports, ports), DenseMatrix(ports, ports)};
    DenseMatrix sum(ports, ports), difference(ports, ports);
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q) {
            const CD v = voltages(net.port_node[q] - 1, p);
            r.s(q, p) = q == p ? v - 1.0
                               : v * std::sqrt(double(net.nominal_impedance[p]) / net.nominal_impedance[q]);
            sum(q, p) = (q == p ? 1.0 : 0.0) + r.s(q, p);
            difference(q, p) = (q == p ? 1.0 : 0.0) - r.s(q, p);
        }
    // Z = sqrt(Zn) (I + S)(I - S)^-1 sqrt(Zn): solve (I - S)^T X = (I + S)^T.
    DenseMatrix dt(ports, ports), st(ports, ports), identity(ports, ports);
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q) {
            dt(q, p) = difference(p, q);
            st(q, p) = sum(p, q);
        }
    const DenseMatrix zt = solve(dt, st);
    for (int p = 0; p < ports; ++p) {
        identity(p, p) = 1.0;
        for (int q = 0; q < ports; ++q)
            r.z(q, p) = std::sqrt(double(net.nominal_impedance[q])) * zt(p, q) *
                        std::sqrt(double(net.nominal_impedance[p]));
    }
    r.y = solve(r.z, identity);
    return r;
}

}  // namespace solver_test
