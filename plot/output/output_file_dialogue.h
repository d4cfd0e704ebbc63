// The file dialogue every writer of the plot editor shares: caption, "File
// name? " with a name entry of up to 8 letters and digits, the extension,
// the upper-case file name, the overwrite question, and the writing of a
// text file with its messages.
#pragma once

#include <functional>
#include <ostream>
#include <string>

struct OutputFileName {
    std::string name;           // NAME: base name, extension, upper case
    std::string existing_path;  // the file found under NAME, empty when none
};

// Shows caption at (1, caption_column), clears the menu bar and asks for the
// name until the user gives one that is new or may be overwritten. Returns
// false when the user cancels the entry.
bool ask_output_file_name(const std::string& caption, int caption_column,
                          const std::string& extension, OutputFileName& file);

// Clears the caption from caption_column on and the work area.
void end_output_dialogue(int caption_column);

// base name (a blank-padded field) + extension, letters a-z made upper case.
std::string output_file_name(const std::string& base_field, const std::string& extension);

struct TextFileMessages {
    std::string writing;       // shown while writing, followed by NAME
    std::string cannot_open;   // followed by NAME
    std::string write_failed;  // followed by NAME
};

// Opens the file (replacing its contents), runs write on it, closes it and
// reports the first failure with the given messages. Returns true when the
// whole file was written.
bool write_text_file(const OutputFileName& file, const TextFileMessages& messages,
                     const std::function<bool(std::ostream&)>& write);
