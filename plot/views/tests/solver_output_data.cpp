#include "solver_output_data.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int PORTS = 4;
constexpr int ENTRIES = PORTS * (PORTS + 1) / 2;
constexpr const char* FILE_NAME = PLOT_VIEWS_DATA_DIR "/coupled_microstrip_spar.dat";

// Blocks of the file: the frequency, then the lower triangle row by row,
// M(1,1); M(2,1), M(2,2); ... Empty lines only separate.
struct Block {
    float f = 0;
    float re[ENTRIES] = {}, im[ENTRIES] = {};
};

std::vector<Block> read_blocks() {
    std::ifstream in(FILE_NAME);
    if (!in) throw std::runtime_error(std::string("cannot open ") + FILE_NAME);
    std::vector<Block> blocks;
    std::string line;
    int entry = -1;  // -1: a frequency line comes next
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        float a = 0, b = 0;
        if (!(fields >> a)) continue;
        if (entry < 0) {
            blocks.push_back({});
            blocks.back().f = a;
        } else {
            if (!(fields >> b)) throw std::runtime_error("entry without imaginary part");
            blocks.back().re[entry] = a;
            blocks.back().im[entry] = b;
        }
        entry = entry + 1 == ENTRIES ? -1 : entry + 1;
    }
    if (entry != -1 || blocks.size() < 2) throw std::runtime_error("incomplete parameter file");
    return blocks;
}

}  // namespace

ElementSweep coupled_microstrip_s(int row, int column) {
    static const std::vector<Block> blocks = read_blocks();
    if (row < column) std::swap(row, column);
    if (column < 1 || row > PORTS) throw std::out_of_range("no such element of a four-port");
    const int k = row * (row - 1) / 2 + column - 1;
    ElementSweep sweep;
    for (const Block& b : blocks) {
        sweep.f.push_back(b.f);
        sweep.re.push_back(b.re[k]);
        sweep.im.push_back(b.im[k]);
    }
    return sweep;
}
