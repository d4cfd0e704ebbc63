#include "nodal_pattern.h"

#include <algorithm>
#include <new>

namespace solver {

namespace {

// Elements that enter the node matrix: resistor, inductor, capacitor and
// short circuit; open circuits and ports do not.
bool enters_the_matrix(std::int32_t code) { return code >= RESISTOR && code <= SHORT_CIRCUIT; }

}  // namespace

void NodalPattern::factorisation_settings(klu_common& common) {
    klu_defaults(&common);
    // Partial pivoting that prefers the diagonal only when it is within a
    // factor ten of the column's largest entry: the node matrices mix short
    // circuits (1E6 / Zref) with the ground conductance (1E-6 / Zref).
    common.tol = 0.1;
    // The equations scale their rows themselves, exactly and more cheaply
    // (see SparseNodalEquations): the factorisations take the values as
    // they are, unchecked (the pattern is valid by construction).
    common.scale = -1;
}

std::unique_ptr<NodalPattern> NodalPattern::analyse(const LineTable& lines, const Network& network) {
    std::unique_ptr<NodalPattern> pattern(new (std::nothrow) NodalPattern);
    if (!pattern) return nullptr;
    try {
        const int n = network.node_count;
        pattern->n_ = n;
        std::vector<std::vector<int>> rows(n);  // of each column
        auto hold = [&](int r, int c) { rows[c].push_back(r); };

        for (int i = 0; i < n; ++i) {
            hold(i, i);
            for (int e = 0; e < network.element_count[i]; ++e) {
                const NodeElement& el = network.elements[i][e];
                if (!enters_the_matrix(el.code) || el.index == 0) continue;
                const int l = el.index - 1;
                hold(l, l);
                hold(i, l);
                hold(l, i);
            }
        }
        // A line's columns hold every row that touches any of them before
        // the substitution; lines own disjoint columns, so the order of the
        // lines does not matter.
        std::vector<char> touches(n, 0);
        std::vector<int> touched;
        for (int k = 0; k < lines.line_count; ++k) {
            const int first = lines.first_node[k] - 1;
            const int width = 2 * lines.conductor_count[k];
            touched.clear();
            for (int c = first; c < first + width; ++c)
                for (int r : rows[c])
                    if (!touches[r]) {
                        touches[r] = 1;
                        touched.push_back(r);
                    }
            for (int r : touched) touches[r] = 0;
            std::sort(touched.begin(), touched.end());
            for (int c = first; c < first + width; ++c) rows[c] = touched;
        }

        pattern->column_start_.assign(n + 1, 0);
        for (int c = 0; c < n; ++c) {
            if (!std::is_sorted(rows[c].begin(), rows[c].end())) std::sort(rows[c].begin(), rows[c].end());
            rows[c].erase(std::unique(rows[c].begin(), rows[c].end()), rows[c].end());
            pattern->column_start_[c + 1] = pattern->column_start_[c] + static_cast<int>(rows[c].size());
        }
        pattern->row_index_.reserve(pattern->column_start_[n]);
        for (int c = 0; c < n; ++c) pattern->row_index_.insert(pattern->row_index_.end(), rows[c].begin(), rows[c].end());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }

    factorisation_settings(pattern->common_);
    pattern->symbolic_ = klu_analyze(pattern->n_, pattern->column_start_.data(), pattern->row_index_.data(),
                                     &pattern->common_);
    if (!pattern->symbolic_) return nullptr;
    return pattern;
}

NodalPattern::~NodalPattern() {
    if (symbolic_) klu_free_symbolic(&symbolic_, &common_);
}

int NodalPattern::position(int row, int column) const {
    const int* begin = row_index_.data() + column_start_[column];
    const int* end = row_index_.data() + column_start_[column + 1];
    const int* it = std::lower_bound(begin, end, row);
    return (it != end && *it == row) ? static_cast<int>(it - row_index_.data()) : -1;
}

}  // namespace solver
