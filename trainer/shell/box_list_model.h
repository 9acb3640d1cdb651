#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <vector>

#include "trainer/engine/card_boxes.h"

namespace lorvane::trainer {

// The word list of one card box: its rows are read from the box's own
// entries when the view paints them, so a box of 32767 entries costs the
// window neither a copy of its text nor an item per row.
class BoxListModel : public QAbstractListModel {
    Q_OBJECT

public:
    BoxListModel(const CardBoxes& boxes, BoxId box, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Tells the view which rows the box has lost and gained since the last
    // call: only the changed stretch between the unchanged head and tail, so
    // moving one entry out of a box of 32767 keeps the view's place and
    // selection and costs it two row operations, not a refill.
    void sync();

private:
    // Tells the view of the one change the box made since the last sync;
    // false when it doesn't fit what the view was told, or is no removal or
    // append.
    bool follow(const CardBoxes::Change& change);
    // Tells the view that the rows between its first `head` and last `tail`
    // rows are now the ones fingerprinted in `middle`.
    void replaceRows(std::size_t head, std::size_t tail, std::vector<std::size_t> middle);

    const CardBoxes& boxes_;
    BoxId box_;
    std::uint64_t seenRevision_ = 0;
    // A fingerprint of each row the view was last told of; the rows
    // themselves stay in the box.
    std::vector<std::size_t> shown_;
    // While a sync tells the view of the changed stretch, the box already
    // holds its new entries: the unchanged head and tail are read from where
    // they lie now, and the rows on their way out have no text.
    std::size_t syncHead_ = kNotSyncing;
    std::size_t syncTail_ = 0;
    static constexpr std::size_t kNotSyncing = static_cast<std::size_t>(-1);
};

}  // namespace lorvane::trainer
