#include "parameter_loading.h"

#include <cstdio>

#include "parameter_data.h"
#include "parameter_file_reader.h"
#include "screen_toolkit.h"
#include "surface_files.h"

void load_parameter_file(PlotSession& session, int kind) {
    ParameterKindState& state = session.kind(kind);
    state.loaded = false;
    clear_side_panel();
    const std::string name = without_trailing_blanks(state.file_name);
    // The solver's files are found whatever the case of their names; the
    // messages keep the name as the menu spells it.
    const std::string path = name.empty() ? std::string() : find_file(name);
    ParameterFileResult result;
    if (!path.empty()) result = read_parameter_file(path, *session.data);
    switch (result.status) {
        case ParameterFileStatus::CANNOT_OPEN:
            show_message("Cannot open file " + name);
            return;
        case ParameterFileStatus::TOO_MANY_PORTS:
            show_message("Number of ports exceeds allowed 9");
            return;
        case ParameterFileStatus::READ_ERROR:
            std::fprintf(stderr, "%s:%d: %s\n", name.c_str(), result.line,
                         result.diagnostic.c_str());
            show_message("Error reading file " + name);
            return;
        case ParameterFileStatus::NOTHING_TO_PLOT:
            show_message("Nothing to plot");
            return;
        case ParameterFileStatus::LOADED:
            break;
    }
    state.port_count = result.port_count;
    state.start_frequency = result.start_frequency;
    state.stop_frequency = result.stop_frequency;
    state.steps = result.steps;
    state.loaded = true;
}
