#pragma once

#include <QString>

namespace lorvane::ui {

// A tooltip that shows `text` as it is, also when it looks like markup
// (a lesson line such as "<b>粗</b>体" or "&lt;"): Qt takes any tooltip that
// might be rich text for HTML.
QString plainToolTip(const QString& text);

}  // namespace lorvane::ui
