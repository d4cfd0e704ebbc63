#include "parameter_files.h"

namespace solver {

namespace {

struct NamedFile {
    ReplacementFile* file;
    const char* name;
};

}  // namespace

bool ParameterFiles::create(const std::filesystem::path& directory, std::string& failed_name, std::string& reason) {
    const NamedFile files[] = {{&spar, "SPAR.DAT"}, {&zpar, "ZPAR.DAT"}, {&ypar, "YPAR.DAT"}};
    for (const NamedFile& f : files) {
        if (!f.file->create(directory / f.name)) {
            failed_name = f.name;
            reason = f.file->failure();
            for (const NamedFile& other : files) other.file->discard();
            return false;
        }
    }
    return true;
}

bool ParameterFiles::commit(std::string& failed_name, std::string& reason) {
    const NamedFile files[] = {{&spar, "SPAR.DAT"}, {&zpar, "ZPAR.DAT"}, {&ypar, "YPAR.DAT"}};
    const bool complete = spar.flush() && zpar.flush() && ypar.flush();
    bool committed = true;
    for (const NamedFile& f : files) {
        if (complete)
            f.file->commit();
        else
            f.file->discard();
        if (!f.file->intact() && committed) {
            failed_name = f.name;
            reason = f.file->failure();
            committed = false;
        }
    }
    return committed;
}

}  // namespace solver
