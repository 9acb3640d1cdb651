#pragma once

namespace lorvane::companion {

// Everything the learner can ask of the companion, whether through a key in
// the answer box, an entry of the menu `file`, a button or the hot key.
enum class Command {
    SpeakWord,        // 播放, Ctrl+P
    ShowEnglish,      // 显示正确英文, Ctrl+S
    PreviousItem,     // 上一条, Ctrl+B
    NextItem,         // 下一条, Ctrl+N
    PreviousGroup,    // 上一组, Ctrl+Q
    NextGroup,        // 下一组, Ctrl+H
    CheckAnswer,      // Enter
    VoiceSettings,    // F1
    LessonList,       // F2
    TextColour,       // F3
    BackColour,       // F4
    ToggleRandom,     // F5
    HideWindow,       // F6
    Exit,             // F9
    ShowWindow,       // Ctrl+W, anywhere on the desktop
    ToggleOnTop,      // 窗口总在最前
    ToggleAutostart,  // 自动启动
    Help,             // 使用说明
};

}  // namespace lorvane::companion
