#pragma once

#include "companion/engine/companion_window_state.h"
#include "companion/engine/item_display.h"
#include "companion/engine/lesson_cursor.h"
#include "companion/engine/lesson_list.h"
#include "companion/engine/menu_options.h"
#include "companion/engine/voice_settings.h"

namespace lorvane::companion {

// Everything the companion knows during a run; the engine owns it, the
// settings files store most of it.
struct CompanionState {
    explicit CompanionState(speech::Voice& speaker) : voice(speaker) {}

    WindowColours colours;
    WindowPlace place;
    MenuOptions options;
    VoiceSettings voice;
    LessonList lessons;
    LessonCursor cursor;
    ItemDisplay item;
};

}  // namespace lorvane::companion
