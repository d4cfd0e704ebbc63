#include "sample_matrices.h"

#include <cmath>
#include <cstdlib>
#include <random>

namespace {

template <class Complex>
void fill_uniform(Complex* a, int rows, int columns, int lda, unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> part(-1.0, 1.0);
    for (int j = 0; j < columns; ++j) {
        for (int i = 0; i < rows; ++i) {
            const double re = part(engine);
            const double im = part(engine);
            a[i + static_cast<long>(j) * lda] = Complex(re, im);
        }
    }
}

// Coupling between conductors i and j of the layout, 1 on the diagonal.
double coupling(LineLayout layout, int n, int i, int j, double ratio) {
    if (i == j) return 1.0;
    switch (layout) {
        case LineLayout::LADDER:
            return std::pow(ratio, std::abs(i - j));
        case LineLayout::RING: {
            const int d = std::abs(i - j);
            return std::pow(ratio, d < n - d ? d : n - d);
        }
        case LineLayout::EQUAL_COUPLING:
            return ratio;
    }
    return 0.0;
}

}  // namespace

void fill_random(ComplexD* a, int rows, int columns, int lda, unsigned seed) {
    fill_uniform(a, rows, columns, lda, seed);
}

void fill_random(ComplexF* a, int rows, int columns, int lda, unsigned seed) {
    fill_uniform(a, rows, columns, lda, seed);
}

void fill_network_like(ComplexD* a, int n, int lda, unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto at = [a, lda](int i, int j) -> ComplexD& { return a[i + static_cast<long>(j) * lda]; };
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) at(i, j) = 0.0;
    }
    auto connect = [&](int i, int l, ComplexD y) {
        at(i, i) += y;
        at(l, l) += y;
        at(i, l) -= y;
        at(l, i) -= y;
    };
    const double omega = 6.283186e8;
    for (int i = 0; i < n; ++i) {
        at(i, i) += 1.0e-8;  // conductance to ground
        if (i + 1 < n) connect(i, i + 1, ComplexD(1.0 / (10.0 + 90.0 * unit(engine)), 0.0));
        const int other = static_cast<int>(unit(engine) * n) % n;
        if (other != i) connect(i, other, ComplexD(0.0, omega * 1.0e-12 * (1.0 + unit(engine))));
    }
    // Line stamps on blocks of 2 x 4 unknowns.
    constexpr int block = 8;
    ComplexD copy[block];
    ComplexD wave_map[block * block];
    for (int f0 = 0; f0 + block <= n; f0 += 3 * block) {
        fill_uniform(wave_map, block, block, block, seed + static_cast<unsigned>(f0));
        for (int d = 0; d < block; ++d) wave_map[d + d * block] += 4.0;
        for (int i = 0; i < n; ++i) {
            for (int c = 0; c < block; ++c) copy[c] = at(i, f0 + c);
            for (int c = 0; c < block; ++c) {
                ComplexD sum = 0.0;
                for (int l = 0; l < block; ++l) sum += copy[l] * wave_map[l + c * block];
                at(i, f0 + c) = sum;
            }
        }
        for (int r = 0; r < block; ++r) {
            for (int c = 0; c < block; ++c) {
                at(f0 + r, f0 + c) += ComplexD(0.02 * coupling(LineLayout::LADDER, block, r, c, 0.3),
                                               0.001 * unit(engine));
            }
        }
    }
}

void fill_line_product(const LineSample& line, ComplexF* p, int ldp) {
    const int n = line.conductors;
    const double omega = 6.283186 * line.frequency;
    const double reference = 1.0e6;
    const double skin = std::sqrt(line.frequency / reference);
    const double dielectric = line.frequency / reference;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            ComplexD sum = 0.0;
            for (int k = 0; k < n; ++k) {
                const double lik = 4.0e-7 * coupling(line.layout, n, i, k, 0.3);
                const double rik = 5.0 * skin * (i == k ? 1.0 : 0.1 * coupling(line.layout, n, i, k, 0.5));
                const double ckj = 1.0e-10 * (k == j ? 1.0 : -0.1 * coupling(line.layout, n, k, j, 0.3));
                const double gkj = 1.0e-6 * dielectric * (k == j ? 1.0 : -0.1 * coupling(line.layout, n, k, j, 0.3));
                sum += ComplexD(rik, omega * lik) * ComplexD(gkj, omega * ckj);
            }
            p[i + static_cast<long>(j) * ldp] = ComplexF(static_cast<float>(sum.real()),
                                                         static_cast<float>(sum.imag()));
        }
    }
}
