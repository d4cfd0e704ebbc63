// The command-line conventions every program keeps: --help (exit 0, usage
// first), --version, and a wrong option refused with the usage line and
// exit status 2, none of them touching the working directory or needing a
// display.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ProgramCommandLine : public ::testing::TestWithParam<const char*> {
protected:
    ProgramCommandLine() : dir_(fs::temp_directory_path() / ("mtl_cli_" + std::to_string(::getpid()))) {
        fs::create_directories(dir_ / "work");
    }
    ~ProgramCommandLine() override { fs::remove_all(dir_); }

    Result run(const std::string& arguments) {
        const std::string command = "cd '" + (dir_ / "work").string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" +
                                    GetParam() + "' " + arguments + " >../out 2>../err";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir_ / "out"), slurp(dir_ / "err")};
    }
    std::string name() const { return fs::path(GetParam()).filename().string(); }
    bool work_folder_empty() const { return fs::is_empty(dir_ / "work"); }

private:
    fs::path dir_;
};

TEST_P(ProgramCommandLine, HelpAndVersion) {
    Result r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("usage: " + name() + " ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("Exit status"), std::string::npos);
    EXPECT_NE(r.out.find("--version"), std::string::npos);
    r = run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, name() + " " MTL_VERSION "\n");
    EXPECT_TRUE(work_folder_empty());
}

TEST_P(ProgramCommandLine, UnknownOptionGivesUsageAndStatusTwo) {
    const Result r = run("--no-such-option");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    const std::string first = name() + ": unknown option '--no-such-option'\n";
    ASSERT_EQ(r.err.rfind(first, 0), 0u) << r.err;
    const std::string usage = r.err.substr(first.size());
    EXPECT_EQ(usage.rfind("usage: " + name() + " ", 0), 0u) << r.err;
    EXPECT_EQ(usage.find('\n'), usage.size() - 1) << r.err;
    EXPECT_TRUE(work_folder_empty());
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramCommandLine, ::testing::Values(MTL_PROGRAMS),
                         [](const auto& info) { return fs::path(info.param).stem().string(); });

}  // namespace
