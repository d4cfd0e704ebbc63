// The plot editor's output keys call these functions. The output library
// installs the real ones (install_plot_outputs); until then, and in tests
// that replace them, they are plain function pointers.
#pragma once

struct PlotOutputHooks {
    void (*change_title)() = nullptr;             // F4: edit_title
    void (*store_recall)() = nullptr;             // F6
    void (*write_table_report)() = nullptr;       // F7
    void (*write_rect_hpgl)() = nullptr;          // F8, rectangular diagram
    void (*write_smith_hpgl)() = nullptr;         // F8, Smith chart
    void (*write_bitmap_file)(bool inverted) = nullptr;  // F9 and shifted F9
};

PlotOutputHooks& plot_output_hooks();
