#include "parameter_loading.h"

#include <cstdio>

#include "parameter_data.h"
#include "sweep_loading.h"
#include "screen_toolkit.h"
#include "surface_files.h"

std::string read_parameter_sweep(PlotSession& session, int kind, const std::string& name) {
    ParameterKindState& state = session.kind(kind);
    state.loaded = false;
    // The solver's files are found whatever the case of their names; the
    // messages keep the name as it was given.
    const std::string path = name.empty() ? std::string() : find_file(name);
    ParameterFileResult result;
    if (!path.empty()) result = read_sweep_file(path, session.sweep);
    switch (result.status) {
        case ParameterFileStatus::CANNOT_OPEN: return "Cannot open file " + name;
        case ParameterFileStatus::TOO_MANY_PORTS: return "Number of ports exceeds allowed 9";
        case ParameterFileStatus::READ_ERROR:
            std::fprintf(stderr, "%s:%d: %s\n", name.c_str(), result.line,
                         result.diagnostic.c_str());
            return "Error reading file " + name;
        case ParameterFileStatus::NOTHING_TO_PLOT: return "Nothing to plot";
        case ParameterFileStatus::TOO_MANY_POINTS: return "Too many data points for plotting";
        case ParameterFileStatus::LOADED: break;
    }
    state.port_count = result.port_count;
    state.start_frequency = result.start_frequency;
    state.stop_frequency = result.stop_frequency;
    state.steps = result.steps;
    state.loaded = true;
    return {};
}

void load_parameter_file(PlotSession& session, int kind) {
    session.kind(kind).loaded = false;
    clear_side_panel();
    const std::string failure =
        read_parameter_sweep(session, kind, without_trailing_blanks(session.kind(kind).file_name));
    if (!failure.empty()) show_message(failure);
}
