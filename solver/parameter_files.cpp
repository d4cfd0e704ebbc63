#include "parameter_files.h"

#include <string>

#include "fixed_fields.h"

namespace solver {

void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension) {
    // Written field by field: nothing is allocated per block.
    char line[48];
    auto put = [&](double value, int at) { fields::write_ew_wide_exponent(line + at, value, 15, 7); };
    line[0] = ' ';
    put(frequency, 1);
    line[16] = '\n';
    line[17] = '\n';
    file.write(line, 18);
    for (int q = 0; q < port_count; ++q) {
        for (int p = 0; p <= q; ++p) {
            const std::complex<double>& v = m[q + p * leading_dimension];
            put(v.real(), 1);
            put(v.imag(), 16);
            line[31] = '\n';
            file.write(line, 32);
        }
    }
    file.put('\n');
}

bool ParameterFiles::create(const std::filesystem::path& directory, std::string& failed_name) {
    const std::ios::openmode mode = std::ios::out | std::ios::trunc | std::ios::binary;
    struct {
        std::ofstream* file;
        const char* name;
    } files[] = {{&spar, "SPAR.DAT"}, {&zpar, "ZPAR.DAT"}, {&ypar, "YPAR.DAT"}};
    for (auto& f : files) {
        f.file->open(directory / f.name, mode);
        if (!f.file->is_open()) {
            failed_name = f.name;
            return false;
        }
    }
    return true;
}

}  // namespace solver
