#pragma once
// ExactStepper: spreads a whole difference over a number of steps so that the steps add up
// to exactly the difference. Each step is the quotient, plus one unit in the difference's
// direction whenever the accumulated remainder reaches the step count.

class ExactStepper {
public:
    // total spread over steps. steps < 1 is an internal error (module Core): there is no
    // way to spread anything over no steps.
    ExactStepper(int total, int steps);

    // The next step. Beyond the step count the same pattern goes on (the sum then passes
    // total by one quotient per extra step).
    int next();

private:
    int steps_;
    int quotient_;
    int remainder_;   // |total % steps|
    int unit_;        // +1 or -1, the sign of total
    int accumulated_ = 0;
};
