#include "common/paced_events.h"

#include <gtest/gtest.h>

using namespace lorvane::common;
using namespace std::chrono_literals;

namespace {

// A loop whose clock the test moves, counting how often it is read and how
// often the events ran.
class PacedEventsTest : public ::testing::Test {
protected:
    std::chrono::steady_clock::time_point time{};
    int looks = 0;
    int runs = 0;
    std::chrono::milliseconds eventsTake{0};
    PacedEvents paced{[this] {
                          ++runs;
                          time += eventsTake;
                      },
                      [this] {
                          ++looks;
                          return time;
                      }};

    void steps(int count) {
        for (int i = 0; i < count; ++i) {
            paced.afterStep();
        }
    }
};

TEST_F(PacedEventsTest, EventsRunAtTheFirstLookAfterTheIntervalHasPassed) {
    time += 4ms;
    steps(PacedEvents::kStepsPerLook);
    EXPECT_EQ(runs, 0);  // looked, too early
    time += 1ms;
    steps(PacedEvents::kStepsPerLook - 1);
    EXPECT_EQ(runs, 0);  // not looked yet
    steps(1);
    EXPECT_EQ(runs, 1);
    steps(PacedEvents::kStepsPerLook * 10);
    EXPECT_EQ(runs, 1);  // the clock stood still
    time += 5ms;
    steps(PacedEvents::kStepsPerLook);
    EXPECT_EQ(runs, 2);
}

TEST_F(PacedEventsTest, TheClockIsReadOnceEveryLookAndOnceMoreAfterEventsRan) {
    const int atStart = looks;
    steps(PacedEvents::kStepsPerLook * 10);
    EXPECT_EQ(looks - atStart, 10);
    time += 5ms;
    steps(PacedEvents::kStepsPerLook);
    EXPECT_EQ(looks - atStart, 12);
}

TEST_F(PacedEventsTest, TheIntervalStartsWhenLongEventsAreDone) {
    // A dialog opened from the events keeps them running for a second.
    eventsTake = 1000ms;
    time += 5ms;
    steps(PacedEvents::kStepsPerLook);
    ASSERT_EQ(runs, 1);
    time += 4ms;
    steps(PacedEvents::kStepsPerLook);
    EXPECT_EQ(runs, 1);
    time += 1ms;
    steps(PacedEvents::kStepsPerLook);
    EXPECT_EQ(runs, 2);
}

}  // namespace
