#include "settings/display_catalogue.h"

#include <array>

#include "settings/packed_fields.h"

namespace settings {
namespace {

constexpr std::array<CatalogueItem, 23> kCatalogue = {{
    {100, L"ＣＰＵ使用率", true},
    {101, L"メモリ使用率", true},
    {102, L"受信量/秒", true},
    {103, L"送信量/秒", true},
    {104, L"IPアドレス", false},
    {105, L"LAN側IPアドレス", false},
    {106, L"PROXY", false},
    {107, L"PROXY使用", false},
    {108, L"アクティブ スクリプト", false},
    {109, L"Java アプレットのスクリプト", false},
    {110, L"総受信量", false},
    {111, L"総送信量", false},
    {112, L"HDD容量", false},
    {113, L"グラフ表示", false},
    {114, L"日付,時刻表示", false},
    {115, L"Windows起動時間", false},
    {116, L"ＣＰＵ 1 使用率", true},
    {117, L"ＣＰＵ 2 使用率", true},
    {118, L"ＣＰＵ 3 使用率", true},
    {119, L"ＣＰＵ 4 使用率", true},
    {121, L"クリップボード", false},
    {122, L"簡易メモ", false},
    {123, L"システム電源", true},
}};

constexpr size_t kMainListPositions = 24;

}  // namespace

std::span<const CatalogueItem> catalogue() { return kCatalogue; }

const CatalogueItem* catalogueItem(const std::wstring& id) {
    for (const CatalogueItem& item : kCatalogue)
        if (id == std::to_wstring(item.id)) return &item;
    return nullptr;
}

bool isMeterItem(int id) {
    for (const CatalogueItem& item : kCatalogue)
        if (item.id == id) return item.meter;
    return false;
}

std::vector<DisplayRow> buildDisplayRows(const std::wstring& mainList,
                                         const std::wstring& checkMarks,
                                         const std::wstring& colours1,
                                         const std::wstring& colours2) {
    std::vector<DisplayRow> rows;
    for (size_t p = 0; p < kMainListPositions && p * 3 < mainList.size(); ++p) {
        std::wstring id = mainList.substr(p * 3, 3);
        if (const CatalogueItem* item = catalogueItem(id))
            rows.push_back({item->label, id, {}, {}, false});
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        DisplayRow& row = rows[i];
        row.shown = i < checkMarks.size() && checkMarks[i] == L'1';
        row.colour1 = colourField(colours1, i);
        row.colour2 = colourField(colours2, i);
        if (isMeterItem(std::stoi(row.id))) {
            if (row.colour1.empty()) row.colour1 = L"0";
            if (row.colour2.empty()) row.colour2 = L"0";
        }
    }
    return rows;
}

}  // namespace settings
