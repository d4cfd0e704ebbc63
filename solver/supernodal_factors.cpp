#include "supernodal_factors.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "solver_tables.h"
#include "wider_vectors.h"

namespace solver {

namespace {

// The rows off the diagonal of each column of an n x n pattern (start,
// index), in increasing order: counted out into rows and back into columns.
struct SortedColumns {
    std::vector<int> start, rows;
    const int* begin(int j) const { return rows.data() + start[j]; }
    const int* end(int j) const { return rows.data() + start[j + 1]; }
};

SortedColumns sorted_off_diagonal(int n, const int* start, const int* index) {
    SortedColumns sorted;
    std::vector<int> row_start(n + 1, 0);
    sorted.start.assign(n + 1, 0);
    for (int j = 0; j < n; ++j)
        for (int p = start[j]; p < start[j + 1]; ++p)
            if (index[p] != j) {
                ++row_start[index[p] + 1];
                ++sorted.start[j + 1];
            }
    for (int i = 0; i < n; ++i) {
        row_start[i + 1] += row_start[i];
        sorted.start[i + 1] += sorted.start[i];
    }
    std::vector<int> columns(row_start[n]), next(row_start.begin(), row_start.end() - 1);
    for (int j = 0; j < n; ++j)
        for (int p = start[j]; p < start[j + 1]; ++p)
            if (index[p] != j) columns[next[index[p]]++] = j;
    sorted.rows.resize(sorted.start[n]);
    next.assign(sorted.start.begin(), sorted.start.end() - 1);
    for (int i = 0; i < n; ++i)
        for (int q = row_start[i]; q < row_start[i + 1]; ++q) sorted.rows[next[columns[q]]++] = i;
    return sorted;
}

}  // namespace

std::unique_ptr<SupernodalFactors> SupernodalFactors::create(klu_numeric* factors, klu_symbolic* symbolic,
                                                             klu_common& common, const int* column_start,
                                                             const int* row_index, int n) {
    if (!factors || !symbolic || symbolic->nblocks != 1 || factors->Rs || factors->nzoff != 0 || n <= 0)
        return nullptr;
    try {
        auto f = std::make_shared<Structure>();
        f->n = n;
        f->column_start = column_start;
        f->row_index = row_index;
        const int lnz = factors->lnz, unz = factors->unz;
        std::vector<int> lp(n + 1), li(lnz), up(n + 1), ui(unz), r(n + 1);
        // Only the patterns are wanted, but KLU gives them with the values.
        auto values = [](int size) { return std::make_unique_for_overwrite<double[]>(size); };
        const auto lx = values(lnz), lz = values(lnz), ux = values(unz), uz = values(unz);
        f->row_of_pivot.resize(n);
        f->column_of_pivot.resize(n);
        if (!klu_z_extract(factors, symbolic, lp.data(), li.data(), lx.get(), lz.get(), up.data(), ui.data(),
                           ux.get(), uz.get(), nullptr, nullptr, nullptr, nullptr, f->row_of_pivot.data(),
                           f->column_of_pivot.data(), nullptr, r.data(), &common))
            return nullptr;
        f->pivot_of_row.resize(n);
        for (int k = 0; k < n; ++k) f->pivot_of_row[f->row_of_pivot[k]] = k;

        // The rows of L below the diagonal, column by column.
        const SortedColumns below = sorted_off_diagonal(n, lp.data(), li.data());
        for (int j = 0; j < n; ++j)
            if (below.begin(j) != below.end(j) && *below.begin(j) <= j) return nullptr;
        // Column j joins the supernode of j + 1 when its rows below the
        // diagonal are j + 1 and those of j + 1.
        f->supernode_of.resize(n);
        long l_size = 0;
        for (int j = 0; j < n;) {
            int end = j + 1;
            while (end < n && below.begin(end - 1) != below.end(end - 1) && *below.begin(end - 1) == end &&
                   std::equal(below.begin(end - 1) + 1, below.end(end - 1), below.begin(end), below.end(end)))
                ++end;
            const int s = static_cast<int>(f->first_column.size());
            f->first_column.push_back(j);
            f->row_start.push_back(static_cast<int>(f->rows.size()));
            f->value_start.push_back(l_size);
            for (int c = j; c < end; ++c) {
                f->supernode_of[c] = s;
                f->rows.push_back(c);
            }
            f->rows.insert(f->rows.end(), below.begin(end - 1), below.end(end - 1));
            const long m = static_cast<long>(f->rows.size()) - f->row_start.back();
            l_size += m * (end - j);
            j = end;
        }
        f->first_column.push_back(n);
        f->row_start.push_back(static_cast<int>(f->rows.size()));
        f->value_start.push_back(l_size);

        // U above the diagonal: every column must meet each supernode in a
        // tail of its columns (up to the column itself in its own).
        const SortedColumns above = sorted_off_diagonal(n, up.data(), ui.data());
        f->segment_start.push_back(0);
        for (int k = 0; k < n; ++k) {
            const int* rows = above.begin(k);
            const int count = static_cast<int>(above.end(k) - rows);
            for (int a = 0; a < count;) {
                const int s = f->supernode_of[rows[a]];
                if (rows[a] > k) return nullptr;
                const int end = std::min(f->first_column[s + 1], k);
                int b = a;
                while (b < count && f->supernode_of[rows[b]] == s) ++b;
                if (rows[b - 1] != end - 1 || b - a != end - rows[a]) return nullptr;
                f->segments.push_back({s, rows[a] - f->first_column[s], end - rows[a], static_cast<int>(f->u_size)});
                f->u_size += end - rows[a];
                a = b;
            }
            f->segment_start.push_back(static_cast<int>(f->segments.size()));
        }
        for (std::size_t s = 0; s + 1 < f->row_start.size(); ++s)
            f->widest = std::max(f->widest, f->row_start[s + 1] - f->row_start[s]);
        return std::unique_ptr<SupernodalFactors>(new SupernodalFactors(std::move(f)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SupernodalFactors::SupernodalFactors(std::shared_ptr<const Structure> structure)
    : structure_(std::move(structure)) {
    const Structure& f = *structure_;
    auto obtain = [](long size) { return std::make_unique_for_overwrite<double[]>(size); };
    l_re_ = obtain(f.value_start.back());
    l_im_ = obtain(f.value_start.back());
    u_re_ = obtain(f.u_size);
    u_im_ = obtain(f.u_size);
    diagonal_re_ = obtain(f.n);
    diagonal_im_ = obtain(f.n);
    x_re_ = std::make_unique<double[]>(f.n);
    x_im_ = std::make_unique<double[]>(f.n);
    t_re_ = obtain(static_cast<long>(f.widest) * MAX_PORTS);
    t_im_ = obtain(static_cast<long>(f.widest) * MAX_PORTS);
    y_re_ = obtain(static_cast<long>(f.n) * MAX_PORTS);
    y_im_ = obtain(static_cast<long>(f.n) * MAX_PORTS);
}

std::unique_ptr<SupernodalFactors> SupernodalFactors::with_same_structure() const {
    try {
        return std::unique_ptr<SupernodalFactors>(new SupernodalFactors(structure_));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

// t -= l (ur + i ui) over `length` entries: a column of U times one value,
// real and imaginary parts apart.
MTL_WIDER_VECTORS void subtract_column(const double* __restrict lr, const double* __restrict li, double ur, double ui,
                            double* __restrict tr, double* __restrict ti, int length) {
    for (int q = 0; q < length; ++q) {
        tr[q] -= lr[q] * ur - li[q] * ui;
        ti[q] -= lr[q] * ui + li[q] * ur;
    }
}

// Columns c0 .. c1 - 1 of a supernode's L (m rows, column-major) applied in
// turn to the gathered rows t: t[c + 1 ..] -= L[c + 1 .., c] t[c]. Four
// columns go at once below their own rows (the same operations in the same
// order), so that t is read and written once for four. This takes most of
// a refactorisation's time.
MTL_WIDER_VECTORS void apply_columns(const double* __restrict lr, const double* __restrict li, int m, int c0, int c1,
                   double* __restrict tr, double* __restrict ti) {
    int c = c0;
    for (; c + 4 <= c1; c += 4) {
        for (int j = c; j < c + 3; ++j) {
            const long at = static_cast<long>(j) * m;
            for (int q = j + 1; q < c + 4; ++q) {
                tr[q] -= lr[at + q] * tr[j] - li[at + q] * ti[j];
                ti[q] -= lr[at + q] * ti[j] + li[at + q] * tr[j];
            }
        }
        const double* l0r = lr + static_cast<long>(c) * m;
        const double* l0i = li + static_cast<long>(c) * m;
        const double* l1r = l0r + m;
        const double* l1i = l0i + m;
        const double* l2r = l1r + m;
        const double* l2i = l1i + m;
        const double* l3r = l2r + m;
        const double* l3i = l2i + m;
        const double u0r = tr[c], u0i = ti[c], u1r = tr[c + 1], u1i = ti[c + 1];
        const double u2r = tr[c + 2], u2i = ti[c + 2], u3r = tr[c + 3], u3i = ti[c + 3];
        for (int q = c + 4; q < m; ++q) {
            double sr = tr[q], si = ti[q];
            sr -= l0r[q] * u0r - l0i[q] * u0i;
            si -= l0r[q] * u0i + l0i[q] * u0r;
            sr -= l1r[q] * u1r - l1i[q] * u1i;
            si -= l1r[q] * u1i + l1i[q] * u1r;
            sr -= l2r[q] * u2r - l2i[q] * u2i;
            si -= l2r[q] * u2i + l2i[q] * u2r;
            sr -= l3r[q] * u3r - l3i[q] * u3i;
            si -= l3r[q] * u3i + l3i[q] * u3r;
            tr[q] = sr;
            ti[q] = si;
        }
    }
    for (; c < c1; ++c) {
        const long at = static_cast<long>(c) * m + c + 1;
        subtract_column(lr + at, li + at, tr[c], ti[c], tr + c + 1, ti + c + 1, m - c - 1);
    }
}

}  // namespace

// Left-looking, column by column: the column of A is scattered, every
// supernode that U's column meets updates it through its gathered rows,
// and the own supernode gives the pivot and L's column.
bool SupernodalFactors::refactor(const ComplexD* values) {
    const Structure& f = *structure_;
    double* xr = x_re_.get();
    double* xi = x_im_.get();
    double* tr = t_re_.get();
    double* ti = t_im_.get();
    for (int k = 0; k < f.n; ++k) {
        const int column = f.column_of_pivot[k];
        for (int p = f.column_start[column]; p < f.column_start[column + 1]; ++p) {
            const int i = f.pivot_of_row[f.row_index[p]];
            xr[i] = values[p].real();
            xi[i] = values[p].imag();
        }
        const int own = f.supernode_of[k];
        const int kc = k - f.first_column[own];
        int own_first = kc;
        const Segment* own_segment = nullptr;
        for (int g = f.segment_start[k]; g < f.segment_start[k + 1]; ++g) {
            const Segment& seg = f.segments[g];
            if (seg.supernode == own) {
                own_segment = &seg;
                own_first = seg.first;
                continue;
            }
            const int* rows = f.rows.data() + f.row_start[seg.supernode];
            const int m = f.row_start[seg.supernode + 1] - f.row_start[seg.supernode];
            const int w = f.first_column[seg.supernode + 1] - f.first_column[seg.supernode];
            const double* lr = l_re_.get() + f.value_start[seg.supernode];
            const double* li = l_im_.get() + f.value_start[seg.supernode];
            const int c0 = seg.first;
            for (int q = c0; q < m; ++q) {
                tr[q] = xr[rows[q]];
                ti[q] = xi[rows[q]];
            }
            apply_columns(lr, li, m, c0, w, tr, ti);
            for (int c = c0; c < w; ++c) {
                u_re_[seg.offset + c - c0] = tr[c];
                u_im_[seg.offset + c - c0] = ti[c];
                xr[rows[c]] = xi[rows[c]] = 0.0;
            }
            for (int q = w; q < m; ++q) {
                xr[rows[q]] = tr[q];
                xi[rows[q]] = ti[q];
            }
        }
        const int* rows = f.rows.data() + f.row_start[own];
        const int m = f.row_start[own + 1] - f.row_start[own];
        const double* lr = l_re_.get() + f.value_start[own];
        const double* li = l_im_.get() + f.value_start[own];
        for (int q = own_first; q < m; ++q) {
            tr[q] = xr[rows[q]];
            ti[q] = xi[rows[q]];
            xr[rows[q]] = xi[rows[q]] = 0.0;
        }
        apply_columns(lr, li, m, own_first, kc, tr, ti);
        if (own_segment)
            for (int c = own_first; c < kc; ++c) {
                u_re_[own_segment->offset + c - own_first] = tr[c];
                u_im_[own_segment->offset + c - own_first] = ti[c];
            }
        // The pivot's inverse, scaled against overflow.
        const double pr = tr[kc], pi = ti[kc];
        const double size = std::max(std::abs(pr), std::abs(pi));
        if (!(size > 0.0) || !std::isfinite(size)) {
            std::fill_n(xr, f.n, 0.0);
            std::fill_n(xi, f.n, 0.0);
            return false;
        }
        const double a = pr / size, b = pi / size, d = (a * a + b * b) * size;
        const double inverse_re = a / d, inverse_im = -b / d;
        diagonal_re_[k] = inverse_re;
        diagonal_im_[k] = inverse_im;
        double* column_re = l_re_.get() + f.value_start[own] + static_cast<long>(kc) * m;
        double* column_im = l_im_.get() + f.value_start[own] + static_cast<long>(kc) * m;
        for (int q = kc + 1; q < m; ++q) {
            column_re[q] = tr[q] * inverse_re - ti[q] * inverse_im;
            column_im[q] = tr[q] * inverse_im + ti[q] * inverse_re;
        }
    }
    return true;
}

void SupernodalFactors::solve(ComplexD* x, int count, int ldx) {
    const Structure& f = *structure_;
    const int n = f.n;
    double* yr = y_re_.get();
    double* yi = y_im_.get();
    for (int p = 0; p < count; ++p)
        for (int k = 0; k < n; ++k) {
            const ComplexD v = x[f.row_of_pivot[k] + static_cast<long>(p) * ldx];
            yr[k + p * n] = v.real();
            yi[k + p * n] = v.imag();
        }
    // L y = b, supernode by supernode through its gathered rows.
    const int supernodes = static_cast<int>(f.first_column.size()) - 1;
    for (int s = 0; s < supernodes; ++s) {
        const int* rows = f.rows.data() + f.row_start[s];
        const int m = f.row_start[s + 1] - f.row_start[s];
        const int w = f.first_column[s + 1] - f.first_column[s];
        const double* lr = l_re_.get() + f.value_start[s];
        const double* li = l_im_.get() + f.value_start[s];
        for (int p = 0; p < count; ++p) {
            double* tr = t_re_.get() + static_cast<long>(p) * m;
            double* ti = t_im_.get() + static_cast<long>(p) * m;
            for (int q = 0; q < m; ++q) {
                tr[q] = yr[rows[q] + p * n];
                ti[q] = yi[rows[q] + p * n];
            }
            apply_columns(lr, li, m, 0, w, tr, ti);
            for (int q = 0; q < m; ++q) {
                yr[rows[q] + p * n] = tr[q];
                yi[rows[q] + p * n] = ti[q];
            }
        }
    }
    // U u = y, column by column from the last.
    for (int k = n - 1; k >= 0; --k)
        for (int p = 0; p < count; ++p) {
            double* cr = yr + p * n;
            double* ci = yi + p * n;
            const double vr = cr[k] * diagonal_re_[k] - ci[k] * diagonal_im_[k];
            const double vi = cr[k] * diagonal_im_[k] + ci[k] * diagonal_re_[k];
            cr[k] = vr;
            ci[k] = vi;
            for (int g = f.segment_start[k]; g < f.segment_start[k + 1]; ++g) {
                const Segment& seg = f.segments[g];
                const int first = f.first_column[seg.supernode] + seg.first;
                subtract_column(u_re_.get() + seg.offset, u_im_.get() + seg.offset, vr, vi, cr + first,
                                ci + first, seg.length);
            }
        }
    for (int p = 0; p < count; ++p)
        for (int k = 0; k < n; ++k)
            x[f.column_of_pivot[k] + static_cast<long>(p) * ldx] = ComplexD(yr[k + p * n], yi[k + p * n]);
}

}  // namespace solver
