#pragma once

#include <QListWidget>
#include <string>
#include <vector>

namespace lorvane::ui {

// Brings a list widget in line with the model's items. Only the changed
// stretch between the unchanged head and tail is touched, so moving one
// entry out of a box of 32767 costs two widget operations, not a refill.
void syncListItems(QListWidget& widget, std::vector<std::string>& shown,
                   const std::vector<std::string>& items);

// Selects `row` (-1: nothing) without the widget's selection signals.
void syncListSelection(QListWidget& widget, int row);

}  // namespace lorvane::ui
