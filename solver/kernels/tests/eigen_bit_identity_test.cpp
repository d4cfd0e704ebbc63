// The decomposition steps must give the same bits whatever is done to make
// them faster. These hashes were taken from the straightforward
// implementation; every stage (balancing, Hessenberg reduction, LR iteration
// with the eigenvector back-substitution, back-transformation and
// normalisation) is hashed on its own so that a difference names the stage
// that caused it. The accuracy refinement that eigen_decompose runs between
// back-transformation and normalisation is not part of this check.
//
// After a change that is meant to alter results, run the test with
// MTL_PRINT_EIGEN_HASHES=1 to print the new table.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "complex_vector_ops.h"
#include "linear_algebra.h"
#include "sample_matrices.h"

namespace {

constexpr int LD = EIGEN_MAX_ORDER;

class Hash {
public:
    void add(const void* data, std::size_t bytes) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < bytes; ++i) {
            value_ ^= p[i];
            value_ *= 0x100000001b3ULL;
        }
    }
    void add(int v) { add(&v, sizeof v); }
    void add_matrix(const ComplexF* a, int rows, int columns, int ld) {
        for (int j = 0; j < columns; ++j) add(a + static_cast<long>(j) * ld, sizeof(ComplexF) * rows);
    }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

enum Stage { BALANCE, HESSENBERG, LR, BACK_TRANSFORM, NORMALIZE, STAGES };
const char* const STAGE_NAMES[STAGES] = {"balance", "hessenberg", "lr_iteration", "back_transform",
                                         "normalize"};

struct StageHashes {
    Hash stage[STAGES];
};

// Runs the steps on a (n x n, leading dimension ld) and adds every stage's
// output to the hashes.
void decompose_and_hash(const ComplexF* matrix, int n, int ld, StageHashes& h) {
    std::vector<ComplexF> a(matrix, matrix + static_cast<long>(ld) * n);
    std::vector<ComplexF> z(static_cast<long>(ld) * n, ComplexF(7.0f, 7.0f));
    ComplexF w[LD];
    float scale[LD];
    int exchanges[LD];
    int marks[LD];
    int low = -1;
    int igh = -1;
    balance_matrix(a.data(), n, ld, low, igh, scale);
    h.stage[BALANCE].add(low);
    h.stage[BALANCE].add(igh);
    h.stage[BALANCE].add(scale, sizeof(float) * n);
    h.stage[BALANCE].add_matrix(a.data(), n, n, ld);
    reduce_to_hessenberg(a.data(), n, ld, low, igh, exchanges);
    for (int m = low + 1; m < igh; ++m) h.stage[HESSENBERG].add(exchanges[m]);
    h.stage[HESSENBERG].add_matrix(a.data(), n, n, ld);
    int error = -1;
    lr_iteration(a.data(), n, ld, low, igh, exchanges, w, z.data(), ld, marks, error);
    h.stage[LR].add(error);
    if (error != 0) return;
    h.stage[LR].add(w, sizeof(ComplexF) * n);
    h.stage[LR].add_matrix(z.data(), n, n, ld);
    back_transform(z.data(), n, ld, low, igh, scale, n);
    h.stage[BACK_TRANSFORM].add_matrix(z.data(), n, n, ld);
    error = 0;
    normalize_eigenvectors(z.data(), n, ld, error);
    h.stage[NORMALIZE].add(error);
    h.stage[NORMALIZE].add_matrix(z.data(), n, n, ld);
}

// Product Z'Y' of lines of 1 .. 32 conductors in the three layouts, from
// audio to microwave frequencies.
StageHashes line_products() {
    StageHashes h;
    ComplexF p[LD * LD];
    for (LineLayout layout : {LineLayout::LADDER, LineLayout::RING, LineLayout::EQUAL_COUPLING}) {
        for (double frequency : {1.0e3, 1.0e6, 1.0e8, 1.0e10}) {
            for (int n = 1; n <= LD; ++n) {
                fill_line_product({n, frequency, layout}, p, LD);
                decompose_and_hash(p, n, LD, h);
            }
        }
    }
    return h;
}

