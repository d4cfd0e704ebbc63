#include "network_echo.h"

#include "fixed_fields.h"
#include "run_report.h"

namespace solver {

namespace {

std::string value_field(float value) { return fields::format_ew(value, 10, 3); }

std::string to_node_or_ground(std::int32_t index) {
    return index == 0 ? ", TO GROUND" : ", TO NODE" + fields::format_iw(index, 4);
}

}  // namespace

std::string element_echo_line(const NodeElement& element) {
    std::string text = " \t";
    switch (element.code) {
    case RESISTOR:
        text += "RESISTOR, R=" + value_field(element.value) + " " + OHM + to_node_or_ground(element.index);
        break;
    case INDUCTOR: text += "INDUCTOR, L=" + value_field(element.value) + " H" + to_node_or_ground(element.index); break;
    case CAPACITOR:
        text += "CAPACITOR, C=" + value_field(element.value) + " F" + to_node_or_ground(element.index);
        break;
    case SHORT_CIRCUIT:
        text += element.index == 0 ? std::string("SHORT CIRCUIT TO GROUND")
                                   : "SHORT CIRCUIT TO NODE" + fields::format_iw(element.index, 4);
        break;
    case OPEN_CIRCUIT: text += "OPEN CIRCUIT"; break;
    case PORT:
        text += "PORT" + fields::format_iw(element.index, 2) + ", NOMINAL IMPEDANCE" + value_field(element.value) + " " +
                OHM;
        break;
    default: break;
    }
    return text;
}

std::string LineEndWalk::echo_line() const {
    return " \tTRANSMISSION LINE" + fields::format_iw(line_, 3) + ", SIGNAL CONDUCTOR" +
           fields::format_iw(conductor_, 3) + ", END" + fields::format_iw(end_, 2);
}

void LineEndWalk::advance() {
    if (done_) return;
    if (++conductor_ <= lines_.conductor_count[line_ - 1]) return;
    conductor_ = 1;
    if (end_ == 1) {
        end_ = 2;
        return;
    }
    end_ = 1;
    if (++line_ > lines_.line_count) done_ = true;
}

}  // namespace solver
