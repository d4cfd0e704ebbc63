#include "parameter_files.h"

#include <string>

#include "fixed_fields.h"

namespace solver {

namespace {

std::string e15_7(double value) { return fields::format_ew_wide_exponent(value, 15, 7); }

}  // namespace

void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension) {
    std::string block;
    block += ' ';
    block += e15_7(frequency);
    block += "\n\n";
    for (int q = 0; q < port_count; ++q) {
        for (int p = 0; p <= q; ++p) {
            const std::complex<double>& v = m[q + p * leading_dimension];
            block += ' ';
            block += e15_7(v.real());
            block += e15_7(v.imag());
            block += '\n';
        }
    }
    block += '\n';
    file.write(block.data(), static_cast<std::streamsize>(block.size()));
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
