#include "settings/display_catalogue.h"

#include <array>

#include "base/texts.h"
#include "settings/packed_fields.h"

namespace settings {
namespace {

constexpr auto kCatalogue = std::to_array<CatalogueItem>({
    {Item(100), base::Text::ItemCpuTotal, true},
    {Item(101), base::Text::ItemMemory, true},
    {Item(102), base::Text::ItemReceiveRate, true},
    {Item(103), base::Text::ItemSendRate, true},
    {Item(104), base::Text::ItemPublicAddress, false},
    {Item(105), base::Text::ItemLanAddress, false},
    {Item(106), base::Text::ItemProxyServer, false},
    {Item(107), base::Text::ItemProxyEnable, false},
    {Item(108), base::Text::ItemActiveScripting, false},
    {Item(109), base::Text::ItemJavaScripting, false},
    {Item(110), base::Text::ItemReceiveTotal, false},
    {Item(111), base::Text::ItemSendTotal, false},
    {Item(112), base::Text::ItemDrives, false},
    {Item(113), base::Text::ItemGraph, false},
    {Item(114), base::Text::ItemDateTime, false},
    {Item(115), base::Text::ItemUptime, false},
    {Item(116), base::Text::ItemCpu1, true},
    {Item(117), base::Text::ItemCpu2, true},
    {Item(118), base::Text::ItemCpu3, true},
    {Item(119), base::Text::ItemCpu4, true},
    {Item(121), base::Text::ItemClipboard, false},
    {Item(122), base::Text::ItemMemo, false},
    {Item(123), base::Text::ItemPower, true},
});

constexpr bool everyItemHasItsSlot() {
    for (const CatalogueItem& item : kCatalogue)
        if (slotOf(item.id) < 0 || slotOf(item.id) >= kItemSlots) return false;
    return true;
}
static_assert(everyItemHasItsSlot(), "an item's id lies past kLastItem in settings/display_item.h");

}  // namespace

std::span<const CatalogueItem> catalogue() { return kCatalogue; }

std::optional<Item> itemOfId(std::wstring_view id) {
    if (id.size() != 3) return std::nullopt;
    int value = 0;
    for (wchar_t c : id) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    for (const CatalogueItem& item : kCatalogue)
        if (idOf(item.id) == value) return item.id;
    return std::nullopt;
}

const CatalogueItem* catalogueItem(Item id) {
    for (const CatalogueItem& item : kCatalogue)
        if (item.id == id) return &item;
    return nullptr;
}

bool isMeterItem(Item id) {
    const CatalogueItem* item = catalogueItem(id);
    return item && item->meter;
}

ShownItems shownItems(std::span<const DisplayRow> rows) {
    ShownItems shown;
    for (const DisplayRow& row : rows)
        shown.set(row.id, row.shown);  // a later row of the same item decides
    return shown;
}

std::vector<DisplayRow> buildDisplayRows(const std::wstring& mainList,
                                         const std::wstring& checkMarks,
                                         const std::wstring& colours1,
                                         const std::wstring& colours2) {
    std::vector<DisplayRow> rows;
    for (size_t p = 0; p < kMainListPositions && p * 3 < mainList.size(); ++p) {
        if (std::optional<Item> id = itemOfId(std::wstring_view(mainList).substr(p * 3, 3)))
            rows.push_back({*id, {}, {}, false});
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        DisplayRow& row = rows[i];
        row.shown = i < checkMarks.size() && checkMarks[i] == L'1';
        row.colour1 = parseColour(colourField(colours1, i));
        row.colour2 = parseColour(colourField(colours2, i));
    }
    return rows;
}

}  // namespace settings