// Random dense matrices, in tables of the exact size and of 32 rows.
StageHashes random_matrices() {
    StageHashes h;
    std::vector<ComplexF> a(LD * LD);
    for (int n = 1; n <= LD; ++n) {
        for (int ld : {n, LD}) {
            fill_random(a.data(), n, n, ld, static_cast<unsigned>(100 + n));
            decompose_and_hash(a.data(), n, ld, h);
        }
    }
    return h;
}

// Random matrices with many exact zeros (rows and columns that isolate
// eigenvalues, zero subdiagonals, repeated entries) and with entries spread
// over many orders of magnitude, so that balancing scales.
StageHashes structured_matrices() {
    StageHashes h;
    std::mt19937 engine(5);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    ComplexF a[LD * LD];
    for (int n = 1; n <= LD; ++n) {
        for (int variant = 0; variant < 4; ++variant) {
            fill_random(a, n, n, LD, static_cast<unsigned>(1000 * variant + n));
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    ComplexF& x = a[i + j * LD];
                    if (variant == 0 && unit(engine) < 0.7f) x = 0.0f;
                    if (variant == 1 && i > j + 1) x = 0.0f;
                    if (variant == 2) x *= std::ldexp(1.0f, static_cast<int>(40 * unit(engine)) - 20);
                    if (variant == 3) x = ComplexF(std::round(4 * x.real()), 0.0f);
                }
            }
            decompose_and_hash(a, n, LD, h);
        }
    }
    return h;
}

struct Expected {
    const char* group;
    StageHashes (*compute)();
    std::uint64_t hashes[STAGES];
};

const Expected EXPECTED[] = {
    {"line products",
     line_products,
     {0x2d9f326e0b421fa7ULL, 0x0f638d06406217e7ULL, 0xde319eff702aa89fULL, 0x62d583bc2b20f6f9ULL, 0x8cd8a2135015da1dULL}},
    {"random matrices",
     random_matrices,
     {0x2c3163b67d9ded81ULL, 0x2bc22dce775cd0cdULL, 0x6b09f0e2be900eddULL, 0x498eac5e2ff2ccd5ULL, 0x3a6dce9ae175792dULL}},
    {"structured matrices",
     structured_matrices,
     {0x06b461332bc507e4ULL, 0xf8431b46ef81cc8bULL, 0xd02515e75b4ba276ULL, 0x0e4a88ec72ea3964ULL, 0x4f6eb1e3791f8260ULL}},
};

TEST(EigenBitIdentity, EveryStageGivesTheRecordedBits) {
    const bool print = std::getenv("MTL_PRINT_EIGEN_HASHES") != nullptr;
    for (const Expected& e : EXPECTED) {
        const StageHashes h = e.compute();
        if (print) {
            std::printf("    {\"%s\", {", e.group);
            for (int s = 0; s < STAGES; ++s)
                std::printf("0x%016llxULL%s", static_cast<unsigned long long>(h.stage[s].value()),
                            s + 1 < STAGES ? ", " : "}},\n");
        }
        for (int s = 0; s < STAGES; ++s)
            EXPECT_EQ(h.stage[s].value(), e.hashes[s]) << e.group << ", " << STAGE_NAMES[s];
    }
}

// The inline modulus of the eigenvalue steps gives the library's bits for
// parts of every size, zeros, subnormals, infinities and NaNs.
TEST(EigenBitIdentity, ModulusMatchesTheLibrary) {
    std::mt19937 engine(9);
    const float special[] = {0.0f, -0.0f, 1.0f, 1e-45f, 1e-38f, 3.4e38f, -3.4e38f, 1e19f, 1e-19f,
                             std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    auto same = [](ComplexF z) {
        const float a = kernels_detail::modulus(z);
        const float b = std::abs(z);
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    for (float x : special)
        for (float y : special) EXPECT_TRUE(same({x, y})) << x << ", " << y;
    long failures = 0;
    for (int i = 0; i < 2'000'000; ++i) {
        const std::uint32_t bits[2] = {static_cast<std::uint32_t>(engine()), static_cast<std::uint32_t>(engine())};
        float parts[2];
        std::memcpy(parts, bits, sizeof parts);
        // Half of them with parts of similar size, where the rounding of the
        // sum matters most.
        if (i % 2 == 1) parts[1] = std::ldexp(parts[0], static_cast<int>(bits[1] % 16) - 8) * 0.7f;
        failures += !same({parts[0], parts[1]});
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
