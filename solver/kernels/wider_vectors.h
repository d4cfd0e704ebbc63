// Marks a function whose loops gain much from 256-bit vectors: the compiler
// builds it twice, and the processor's capabilities choose one of the two
// when the program starts. Files with such functions are compiled without
// contracting products and sums into fused multiply-adds, so both builds
// give the same bits and every processor the same results.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define MTL_WIDER_VECTORS __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define MTL_WIDER_VECTORS
#endif
