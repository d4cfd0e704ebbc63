#pragma once

#include "complex_types.h"

// Eigenvalues and eigenvectors of a general complex matrix in single precision
// (for the line matrices of up to 32 conductors): balancing, reduction to upper
// Hessenberg form by stabilised elementary similarity transformations, LR
// iteration with shifts, back-transformation and normalisation.
//
// All matrices are stored column by column: element (i, j) (0-based) of A is
// a[i + j * lda]. Indices passed between the steps (low, igh) are 0-based and
// inclusive; error values are 1-based as described with each function.

// Largest order eigen_decompose handles (the line matrices are sized for 32
// conductors).
constexpr int EIGEN_MAX_ORDER = 32;

// Relative machine precision used by the convergence and deflation tests.
constexpr float EIGEN_MACHINE_PRECISION = 1.1921E-7f;

// At most this many LR steps are spent on one eigenvalue; exceptional shifts
// are taken after 10 and 20 of them.
constexpr int EIGEN_MAX_ITERATIONS = 30;

// Refinement of the eigenpairs that the single-precision decomposition
// delivers, in double precision.
//
// The LR iteration works with non-unitary transformations; when eigenvalues
// lie close together (the modes of a line with many similar conductors) the
// eigenvectors it back-substitutes can come out with residuals
// ||A v - w v|| of several parts in 1E4 of ||A||, and those of a cluster of
// nearly equal eigenvalues close to linearly dependent.

constexpr int REFINE_MAX_ORDER = 32;

// A pair (w, v) with ||A v - w v|| <= EIGEN_ROUNDING_RESIDUAL ||A|| ||v|| is
// as good as single-precision numbers can hold it. ||A|| is the larger of
// the spectral radius and ||A||_F / sqrt(n), both at most the spectral norm:
// the Frobenius norm alone would let the nearly equal modes of a line of a
// dozen conductors keep eigenvalues wrong in their seventh digit.
constexpr double EIGEN_ROUNDING_RESIDUAL = 2.0 * 1.1921e-7;

// The balanced matrix that balance_matrix left (an exact similarity
// transform of A) and its balancing (0-based low, igh and the scale
// factors), kept for the refinement.
struct BalancedForm {
    const ComplexF* b = nullptr;
    int ldb = 0;
    int low = 0, igh = 0;
    const float* scale = nullptr;
};

// The balanced matrix reduced to upper Hessenberg form in double precision
// by elimination with row interchanges (as reduce_to_hessenberg does in
// single precision): real and imaginary parts apart, the multipliers below
// the subdiagonal, exchanges[m] the row exchanged with row m.
struct DoubleHessenberg {
    double re[REFINE_MAX_ORDER * REFINE_MAX_ORDER];
    double im[REFINE_MAX_ORDER * REFINE_MAX_ORDER];
    int exchanges[REFINE_MAX_ORDER];
    BalancedForm balancing;
};
void reduce_in_double(const BalancedForm& form, int n, DoubleHessenberg& h);

// Eigenvectors (unit length, n entries; vector c at vectors + c *
// REFINE_MAX_ORDER) of A, given its Hessenberg form, for the eigenvalues
// near lambda[0 .. count-1]: two steps of inverse iteration on the
// Hessenberg form (O(n^2) each), then the reduction and the balancing
// undone. Several shifts are worked on side by side. residuals (laid out
// as vectors) receive A v - lambda v, which the iteration gives on the way.
// norm: a norm estimate of A. found[c] is false where no finite vector came
// out.
void hessenberg_eigenvectors(const DoubleHessenberg& h, int n, const ComplexD* lambda, int count, double norm,
                             ComplexD* vectors, ComplexD* residuals, bool* found);

// Caller-provided workspace (nothing is allocated).
struct RefineWork {
    double re[REFINE_MAX_ORDER * REFINE_MAX_ORDER];           // A in double precision:
    double im[REFINE_MAX_ORDER * REFINE_MAX_ORDER];           // real and imaginary parts
    ComplexD v[REFINE_MAX_ORDER * REFINE_MAX_ORDER];          // eigenvectors, unit length
    float lu_re[REFINE_MAX_ORDER * REFINE_MAX_ORDER];         // LU factors of v (single precision):
    float lu_im[REFINE_MAX_ORDER * REFINE_MAX_ORDER];         // real and imaginary parts
    ComplexF pivot_inverse[REFINE_MAX_ORDER];                 // reciprocals of the pivots
    float rows_re[REFINE_MAX_ORDER * REFINE_MAX_ORDER];       // columns solved with them, row by row
    float rows_im[REFINE_MAX_ORDER * REFINE_MAX_ORDER];
    ComplexD factors[REFINE_MAX_ORDER * REFINE_MAX_ORDER];    // work space of the cluster rotations
    ComplexD residual[REFINE_MAX_ORDER * REFINE_MAX_ORDER];   // A v_j - w_j v_j, then in the basis v
    ComplexD candidate[REFINE_MAX_ORDER * REFINE_MAX_ORDER];  // corrected vectors
    ComplexD lambda[REFINE_MAX_ORDER];
    ComplexD candidate_lambda[REFINE_MAX_ORDER];
    ComplexD rhs[REFINE_MAX_ORDER];
    ComplexD x[REFINE_MAX_ORDER];
    double residual_norm[REFINE_MAX_ORDER];
    double candidate_norm[REFINE_MAX_ORDER];
    int order[REFINE_MAX_ORDER];
    int cluster[REFINE_MAX_ORDER];  // representative of the column's cluster
    DoubleHessenberg hessenberg;    // for the restarts
    // Left by refine_eigenvectors: how many pairs it corrected (0 when all
    // were at the rounding level); then lambda holds every eigenvalue in
    // double precision, the corrected ones before their rounding.
    int changed_count = 0;
};

