// Picking a file of the working directory from a framed pop-up list, and
// the list box itself.
#pragma once

#include <string>
#include <vector>

constexpr int MAX_LISTED_FILES = 500;
constexpr int LISTED_NAME_LENGTH = 12;

// Lists the files "*.<extension>" in sorted order and lets the user pick
// one. position is the list position the chooser remembers between uses
// (1 at first), read and written. file_name (the caller's field, padded to
// its length) becomes the name at that position, also when nothing was
// chosen; it stays as it was when no file matches.
void choose_file(const std::string& extension, std::string& file_name, bool& chosen,
                 const std::string& title, int& position);

// Shows items (each shown as its first `width` characters) in a framed box
// with its upper-left corner at (top_row, left_column) and at most max_rows
// visible rows, the screen beneath saved and restored. position (1-based)
// is the highlighted item, read and written on every move; chosen tells
// whether the user took an item with Enter.
void popup_list(const std::vector<std::string>& items, int width, int& position, bool& chosen,
                int top_row, int left_column, int max_rows, const std::string& title);

// The names matching pattern in the working directory, as found: at most
// MAX_LISTED_FILES, names longer than LISTED_NAME_LENGTH left out, each
// padded with blanks to LISTED_NAME_LENGTH.
std::vector<std::string> search_file_names(const std::string& pattern);

// Exchange sort in ascending character order.
void sort_file_names(std::vector<std::string>& names);
