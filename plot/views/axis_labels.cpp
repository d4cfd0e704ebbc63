#include "axis_labels.h"

#include "plot_state.h"

namespace {

constexpr char DEGREE = static_cast<char>(0xF8);
constexpr char OHM = static_cast<char>(0xEA);

char kind_letter(int kind) {
    switch (kind) {
        case Y_PARAMETERS: return 'y';
        case Z_PARAMETERS: return 'z';
        default: return 's';
    }
}

std::string unit_of_kind(int kind) {
    switch (kind) {
        case Y_PARAMETERS: return "S";
        case Z_PARAMETERS: return std::string(1, OHM);
        default: return "U";
    }
}

}  // namespace

AxisLabel make_axis_label(const std::string& raw) {
    AxisLabel label;
    label.text = raw.substr(0, LABEL_LENGTH);
    label.text.resize(LABEL_LENGTH, ' ');
    std::size_t end = label.text.find_last_not_of(' ');
    label.length = end == std::string::npos ? 0 : static_cast<int>(end) + 1;
    std::size_t bracket = label.text.substr(0, 20).find('[');
    if (bracket != std::string::npos) {
        label.prefix_pos = static_cast<int>(bracket) + 2;
    } else {
        // The appended blank is already there: the field is blank-padded.
        label.prefix_pos = label.length + 1;
        if (label.length < LABEL_LENGTH) label.length += 1;
    }
    return label;
}

AxisLabel frequency_axis_label() { return make_axis_label("f [ Hz]"); }

AxisLabel value_axis_label(int kind, int format) {
    const std::string letter(1, kind_letter(kind));
    switch (format) {
        case SMITH_CHART: return make_axis_label(letter);
        case MAGNITUDE: return make_axis_label("abs(" + letter + ") [ " + unit_of_kind(kind) + "]");
        case PHASE: return make_axis_label("arg(" + letter + ") [ " + std::string(1, DEGREE) + "]");
        case MAGNITUDE_DB: return make_axis_label("20log(" + letter + ") [ dB]");
        default: return make_axis_label(letter + " [ " + unit_of_kind(kind) + "]");
    }
}

void put_prefix(std::string& label, int prefix_pos, char prefix) {
    if (prefix_pos >= 1 && prefix_pos <= static_cast<int>(label.size()))
        label[static_cast<std::size_t>(prefix_pos - 1)] = prefix;
}
