#include "replace_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace portfiles {

namespace {

// Creates a new file of a name no one else uses, with the rights the
// umask gives an ordinary new file. Empty on failure (errno tells why).
std::string create_temporary(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = (folder / ("." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                                            std::to_string(counter++) + ".tmp"))
                                     .string();
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            return name;
        }
        if (errno != EEXIST) break;
    }
    return "";
}

}  // namespace

std::string replace_file(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write) {
    const std::string temporary = create_temporary(path);
    if (temporary.empty()) return std::strerror(errno);
    std::string failure;
    {
        std::ofstream out(temporary, std::ios::out | std::ios::trunc | std::ios::binary);
        if (out.is_open()) write(out);
        if (out.is_open()) out.close();
        if (!out) failure = "the file could not be written completely (disk full?)";
    }
    if (failure.empty()) {
        if (std::rename(temporary.c_str(), path.c_str()) == 0) return "";
        failure = std::strerror(errno);
    }
    std::remove(temporary.c_str());
    return failure;
}

}  // namespace portfiles
