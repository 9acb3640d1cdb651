#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lorvane::ui {

// What a list must change to go from `shown` to `now`: the rows both start
// with and end with stay, the rows between are replaced. A word moved from
// one box to another touches one row of each list instead of all of them,
// so the view keeps its place and its selection.
struct ChangedRows {
    std::size_t head = 0;  // rows kept at the start
    std::size_t tail = 0;  // rows kept at the end
};

template <typename T>
ChangedRows changedRows(const std::vector<T>& shown, const std::vector<T>& now) {
    const std::size_t common = std::min(shown.size(), now.size());
    ChangedRows rows;
    while (rows.head < common && shown[rows.head] == now[rows.head]) {
        ++rows.head;
    }
    while (rows.tail < common - rows.head &&
           shown[shown.size() - 1 - rows.tail] == now[now.size() - 1 - rows.tail]) {
        ++rows.tail;
    }
    return rows;
}

}  // namespace lorvane::ui
