#include "screen_test_support.h"

#include <random>

#include "plot_state.h"
#include "stream_test_support.h"

namespace fs = std::filesystem;

void ScreenInTempFolder::SetUp() {
    std::random_device random;
    folder = fs::temp_directory_path() /
             ("plot_output_test_" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(folder);
    previous_ = fs::current_path();
    fs::current_path(folder);
    reset_plot_state();
}

void ScreenInTempFolder::TearDown() {
    fs::current_path(previous_);
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(folder, error);
    reset_plot_state();
}

std::string ScreenInTempFolder::file_text(const std::string& name) const {
    return read_file((folder / name).string());
}

bool ScreenInTempFolder::file_exists(const std::string& name) const {
    return fs::exists(folder / name);
}
