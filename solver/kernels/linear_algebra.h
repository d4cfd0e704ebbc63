#pragma once

// The solver's complex linear-algebra kernels. Matrices are stored column by
// column with an explicit leading dimension: element (i, j) (0-based) of A is
// a[i + j * lda]. The kernels work in place, allocate nothing and report
// failures only through their error argument.

#include "complex_types.h"
#include "double_solve.h"
#include "eigen_decomposition.h"
#include "linear_system.h"
#include "matrix_inversion.h"
#include "matrix_product.h"
