#pragma once
#include <span>
#include <string>
#include <vector>

#include "render/value_row.h"
#include "settings/display_item.h"

namespace monitor {

// One row of the main list in words: what a screen reader reads of it and Ctrl+C copies.
struct ShownRow {
    std::wstring name;   // the row's label ("ＣＰＵ使用率"), else what the row is
    std::wstring value;  // as the row shows it ("12%")
    int top = 0;         // where it lies in the list, in designed (96 DPI) pixels
    int height = 0;
    bool operator==(const ShownRow&) const = default;
};

// The words of an item's row picture: its label as the name (the catalogue's name for a row
// that has none, like the clipboard's or the memo's), its other texts in reading order as the
// value.
ShownRow wordsOf(settings::Item item, const render::RowPicture& picture);

// The rows as text: each row's name and value separated by a tab, one row a line, CR LF.
std::wstring rowsAsText(std::span<const ShownRow> rows);

}  // namespace monitor
