// Hand-made network parameter files in the solver's exact text format.
#pragma once

#include <string>

// The entry (row, column) of block k (all 1-based) in the files made here.
float made_re(int k, int row, int column);
float made_im(int k, int row, int column);

struct MadeFile {
    int ports = 2;
    int blocks = 3;
    float start = 1.0e6f;
    float step = 1.0e6f;
    bool last_empty_line = true;  // the empty line that closes the last block
    bool crlf = false;
};

// The text of such a file: per block " " + E15.7 frequency, an empty line,
// the lower triangle row by row as " " + E15.7 + E15.7, an empty line.
std::string parameter_file_text(const MadeFile& made);
