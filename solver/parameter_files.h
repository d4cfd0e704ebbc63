// SPAR.DAT, ZPAR.DAT and YPAR.DAT, prepared together when the sweep starts
// and put in the place of the old files together when it ends; their blocks
// are put together by portfiles' block writers.
#pragma once

#include <filesystem>
#include <string>

#include "network_parameter_writer.h"
#include "replacement_file.h"

namespace solver {

class ParameterFiles {
public:
    // Prepares the three files. False (with the name of the failing file and
    // the system's message) when one cannot be created; the old files then
    // stay as they were.
    bool create(const std::filesystem::path& directory, std::string& failed_name, std::string& reason);
    // False once a file could not be written.
    bool intact() const { return spar.intact() && zpar.intact() && ypar.intact(); }
    // Puts the files in the place of the old ones. When one of them could not
    // be written in full, none is: the old files stay, a set of one run. False
    // (with the failing file's name and the system's message) on a failure.
    bool commit(std::string& failed_name, std::string& reason);

    ReplacementFile spar, zpar, ypar;
};

}  // namespace solver
