#include "settings/display_catalogue.h"

#include <array>

#include "settings/packed_fields.h"

namespace settings {
namespace {

constexpr std::array<CatalogueItem, 23> kCatalogue = {{
    {Item(100), L"ＣＰＵ使用率", true},
    {Item(101), L"メモリ使用率", true},
    {Item(102), L"受信量/秒", true},
    {Item(103), L"送信量/秒", true},
    {Item(104), L"IPアドレス", false},
    {Item(105), L"LAN側IPアドレス", false},
    {Item(106), L"PROXY", false},
    {Item(107), L"PROXY使用", false},
    {Item(108), L"アクティブ スクリプト", false},
    {Item(109), L"Java アプレットのスクリプト", false},
    {Item(110), L"総受信量", false},
    {Item(111), L"総送信量", false},
    {Item(112), L"HDD容量", false},
    {Item(113), L"グラフ表示", false},
    {Item(114), L"日付,時刻表示", false},
    {Item(115), L"Windows起動時間", false},
    {Item(116), L"ＣＰＵ 1 使用率", true},
    {Item(117), L"ＣＰＵ 2 使用率", true},
    {Item(118), L"ＣＰＵ 3 使用率", true},
    {Item(119), L"ＣＰＵ 4 使用率", true},
    {Item(121), L"クリップボード", false},
    {Item(122), L"簡易メモ", false},
    {Item(123), L"システム電源", true},
}};

constexpr size_t kMainListPositions = 24;

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
            rows.push_back({catalogueItem(*id)->label, *id, {}, {}, false});
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
