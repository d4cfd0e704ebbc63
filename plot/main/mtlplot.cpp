// mtlplot: the interactive plot program, in a window.
#include <iostream>
#include <memory>

#include "option_parser.h"
#include "plotter_startup.h"
#include "sdl_presenter.h"
#include "surface_backend.h"

namespace {

constexpr const char* SUMMARY =
    "Plots the network parameters that mtlnet computed: s-parameters as Smith\n"
    "charts or against frequency, y- and z-parameters against frequency.";

constexpr const char* EPILOGUE =
    "Files (in the working directory):\n"
    "  read:    spar.dat, ypar.dat, zpar.dat (F2 PltOut), kept copies *.spm,\n"
    "           *.ypm, *.zpm (F3 PltSav), bitmap files *.bmp to lay plots over\n"
    "  written: HP-GL plot files *.plt, bitmap files *.bmp, tables *.rpt\n"
    "\n"
    "Exit status:\n"
    "  0  the program was left with End\n"
    "  1  the display or the stroke font roman.fon could not be set up\n"
    "  2  wrong command line";

}  // namespace

int main(int argc, char** argv) {
    cli::OptionParser parser("mtlplot", "", SUMMARY);
    parser.set_epilogue(EPILOGUE);
    const cli::ParseOutcome outcome = parser.parse(argc, argv, std::cout, std::cerr);
    if (!outcome.run) return outcome.exit_status;
    try {
        install_presenter(std::make_unique<SdlPresenter>());
        const int status = run_mtlplot();
        install_presenter(nullptr);
        return status;
    } catch (const ProgramQuit&) {
        install_presenter(nullptr);  // closes the window
        return 0;
    }
}
