// mtlplot: the interactive plot program, in a window.
#include <memory>

#include "plotter_startup.h"
#include "sdl_presenter.h"
#include "surface_backend.h"

int main() {
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
