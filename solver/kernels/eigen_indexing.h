#pragma once

// 1-based element access for the eigenvalue steps, whose loops are clearest
// written with the row and column numbers of the handbook formulation.
// Internal to the kernels library.

#include "complex_types.h"

namespace kernels_detail {

class MatrixView {
public:
    MatrixView(ComplexF* data, int ld) : data_(data), ld_(ld) {}
    ComplexF& operator()(int i, int j) const {
        return data_[(i - 1) + static_cast<long>(j - 1) * ld_];
    }

private:
    ComplexF* data_;
    int ld_;
};

}  // namespace kernels_detail
