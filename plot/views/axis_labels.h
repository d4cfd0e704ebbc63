// Axis labels of the plot editor: the unit in brackets carries a blank slot
// in which the drawers write the engineering prefix of the axis.
#pragma once

#include <string>

struct AxisLabel {
    std::string text;     // LABEL_LENGTH characters, blank-padded
    int length = 0;       // without trailing blanks
    int prefix_pos = 0;   // 1-based position of the prefix slot
};

// The label of the frequency axis.
AxisLabel frequency_axis_label();

// The label of the value axis for a ParameterKind and a PlotFormat.
AxisLabel value_axis_label(int kind, int format);

// Measures a raw label: its length, and the slot right after the first "["
// within the first 20 characters. Without "[" a blank is appended and the
// slot is that blank.
AxisLabel make_axis_label(const std::string& raw);

// Writes the prefix character into the label's slot.
void put_prefix(std::string& label, int prefix_pos, char prefix);
