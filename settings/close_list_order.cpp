#include "settings/close_list_order.h"

#include <algorithm>

namespace settings {
namespace {

wchar_t folded(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool textBefore(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return folded(x) < folded(y); });
}

const std::wstring& keyOf(const CloseEntry& entry, CloseColumn column) {
    return column == CloseColumn::Title ? entry.title : entry.sortKey;
}

// Whether `a` belongs before `b` in the given order.
bool before(const CloseEntry& a, const CloseEntry& b, const CloseListOrder& order) {
    const std::wstring& x = keyOf(a, order.column);
    const std::wstring& y = keyOf(b, order.column);
    return order.ascending ? textBefore(x, y) : textBefore(y, x);
}

}  // namespace

void sortOnHeader(std::vector<CloseEntry>& entries, CloseListOrder& order, CloseColumn column) {
    order.ascending = !order.ascending;
    order.column = column;
    order.sorted = true;
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const CloseEntry& a, const CloseEntry& b) { return before(a, b, order); });
}

void placeCloseEntry(std::vector<CloseEntry>& entries, CloseEntry entry,
                     const CloseListOrder& order) {
    auto at = entries.end();
    if (order.sorted)
        at = std::upper_bound(
            entries.begin(), entries.end(), entry,
            [&](const CloseEntry& a, const CloseEntry& b) { return before(a, b, order); });
    entries.insert(at, std::move(entry));
}

size_t deleteTickedEntries(std::vector<CloseEntry>& entries) {
    return std::erase_if(entries, [](const CloseEntry& entry) { return entry.ticked; });
}

}  // namespace settings
