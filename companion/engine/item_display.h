#pragma once

#include <string_view>

#include "common/control_state.h"

namespace lorvane::companion {

// Puts one item of a lesson on the label: the meaning in the caption for the
// learner to see, the English in the tag as the expected answer and the text
// to speak. The item splits at its first run of two or more spaces; an item
// without one is all meaning with an empty English.
void showItem(common::LabelState& label, std::string_view item);

}  // namespace lorvane::companion
