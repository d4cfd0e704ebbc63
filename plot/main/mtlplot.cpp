// mtlplot: the interactive plot program, in a window.
#include <memory>

#include "plotter_startup.h"
#include "sdl_presenter.h"
#include "surface_backend.h"

#if __has_include("plot_outputs.h")
#include "plot_outputs.h"
#define MTL_HAVE_PLOT_OUTPUTS 1
#endif

int main() {
    try {
        install_presenter(std::make_unique<SdlPresenter>());
#ifdef MTL_HAVE_PLOT_OUTPUTS
        install_plot_outputs();
#endif
        const int status = run_mtlplot();
        install_presenter(nullptr);
        return status;
    } catch (const ProgramQuit&) {
        install_presenter(nullptr);  // closes the window
        return 0;
    }
}
