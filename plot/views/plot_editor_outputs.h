// What the plot editor's output keys do. The program around the editor
// gives it an implementation (the file writers and the title editor); the
// editor itself knows nothing of files.
#pragma once

#include "plot_state.h"

class PlotEditorOutputs {
public:
    virtual ~PlotEditorOutputs() = default;
    virtual void change_title(PlotState& state) = 0;                 // F4
    virtual void store_recall() = 0;                                 // F6
    virtual void write_table_report(PlotState& state) = 0;           // F7, rectangular diagram
    virtual void write_rect_hpgl(const PlotState& state) = 0;        // F8, rectangular diagram
    virtual void write_smith_hpgl(const PlotState& state) = 0;       // F8, Smith chart
    virtual void write_bitmap_file(bool inverted) = 0;               // F9 and shifted F9
};

// Outputs that do nothing: the editor's keys return at once.
class NoPlotOutputs : public PlotEditorOutputs {
public:
    void change_title(PlotState&) override {}
    void store_recall() override {}
    void write_table_report(PlotState&) override {}
    void write_rect_hpgl(const PlotState&) override {}
    void write_smith_hpgl(const PlotState&) override {}
    void write_bitmap_file(bool) override {}
};
