#include "plotter_startup.h"

#include <iostream>
#include <memory>

#include "plot_editor.h"
#include "plot_file_outputs.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "stroke_font.h"
#include "surface_files.h"

namespace {

constexpr const char* FONT_FILE = "roman.fon";

// 80-column text mode with wrap off and the cursor hidden.
bool enter_text_mode() {
    if (!set_video_mode(VIDEO_TEXT_80)) return false;
    get_video_config();
    set_text_wrap(false);
    show_text_cursor(false);
    return true;
}

int fail_in_text_mode(const char* message) {
    enter_text_mode();
    write_console_line(message);
    return 1;
}

}  // namespace

int run_mtlplot(bool log_frequency) {
    screen_layout() = ScreenLayout{};
    if (!enter_text_mode()) return 1;

    if (!set_video_mode_rows(VIDEO_VGA_640X480, 30) && !set_video_mode(VIDEO_MAX_RESOLUTION))
        return fail_in_text_mode("Cannot initialize screen for graphics");

    const VideoConfig config = get_video_config();
    if (config.pixel_width < 300 || config.pixel_height < 300)
        return fail_in_text_mode("Improper screen resolution");
    set_text_wrap(false);
    show_text_cursor(false);

    if (register_fonts(FONT_FILE) < 0) {
        std::cerr << "mtlplot: no valid " << FONT_FILE << " in the working directory";
        for (const std::string& folder : stroke_font_folders()) std::cerr << " or " << folder;
        std::cerr << '\n';
        show_message("Cannot register font ");
        set_video_mode(VIDEO_DEFAULT_MODE);
        return 1;
    }

    compute_screen_layout(config.pixel_width, config.pixel_height, config.text_columns,
                          config.text_rows);
    clear_screen(ClearArea::SCREEN);
    if (config.text_rows < 30) {
        show_message("Number of text lines smaller than 30");
        set_video_mode(VIDEO_DEFAULT_MODE);
        return 1;
    }
    const ScreenLayout& layout = screen_layout();
    set_plot_area(layout.plot_cells.left, layout.plot_cells.top, layout.plot_cells.right,
                  layout.plot_cells.bottom);
    print_at(1, 1, COLOR_BRIGHT, "VORDAN");

    const auto session = std::make_unique<PlotSession>();
    session->plot.log_frequency = log_frequency;
    PlotFileOutputs outputs(session->chooser_position);
    main_menu(*session, [&session, &outputs](int kind, int point_count, const float* re,
                                             const float* im, const float* f, int& format) {
        edit_plot(session->plot, outputs, kind, point_count, re, im, f, format);
    });

    clear_screen(ClearArea::SCREEN);
    set_video_mode(VIDEO_DEFAULT_MODE);
    return 0;
}
