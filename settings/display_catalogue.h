#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/texts.h"
#include "settings/display_item.h"

namespace settings {

struct CatalogueItem {
    Item id;
    base::Text label;  // as shown in the list editor
    bool meter;        // draws a gradient bar from colour 1 to colour 2
};

// One row of the display item list; its position is its place on the main window.
struct DisplayRow {
    Item id = Item::CpuTotal;
    std::int32_t colour1 = 0;  // the bar's start colour, on meter items
    std::int32_t colour2 = 0;  // its end colour
    bool shown = false;
};

std::span<const CatalogueItem> catalogue();
const CatalogueItem* catalogueItem(Item id);
bool isMeterItem(Item id);

// The items the list shows.
ShownItems shownItems(std::span<const DisplayRow> rows);

// How many three-digit ids of the stored list string count: one for each slot.
constexpr size_t kMainListPositions = kItemSlots;

// Rows from the four stored list strings: kMainListPositions ids of the id string, check marks and
// colour fields by row index; an empty colour field is 0 (black).
std::vector<DisplayRow> buildDisplayRows(const std::wstring& mainList,
                                         const std::wstring& checkMarks,
                                         const std::wstring& colours1,
                                         const std::wstring& colours2);

}  // namespace settings
