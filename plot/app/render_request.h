// The command line of plots made without a screen:
//
//   mtlplot --render FILE [--kind s|y|z] [--title TEXT] [--admittance]
//           [--index I,J] [--format ri|mag|phase|db|smith] --out PICTURE ...
//
// --index and --format apply to the --out options after them, so one call
// can write several pictures of several elements.
#pragma once

#include <string>
#include <vector>

#include "option_parser.h"

// What a picture file holds, by its extension.
enum class PictureType { PNG, BMP, HPGL, SVG, TABLE };

struct RenderTarget {
    int i = 1;
    int j = 1;
    int format = 1;  // a PlotFormat: real and imaginary parts
    std::string path;
    PictureType type = PictureType::PNG;
};

struct RenderRequest {
    std::string file;  // the parameter file; empty without --render
    int kind = 0;      // a ParameterKind; 0 until --kind or the file name tells
    bool admittance = false;
    bool log_frequency = false;  // --log-frequency (also for the interactive program)
    std::string title;
    std::vector<RenderTarget> targets;
    RenderTarget next;  // element and format of the next --out
    bool any_option = false;
};

// Adds the options above to the program's parser; they fill request.
void add_render_options(cli::OptionParser& parser, RenderRequest& request);

// After parsing: completes the kind from the file name and checks what the
// options cannot check one by one. Returns why the request cannot run, or
// an empty string.
std::string complete_render_request(RenderRequest& request);

// The kind a file name stands for: spar/ypar/zpar in its name or the
// extensions .spm/.ypm/.zpm (any case); 0 when it tells none.
int parameter_kind_of_file(const std::string& path);
