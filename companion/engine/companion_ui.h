#pragma once

#include <string>

namespace lorvane::companion {

// What the engine asks of the windows around it. The shell implements it
// with real dialogs and its event loop; tests use a double.
class CompanionUi {
public:
    virtual ~CompanionUi() = default;

    // The open-file dialog for a lesson text: the chosen full path, or ""
    // when the learner cancels.
    virtual std::string chooseLessonFile() = 0;

    // The learner must hear why a chosen lesson was not added to the list.
    virtual void reportRefusedLesson(const std::string& reason) = 0;

    // The lesson list window `Form4`, modeless; hiding keeps its list.
    virtual void showLessonList() = 0;
    virtual void hideLessonList() = 0;

    // Lets pending window events run, now or, when the windows pace them,
    // at a later call. Called after every line of a lesson being loaded, so
    // a key or menu command may run the engine again from inside this call.
    virtual void processPendingEvents() = 0;
};

}  // namespace lorvane::companion
