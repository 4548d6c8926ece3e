#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "monitor/shown_rows.h"

namespace ui {

// The main list as the keyboard and a screen reader meet it: the rows the last tick composed,
// asked for when wanted (a reader asks; nothing is told per tick), and the row the keyboard is
// on, which stays on its place in the list as rows come and go.
class ListReading {
public:
    explicit ListReading(std::function<std::vector<monitor::ShownRow>()> rows)
        : rows_(std::move(rows)) {}

    std::vector<monitor::ShownRow> rows() const { return rows_ ? rows_() : decltype(rows_())(); }
    // The row the keyboard is on, within the rows there are now; none before the first move.
    std::optional<int> focused() const;
    // Up (-1) and Down (+1) from the row the keyboard is on; the first move lands on the first
    // row going down and on the last going up. Whether the row changed.
    bool move(int step);
    // Home and End.
    bool moveToEnd(bool last);
    // The row at a designed y of the list, if any.
    std::optional<int> rowAt(int y) const;

private:
    std::function<std::vector<monitor::ShownRow>()> rows_;
    std::optional<int> focused_;
};

}  // namespace ui
