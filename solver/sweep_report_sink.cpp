#include "sweep_report_sink.h"

#include "common_fields.h"
#include "modal_report.h"
#include "port_parameter_report.h"
#include "report_text.h"

namespace solver {

void SweepReportSink::write(const PointResult& point) {
    // Two empty lines and the frequency line.
    char* out = put_text(report_.room(RESULT_LINE_ROOM), "\n\n FREQUENCY");
    out = fields::write_e10_3(out, point.frequency);
    report_.advance(put_text(out, " Hz\n"));
    if (options_.suppress_modal_report != 1)
        for (int k = 1; k <= point.lines_analysed; ++k)
            write_modal_section(report_, k, point.modes[k - 1], point.characteristic_impedance[k - 1]);

    const int ports = point.port_count;
    if (point.matrices >= S_ONLY && options_.s_report_mode != 1)
        write_s_section(report_, options_.s_report_mode, point.s, point.s_db, point.s_degrees, ports, PORT_LD);
    if (point.matrices >= S_AND_Z && options_.suppress_z_report != 1)
        write_matrix_section(report_, " MATRIX OF Z PARAMETERS (\xEA)", point.z, ports, PORT_LD);
    if (point.matrices >= S_Z_AND_Y && options_.suppress_y_report != 1)
        write_matrix_section(report_, " MATRIX OF Y PARAMETERS (S)", point.y, ports, PORT_LD);
}

}  // namespace solver
