// Marks a function whose loops gain much from wider vectors: the compiler
// builds it for 512-bit, 256-bit and the basic 128-bit vectors, and the
// processor's capabilities choose one of the builds when the program starts.
// Files with such functions are compiled without contracting products and
// sums into fused multiply-adds, so all builds give the same bits and every
// processor the same results.
#pragma once

// MTL_WIDEST_VECTORS marks a function built for 512-bit vectors only; it may
// run only where mtl_widest_vectors() says the processor has them (and
// exists only where MTL_HAVE_WIDEST_VECTORS is defined).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define MTL_WIDER_VECTORS __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#define MTL_HAVE_WIDEST_VECTORS 1
#define MTL_WIDEST_VECTORS __attribute__((target("arch=x86-64-v4")))
inline bool mtl_widest_vectors() { return __builtin_cpu_supports("x86-64-v4"); }
#else
#define MTL_WIDER_VECTORS
#endif
