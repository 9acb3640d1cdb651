#pragma once

#include <string>

namespace lorvane::trainer {

// The questions and warnings the study window puts to the learner in message
// boxes. The window shows real ones; tests answer them.
class StudyPrompts {
public:
    virtual ~StudyPrompts() = default;

    // "学习进度": the lesson has saved progress; true to continue it (OK),
    // false to start afresh (Cancel).
    virtual bool askContinueProgress() = 0;

    // Something the learner must not miss, such as progress that could not
    // be saved.
    virtual void warn(const std::string& text) = 0;
};

}  // namespace lorvane::trainer
