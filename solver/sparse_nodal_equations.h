// Sparse nodal equations: the values of the network's pattern, factorised
// with KLU. The first factorisation chooses the pivot order; every later
// matrix is refactorised with that same order (by supernodes, see
// SupernodalFactors, where the factors have that form), and factorised
// afresh, with pivots of its own, only where the refined solution shows
// that the pivots grew too much. So the results for a matrix depend only on the matrix and
// the first one: a sweep whose first matrix is that of its first point gives
// the same results on every worker, whichever points each worker analyses.
#pragma once

#include <klu.h>

#include <functional>
#include <memory>
#include <vector>

#include "nodal_equations.h"
#include "nodal_pattern.h"
#include "supernodal_factors.h"

namespace solver {

class SparseNodalEquations : public NodalEquations {
public:
    // All tables are obtained here; the factors at the first solve. Null
    // when there is not enough memory.
    static std::unique_ptr<SparseNodalEquations> create(const NodalPattern& pattern);
    ~SparseNodalEquations() override;

    void clear() override;
    ComplexD& at(int row, int column) override { return values_[pattern_.position(row, column)]; }
    void substitute_line_columns(int first, int n, const ComplexD* w, int ldw, const ComplexD* e) override;
    SolveStatus solve(ComplexD* x, int count, int ldx) override;

    // Takes the pivot order of the first matrix `other` solved as this
    // one's, for another worker of the sweep: the structure of other's
    // factors is shared where they are supernodal, or else the first matrix
    // is factorised again (giving the same order). Only reads what other's
    // later solves leave alone, so other may go on solving meanwhile. False
    // when other has not solved yet (or found its first matrix singular),
    // this one has solved already, or memory ran out.
    bool take_first_order(const SparseNodalEquations& other);

    // Called (once) as soon as the first solve has found the pivot order,
    // before it solves: other workers may take the order from then on.
    void tell_when_first_order_found(std::function<void()> found) { first_order_found_ = std::move(found); }

    // Fresh factorisations so far (the first included), for tests.
    int fresh_factorisations() const { return fresh_factorisations_; }
    // Estimate of the 1-norm condition number of the matrix last solved,
    // with its rows scaled where the factors were (0 when none was), for
    // tests.
    double condition_estimate();

private:
    explicit SparseNodalEquations(const NodalPattern& pattern);
    klu_numeric* factorise(const ComplexD* values);
    bool refactorise_first_order();
    bool refactorise_with_klu();
    void keep_first_structure();
    bool substitute(klu_numeric* factors, ComplexD* x, int count, int ldx);
    void scale_rows(const ComplexD* values);
    void backward_errors(const ComplexD* x, int ldx, const int* ports, int count, double* errors);
    double solve_with(klu_numeric* factors, const double* row_scale, ComplexD* x, int count, int ldx);
    SolveStatus failure_status() const;

    const NodalPattern& pattern_;
    std::vector<ComplexD> values_;  // in the pattern's order
    // The first matrix solved, shared with the workers that take its order.
    std::shared_ptr<const std::vector<ComplexD>> first_values_;
    std::vector<char> zero_row_;    // column substitution: rows left zero
    std::vector<ComplexD> block_;   // column substitution work
    std::vector<ComplexD> scaled_;  // the values with their rows scaled, for factorise()
    std::vector<ComplexD> rhs_;     // the right-hand sides, kept for the residual
    std::vector<double> residual_;      // of every port along each row
    std::vector<ComplexD> correction_;  // the refinement's right-hand sides
    std::vector<double> row_size_;  // |A| summed along each row
    std::vector<double> row_scale_; // its inverse
    klu_common common_{};
    klu_numeric* last_ = nullptr;   // the factors last used
    bool last_scaled_ = false;      // ... those of the scaled rows
    bool last_supernodal_ = false;  // ... the supernodal refactorisation
    std::unique_ptr<SupernodalFactors> supernodal_;  // with the first pivot order
    // KLU's factors with the first matrix's pivot order; where the order was
    // taken with the supernodal structure, only once condition_estimate
    // needs them.
    klu_numeric* first_ = nullptr;
    klu_numeric* fresh_ = nullptr;  // factors of a matrix that needed pivots of its own
    int fresh_factorisations_ = 0;
    std::function<void()> first_order_found_;
};

}  // namespace solver
