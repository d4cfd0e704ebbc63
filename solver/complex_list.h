// The complex-list layout of the run report: each value as
// " (" real E9.2 "," imaginary E9.2 ") ", five values to a line; a list longer
// than five continues on further lines and every list starts on a new line.
#pragma once

#include <complex>

#include "run_report.h"

namespace solver {

// Writes `count` values taken `stride` elements apart (a matrix row of a
// column-major table has stride = leading dimension).
template <typename T>
void write_complex_list(RunReport& report, const std::complex<T>* values, int count, int stride = 1);

// Writes the rows of an n x n column-major matrix, each as its own list.
template <typename T>
void write_complex_rows(RunReport& report, const std::complex<T>* matrix, int n, int leading_dimension) {
    for (int i = 0; i < n; ++i) write_complex_list(report, matrix + i, n, leading_dimension);
}

}  // namespace solver
