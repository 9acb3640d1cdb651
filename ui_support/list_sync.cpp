#include "ui_support/list_sync.h"

#include <QSignalBlocker>
#include <algorithm>

#include "ui_support/changed_rows.h"

namespace lorvane::ui {

void syncListItems(QListWidget& widget, std::vector<std::string>& shown,
                   const std::vector<std::string>& items) {
    if (shown == items) {
        return;
    }
    const auto [head, tail] = changedRows(shown, items);
    const QSignalBlocker blocker(widget);
    for (std::size_t i = shown.size() - tail; i > head; --i) {
        delete widget.takeItem(static_cast<int>(i - 1));
    }
    QStringList inserted;
    for (std::size_t i = head; i < items.size() - tail; ++i) {
        inserted << QString::fromStdString(items[i]);
    }
    widget.insertItems(static_cast<int>(head), inserted);
    shown = items;
}

void syncListSelection(QAbstractItemView& view, int row) {
    const QSignalBlocker blocker(view);
    const QModelIndex index = view.model() ? view.model()->index(row, 0) : QModelIndex();
    if (!index.isValid()) {
        view.setCurrentIndex({});
        view.clearSelection();
        return;
    }
    if (view.currentIndex() != index) {
        view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    // A hidden view is scrolled when it is shown: scrolling now would lay
    // out all its rows first.
    if (view.isVisible()) {
        view.scrollTo(index);
    }
}

}  // namespace lorvane::ui
