#include "line_claims.h"

namespace solver {

LineClaims::LineClaims(const SolverRun& run, float f, PointResult& result) : run_(run), f_(f), result_(result) {
    for (int k = 1; k <= run.lines.line_count; ++k) own_modes_[k - 1] = first_same_line(run.lines, k) == k;
}

void LineClaims::help(ModalWorkspace& work) {
    const float omega = TWO_PI * f_;  // as the entering worker has it
    const bool zc_wanted = run_.options.suppress_modal_report != 1;
    for (int k = run_.lines.line_count; k >= 1; --k) {
        if (!own_modes_[k - 1]) continue;
        int open = OPEN;
        if (!state_[k - 1].compare_exchange_strong(open, HELPER)) return;
        ComplexF* zc = zc_wanted ? result_.characteristic_impedance[k - 1] : nullptr;
        const bool analysed = analyse_line(run_.options, run_.lines, k, f_, omega, result_.modes[k - 1], zc, work,
                                           failures_[k - 1]);
        state_[k - 1].store(analysed ? DONE : FAILED);
        state_[k - 1].notify_all();
    }
}

bool LineClaims::claim(int k) {
    int open = OPEN;
    return state_[k - 1].compare_exchange_strong(open, ENTERING_WORKER);
}

bool LineClaims::wait_for(int k, PointFailure& failure) {
    state_[k - 1].wait(HELPER);
    if (state_[k - 1].load() == DONE) return true;
    failure = failures_[k - 1];
    return false;
}

void LineClaims::finish() {
    for (int k = 1; k <= run_.lines.line_count; ++k) {
        claim(k);
        state_[k - 1].wait(HELPER);
    }
}

}  // namespace solver
