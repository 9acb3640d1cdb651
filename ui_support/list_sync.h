#pragma once

#include <QAbstractItemView>
#include <QListWidget>
#include <string>
#include <vector>

namespace lorvane::ui {

// Brings a list widget in line with the model's items. Only the changed
// stretch between the unchanged head and tail is touched, so moving one
// entry out of a box of 32767 costs two widget operations, not a refill.
void syncListItems(QListWidget& widget, std::vector<std::string>& shown,
                   const std::vector<std::string>& items);

// Selects `row` (-1: nothing) of a list widget or a list over a model,
// without the view's selection signals, and scrolls it into view when the
// view is shown (a hidden one is left to whoever shows it).
void syncListSelection(QAbstractItemView& view, int row);

}  // namespace lorvane::ui
