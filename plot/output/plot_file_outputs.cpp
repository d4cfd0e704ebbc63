#include "plot_file_outputs.h"

#include "bitmap_output.h"
#include "plot_files.h"
#include "title_editor.h"

void PlotFileOutputs::change_title(PlotState& state) { edit_title(state); }
void PlotFileOutputs::store_recall() { ::store_recall(chooser_position_); }
void PlotFileOutputs::write_table_report(PlotState& state) { ::write_table_report(state); }
void PlotFileOutputs::write_rect_hpgl(const PlotState& state) { ::write_rect_hpgl(state); }
void PlotFileOutputs::write_smith_hpgl(const PlotState& state) { ::write_smith_hpgl(state); }
void PlotFileOutputs::write_bitmap_file(bool inverted) { ::write_bitmap_file(inverted); }
