#pragma once

#include <QPointer>
#include <QWidget>

#include "trainer/engine/study_prompts.h"

namespace lorvane::trainer {

// The study window's questions and warnings as modal message boxes.
class QtStudyPrompts : public StudyPrompts {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    bool askContinueProgress() override;
    void warn(const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace lorvane::trainer
