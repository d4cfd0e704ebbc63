// Everything the plot editor's output keys reach: the writers, the editors
// and their installation into the editor's hooks.
#pragma once

#include "bitmap_output.h"
#include "install_plot_outputs.h"
#include "plot_files.h"
#include "title_editor.h"
