// NETINP.DAT: node count, port count, then per node its elements. Checks the
// topology, repairs zero element values and writes the network echo.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fixed_fields.h"
#include "free_format_reader.h"
#include "input_stages.h"
#include "network_echo.h"

namespace solver {

namespace {

constexpr const char* FILE_NAME = "NETINP.DAT";
constexpr float ZERO_RESISTANCE_REPAIR = 0.001f;  // Ω
constexpr float DEFAULT_NOMINAL_IMPEDANCE = 50.0f;  // Ω

std::string at(const FreeFormatReader& reader, const std::string& expected, const std::string& found) {
    return reader.last_value_location() + ": expected " + expected + ", found " + found;
}

class NetworkStage {
public:
    NetworkStage(SolverRun& run, int& error_flag) : run_(run), net_(run.network), error_flag_(error_flag) {}

    void run();

private:
    bool read_counts();
    bool read_node(int i);
    bool check_element(int i, int j, NodeElement& element);
    void warn_elements_listed_twice();
    void write_echo();
    bool check_unconnected_nodes();
    bool check_ports(bool list_ports);

    void stop(int empty_lines_before, std::initializer_list<MessageItem> message, const std::string& diagnostic) {
        reader_.close();
        run_.report.empty_lines(empty_lines_before);
        run_.report.message(message);
        run_.diagnose(diagnostic);
        error_flag_ = 1;
    }
    void read_failed() { stop(2, {"ERROR OR END OF FILE READING NETWORK DATA"}, reader_.failure()); }

