#include "test_files.h"

#include "fixed_fields.h"

float made_re(int k, int row, int column) { return 0.1f * row + 0.01f * column + 0.001f * k; }
float made_im(int k, int row, int column) { return -made_re(k, row, column) * 2.0f; }

std::string parameter_file_text(const MadeFile& made) {
    const std::string eol = made.crlf ? "\r\n" : "\n";
    std::string text;
    for (int k = 1; k <= made.blocks; ++k) {
        text.append(" ").append(fields::format_ew(made.start + (k - 1) * made.step, 15, 7)).append(eol).append(eol);
        for (int r = 1; r <= made.ports; ++r)
            for (int c = 1; c <= r; ++c)
                text.append(" ")
                    .append(fields::format_ew(made_re(k, r, c), 15, 7))
                    .append(fields::format_ew(made_im(k, r, c), 15, 7))
                    .append(eol);
        if (k < made.blocks || made.last_empty_line) text += eol;
    }
    return text;
}
