#include "line_plausibility.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace solver {

namespace {

constexpr double UNSYMMETRIC_TOLERANCE = 0.01;
constexpr int MAX_JACOBI_SWEEPS = 60;
// Relative margin of lossless_speeds_within on the eigenvalues: with
// eigenvalues spread over at most (3.1E8 / 1E6)^2 = 1E5, the rounding of
// either method stays below 1E-8 of the smallest.
constexpr double EIGENVALUE_MARGIN = 1.0e-6;

// Row-major n x n matrix of doubles.
class Square {
public:
    explicit Square(int n) : n_(n), a_(static_cast<std::size_t>(n) * n, 0.0) {}
    double& operator()(int i, int j) { return a_[static_cast<std::size_t>(i) * n_ + j]; }
    double operator()(int i, int j) const { return a_[static_cast<std::size_t>(i) * n_ + j]; }
    int size() const { return n_; }

private:
    int n_;
    std::vector<double> a_;
};

Square widened(const LineMatrix& m, int n) {
    Square s(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) s(i, j) = m[i][j];
    return s;
}

// Lower Cholesky factor G with G G^T = a; empty if a is not positive definite.
std::optional<Square> cholesky(const Square& a) {
    const int n = a.size();
    Square g(n);
    for (int j = 0; j < n; ++j) {
        double d = a(j, j);
        for (int k = 0; k < j; ++k) d -= g(j, k) * g(j, k);
        if (!(d > 0.0) || !std::isfinite(d)) return std::nullopt;
        g(j, j) = std::sqrt(d);
        for (int i = j + 1; i < n; ++i) {
            double s = a(i, j);
            for (int k = 0; k < j; ++k) s -= g(i, k) * g(j, k);
            g(i, j) = s / g(j, j);
        }
    }
    return g;
}

// Eigenvalues of a symmetric matrix by cyclic Jacobi rotations.
std::vector<double> symmetric_eigenvalues(Square a) {
    const int n = a.size();
    for (int sweep = 0; sweep < MAX_JACOBI_SWEEPS; ++sweep) {
        double off = 0.0, total = 0.0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) (i == j ? total : off) += a(i, j) * a(i, j);
        if (off <= 1e-30 * (total + off)) break;
        for (int p = 0; p < n; ++p)
            for (int q = p + 1; q < n; ++q) {
                if (a(p, q) == 0.0) continue;
                const double theta = (a(q, q) - a(p, p)) / (2.0 * a(p, q));
                const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
                for (int k = 0; k < n; ++k) {  // columns p and q
                    const double kp = a(k, p), kq = a(k, q);
                    a(k, p) = c * kp - s * kq;
                    a(k, q) = s * kp + c * kq;
                }
                for (int k = 0; k < n; ++k) {  // rows p and q
                    const double pk = a(p, k), qk = a(q, k);
                    a(p, k) = c * pk - s * qk;
                    a(q, k) = s * pk + c * qk;
                }
            }
    }
    std::vector<double> values(n);
    for (int i = 0; i < n; ++i) values[i] = a(i, i);
    return values;
}

}  // namespace

std::optional<MatrixFinding> worst_unsymmetric_pair(const LineMatrix& m, int n) {
    std::optional<MatrixFinding> worst;
    double worst_difference = 0.0;
    int count = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const double a = m[i][j], b = m[j][i];
            const double difference = std::fabs(a - b) / std::max(std::fabs(a), std::fabs(b));
            if (!(difference > UNSYMMETRIC_TOLERANCE)) continue;  // also 0 / 0
            ++count;
            if (difference > worst_difference) {
                worst_difference = difference;
                worst = MatrixFinding{i, j, 0};
            }
        }
    if (worst) worst->count = count;
    return worst;
}

std::optional<MatrixFinding> first_positive_off_diagonal(const LineMatrix& m, int n) {
    std::optional<MatrixFinding> first;
    int count = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (m[i][j] > 0.0f && ++count == 1) first = MatrixFinding{i, j, 0};
    if (first) first->count = count;
    return first;
}

bool is_positive_definite(const LineMatrix& m, int n) { return cholesky(widened(m, n)).has_value(); }

namespace {

// With [L] = G G^T, [L][C] is similar to the symmetric G^T [C] G, whose
// eigenvalues are positive when [C] is positive definite. Empty unless both
// are positive definite.
std::optional<Square> lossless_product(const LineMatrix& inductance, const LineMatrix& capacitance, int n) {
    const std::optional<Square> g = cholesky(widened(inductance, n));
    if (!g || !is_positive_definite(capacitance, n)) return std::nullopt;
    Square cg(n);  // [C] G
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = j; k < n; ++k) s += static_cast<double>(capacitance[i][k]) * (*g)(k, j);
            cg(i, j) = s;
        }
    Square product(n);  // G^T [C] G
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = i; k < n; ++k) s += (*g)(k, i) * cg(k, j);
            product(i, j) = s;
        }
    return product;
}

// sign (a - shift I) is positive definite.
bool definite_when_shifted(const Square& a, double shift, double sign) {
    Square b(a.size());
    for (int i = 0; i < a.size(); ++i)
        for (int j = 0; j < a.size(); ++j) b(i, j) = sign * (a(i, j) - (i == j ? shift : 0.0));
    return cholesky(b).has_value();
}

}  // namespace

std::optional<SpeedRange> lossless_speed_range(const LineMatrix& inductance, const LineMatrix& capacitance, int n) {
    const std::optional<Square> product = lossless_product(inductance, capacitance, n);
    if (!product) return std::nullopt;
    const std::vector<double> eigenvalues = symmetric_eigenvalues(*product);
    const auto [smallest, largest] = std::minmax_element(eigenvalues.begin(), eigenvalues.end());
    if (!(*smallest > 0.0)) return std::nullopt;
    return SpeedRange{1.0 / std::sqrt(*largest), 1.0 / std::sqrt(*smallest)};
}

// A speed v = 1 / sqrt(lambda) lies in [slowest, fastest] where lambda lies
// in [1 / fastest^2, 1 / slowest^2]: the product less the lower bound, and
// the upper bound less the product, are positive definite.
bool lossless_speeds_within(const LineMatrix& inductance, const LineMatrix& capacitance, int n, double slowest,
                            double fastest) {
    const std::optional<Square> product = lossless_product(inductance, capacitance, n);
    if (!product) return false;
    const double lowest = (1.0 + EIGENVALUE_MARGIN) / (fastest * fastest);
    const double highest = (1.0 - EIGENVALUE_MARGIN) / (slowest * slowest);
    return definite_when_shifted(*product, lowest, 1.0) && definite_when_shifted(*product, highest, -1.0);
}

}  // namespace solver
