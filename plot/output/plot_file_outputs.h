// The plot editor's outputs as this library provides them: the title
// editor, store/recall, and the table, HP-GL and bitmap files written
// through their dialogues.
#pragma once

#include "plot_editor_outputs.h"

class PlotFileOutputs : public PlotEditorOutputs {
public:
    // chooser_position: the file chooser's remembered list position, shared
    // with the rest of the program.
    explicit PlotFileOutputs(int& chooser_position) : chooser_position_(chooser_position) {}

    void change_title(PlotState& state) override;
    void store_recall() override;
    void write_table_report(PlotState& state) override;
    void write_rect_hpgl(const PlotState& state) override;
    void write_smith_hpgl(const PlotState& state) override;
    void write_bitmap_file(bool inverted) override;

private:
    int& chooser_position_;
};
