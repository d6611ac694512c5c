#include "ui/portable/ExactStepper.h"

#include "core/Fatal.h"

ExactStepper::ExactStepper(int total, int steps)
{
    if (steps < 1)
        internalError("Core", __LINE__);
    steps_ = steps;
    quotient_ = total / steps;
    const int remainder = total % steps;
    remainder_ = remainder < 0 ? -remainder : remainder;
    unit_ = total < 0 ? -1 : 1;
}

int ExactStepper::next()
{
    int step = quotient_;
    accumulated_ += remainder_;
    if (accumulated_ >= steps_) {
        accumulated_ -= steps_;
        step += unit_;
    }
    return step;
}
