#include "ui/portable/ExactStepper.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ExactStepper, StepsAddUpExactlyAndDifferByAtMostOne)
{
    struct Case {
        int total, steps;
    };
    const Case cases[] = {{0, 5}, {10, 5}, {7, 3}, {-7, 3}, {3, 250}, {-255, 250}, {255, 224}, {1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.total << " over " << c.steps);
        ExactStepper s(c.total, c.steps);
        const int q = c.total / c.steps;
        int sum = 0;
        for (int i = 0; i < c.steps; ++i) {
            const int step = s.next();
            EXPECT_LE(std::abs(step - q), 1);
            sum += step;
        }
        EXPECT_EQ(sum, c.total);
    }
}

TEST(ExactStepper, RemainderUnitsComeEvenlyInTheSignsDirection)
{
    ExactStepper up(7, 3);  // 2 r1: the unit comes once the remainder has built up to 3
    EXPECT_EQ(up.next(), 2);
    EXPECT_EQ(up.next(), 2);
    EXPECT_EQ(up.next(), 3);
    ExactStepper down(-5, 2);  // -2 r1
    EXPECT_EQ(down.next(), -2);
    EXPECT_EQ(down.next(), -3);
}

TEST(ExactStepperDeath, NoStepsIsAnInternalErrorOfCore)
{
    EXPECT_EXIT(ExactStepper(10, 0), ::testing::ExitedWithCode(3), "Internal Fatal Error\r\nModule: Core");
}
