#include "sweep_progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Runs a progress indicator over ten points into a temporary stream.
std::string progress_text(bool terminal) {
    std::FILE* stream = std::tmpfile();
    {
        solver::SweepProgress progress(10, stream, terminal, 0.0);
        for (int i = 1; i <= 10; ++i) progress.point_done(i);
    }
    std::rewind(stream);
    std::string text;
    for (int c; (c = std::fgetc(stream)) != EOF;) text += static_cast<char>(c);
    std::fclose(stream);
    return text;
}

TEST(SweepProgress, OneUpdatedLineOnATerminalWipedAtTheEnd) {
    std::string text = progress_text(true);
    EXPECT_EQ(text.rfind("\rmtlnet: frequency 1 of 10, 0 s elapsed, about 0 s remaining\033[K", 0), 0u) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\033[K");
}

TEST(SweepProgress, NothingWhenNotATerminal) { EXPECT_EQ(progress_text(false), ""); }

}  // namespace
