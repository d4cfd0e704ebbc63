// Connects the plot editor's output keys to the writers of this library.
#pragma once

void install_plot_outputs();
