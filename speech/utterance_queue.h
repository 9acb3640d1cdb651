#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <limits>
#include <mutex>
#include <optional>

namespace lorvane::speech {

// What a synthesiser's thread works through: requests numbered by
// utterance, each new one able to cut off every earlier one, also the one
// being synthesised (which checks isCutOff between blocks). Shared by the
// espeak-ng and libflite engines. `Request` has a `std::uint64_t utterance`.
template <typename Request>
class UtteranceQueue {
public:
    // A number for the next utterance, greater than every earlier one.
    std::uint64_t newUtterance() { return ++lastUtterance_; }

    void push(Request request) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(request));
        }
        queued_.notify_all();
    }

    // Stops every utterance numbered below `utterance`: the one being
    // synthesised at its next block, the waiting ones before they start.
    void cutOffBefore(std::uint64_t utterance) {
        std::uint64_t current = cutOff_.load();
        while (current < utterance && !cutOff_.compare_exchange_weak(current, utterance)) {
        }
        std::lock_guard lock(mutex_);
        std::erase_if(queue_, [utterance](const Request& r) { return r.utterance < utterance; });
    }

    bool isCutOff(std::uint64_t utterance) const { return utterance < cutOff_.load(); }

    // The next request, once there is one; std::nullopt once closed.
    std::optional<Request> next() {
        std::unique_lock lock(mutex_);
        queued_.wait(lock, [this] { return closed_ || !queue_.empty(); });
        if (closed_) {
            return std::nullopt;
        }
        Request request = std::move(queue_.front());
        queue_.pop_front();
        return request;
    }

    // Cuts off everything, now and later, and ends the thread's next().
    void close() {
        cutOff_ = std::numeric_limits<std::uint64_t>::max();
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
        }
        queued_.notify_all();
    }

private:
    std::atomic<std::uint64_t> lastUtterance_{0};
    std::atomic<std::uint64_t> cutOff_{0};
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<Request> queue_;
    bool closed_ = false;
};

}  // namespace lorvane::speech
