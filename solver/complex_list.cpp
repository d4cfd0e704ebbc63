#include "complex_list.h"

#include "common_fields.h"
#include "report_text.h"

namespace solver {

template <typename T>
void write_complex_list(RunReport& report, const std::complex<T>* values, int count, int stride) {
    char* out = report.room(RESULT_LINE_ROOM);
    for (int j = 0; j < count; ++j) {
        const std::complex<T>& value = values[static_cast<long>(j) * stride];
        out = put_text(out, " (");
        out = fields::write_e9_2(out, value.real());
        *out++ = ',';
        out = fields::write_e9_2(out, value.imag());
        out = put_text(out, ") ");
        if ((j + 1) % 5 == 0 || j + 1 == count) {
            *out++ = '\n';
            report.advance(out);
            if (j + 1 < count) out = report.room(RESULT_LINE_ROOM);
        }
    }
}

template void write_complex_list<float>(RunReport&, const std::complex<float>*, int, int);
template void write_complex_list<double>(RunReport&, const std::complex<double>*, int, int);

}  // namespace solver
