// The run-wide tables of the network solver: run options, frequency sweep,
// transmission lines and interconnecting network.
//
// Every table is a plain record sized for the solver's limits; nothing in it
// grows at run time. Arrays are indexed from 0 (line k is at [k - 1], node i
// at [i - 1], port p at [p - 1], conductor c at [c - 1]); the numbers stored
// in the tables (first nodes, second nodes, port nodes, port numbers) keep
// the 1-based numbering of the input files, with 0 meaning ground or "not
// defined".
#pragma once

#include <cstdint>

namespace solver {

inline constexpr int MAX_LINES = 16;
inline constexpr int MAX_CONDUCTORS = 32;
inline constexpr int MAX_NODES = 512;
inline constexpr int MAX_ELEMENTS_PER_NODE = 16;
inline constexpr int MAX_PORTS = 6;
inline constexpr int MAX_FREQUENCY_STEPS = 9999;

// 2π as the solver uses it everywhere (angular frequency, zero-value repairs).
inline constexpr float TWO_PI = 6.283186f;

// CONFIG.DAT. The reserved values are read and kept but not used.
struct RunOptions {
    std::int32_t reserved_first[2] = {0, 0};
    float reference_frequency = 0.0f;  // Hz, > 0
    float r_exponent = 0.0f;           // [R] scales with (f / reference_frequency)^r_exponent, 0 <= . < 10
    float g_exponent = 0.0f;           // the same for [G]
    std::int32_t reserved_fifth[5] = {0, 0, 0, 0, 0};
    // 1 = suppress; any other value means "write".
    std::int32_t suppress_input_echo = 0;
    std::int32_t suppress_modal_report = 0;
    // 1 none, 2 complex with dB, 3 complex only, 4 dB and phase, other: title only.
    std::int32_t s_report_mode = 0;
    std::int32_t suppress_z_report = 0;
    std::int32_t suppress_y_report = 0;
};

enum class SweepSpacing : std::int32_t {
    LINEAR,       // start + i × step (FRQINP.DAT)
    LOGARITHMIC,  // evenly spaced in log10 f from start to stop (mtlnet --sweep log:...)
};

// Point i of a logarithmic sweep from start to stop in step_count steps:
// start × (stop / start)^(i / step_count), computed from i in 64 bits and
// rounded once to 32 bits.
float logarithmic_point(float start, float stop, std::int32_t i, std::int32_t step_count);

// The frequency sweep, after the repairs: start_frequency > 0,
// 0 <= step_count <= MAX_FREQUENCY_STEPS (step_count + 1 points). A linear
// sweep (FRQINP.DAT) has frequency_step >= 0; a logarithmic one has
// stop_frequency > start_frequency and at least one step.
struct FrequencySweep {
    SweepSpacing spacing = SweepSpacing::LINEAR;
    float start_frequency = 0.0f;  // Hz
    float frequency_step = 0.0f;   // Hz, linear sweeps only
    float stop_frequency = 0.0f;   // Hz, logarithmic sweeps only
    std::int32_t step_count = 0;

    // Point i (0 .. step_count), computed directly in 32 bits, never accumulated.
    float frequency(std::int32_t i) const {
        if (spacing == SweepSpacing::LOGARITHMIC)
            return logarithmic_point(start_frequency, stop_frequency, i, step_count);
        return start_frequency + static_cast<float>(i) * frequency_step;
    }
    float last_frequency() const { return frequency(step_count); }
};

// LININP.DAT with the line-end node numbering.
//
// Line k with n conductors owns the 2n nodes from first_node[k-1] on: node
// first_node + c - 1 is end 1 (position 0) of conductor c, node
// first_node + n + c - 1 is end 2 (position line_length) of conductor c.
// Lines take consecutive blocks from node 1, so nodes 1 .. line_port_count
// are line ends and the network's own nodes follow.
struct LineTable {
    std::int32_t line_count = 0;
    std::int32_t conductor_count[MAX_LINES] = {};
    std::int32_t first_node[MAX_LINES] = {};
    // Per-unit-length matrices, symmetric after reading: [line][row][column].
    float inductance[MAX_LINES][MAX_CONDUCTORS][MAX_CONDUCTORS] = {};   // [L] H/m
    float capacitance[MAX_LINES][MAX_CONDUCTORS][MAX_CONDUCTORS] = {};  // [C] F/m
    float resistance[MAX_LINES][MAX_CONDUCTORS][MAX_CONDUCTORS] = {};   // [R] Ω/m at the reference frequency
    float conductance[MAX_LINES][MAX_CONDUCTORS][MAX_CONDUCTORS] = {};  // [G] S/m at the reference frequency
    float line_length[MAX_LINES] = {};                                  // m, not checked
    std::int32_t line_port_count = 0;  // sum of 2 × conductor_count, <= MAX_NODES
};

enum ElementCode : std::int32_t {
    RESISTOR = 1,       // value Ω, index second node (0 = ground)
    INDUCTOR = 2,       // value H
    CAPACITOR = 3,      // value F
    SHORT_CIRCUIT = 4,  // value ignored
    OPEN_CIRCUIT = 5,   // value ignored, index range-checked only
    PORT = 6,           // value nominal impedance Ω, index port number
};

// An element listed at one node; it connects that node to the node named by
// index (or, for a port, attaches port number index there).
struct NodeElement {
    std::int32_t code = 0;
    float value = 0.0f;  // after the repairs: > 0 for codes 1, 2, 3 and 6
    std::int32_t index = 0;
};

// NETINP.DAT.
struct Network {
    std::int32_t node_count = 0;  // line_port_count (and >= 1) .. MAX_NODES
    std::int32_t port_count = 0;  // 1 .. MAX_PORTS
    std::int32_t element_count[MAX_NODES] = {};
    NodeElement elements[MAX_NODES][MAX_ELEMENTS_PER_NODE] = {};
    // Elements listed at the node plus elements elsewhere naming it.
    std::int32_t connection_count[MAX_NODES] = {};
    bool has_port[MAX_NODES] = {};
    std::int32_t port_node[MAX_PORTS] = {};         // 1-based node, 0 until defined
    float nominal_impedance[MAX_PORTS] = {};        // Ω
};

}  // namespace solver
