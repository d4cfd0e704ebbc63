#include "output_file_dialogue.h"

#include <fstream>

#include "screen_toolkit.h"
#include "surface_files.h"
#include "text_sink.h"
#include "value_entry.h"

namespace {

constexpr int NAME_FIELD_LENGTH = 20;
constexpr int MAX_BASE_NAME = 8;
constexpr int NAME_ENTRY_COLUMN = 12;

}  // namespace

std::string output_file_name(const std::string& base_field, const std::string& extension) {
    std::string name = without_trailing_blanks(base_field) + extension;
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
}

bool ask_output_file_name(const std::string& caption, int caption_column,
                          const std::string& extension, OutputFileName& file) {
    const ScreenLayout& layout = screen_layout();
    print_at(layout.caption_row(), caption_column, COLOR_BRIGHT, caption);
    clear_line(layout.menu_row(), 1);
    const int row = layout.message_row() - 1;
    for (;;) {
        print_at(row, 1, COLOR_BRIGHT, "File name? ");
        std::string field(NAME_FIELD_LENGTH, ' ');
        if (!enter_name(row, NAME_ENTRY_COLUMN, field, MAX_BASE_NAME)) return false;
        if (without_trailing_blanks(field).empty()) {
            // Enter on an empty field names no file: ask again.
            error_beep();
            continue;
        }
        file.name = output_file_name(field, extension);
        file.existing_path = find_file(file.name);
        if (file.existing_path.empty()) return true;
        if (ask_yes_no("File " + file.name + " already exists. Overwrite")) return true;
    }
}

void end_output_dialogue(int caption_column) {
    clear_work_area();
    clear_line(screen_layout().caption_row(), caption_column);
}

bool write_text_file(const OutputFileName& file, const TextFileMessages& messages,
                     const std::function<bool(std::ostream&)>& write) {
    print_at(screen_layout().message_row(), 1, COLOR_BRIGHT, messages.writing + file.name);
    // An existing file is replaced under the name it was found with, so that
    // no second file differing only in case appears beside it.
    const std::string& path = file.existing_path.empty() ? file.name : file.existing_path;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        show_message(messages.cannot_open + file.name);
        return false;
    }
    bool ok = write(out);
    out.close();
    if (out.fail()) ok = false;  // data still buffered could not be written
    if (!ok) show_message(messages.write_failed + file.name);
    return ok;
}
