// Damage done to a good file for the fuzz tests of its readers: one to four
// random edits (bytes changed, cut or truncated, pieces of the format
// inserted, runs of blanks or digits, lines copied elsewhere), the same
// sequence for the same seed.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace portfiles::testing {

struct Damage {
    std::vector<std::string> pieces;  // inserted whole
    std::size_t longest_cut = 40;     // characters erased at once at most
    std::size_t longest_run = 300;    // blanks or sevens inserted at once at most
    bool moves_lines = false;         // also copy a line to another place
};

inline std::string damaged(std::string text, const Damage& damage, std::mt19937& random) {
    auto pick = [&](std::size_t n) {
        return n == 0 ? std::size_t{0}
                      : std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const int edits = 1 + static_cast<int>(pick(4));
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const std::size_t at = pick(text.size());
        std::size_t edit = pick(damage.moves_lines ? 7 : 6);
        if (!damage.moves_lines && edit >= 4) ++edit;  // no line copied
        switch (edit) {
            case 0:
                text[at] = static_cast<char>(pick(256));
                break;
            case 1:
                text.erase(at, 1 + pick(damage.longest_cut));
                break;
            case 2:
                text.insert(at, damage.pieces[pick(damage.pieces.size())]);
                break;
            case 3:
                text.resize(at);
                break;
            case 4: {  // a line copied
                const auto start = text.rfind('\n', at);
                const auto end = text.find('\n', at);
                const std::size_t from = start == std::string::npos ? 0 : start + 1;
                const std::string line = text.substr(
                    from, end == std::string::npos ? std::string::npos : end - from + 1);
                text.insert(pick(text.size()), line);
                break;
            }
            case 5:
                text.insert(at, std::string(1 + pick(damage.longest_run),
                                            static_cast<char>(pick(2) ? ' ' : '7')));
                break;
            default:
                text[at] = "0123456789+-.E \n"[pick(16)];
                break;
        }
    }
    return text;
}

}  // namespace portfiles::testing
