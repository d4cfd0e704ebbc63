#pragma once

#include <complex>

// Complex numbers of the solver: 32-bit parts for the line matrices,
// 64-bit parts for the node and port matrices.
using ComplexF = std::complex<float>;
using ComplexD = std::complex<double>;
