// Files of the graphics surface: bitmap pictures of the screen, stroke
// fonts and the directory services of the working directory.
#pragma once

#include <string>
#include <vector>

struct StrokeFont;

// Bitmap files, at viewport-relative pixels: 0 on success; load_bitmap is
// negative on failure and draws only inside the viewport.
int save_bitmap(const std::string& file, int x1, int y1, int x2, int y2);
int load_bitmap(const std::string& file, int x, int y);

// Stroke fonts: number of fonts registered, negative on failure; and the
// fonts registered last.
int register_fonts(const std::string& file);
const std::vector<StrokeFont>& registered_fonts();

// Directory services, in the working directory. Names are matched without
// regard to case, so "spar.dat" finds SPAR.DAT.
std::string find_file(const std::string& name);  // full path, empty when absent
bool delete_file(const std::string& name);        // true when a file was deleted
// Next name matching pattern ("*.bmp"); returns its length, 0 when no more.
// The handle starts at -1 and becomes -2 when the search is exhausted.
int next_file_info(const std::string& pattern, int& handle, std::string& name);
