#pragma once

#include <cstdint>

#include "companion/engine/form1.h"
#include "companion/engine/lesson_list.h"
#include "companion/engine/menu_checks.h"
#include "companion/engine/voice_settings.h"

namespace lorvane::companion {

// Everything the companion knows during a run, kept as its windows keep it.
// The shell shows it and writes back what the learner changes directly
// (the window's position, colours, check marks, the lesson list window).
struct CompanionModel {
    explicit CompanionModel(speech::Voice& voice) : form2(voice) {}

    Form1 form1;
    MenuChecks menu;
    VoiceSettings form2;  // the voice settings dialog
    LessonList form4;     // the lesson list window's list

    // The cursor: the current lesson in `form4` and the current item in
    // `form1.List1`. Nothing keeps them inside their lists; every move says
    // what an index outside means.
    std::int16_t curkewen = 0;
    std::int16_t curword = 0;
};

}  // namespace lorvane::companion
