// Writing a file so that it is there whole or not at all: the text goes to
// a temporary name in the same folder, which is renamed over the file only
// once everything was written. On any failure the temporary file is removed
// and an existing file keeps its old content.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace portfiles {

// write fills the stream; it may set failbit to give up. Returns "" on
// success, otherwise why the file could not be written.
std::string replace_file(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write);

}  // namespace portfiles
