#include "double_solve.h"

#include "split_lu.h"
#include "wider_vectors.h"

namespace {

constexpr int LD = DOUBLE_SOLVE_MAX_ORDER;

MTL_WIDER_VECTORS bool factorise(DoubleSolveWork& w, int n) {
    return kernels_detail::factorise_split<LD>(w.re, w.im, n, w.order, w.pivot_inverse);
}

MTL_WIDER_VECTORS void substitute(DoubleSolveWork& w, int n, int count) {
    kernels_detail::substitute_split_rows<LD>(w.re, w.im, w.order, w.pivot_inverse, n, w.xr, w.xi, count);
}

}  // namespace

bool solve_in_double(const ComplexF* a, int n, int lda, ComplexD* b, int count, int ldb, DoubleSolveWork& work) {
    if (n <= 0 || n > LD || count < 0 || count > LD) return false;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexF e = a[i + static_cast<long>(j) * lda];
            work.re[i + j * LD] = e.real();
            work.im[i + j * LD] = e.imag();
        }
    if (!factorise(work, n)) return false;
    for (int j = 0; j < count; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexD e = b[i + static_cast<long>(j) * ldb];
            work.xr[i * LD + j] = e.real();
            work.xi[i * LD + j] = e.imag();
        }
    substitute(work, n, count);
    for (int j = 0; j < count; ++j)
        for (int i = 0; i < n; ++i) b[i + static_cast<long>(j) * ldb] = ComplexD(work.xr[i * LD + j], work.xi[i * LD + j]);
    return true;
}
