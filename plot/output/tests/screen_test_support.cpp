#include "screen_test_support.h"

#include "stream_test_support.h"

namespace fs = std::filesystem;

void ScreenInTempFolder::SetUp() {
    scratch_.emplace();
    folder = scratch_->path();
}

void ScreenInTempFolder::TearDown() {
    scratch_.reset();
}

std::string ScreenInTempFolder::file_text(const std::string& name) const {
    return read_file((folder / name).string());
}

bool ScreenInTempFolder::file_exists(const std::string& name) const {
    return fs::exists(folder / name);
}
