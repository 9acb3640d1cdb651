#pragma once

namespace lorvane::companion {

// What the learner can ask of the companion through a key in the answer
// box, an entry of the menu `file`, a button or the hot key. (Enter in the
// answer box goes straight to the engine as the answer.)
enum class Command {
    SpeakWord,           // 播放, Ctrl+P
    RevealEnglish,       // 显示正确英文, Ctrl+S
    PreviousItem,        // 上一条, Ctrl+B
    NextItem,            // 下一条, Ctrl+N
    PreviousGroup,       // 上一组, Ctrl+Q
    NextGroup,           // 下一组, Ctrl+H
    VoiceSettings,       // F1
    LessonList,          // F2
    TextColour,          // F3
    BackgroundColour,    // F4
    ToggleRandomOrder,   // F5
    HideWindow,          // F6
    Exit,                // F9
    ShowWindow,          // Ctrl+W, anywhere on the desktop
    ToggleAlwaysOnTop,   // 窗口总在最前
    ToggleStartAtLogon,  // 自动启动
    Help,                // 使用说明
};

}  // namespace lorvane::companion
