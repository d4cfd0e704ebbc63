#include "file_writes.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace solver {

std::size_t write_fully(int fd, std::string_view bytes, std::string& failure) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failure = std::strerror(n < 0 ? errno : EIO);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace solver
