#include "eigen_decomposition.h"

void eigen_decompose(ComplexF* a, int n, int lda, ComplexF* w, ComplexF* z, int ldz, float* scale,
                     EigenWork& work, int& error) {
    error = 0;
    if (n > EIGEN_MAX_ORDER) {
        error = 1;
        return;
    }
    if (n <= 0) return;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            work.original[i + j * EIGEN_MAX_ORDER] = a[i + static_cast<long>(j) * lda];
        }
    }
    int low = 0;
    int igh = 0;
    balance_matrix(a, n, lda, low, igh, scale);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            work.balanced[i + j * EIGEN_MAX_ORDER] = a[i + static_cast<long>(j) * lda];
        }
    }
    const BalancedForm form{work.balanced, EIGEN_MAX_ORDER, low, igh, scale};
    reduce_to_hessenberg(a, n, lda, low, igh, work.exchanges);
    lr_iteration(a, n, lda, low, igh, work.exchanges, w, z, ldz, work.marks, error);
    if (error != 0) return;
    back_transform(z, n, ldz, low, igh, scale, n);
    refine_eigenvectors(work.original, n, EIGEN_MAX_ORDER, w, z, ldz, work.refine, &form);
    normalize_eigenvectors(z, n, ldz, error);
}
