#pragma once

namespace lorvane::trainer {

// The parts of the study window an action of the learner can change; the
// window repaints those and leaves the rest alone.
enum class StudyPart : unsigned {
    Boxes = 1u << 0,      // the word lists, their selections, the chosen box
    Word = 1u << 1,       // the English and meaning lines, the count line
    AnswerBox = 1u << 2,  // its text, whether it takes input, the keyboard focus
    Message = 1u << 3,
    Options = 1u << 4,
    Voices = 1u << 5,     // the voice list, the chosen voice, the rate
    Recording = 1u << 6,  // the record button and the recording limit
    PageTurn = 1u << 7,   // the pending page turn
    Panel = 1u << 8,      // the word-bank panel: open or not, its list, its hint
    Place = 1u << 9,      // the window's place and size
};

class StudyChanges {
public:
    constexpr StudyChanges() = default;
    constexpr StudyChanges(StudyPart part)  // NOLINT(google-explicit-constructor)
        : bits_(static_cast<unsigned>(part)) {}

    static constexpr StudyChanges everything() {
        StudyChanges all;
        all.bits_ = (static_cast<unsigned>(StudyPart::Place) << 1) - 1;
        return all;
    }

    constexpr bool has(StudyPart part) const { return (bits_ & static_cast<unsigned>(part)) != 0; }
    constexpr bool none() const { return bits_ == 0; }
    constexpr StudyChanges& operator|=(StudyChanges other) {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr friend StudyChanges operator|(StudyChanges a, StudyChanges b) { return a |= b; }
    constexpr friend bool operator==(StudyChanges, StudyChanges) = default;

private:
    unsigned bits_ = 0;
};

constexpr StudyChanges operator|(StudyPart a, StudyPart b) {
    return StudyChanges(a) | StudyChanges(b);
}

}  // namespace lorvane::trainer
