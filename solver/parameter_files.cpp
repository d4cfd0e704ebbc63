#include "parameter_files.h"

namespace solver {

bool ParameterFiles::create(const std::filesystem::path& directory, std::string& failed_name) {
    const std::ios::openmode mode = std::ios::out | std::ios::trunc | std::ios::binary;
    struct {
        std::ofstream* file;
        const char* name;
    } files[] = {{&spar, "SPAR.DAT"}, {&zpar, "ZPAR.DAT"}, {&ypar, "YPAR.DAT"}};
    for (auto& f : files) {
        f.file->open(directory / f.name, mode);
        if (!f.file->is_open()) {
            failed_name = f.name;
            return false;
        }
    }
    return true;
}

}  // namespace solver
