// How the sweep runs; none of it changes the results it writes.
#pragma once

namespace solver {

enum class NodalStorage {
    AUTOMATIC,  // sparse, unless the network is small or its pattern nearly full
    DENSE,      // the full node matrix and the Crout kernel
    SPARSE,     // the pattern's values and KLU, whatever the network
};

inline constexpr int MAX_THREADS = 64;

struct SweepOptions {
    int threads = 0;  // workers; 0: one per core (one for quick points)
    NodalStorage storage = NodalStorage::AUTOMATIC;
};

}  // namespace solver
