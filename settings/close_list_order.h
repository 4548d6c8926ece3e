#pragma once
#include <vector>

#include "settings/side_lists.h"

namespace settings {

enum class CloseColumn { Title, Count };

// How the close list is sorted. Once a header was clicked it stays sorted, so entries added
// later take their place in that order.
struct CloseListOrder {
    bool sorted = false;
    CloseColumn column = CloseColumn::Title;
    bool ascending = false;  // reversed by every click, so the first one sorts ascending
};

// A click on a column header: the order reverses and the list is sorted by that column. Titles
// compare as texts without regard to letter case; counts by their zero-padded sort keys, so 9
// comes before 10.
void sortOnHeader(std::vector<CloseEntry>& entries, CloseListOrder& order, CloseColumn column);

// Adds an entry at the end, or where the current order puts it once the list is sorted.
void placeCloseEntry(std::vector<CloseEntry>& entries, CloseEntry entry,
                     const CloseListOrder& order);

// Removes every ticked entry; returns how many went.
size_t deleteTickedEntries(std::vector<CloseEntry>& entries);

}  // namespace settings
