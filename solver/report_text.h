// Report lines put together in the run report's buffer (RunReport::room)
// by the writers of many lines: literal texts and number fields placed one
// after another. Each writer asks for room for its longest line.
#pragma once

#include <cstddef>
#include <cstring>

namespace solver {

// Room for any line of the result sections (the longest, five complex
// values, has 116 characters with its line end).
inline constexpr std::size_t RESULT_LINE_ROOM = 128;

// A literal text at out; returns the end.
template <std::size_t N>
char* put_text(char* out, const char (&text)[N]) {
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

}  // namespace solver
