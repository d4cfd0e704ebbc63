#include <utility>

#include "eigen_decomposition.h"
#include "eigen_indexing.h"

void back_transform(ComplexF* z_data, int n, int ldz, int low0, int igh0, const float* scale,
                    int m) {
    kernels_detail::MatrixView z(z_data, ldz);
    const int low = low0 + 1;  // 1-based bounds of the balanced block
    const int igh = igh0 + 1;
    if (m <= 0) return;
    if (igh != low) {
        for (int i = low; i <= igh; ++i) {
            const float s = scale[i - 1];
            for (int j = 1; j <= m; ++j) z(i, j) *= s;
        }
    }
    // Rows above the block from the bottom up, then rows below it downward.
    for (int ii = 1; ii <= n; ++ii) {
        int i = ii;
        if (i >= low && i <= igh) continue;
        if (i < low) i = low - ii;
        const int k = static_cast<int>(scale[i - 1]) + 1;
        if (k == i || k < 1 || k > n) continue;
        for (int j = 1; j <= m; ++j) std::swap(z(i, j), z(k, j));
    }
}
