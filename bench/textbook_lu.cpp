#include "textbook_lu.h"

#include <cmath>
#include <utility>

bool textbook_factorise(ComplexD* a, int n, int lda, int* pivots) {
    auto at = [a, lda](int i, int j) -> ComplexD& { return a[i + static_cast<long>(j) * lda]; };
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i) {
            if (std::abs(at(i, k)) > std::abs(at(p, k))) p = i;
        }
        pivots[k] = p;
        if (at(p, k) == 0.0) return false;
        if (p != k) {
            for (int j = 0; j < n; ++j) std::swap(at(k, j), at(p, j));
        }
        for (int i = k + 1; i < n; ++i) at(i, k) /= at(k, k);
        for (int j = k + 1; j < n; ++j) {
            for (int i = k + 1; i < n; ++i) at(i, j) -= at(i, k) * at(k, j);
        }
    }
    return true;
}

void textbook_substitute(const ComplexD* a, int n, int lda, const int* pivots, ComplexD* b) {
    auto at = [a, lda](int i, int j) { return a[i + static_cast<long>(j) * lda]; };
    for (int k = 0; k < n; ++k) std::swap(b[k], b[pivots[k]]);
    for (int k = 0; k < n; ++k) {
        for (int i = k + 1; i < n; ++i) b[i] -= at(i, k) * b[k];
    }
    for (int k = n - 1; k >= 0; --k) {
        b[k] /= at(k, k);
        for (int i = 0; i < k; ++i) b[i] -= at(i, k) * b[k];
    }
}
