#include "ui_support/wide_rows.h"

#include <algorithm>

namespace lorvane::ui {

QSize WideRows::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::max(size.width(), width_));
    return size;
}

}  // namespace lorvane::ui
