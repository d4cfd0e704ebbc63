// Directory search, file lookup and deletion in the working directory. Names
// are compared without regard to case, so the plotter's lower-case names
// find the solver's upper-case files on a case-sensitive file system.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "surface_files.h"
#include "surface_state.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t NAME_FIELD = 12;

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "*" matches any run of characters, "?" any one character; case is ignored.
bool matches(const std::string& pattern, const std::string& name) {
    const std::string p = lower(pattern), n = lower(name);
    std::size_t pi = 0, ni = 0, star = std::string::npos, resume = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            resume = ni;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ni = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

std::map<int, std::vector<std::string>>& searches() { return surface_state().searches; }

}  // namespace

std::string find_file(const std::string& name) {
    if (name.empty()) return {};
    const fs::path given(name);
    const fs::path folder = given.has_parent_path() ? given.parent_path() : fs::path(".");
    const std::string base = given.filename().string();
    std::error_code error;
    if (fs::is_regular_file(folder / base, error)) return fs::absolute(folder / base, error).string();
    const std::string wanted = lower(base);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (lower(it->path().filename().string()) != wanted) continue;
        std::error_code type_error;
        if (it->is_regular_file(type_error)) return fs::absolute(it->path(), type_error).string();
    }
    return {};
}

bool delete_file(const std::string& name) {
    const std::string path = find_file(name);
    if (path.empty()) return false;
    std::error_code error;
    return fs::remove(path, error) && !error;
}

int next_file_info(const std::string& pattern, int& handle, std::string& name) {
    name.clear();
    if (handle == -1) {
        std::vector<std::string> found;
        std::error_code error;
        fs::directory_iterator it(".", error);
        if (error) {
            handle = -3;
            return 0;
        }
        for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
            const std::string entry = it->path().filename().string();
            std::error_code type_error;
            if (entry.size() > NAME_FIELD || !it->is_regular_file(type_error)) continue;
            if (matches(pattern, entry)) found.push_back(entry);
        }
        std::reverse(found.begin(), found.end());  // taken from the back
        handle = surface_state().next_search++;
        searches()[handle] = std::move(found);
    }
    auto search = searches().find(handle);
    if (search == searches().end() || search->second.empty()) {
        if (search != searches().end()) searches().erase(search);
        handle = -2;
        return 0;
    }
    name = search->second.back();
    search->second.pop_back();
    return static_cast<int>(name.size());
}