// Brings every eigenpair (w[j], column j of z) of A (n x n, leading dimension
// lda; z with leading dimension ldz, columns of any nonzero length) whose
// residual is above the rounding level down to it. All poor pairs are
// corrected together by Newton steps on the eigen-equation in the basis of
// the current eigenvectors: a pair is decoupled from every other pair whose
// eigenvalue is well separated from its own, relative to their coupling;
// pairs that are not form a cluster, whose block is diagonalised as a whole
// (the scaled block by the single-precision decomposition and this
// refinement again), so that the cluster's vectors span its invariant
// subspace and stay independent even where each alone is ill-determined.
// A correction is kept only where it lowers the residual. Pairs at the
// rounding level are left exactly as they are; corrected columns come back
// with unit length.
// Given the balanced A and a pair far off (residual above
// EIGEN_RESTART_GAP ||A|| and above the coupling limit of the Newton step
// against the nearest other eigenvalue; the LR back-substitution can give
// nearly the same vector for several eigenvalues of a large line), the
// pairs above the rounding level whose eigenvalue is apart from all others
// by more than EIGEN_RESTART_GAP ||A|| are first restarted by
// hessenberg_eigenvectors from the Hessenberg form of A in double precision
// (O(n^2) a pair, where the Newton steps cost O(n^3) a round and may need
// many rounds on one large cluster). The Newton steps then take what is left.
constexpr double EIGEN_RESTART_GAP = 1e-4;
void refine_eigenvectors(const ComplexF* a, int n, int lda, ComplexF* w, ComplexF* z, int ldz,
                         RefineWork& work, const BalancedForm* form = nullptr);

// Caller-provided workspace of eigen_decompose; nothing is allocated.
struct EigenWork {
    int exchanges[EIGEN_MAX_ORDER];  // row exchanged with row m by the Hessenberg reduction
    int marks[EIGEN_MAX_ORDER];      // rows exchanged in the current LR step (+1) or not (-1)
    ComplexF original[EIGEN_MAX_ORDER * EIGEN_MAX_ORDER];  // copy of A for refine_eigenvectors
    ComplexF balanced[EIGEN_MAX_ORDER * EIGEN_MAX_ORDER];  // and of the balanced A
    RefineWork refine;
};

// Eigenvalues w (n) and eigenvectors z (column j belongs to w[j], leading
// dimension ldz) of A, which is destroyed. Steps: balance_matrix,
// reduce_to_hessenberg, lr_iteration, back_transform, refine_eigenvectors,
// normalize_eigenvectors. scale: n floats of work. error is
// cleared on entry; afterwards it is 0 on success, else the 1-based index of
// the eigenvalue that did not converge within 30 LR steps or of the
// eigenvector column that came out zero. n above EIGEN_MAX_ORDER gives error 1
// without touching anything. Eigenvalues are not sorted: they stand where they
// converged. Every column of z has unit Euclidean length and its largest
// component (the first one on ties) real and positive.
void eigen_decompose(ComplexF* a, int n, int lda, ComplexF* w, ComplexF* z, int ldz, float* scale,
                     EigenWork& work, int& error);

// The steps of eigen_decompose, in the order it calls them.

// Balances A by exact similarity transformations: rows and columns that
// isolate an eigenvalue are moved to the bottom and the top, leaving the block
// low .. igh; that block is then scaled by powers of 2 so that row and column
// sums of moduli become comparable. scale[i] receives, for i in low .. igh,
// the factor applied to row i and column i; outside it, the 0-based index of
// the row and column exchanged with i.
void balance_matrix(ComplexF* a, int n, int lda, int& low, int& igh, float* scale);

// Reduces rows and columns low .. igh of a balanced A to upper Hessenberg form
// by elimination with row interchanges. The multipliers are kept below the
// subdiagonal; exchanges[m] receives the row exchanged with row m.
void reduce_to_hessenberg(ComplexF* a, int n, int lda, int low, int igh, int* exchanges);

// LR iteration on the Hessenberg matrix h left by reduce_to_hessenberg (with
// its multipliers and exchanges): eigenvalues w and eigenvectors z of the
// balanced matrix. h is destroyed; marks: n ints of work. error: 0, or the
// 1-based index of the eigenvalue that did not converge in 30 steps (then w
// holds only the eigenvalues found above that index).
void lr_iteration(ComplexF* h, int n, int ldh, int low, int igh, const int* exchanges,
                  ComplexF* w, ComplexF* z, int ldz, int* marks, int& error);

// Undoes the balancing on the first m columns of z: rows low .. igh are
// multiplied by their scale factors, then the isolating row exchanges are
// undone.
void back_transform(ComplexF* z, int n, int ldz, int low, int igh, const float* scale, int m);

// refine_eigenvectors (above) follows back_transform.

// Gives every column of z (n x n) unit Euclidean length and makes its largest
// component (the first on ties) real and positive. error: 0, or the 1-based
// index of the first column without a nonzero component (columns before it
// are normalised, the rest untouched). error is only set, never cleared.
void normalize_eigenvectors(ComplexF* z, int n, int ldz, int& error);
