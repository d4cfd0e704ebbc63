// Dense nodal equations: the full node matrix, factorised by the Crout
// kernel. The reference the sparse storage is measured against.
#pragma once

#include <memory>

#include "nodal_equations.h"
#include "solver_tables.h"

namespace solver {

class DenseNodalEquations : public NodalEquations {
public:
    explicit DenseNodalEquations(int node_count);
    // Null when the tables cannot be obtained.
    static std::unique_ptr<DenseNodalEquations> create(int node_count);

    void clear() override;
    ComplexD& at(int row, int column) override { return tables_->matrix[row + column * LD]; }
    // The full product with W, whatever its structure.
    void substitute_line_columns(int first, int n, const ComplexD* w, int ldw, const ComplexD* e) override;
    SolveStatus solve(ComplexD* x, int count, int ldx) override;

private:
    static constexpr int LD = MAX_NODES;
    struct Tables {
        ComplexD matrix[LD * LD];  // column-major
        ComplexD column_block[LD * 2 * MAX_CONDUCTORS];
        ComplexD rhs[MAX_NODES];
        ComplexD solution[MAX_NODES];
        int row_order[MAX_NODES];
    };
    int n_;
    std::unique_ptr<Tables> tables_;
};

}  // namespace solver
