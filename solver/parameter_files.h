// SPAR.DAT, ZPAR.DAT and YPAR.DAT, opened together when the sweep starts;
// their blocks are written by portfiles::append_block.
#pragma once

#include <complex>
#include <filesystem>
#include <fstream>
#include <string>

#include "network_parameter_writer.h"

namespace solver {

using portfiles::append_block;

// The three files, created (or replaced) together when the sweep starts.
class ParameterFiles {
public:
    // False (with the name of the failing file in failed_name) when a file
    // cannot be created.
    bool create(const std::filesystem::path& directory, std::string& failed_name);
    std::ofstream spar, zpar, ypar;
};

}  // namespace solver
