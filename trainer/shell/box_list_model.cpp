#include "trainer/shell/box_list_model.h"

#include <algorithm>
#include <functional>
#include <string>

#include "ui_support/changed_rows.h"

namespace lorvane::trainer {

namespace {

std::vector<std::size_t> fingerprints(const std::vector<std::string>& entries) {
    std::vector<std::size_t> prints;
    prints.reserve(entries.size());
    for (const std::string& entry : entries) {
        prints.push_back(std::hash<std::string>{}(entry));
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
    const std::vector<std::string>& entries = boxes_.entries(box_);
    const auto row = static_cast<std::size_t>(index.row());
    std::size_t entry = row;
    if (row >= syncHead_ && row >= shown_.size() - syncTail_) {
        entry = row - shown_.size() + entries.size();  // in the unchanged tail
    } else if (row >= syncHead_ && shown_.size() != entries.size()) {
        return {};  // being removed
    }
    // Between a change of the box and the next sync a view may still ask
    // for rows the box no longer has.
    return entry < entries.size() ? QVariant(QString::fromStdString(entries[entry])) : QVariant();
}

bool BoxListModel::follow(const CardBoxes::Change& change) {
    const auto shownRows = static_cast<int>(shown_.size());
    const auto row = [](int index) { return static_cast<std::size_t>(index); };
    if (change.kind == CardBoxes::Change::Kind::Removed && change.row >= 0 &&
        change.row + change.count <= shownRows) {
        syncHead_ = row(change.row);
        syncTail_ = row(shownRows - change.row - change.count);
        beginRemoveRows({}, change.row, change.row + change.count - 1);
        shown_.erase(shown_.begin() + change.row, shown_.begin() + change.row + change.count);
        endRemoveRows();
    } else if (change.kind == CardBoxes::Change::Kind::Appended && change.row == shownRows &&
               change.row + change.count == boxes_.count(box_)) {
        syncHead_ = row(change.row);
        syncTail_ = 0;
        beginInsertRows({}, change.row, change.row + change.count - 1);
        const std::vector<std::string>& entries = boxes_.entries(box_);
        for (int i = change.row; i < change.row + change.count; ++i) {
            shown_.push_back(std::hash<std::string>{}(entries[row(i)]));
        }
        endInsertRows();
    } else {
        return false;
    }
    syncHead_ = kNotSyncing;
    syncTail_ = 0;
    return true;
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
    if (!followed) {
        syncWhole();
    }
}

void BoxListModel::syncWhole() {
    std::vector<std::size_t> now = fingerprints(boxes_.entries(box_));
    if (now == shown_) {
        return;
    }
    const auto [head, tail] = ui::changedRows(shown_, now);
    const auto row = [](std::size_t index) { return static_cast<int>(index); };
    syncHead_ = head;
    syncTail_ = tail;
    if (shown_.size() - tail > head) {
        beginRemoveRows({}, row(head), row(shown_.size() - tail - 1));
        shown_.erase(shown_.begin() + row(head), shown_.end() - row(tail));
        endRemoveRows();
    }
    if (now.size() - tail > head) {
        beginInsertRows({}, row(head), row(now.size() - tail - 1));
        shown_ = std::move(now);
        endInsertRows();
    }
    syncHead_ = kNotSyncing;
    syncTail_ = 0;
}

}  // namespace lorvane::trainer
