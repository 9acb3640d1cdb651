#pragma once

namespace lorvane::companion {

// The parts of the companion's state a window shows; the engine collects
// the ones an action changed, and the shell repaints only those.
enum class Change : unsigned {
    Item = 1u << 0,     // the meaning on show
    Answer = 1u << 1,   // the answer box's text
    Colours = 1u << 2,  // the main window's colours
    Options = 1u << 3,  // the menu's check marks
    Layer = 1u << 4,    // whether the main window stays on top
    Lessons = 1u << 5,  // the lesson list: entries, ticks, highlight
    Voice = 1u << 6,    // the voice dialog's selection and positions
    Place = 1u << 7,    // the main window's place
};

class Changes {
public:
    static Changes everything() {
        Changes all;
        all.bits_ = ~0u;
        return all;
    }

    void add(Change change) { bits_ |= static_cast<unsigned>(change); }
    bool has(Change change) const { return (bits_ & static_cast<unsigned>(change)) != 0; }
    bool any() const { return bits_ != 0; }

private:
    unsigned bits_ = 0;
};

}  // namespace lorvane::companion
