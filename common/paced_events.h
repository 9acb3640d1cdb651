#pragma once

#include <chrono>
#include <functional>

namespace lorvane::common {

// A long loop on the window's thread (a lesson read line by line, a folder
// listed entry by entry) calls `afterStep` after every step. Letting the
// window run its events at every step costs more than the steps themselves,
// so they run only once a few milliseconds have passed since they last did:
// keys and menu commands still act during the loop, and the loop no longer
// pays for an event round per line. The clock is read only every
// `kStepsPerLook` steps.
class PacedEvents {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kStepsPerLook = 64;
    static constexpr std::chrono::milliseconds kInterval{5};

    // Without a clock of its own it reads the steady clock.
    explicit PacedEvents(std::function<void()> letEventsRun, Clock now = {});

    void afterStep();

private:
    std::function<void()> letEventsRun_;
    Clock now_;
    std::chrono::steady_clock::time_point lastRun_;
    int stepsSinceLook_ = 0;
};

}  // namespace lorvane::common
