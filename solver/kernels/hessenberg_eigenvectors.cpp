#include <algorithm>
#include <cmath>
#include <utility>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"
#include "wider_vectors.h"

namespace {

constexpr int LD = REFINE_MAX_ORDER;
constexpr int STEPS = 2;  // of inverse iteration

// The shifts of one batch side by side: lane p of every vector belongs to
// shift p, so that the eliminations, whose steps follow one another, still
// fill a vector register. Each lane computes exactly what one shift alone
// would (the same operations in the same order), so that how many lanes a
// batch has never changes a result: 8 where the processor has 512-bit
// vectors, 4 otherwise.
template <int L>
struct Batch;
template <>
struct Batch<4> {
    typedef double Lanes __attribute__((vector_size(4 * sizeof(double))));
    using Mask = decltype(Lanes{} < Lanes{});
};
template <>
struct Batch<8> {
    typedef double Lanes __attribute__((vector_size(8 * sizeof(double))));
    using Mask = decltype(Lanes{} < Lanes{});
};

// The helpers below are always inlined, so that they are compiled for the
// vectors of the function that runs the batches: how a vector would be
// passed to a real call (about which the compiler warns) never matters.
#pragma GCC diagnostic ignored "-Wpsabi"
#define MTL_INLINE inline __attribute__((always_inline))

template <class V>
MTL_INLINE V magnitude(const V& x) { return x < V{} ? -x : x; }
template <class V>
MTL_INLINE V broadcast(double x) {
    V v;
    for (unsigned p = 0; p < sizeof(V) / sizeof(double); ++p) v[p] = x;
    return v;
}

// 1 / (c + i d) = (c - i d) / (c^2 + d^2): one division, on the critical
// path of every elimination step. A zero (c^2 + d^2) becomes tiny^2, the
// reciprocal of a pivot tiny, as inverse iteration wants. (The matrices of
// lines are nowhere near where c^2 + d^2 would overflow or underflow; a lane
// where it did would come out non-finite and be refused.)
template <class V>
MTL_INLINE void reciprocal(const V& c, const V& d, double tiny, V& re, V& im) {
    const V square = c * c + d * d;
    const auto zero = square == 0.0;
    const V inverse = 1.0 / (zero ? broadcast<V>(tiny * tiny) : square);
    re = (zero ? broadcast<V>(tiny) : c) * inverse;
    im = -(d * inverse);
}

// Upper factor of H - lambda I (rows packed above the diagonal), the
// reciprocals of its pivots, the multipliers and exchanges of the lower one.
template <int L>
struct Factors {
    using Lanes = typename Batch<L>::Lanes;
    using Mask = typename Batch<L>::Mask;
    Lanes ur[LD * (LD - 1) / 2], ui[LD * (LD - 1) / 2];
    int start[LD];  // row k's entries k + 1 .. n - 1 begin at start[k]
    Lanes rr[LD], ri[LD];
    Lanes mr[LD], mi[LD];
    Mask swapped[LD];
};

// LU with partial pivoting between neighbouring rows of the Hessenberg part
// of H - lambda I; a zero pivot becomes a small one, as inverse iteration
// wants.
template <int L>
MTL_INLINE void factorise(const DoubleHessenberg& h, int n, const ComplexD* lambda, double tiny, Factors<L>& f) {
    using Lanes = typename Batch<L>::Lanes;
    using Mask = typename Batch<L>::Mask;
    if (n <= 0) return;
    Lanes lr, li;
    for (int p = 0; p < L; ++p) lr[p] = lambda[p].real(), li[p] = lambda[p].imag();
    // The row being eliminated, entries k .. n - 1.
    Lanes wr[LD], wi[LD];
    for (int j = 0; j < n; ++j) {
        wr[j] = broadcast<Lanes>(h.re[j * LD]);
        wi[j] = broadcast<Lanes>(h.im[j * LD]);
    }
    wr[0] -= lr, wi[0] -= li;
    // Step k's pivot (row k as eliminated so far, or row k + 1 of H), the
    // reciprocal of it and the multiplier; it needs only entry k of the row
    // being eliminated, so it is worked out as soon as that is there, while
    // the rest of the row is still being updated.
    auto pivot = [&](int k) {
        Lanes pr = wr[k], pi = wi[k];
        Lanes qr = {}, qi = {};
        Mask swapped = {};
        if (k + 1 < n) {
            qr = broadcast<Lanes>(h.re[k + 1 + k * LD]);
            qi = broadcast<Lanes>(h.im[k + 1 + k * LD]);
            swapped = magnitude(qr) + magnitude(qi) > magnitude(pr) + magnitude(pi);
            const Lanes sr = swapped ? qr : pr, si = swapped ? qi : pi;
            qr = swapped ? pr : qr, qi = swapped ? pi : qi;
            pr = sr, pi = si;
        }
        f.swapped[k] = swapped;
        reciprocal(pr, pi, tiny, f.rr[k], f.ri[k]);
        if (k + 1 == n) return;
        f.mr[k] = qr * f.rr[k] - qi * f.ri[k];
        f.mi[k] = qr * f.ri[k] + qi * f.rr[k];
    };
    pivot(0);
    int start = 0;
    for (int k = 0; k + 1 < n; ++k) {
        f.start[k] = start;
        const Mask swapped = f.swapped[k];
        const Lanes mr = f.mr[k], mi = f.mi[k];
        Lanes* ur = f.ur + start;
        Lanes* ui = f.ui + start;
        auto eliminate = [&](int j) {
            Lanes hr = broadcast<Lanes>(h.re[k + 1 + j * LD]);
            Lanes hi = broadcast<Lanes>(h.im[k + 1 + j * LD]);
            if (j == k + 1) hr -= lr, hi -= li;
            const Lanes upper_r = swapped ? hr : wr[j], upper_i = swapped ? hi : wi[j];
            const Lanes lower_r = swapped ? wr[j] : hr, lower_i = swapped ? wi[j] : hi;
            ur[j - k - 1] = upper_r, ui[j - k - 1] = upper_i;
            wr[j] = lower_r - (mr * upper_r - mi * upper_i);
            wi[j] = lower_i - (mr * upper_i + mi * upper_r);
        };
        eliminate(k + 1);
        pivot(k + 1);
        for (int j = k + 2; j < n; ++j) eliminate(j);
        start += n - 1 - k;
    }
    f.start[n - 1] = start;
}

// Two steps of inverse iteration from the vector of ones, the first without
// the lower factor, each scaled to a largest entry of 1. Lanes where no
// finite vector comes out are marked in `failed`. The last step's right-hand
// side is left in (pr, pi) times the last scale factor: (H - lambda I) y.
template <int L, class Lanes = typename Batch<L>::Lanes, class Mask = typename Batch<L>::Mask>
MTL_INLINE void iterate(const Factors<L>& f, int n, Lanes* yr, Lanes* yi, Lanes* pr, Lanes* pi, Mask& failed) {
    static_assert(STEPS >= 2);
    for (int i = 0; i < n; ++i) yr[i] = broadcast<Lanes>(1.0), yi[i] = Lanes{};
    failed = Mask{};
    for (int step = 0; step < STEPS; ++step) {
        if (step == STEPS - 1) std::copy(yr, yr + n, pr), std::copy(yi, yi + n, pi);
        if (step > 0)
            for (int k = 0; k < n - 1; ++k) {
                const Mask s = f.swapped[k];
                const Lanes ar = s ? yr[k + 1] : yr[k], ai = s ? yi[k + 1] : yi[k];
                const Lanes br = s ? yr[k] : yr[k + 1], bi = s ? yi[k] : yi[k + 1];
                yr[k] = ar, yi[k] = ai;
                yr[k + 1] = br - (f.mr[k] * ar - f.mi[k] * ai);
                yi[k + 1] = bi - (f.mr[k] * ai + f.mi[k] * ar);
            }
        // Row by row, each row's entries to the right of the diagonal at
        // once (two sums for the odd and even columns, for speed), from the
        // right, so that the entry just solved for is needed last.
        for (int i = n - 1; i >= 0; --i) {
            const Lanes* ur = f.ur + f.start[i];
            const Lanes* ui = f.ui + f.start[i];
            Lanes ar = yr[i], ai = yi[i], br = {}, bi = {};
            int k = n - 1;
            for (; k - 1 > i; k -= 2) {
                const int e = k - i - 1;
                ar -= ur[e] * yr[k] - ui[e] * yi[k];
                ai -= ur[e] * yi[k] + ui[e] * yr[k];
                br -= ur[e - 1] * yr[k - 1] - ui[e - 1] * yi[k - 1];
                bi -= ur[e - 1] * yi[k - 1] + ui[e - 1] * yr[k - 1];
            }
            if (k > i) {
                const int e = k - i - 1;
                ar -= ur[e] * yr[k] - ui[e] * yi[k];
                ai -= ur[e] * yi[k] + ui[e] * yr[k];
            }
            const Lanes tr = ar + br, ti = ai + bi;
            yr[i] = tr * f.rr[i] - ti * f.ri[i];
            yi[i] = tr * f.ri[i] + ti * f.rr[i];
        }
        Lanes largest = {};
        for (int i = 0; i < n; ++i) {
            const Lanes size = magnitude(yr[i]) + magnitude(yi[i]);
            largest = size > largest ? size : largest;
        }
        // Above zero and finite (not infinite, not NaN).
        const Mask usable = (largest > 0.0) & (largest <= __DBL_MAX__);
        failed |= ~usable;
        const Lanes factor = 1.0 / largest;
        for (int i = 0; i < n; ++i) yr[i] *= factor, yi[i] *= factor;
        if (step == STEPS - 1)
            for (int i = 0; i < n; ++i) pr[i] *= factor, pi[i] *= factor;
    }
}

// Back to A through the eliminations and exchanges of the reduction, then
// through the balancing: y and p alike.
template <class Lanes>
MTL_INLINE void undo_reduction(const DoubleHessenberg& h, int n, Lanes* yr, Lanes* yi, Lanes* pr, Lanes* pi) {
    const BalancedForm& form = h.balancing;
    for (int m = form.igh - 1; m >= form.low + 1; --m) {
        const Lanes vr = yr[m], vi = yi[m], wr = pr[m], wi = pi[m];
        for (int i = m + 1; i <= form.igh; ++i) {
            const double hr = h.re[i + (m - 1) * LD], hi = h.im[i + (m - 1) * LD];
            yr[i] += hr * vr - hi * vi;
            yi[i] += hr * vi + hi * vr;
            pr[i] += hr * wr - hi * wi;
            pi[i] += hr * wi + hi * wr;
        }
        const int e = h.exchanges[m];
        if (e != m) std::swap(yr[e], yr[m]), std::swap(yi[e], yi[m]), std::swap(pr[e], pr[m]), std::swap(pi[e], pi[m]);
    }
    for (int i = form.low; i <= form.igh; ++i) {
        const double s = form.scale[i];
        yr[i] *= s, yi[i] *= s, pr[i] *= s, pi[i] *= s;
    }
    for (int step = 0; step < n; ++step) {
        int i = step;
        if (i >= form.low && i <= form.igh) continue;
        if (i < form.low) i = form.low - 1 - step;
        const int k = static_cast<int>(form.scale[i]);
        if (k != i && k >= 0 && k < n)
            std::swap(yr[i], yr[k]), std::swap(yi[i], yi[k]), std::swap(pr[i], pr[k]), std::swap(pi[i], pi[k]);
    }
}

// y to unit length in every lane, p by the same factor; lanes whose y is
// zero or not finite are marked in `failed`.
template <int L, class Lanes = typename Batch<L>::Lanes, class Mask = typename Batch<L>::Mask>
MTL_INLINE void scale_to_unit_length(int n, Lanes* yr, Lanes* yi, Lanes* pr, Lanes* pi, Mask& failed) {
    Lanes sum = {};
    for (int i = 0; i < n; ++i) sum += yr[i] * yr[i] + yi[i] * yi[i];
    const Mask usable = (sum > 0.0) & (sum <= __DBL_MAX__);
    failed |= ~usable;
    Lanes inverse;
    for (int p = 0; p < L; ++p) inverse[p] = 1.0 / std::sqrt(sum[p]);
    for (int i = 0; i < n; ++i) yr[i] *= inverse, yi[i] *= inverse, pr[i] *= inverse, pi[i] *= inverse;
}

// Shifts lambda[0 .. count - 1] (count <= L) as one batch; a short batch
// repeats its last shift in the lanes left over.
template <int L>
MTL_INLINE void run_batch(const DoubleHessenberg& h, int n, const ComplexD* lambda, int count, double norm,
                          ComplexD* vectors, ComplexD* residuals, bool* found, Factors<L>& factors) {
    using Lanes = typename Batch<L>::Lanes;
    using Mask = typename Batch<L>::Mask;
    Lanes yr[LD], yi[LD], pr[LD], pi[LD];
    ComplexD shifts[L];
    for (int p = 0; p < L; ++p) shifts[p] = lambda[std::min(p, count - 1)];
    factorise(h, n, shifts, norm * 1e-14, factors);
    Mask failed;
    iterate(factors, n, yr, yi, pr, pi, failed);
    // A X = X H for the transformation X of the reduction and the
    // balancing, so X y and X (H - lambda I) y are the vector and its
    // residual against A, to double-precision rounding.
    undo_reduction(h, n, yr, yi, pr, pi);
    scale_to_unit_length<L>(n, yr, yi, pr, pi, failed);
    for (int p = 0; p < count; ++p) {
        found[p] = !failed[p];
        ComplexD* v = vectors + static_cast<long>(p) * LD;
        ComplexD* r = residuals + static_cast<long>(p) * LD;
        for (int i = 0; i < n; ++i) v[i] = ComplexD(yr[i][p], yi[i][p]), r[i] = ComplexD(pr[i][p], pi[i][p]);
    }
}

// Shifts lambda[first .. count - 1], L to a batch.
template <int L>
MTL_INLINE void run_batches(const DoubleHessenberg& h, int n, const ComplexD* lambda, int first, int count, double norm,
                            ComplexD* vectors, ComplexD* residuals, bool* found) {
    Factors<L> factors;
    for (; first < count; first += L)
        run_batch<L>(h, n, lambda + first, std::min(L, count - first), norm, vectors + static_cast<long>(first) * LD,
                     residuals + static_cast<long>(first) * LD, found + first, factors);
}

MTL_WIDER_VECTORS void batches_of_four(const DoubleHessenberg& h, int n, const ComplexD* lambda, int count,
                                       double norm, ComplexD* vectors, ComplexD* residuals, bool* found) {
    run_batches<4>(h, n, lambda, 0, count, norm, vectors, residuals, found);
}

#ifdef MTL_HAVE_WIDEST_VECTORS
// With 512-bit vectors: eight shifts a batch, but four where no more than
// four are left for the last batch.
MTL_WIDEST_VECTORS void batches_of_eight(const DoubleHessenberg& h, int n, const ComplexD* lambda, int count,
                                         double norm, ComplexD* vectors, ComplexD* residuals, bool* found) {
    const int left = count % 8;
    const int wide = left > 0 && left <= 4 ? count - left : count;
    run_batches<8>(h, n, lambda, 0, wide, norm, vectors, residuals, found);
    run_batches<4>(h, n, lambda, wide, count, norm, vectors, residuals, found);
}
#endif

}  // namespace

void hessenberg_eigenvectors(const DoubleHessenberg& h, int n, const ComplexD* lambda, int count, double norm,
                             ComplexD* vectors, ComplexD* residuals, bool* found) {
    if (n <= 0 || n > LD) {
        std::fill(found, found + count, false);
        return;
    }
#ifdef MTL_HAVE_WIDEST_VECTORS
    if (mtl_widest_vectors()) return batches_of_eight(h, n, lambda, count, norm, vectors, residuals, found);
#endif
    batches_of_four(h, n, lambda, count, norm, vectors, residuals, found);
}
