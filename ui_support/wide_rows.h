#pragma once

#include <QStyledItemDelegate>

namespace lorvane::ui {

// Lays a list's rows out at least `width` pixels wide, so that the list
// scrolls sideways over that width however short its lines are; a line that
// is longer still widens its row rather than being cut.
class WideRows : public QStyledItemDelegate {
public:
    WideRows(int width, QObject* parent) : QStyledItemDelegate(parent), width_(width) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int width_;
};

}  // namespace lorvane::ui