    SolverRun& run_;
    Network& net_;
    int& error_flag_;
    FreeFormatReader reader_;
    std::string port_count_location_;
    std::string element_count_location_[MAX_NODES];  // "FILE:LINE" of each node's element count
    int element_line_[MAX_NODES][MAX_ELEMENTS_PER_NODE] = {};  // file line of each element
};

void NetworkStage::run() {
    if (!reader_.open(run_.directory, FILE_NAME, &run_.warnings)) {
        read_failed();
        return;
    }
    if (!read_counts()) return;
    for (int i = 1; i <= net_.node_count; ++i)
        if (!read_node(i)) return;
    reader_.finish();
    warn_elements_listed_twice();

    if (!run_.echo_input()) {
        // Without the echo only the port check is made: a port attached
        // nowhere cannot be analysed.
        check_ports(false);
        return;
    }
    write_echo();
    if (!check_unconnected_nodes()) return;
    if (!check_ports(true)) return;
    run_.report.empty_lines(2);
}

bool NetworkStage::read_counts() {
    const std::int32_t line_port_count = run_.lines.line_port_count;
    net_.node_count = 0;
    net_.port_count = 0;
    std::int32_t node_count = 0;
    if (!reader_.read_integers(&node_count, 1, "number of nodes")) {
        read_failed();
        return false;
    }
    const std::string node_range =
        line_port_count > 0
            ? "a number of nodes from " + std::to_string(line_port_count) + " (the transmission-line ends) to 512"
            : std::string("a number of nodes from 1 to 512");
    if (node_count < line_port_count || node_count <= 0) {
        stop(2, {"NUMBER OF NODES NONPOSITIVE OR SMALLER THAN ", "NUMBER OF TRANSMISSION LINE PORTS"},
             reader_.rejection(node_range));
        return false;
    }
    if (node_count > MAX_NODES) {
        stop(2, {"INTERCONNECTING NETWORK HAS MORE NODES THAN", " ALLOWED", MAX_NODES},
             reader_.rejection(node_range));
        return false;
    }
    net_.node_count = node_count;
    for (int i = 0; i < MAX_NODES; ++i) {
        net_.element_count[i] = 0;
        net_.connection_count[i] = 0;
        net_.has_port[i] = false;
    }

    std::int32_t port_count = 0;
    if (!reader_.read_integers(&port_count, 1, "number of ports")) {
        read_failed();
        return false;
    }
    port_count_location_ = reader_.last_value_location();
    if (port_count <= 0 || port_count > MAX_PORTS) {
        stop(2, {"NUMBER OF PORTS NONPOSITIVE OR EXCEEDS ALLOWED", MAX_PORTS},
             reader_.rejection("a number of ports from 1 to 6"));
        return false;
    }
    net_.port_count = port_count;
    for (int p = 0; p < MAX_PORTS; ++p) {
        net_.port_node[p] = 0;
        net_.nominal_impedance[p] = 0.0f;
    }
    return true;
}

bool NetworkStage::read_node(int i) {
    std::int32_t count = 0;
    const std::string node = "node " + std::to_string(i);
    if (!reader_.read_integers(&count, 1, "number of elements at " + node)) {
        read_failed();
        return false;
    }
    if (count < 0 || count > MAX_ELEMENTS_PER_NODE) {
        stop(0, {"NUMBER OF ELEMENTS AT NODE", i, " NEGATIVE OR GREATER THAN ALLOWED", MAX_ELEMENTS_PER_NODE},
             reader_.rejection("a number of elements from 0 to 16 at " + node));
        return false;
    }
    net_.element_count[i - 1] = count;
    element_count_location_[i - 1] = reader_.last_value_location();
    for (int j = 1; j <= count; ++j) {
        NodeElement& element = net_.elements[i - 1][j - 1];
        const std::string what = "element " + std::to_string(j) + " at " + node + ": code, value, second node or port";
        reader_.start_read();
        if (!reader_.next_integer(element.code, what, 1, 3) || !reader_.next_real(element.value, what, 2, 3) ||
            !reader_.next_integer(element.index, what, 3, 3)) {
            read_failed();
            return false;
        }
        element_line_[i - 1][j - 1] = reader_.last_value_line();
        if (!check_element(i, j, element)) return false;
    }
    return true;
}

bool NetworkStage::check_element(int i, int j, NodeElement& element) {
    const std::string which = " for element " + std::to_string(j) + " at node " + std::to_string(i);
    if (element.code < RESISTOR || element.code > PORT) {
        stop(0, {"ILLEGAL ELEMENT CODE AT NODE", i},
             at(reader_, "an element code from 1 to 6" + which, std::to_string(element.code)));
        return false;
    }
    if (element.code == RESISTOR) {
        element.value = std::fabs(element.value);
        if (element.value == 0.0f) element.value = ZERO_RESISTANCE_REPAIR;
    } else if (element.code == INDUCTOR || element.code == CAPACITOR) {
        // A zero inductance or capacitance becomes 0.001 / (2π fmax), with
        // fmax the last frequency of the sweep (the same number for H and F).
        element.value = std::fabs(element.value);
        if (element.value == 0.0f) element.value = 0.001f / (TWO_PI * run_.sweep.last_frequency());
    }
    if (element.code != PORT) {
        if (element.index < 0 || element.index > net_.node_count || element.index == i) {
            stop(0, {"ILLEGAL SECOND NODE INDEX AT NODE", i},
                 at(reader_,
                    "a second node from 0 (ground) to " + std::to_string(net_.node_count) + " other than " +
                        std::to_string(i) + which,
                    std::to_string(element.index)));
            return false;
        }
        if (element.index != 0) ++net_.connection_count[element.index - 1];
    } else {
        const std::int32_t p = element.index;
        if (p < 1 || p > net_.port_count) {
            stop(0, {"ILLEGAL PORT INDEX AT NODE", i},
                 at(reader_, "a port number from 1 to " + std::to_string(net_.port_count) + which,
                    std::to_string(p)));
            return false;
        }
        if (net_.has_port[i - 1]) {
            stop(2, {"MULTIPLY SPECIFIED PORT AT NODE", i},
                 at(reader_, "at most one port at node " + std::to_string(i), "a second port (port " +
                                                                                   std::to_string(p) + ")"));
            return false;
        }
        net_.has_port[i - 1] = true;
        element.value = std::fabs(element.value);
        if (element.value == 0.0f) element.value = DEFAULT_NOMINAL_IMPEDANCE;
        net_.nominal_impedance[p - 1] = element.value;
        if (net_.port_node[p - 1] != 0) {
            stop(2, {"MULTIPLY SPECIFIED PORT AT NODE", i},
                 at(reader_, "port " + std::to_string(p) + " at one node only",
                    "it at node " + std::to_string(net_.port_node[p - 1]) + " and again at node " +
                        std::to_string(i)));
            return false;
        }
        net_.port_node[p - 1] = i;
    }
    ++net_.connection_count[i - 1];
    return true;
}

// An element belongs at one of its two nodes. Listed at both (same code,
// value and node pair) it is entered twice, which halves a resistance or an
// inductance and doubles a capacitance.
void NetworkStage::warn_elements_listed_twice() {
    static constexpr const char* NAMES[] = {"", "resistor", "inductor", "capacitor", "short circuit"};
    static constexpr const char* UNITS[] = {"", " ohm", " H", " F", ""};
    std::vector<bool> matched(static_cast<std::size_t>(MAX_NODES) * MAX_ELEMENTS_PER_NODE, false);
    for (int i = 1; i <= net_.node_count; ++i)
        for (int a = 0; a < net_.element_count[i - 1]; ++a) {
            const NodeElement& first = net_.elements[i - 1][a];
            const int other = first.index;
            if (first.code < RESISTOR || first.code > SHORT_CIRCUIT || other <= i) continue;
            for (int b = 0; b < net_.element_count[other - 1]; ++b) {
                const NodeElement& second = net_.elements[other - 1][b];
                const std::size_t slot = static_cast<std::size_t>(other - 1) * MAX_ELEMENTS_PER_NODE + b;
                if (matched[slot] || second.code != first.code || second.index != i ||
                    (first.code != SHORT_CIRCUIT && second.value != first.value))
                    continue;
                matched[slot] = true;
                std::string what = std::string("the ") + NAMES[first.code];
                if (first.code != SHORT_CIRCUIT)
                    what += " of " + fields::format_ew(first.value, 10, 3).substr(1) + UNITS[first.code];
                run_.warnings.add(std::string(FILE_NAME) + ":" + std::to_string(element_line_[other - 1][b]),
                                  what + " between nodes " + std::to_string(i) + " and " + std::to_string(other) +
                                      " is listed at both nodes (also at line " +
                                      std::to_string(element_line_[i - 1][a]) +
                                      "), so it is entered twice; list an element at one of its nodes");
                break;
            }
        }
}

void NetworkStage::write_echo() {
    RunReport& report = run_.report;
    report.empty_line();
    report.line(" INTERCONNECTING NETWORK HAS" + fields::format_iw(net_.node_count, 4) +
                (net_.node_count == 1 ? " NODE WITH FOLLOWING ELEMENTS" : " NODES WITH FOLLOWING ELEMENTS"));
    report.empty_line();
    LineEndWalk walk(run_.lines);
    for (int i = 1; i <= net_.node_count; ++i) {
        report.empty_line();
        report.line(" ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE" + fields::format_iw(i, 4));
        for (int j = 0; j < net_.element_count[i - 1]; ++j) report.line(element_echo_line(net_.elements[i - 1][j]));
        if (!walk.done()) {
            report.line(walk.echo_line());
            walk.advance();
        }
    }
    report.empty_lines(2);
}

// Own nodes (above the line ends) must be connected to something; line ends
// are connected by their line.
bool NetworkStage::check_unconnected_nodes() {
    for (int i = run_.lines.line_port_count + 1; i <= net_.node_count; ++i) {
        if (net_.connection_count[i - 1] == 0) {
            stop(2, {"NODE", i, " LEFT UNCONNECTED"},
                 element_count_location_[i - 1] + ": expected node " + std::to_string(i) +
                     " to list an element or to be named by one, found no connection");
            return false;
        }
    }
    return true;
}

bool NetworkStage::check_ports(bool list_ports) {
    RunReport& report = run_.report;
    if (list_ports) {
        report.line(" EXTERNAL PORTS");
        report.empty_line();
    }
    for (int p = 1; p <= net_.port_count; ++p) {
        const std::int32_t node = net_.port_node[p - 1];
        if (node == 0) {
            stop(2, {"PORT", p, " UNDEFINED"},
                 port_count_location_ + ": expected an element of code 6 for port " + std::to_string(p) +
                     " (the file declares " + std::to_string(net_.port_count) +
                     " ports), found port " + std::to_string(p) + " at no node");
            return false;
        }
        if (list_ports)
            report.line(" \tPORT" + fields::format_iw(p, 2) + " AT NODE" + fields::format_iw(node, 4) +
                        ", NOMINAL IMPEDANCE" + fields::format_ew(net_.nominal_impedance[p - 1], 10, 3) + " " + OHM);
    }
    return true;
}

}  // namespace

void read_network(SolverRun& run, int& error_flag) {
    // The stage's working state holds a location text per node; keep it off
    // the stack.
    auto stage = std::make_unique<NetworkStage>(run, error_flag);
    stage->run();
}

}  // namespace solver
