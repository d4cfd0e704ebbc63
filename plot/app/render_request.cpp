#include "render_request.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "plot_state.h"

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A positive index of at most two digits; false otherwise.
bool parse_index(std::string_view text, int& index) {
    if (text.empty() || text.size() > 2) return false;
    index = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        index = 10 * index + (c - '0');
    }
    return index >= 1;
}

std::string set_index(std::string_view value, RenderTarget& next) {
    const std::size_t comma = value.find(',');
    int i = 0, j = 0;
    if (comma == std::string_view::npos || !parse_index(value.substr(0, comma), i) ||
        !parse_index(value.substr(comma + 1), j))
        return "expected I,J (two port numbers from 1)";
    next.i = i;
    next.j = j;
    return {};
}

std::string set_format(std::string_view value, RenderTarget& next) {
    const std::pair<const char*, int> names[] = {{"smith", SMITH_CHART}, {"ri", REAL_IMAG},
                                                 {"mag", MAGNITUDE},     {"phase", PHASE},
                                                 {"db", MAGNITUDE_DB}};
    for (const auto& [name, format] : names) {
        if (value == name) {
            next.format = format;
            return {};
        }
    }
    return "expected ri, mag, phase, db or smith";
}

std::string add_target(std::string_view value, RenderRequest& request) {
    RenderTarget target = request.next;
    target.path = std::string(value);
    const std::string extension = lower(std::filesystem::path(target.path).extension().string());
    if (extension == ".png")
        target.type = PictureType::PNG;
    else if (extension == ".bmp")
        target.type = PictureType::BMP;
    else if (extension == ".plt")
        target.type = PictureType::HPGL;
    else if (extension == ".svg")
        target.type = PictureType::SVG;
    else if (extension == ".rpt")
        target.type = PictureType::TABLE;
    else
        return "the picture's name must end in .png, .bmp, .plt, .svg or .rpt";
    request.targets.push_back(target);
    return {};
}

}  // namespace

int parameter_kind_of_file(const std::string& path) {
    const std::string name = lower(std::filesystem::path(path).filename().string());
    const std::string extension = lower(std::filesystem::path(path).extension().string());
    const std::pair<const char*, const char*> marks[] = {
        {"spar", ".spm"}, {"ypar", ".ypm"}, {"zpar", ".zpm"}};
    for (int k = 0; k < 3; ++k)
        if (extension == marks[k].second) return k + 1;
    for (int k = 0; k < 3; ++k)
        if (name.find(marks[k].first) != std::string::npos) return k + 1;
    return 0;
}

void add_render_options(cli::OptionParser& parser, RenderRequest& request) {
    using cli::Option;
    using cli::Value;
    auto noted = [&request](auto handler) {
        return [&request, handler](std::optional<std::string_view> value) {
            request.any_option = true;
            return handler(value);
        };
    };
    parser.add(Option{"render", 0, Value::REQUIRED, "FILE",
                      "plot the parameter file FILE without a screen into the --out pictures"},
               noted([&request](std::optional<std::string_view> v) {
                   request.file = std::string(*v);
                   return request.file.empty() ? std::string("expected a file name") : std::string();
               }));
    parser.add(Option{"kind", 0, Value::REQUIRED, "s|y|z",
                      "the parameters FILE holds (default: from its name)"},
               noted([&request](std::optional<std::string_view> v) {
                   const std::string k = lower(std::string(*v));
                   request.kind = k == "s" ? S_PARAMETERS : k == "y" ? Y_PARAMETERS
                                                        : k == "z" ? Z_PARAMETERS : 0;
                   return request.kind ? std::string() : std::string("expected s, y or z");
               }));
    parser.add(Option{"index", 0, Value::REQUIRED, "I,J",
                      "the matrix element of the --out options after it (default 1,1)"},
               noted([&request](std::optional<std::string_view> v) { return set_index(*v, request.next); }));
    parser.add(Option{"format", 0, Value::REQUIRED, "ri|mag|phase|db|smith",
                      "the diagram of the --out options after it (default ri)"},
               noted([&request](std::optional<std::string_view> v) { return set_format(*v, request.next); }));
    parser.add(Option{"title", 0, Value::REQUIRED, "TEXT", "the plot title (at most 76 characters)"},
               noted([&request](std::optional<std::string_view> v) {
                   request.title = std::string(*v);
                   if (request.title.size() > static_cast<std::size_t>(TITLE_LENGTH))
                       return std::string("at most 76 characters");
                   for (char c : request.title)
                       if (c < 32 || c > 126) return std::string("printable ASCII characters only");
                   return std::string();
               }));
    parser.add(Option{"admittance", 0, Value::NONE, "", "Smith charts with the admittance grid"},
               noted([&request](std::optional<std::string_view>) {
                   request.admittance = true;
                   return std::string();
               }));
    // Not a plot option by itself: it serves the interactive program too.
    parser.add_flag("log-frequency", "logarithmic frequency axis in the diagrams against frequency",
                    request.log_frequency);
    parser.add(Option{"out", 0, Value::REQUIRED, "PICTURE",
                      "write PICTURE: .png, .bmp (the screen), .plt (HP-GL), .svg, .rpt (table)"},
               noted([&request](std::optional<std::string_view> v) { return add_target(*v, request); }));
}

std::string complete_render_request(RenderRequest& request) {
    if (request.file.empty()) return "--render FILE is needed with the other plot options";
    if (request.targets.empty()) return "nothing to write: give --out PICTURE";
    if (request.kind == 0) request.kind = parameter_kind_of_file(request.file);
    if (request.kind == 0)
        return "the name " + request.file + " does not tell s, y or z: give --kind";
    for (const RenderTarget& t : request.targets) {
        if (request.kind != S_PARAMETERS && (t.format == SMITH_CHART || t.format == MAGNITUDE_DB))
            return t.path + ": y- and z-parameters are shown as ri, mag or phase";
        if (t.format == SMITH_CHART && t.type == PictureType::TABLE)
            return t.path + ": a Smith chart has no table";
    }
    return {};
}
