#include "common/paced_events.h"

#include <utility>

namespace lorvane::common {

PacedEvents::PacedEvents(std::function<void()> letEventsRun, Clock now)
    : letEventsRun_(std::move(letEventsRun)), now_(std::move(now)) {
    if (!now_) {
        now_ = [] { return std::chrono::steady_clock::now(); };
    }
    lastRun_ = now_();
}

void PacedEvents::afterStep() {
    if (++stepsSinceLook_ < kStepsPerLook) {
        return;
    }
    stepsSinceLook_ = 0;
    const auto now = now_();
    if (now - lastRun_ < kInterval) {
        return;
    }
    letEventsRun_();
    // The events may have run for a while (a dialog, another load): the next
    // interval starts when they are done.
    lastRun_ = now_();
}

}  // namespace lorvane::common
