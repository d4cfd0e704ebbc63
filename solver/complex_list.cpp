#include "complex_list.h"

#include "field_line.h"

namespace solver {

template <typename T>
void write_complex_list(RunReport& report, const std::complex<T>* values, int count, int stride) {
    fields::FieldLine text;
    for (int j = 0; j < count; ++j) {
        const std::complex<T>& value = values[static_cast<long>(j) * stride];
        text.text(" (").ew(value.real(), 9, 2).text(",").ew(value.imag(), 9, 2).text(") ");
        if ((j + 1) % 5 == 0 || j + 1 == count) {
            report.line(text.view());
            text.clear();
        }
    }
}

template void write_complex_list<float>(RunReport&, const std::complex<float>*, int, int);
template void write_complex_list<double>(RunReport&, const std::complex<double>*, int, int);

}  // namespace solver
