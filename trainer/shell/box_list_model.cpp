#include "trainer/shell/box_list_model.h"

#include <algorithm>
#include <functional>
#include <string>

#include "ui_support/changed_rows.h"

namespace lorvane::trainer {

namespace {

std::vector<std::size_t> fingerprints(const std::vector<std::string_view>& entries,
                                      std::size_t from, std::size_t to) {
    std::vector<std::size_t> prints;
    prints.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) {
        prints.push_back(std::hash<std::string_view>{}(entries[i]));
    }
    return prints;
}

}  // namespace

BoxListModel::BoxListModel(const CardBoxes& boxes, BoxId box, QObject* parent)
    : QAbstractListModel(parent), boxes_(boxes), box_(box) {}

int BoxListModel::rowCount(const QModelIndex& parent) const {
    // The rows the view has been told of: the box may have changed since,
    // until the next sync.
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant BoxListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const std::vector<std::string_view>& entries = boxes_.entries(box_);
    const auto row = static_cast<std::size_t>(index.row());
    std::size_t entry = row;
    if (row >= syncHead_ && row >= shown_.size() - syncTail_) {
        entry = row - shown_.size() + entries.size();  // in the unchanged tail
    } else if (row >= syncHead_ && shown_.size() != entries.size()) {
        return {};  // being removed
    }
    // Between a change of the box and the next sync a view may still ask
    // for rows the box no longer has.
    return entry < entries.size()
               ? QVariant(QString::fromUtf8(entries[entry].data(),
                                            static_cast<qsizetype>(entries[entry].size())))
               : QVariant();
}

bool BoxListModel::follow(const CardBoxes::Change& change) {
    const std::size_t shownRows = shown_.size();
    if (change.row < 0 || change.count < 0) {
        return false;
    }
    const auto row = static_cast<std::size_t>(change.row);
    const auto count = static_cast<std::size_t>(change.count);
    if (change.kind == CardBoxes::Change::Kind::Removed && row + count <= shownRows) {
        replaceRows(row, shownRows - row - count, {});
        return true;
    }
    const std::vector<std::string_view>& entries = boxes_.entries(box_);
    if (change.kind == CardBoxes::Change::Kind::Appended && row == shownRows &&
        row + count == entries.size()) {
        replaceRows(row, 0, fingerprints(entries, row, entries.size()));
        return true;
    }
    return false;
}

void BoxListModel::sync() {
    const std::uint64_t revision = boxes_.revision(box_);
    if (revision == seenRevision_) {
        return;
    }
    // One change since the last sync, as after an answer: followed as it
    // is, without a fingerprint of every entry.
    const bool followed = revision == seenRevision_ + 1 && follow(boxes_.lastChange(box_));
    seenRevision_ = revision;
    if (followed) {
        return;
    }
    const std::vector<std::string_view>& entries = boxes_.entries(box_);
    const std::vector<std::size_t> now = fingerprints(entries, 0, entries.size());
    if (now == shown_) {
        return;
    }
    const auto [head, tail] = ui::changedRows(shown_, now);
    replaceRows(head, tail,
                {now.begin() + static_cast<std::ptrdiff_t>(head),
                 now.end() - static_cast<std::ptrdiff_t>(tail)});
}

void BoxListModel::replaceRows(std::size_t head, std::size_t tail,
                               std::vector<std::size_t> middle) {
    const auto row = [](std::size_t index) { return static_cast<int>(index); };
    syncHead_ = head;
    syncTail_ = tail;
    if (shown_.size() - tail > head) {
        beginRemoveRows({}, row(head), row(shown_.size() - tail - 1));
        shown_.erase(shown_.begin() + row(head), shown_.end() - row(tail));
        endRemoveRows();
    }
    if (!middle.empty()) {
        beginInsertRows({}, row(head), row(head + middle.size() - 1));
        shown_.insert(shown_.begin() + row(head), middle.begin(), middle.end());
        endInsertRows();
    }
    syncHead_ = kNotSyncing;
    syncTail_ = 0;
}

}  // namespace lorvane::trainer
