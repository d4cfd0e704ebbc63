// Writing bytes to a file descriptor in full, keeping the system's message
// when that fails.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace solver {

// Writes all of `bytes` (retrying interrupted and partial writes). Returns
// the number written; when that is less, `failure` holds the reason.
std::size_t write_fully(int fd, std::string_view bytes, std::string& failure);

}  // namespace solver
