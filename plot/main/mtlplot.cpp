// mtlplot: the interactive plot program, in a window; with --render, plots
// made without one.
#include <iostream>
#include <memory>

#include "option_parser.h"
#include "plotter_startup.h"
#include "render_plots.h"
#include "sdl_presenter.h"
#include "surface_backend.h"

namespace {

constexpr const char* SUMMARY =
    "Plots the network parameters that mtlnet computed: s-parameters as Smith\n"
    "charts or against frequency, y- and z-parameters against frequency.";

constexpr const char* EPILOGUE =
    "Menus (function keys on the bottom row; F10 End leaves every menu):\n"
    "  main menu        F5 sPar, F6 yPar, F7 zPar: the menu of one kind\n"
    "  kind menu        F2 PltOut loads mtlnet's file (spar.dat ...), F3 PltSav a\n"
    "                   kept copy; F6 Index, F8 Format, F9 Plot\n"
    "  Index            F4 1st / F5 2nd (or Left/Right) pick the index; Down/Up step\n"
    "                   it by one, PgDn/PgUp by more, Home/End; Enter keeps both\n"
    "  Format           F2 SmCht (s only), F3 R&I, F4 Mag, F5 Phase, F6 MagdB (s only)\n"
    "  plot editor      F2 Scale, F3 Format, F4 Title, F6 Memo (store/recall\n"
    "                   bitmaps), F7 Table (.rpt), F8 GL (HP-GL .plt), F9 BMP\n"
    "  s21 as a Smith chart: F5, F2, F6 Down Enter, F8 F2, F9; then F8 writes HP-GL\n"
    "\n"
    "Files (in the working directory):\n"
    "  read:    spar.dat, ypar.dat, zpar.dat (F2 PltOut), kept copies *.spm,\n"
    "           *.ypm, *.zpm (F3 PltSav), bitmap files *.bmp to lay plots over\n"
    "  written: HP-GL plot files *.plt, bitmap files *.bmp, tables *.rpt\n"
    "\n"
    "With --render no window opens: the pictures named by --out show what the\n"
    "program shows for the same choices, e.g.\n"
    "  mtlplot --render SPAR.DAT --index 2,1 --format db --out s21.png \\\n"
    "          --format smith --out s21.svg\n"
    "With --log-frequency the frequency axis of the diagrams against frequency\n"
    "is logarithmic (decades and their multiples as grid lines), on the screen\n"
    "and in the pictures; Smith charts and tables are not affected.\n"
    "\n"
    "Exit status:\n"
    "  0  the program was left with End, or every picture was written\n"
    "  1  the display or the stroke font roman.fon could not be set up, or a\n"
    "     picture could not be made (the reason on standard error)\n"
    "  2  wrong command line";

}  // namespace

int main(int argc, char** argv) {
    cli::OptionParser parser("mtlplot", "", SUMMARY);
    parser.set_epilogue(EPILOGUE);
    RenderRequest render;
    add_render_options(parser, render);
    const cli::ParseOutcome outcome = parser.parse(argc, argv, std::cout, std::cerr);
    if (!outcome.run) return outcome.exit_status;
    if (render.any_option) {
        if (const std::string why = complete_render_request(render); !why.empty()) {
            std::cerr << "mtlplot: " << why << '\n' << parser.usage_line() << '\n';
            return cli::EXIT_USAGE;
        }
        return render_plots(render, std::cerr);
    }
    try {
        install_presenter(std::make_unique<SdlPresenter>());
        const int status = run_mtlplot(render.log_frequency);
        install_presenter(nullptr);
        return status;
    } catch (const ProgramQuit&) {
        install_presenter(nullptr);  // closes the window
        return 0;
    }
}
