#include "plot_files.h"

#include "output_file_dialogue.h"
#include "plot_state.h"
#include "rect_hpgl_stream.h"
#include "smith_hpgl_stream.h"
#include "table_report_lines.h"

namespace {

constexpr int GL_CAPTION_COLUMN = 77;
constexpr int TABLE_CAPTION_COLUMN = 76;

const TextFileMessages GL_MESSAGES{
    "Writing graphics language file ",
    "Cannot open GL file ",
    "Error writing GL file ",
};

void write_hpgl_file(const PlotState& state, bool (*stream)(const PlotState&, std::ostream&)) {
    OutputFileName file;
    if (ask_output_file_name("GL", GL_CAPTION_COLUMN, ".plt", file)) {
        write_text_file(file, GL_MESSAGES,
                        [&state, stream](std::ostream& out) { return stream(state, out); });
    }
    end_output_dialogue(GL_CAPTION_COLUMN);
}

}  // namespace

void write_smith_hpgl(const PlotState& state) { write_hpgl_file(state, write_smith_hpgl_stream); }

void write_rect_hpgl(const PlotState& state) { write_hpgl_file(state, write_rect_hpgl_stream); }

void write_table_report(PlotState& state) {
    OutputFileName file;
    if (ask_output_file_name("TABLE", TABLE_CAPTION_COLUMN, ".rpt", file)) {
        scale_table_axes(state);
        write_text_file(file,
                        {"Writing table to file ", "Cannot open table file ",
                         "Error writing table to file "},
                        [&state](std::ostream& out) { return write_table_lines(state, out); });
    }
    end_output_dialogue(TABLE_CAPTION_COLUMN);
}
