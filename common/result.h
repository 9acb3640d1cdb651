#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lorvane::common {

// Why something failed, worded for the learner: a window can show it as it
// is (in Chinese, naming the file and the system's reason).
struct Failure {
    std::string message;
};

// What an operation that can fail returns: its value, or the Failure. It is
// [[nodiscard]] so a result nobody looks at is a compiler warning; a caller
// that means to drop one says so with a comment and `(void)`.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}            // NOLINT(google-explicit-constructor)
    Result(Failure failure) : state_(std::move(failure)) {}  // NOLINT(google-explicit-constructor)

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only on success.
    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }

    // The value, or `fallback` when there is none, for callers to whom a
    // failure means the same as nothing.
    T valueOr(T fallback) const& { return ok() ? value() : std::move(fallback); }

    // Empty on success.
    const std::string& message() const {
        static const std::string none;
        return ok() ? none : std::get<1>(state_).message;
    }

private:
    std::variant<T, Failure> state_;
};

// The same for operations that have nothing to give back but success.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : failure_(std::move(failure)) {}  // NOLINT(google-explicit-constructor)

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }

    const std::string& message() const {
        static const std::string none;
        return failure_ ? failure_->message : none;
    }

private:
    std::optional<Failure> failure_;
};

using Status = Result<void>;

}  // namespace lorvane::common
