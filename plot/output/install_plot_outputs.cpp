#include "install_plot_outputs.h"

#include "bitmap_output.h"
#include "plot_files.h"
#include "plot_output_hooks.h"
#include "title_editor.h"

void install_plot_outputs() {
    PlotOutputHooks& hooks = plot_output_hooks();
    hooks.change_title = edit_title;
    hooks.store_recall = store_recall;
    hooks.write_table_report = write_table_report;
    hooks.write_rect_hpgl = write_rect_hpgl;
    hooks.write_smith_hpgl = write_smith_hpgl;
    hooks.write_bitmap_file = write_bitmap_file;
}
