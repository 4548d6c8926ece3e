#include <gtest/gtest.h>

#include "settings/close_list_order.h"
#include "ui/options/proxy_list_editor.h"

using namespace settings;

TEST(ProxyList, EntriesLoseLeadingBlanksOnly) {
    std::vector<std::wstring> list = {L"old:80"};
    features::StatusBar status;
    std::wstring box = L"  proxy.example:8080 ";
    EXPECT_TRUE(ui::options::addProxyEntry(list, box, status));
    EXPECT_EQ(list.back(), L"proxy.example:8080 ");
    EXPECT_EQ(status.text, L"proxy.example:8080 をプロキシリストに追加しました");
    EXPECT_EQ(box, L"");

    // Duplicates are kept; blanks alone add nothing and say nothing.
    box = L"old:80";
    ui::options::addProxyEntry(list, box, status);
    EXPECT_EQ(list.size(), 3u);
    status.text.clear();
    box = L"   ";
    EXPECT_FALSE(ui::options::addProxyEntry(list, box, status));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(box, L"");
    EXPECT_EQ(status.text, L"");
}

TEST(ProxyList, DeleteNeedsASelection) {
    std::vector<std::wstring> list = {L"a:1", L"b:2"};
    features::StatusBar status;
    EXPECT_FALSE(ui::options::deleteProxyEntry(list, std::nullopt, status));
    EXPECT_FALSE(ui::options::deleteProxyEntry(list, 2, status));
    EXPECT_EQ(list.size(), 2u);
    EXPECT_TRUE(ui::options::deleteProxyEntry(list, 0, status));
    EXPECT_EQ(list, (std::vector<std::wstring>{L"b:2"}));
    EXPECT_EQ(status.text, L"a:1をプロキシリストから削除しました");
}

namespace {

std::vector<std::wstring> titles(const std::vector<CloseEntry>& entries) {
    std::vector<std::wstring> t;
    for (const auto& e : entries) t.push_back(e.title);
    return t;
}

CloseEntry entry(const wchar_t* title, const wchar_t* count) {
    return closeEntryFromLine(title + std::wstring(8 - wcslen(count), L' ') + count);
}

}  // namespace

TEST(CloseListOrder, HeadersSortCountsAsNumbersAndTitlesWithoutCase) {
    std::vector<CloseEntry> list = {entry(L"b", L"10"), entry(L"C", L"9"), entry(L"a", L"100")};
    CloseListOrder order;
    sortOnHeader(list, order, CloseColumn::Count);
    EXPECT_EQ(titles(list), (std::vector<std::wstring>{L"C", L"b", L"a"}));
    sortOnHeader(list, order, CloseColumn::Count);
    EXPECT_EQ(titles(list), (std::vector<std::wstring>{L"a", L"b", L"C"}));
    sortOnHeader(list, order, CloseColumn::Title);
    EXPECT_EQ(titles(list), (std::vector<std::wstring>{L"a", L"b", L"C"}));
    sortOnHeader(list, order, CloseColumn::Title);
    EXPECT_EQ(titles(list), (std::vector<std::wstring>{L"C", L"b", L"a"}));

    // Sorting stays on: an entry added later takes its place.
    placeCloseEntry(list, newCloseEntry(L"B2"), order);
    EXPECT_EQ(titles(list), (std::vector<std::wstring>{L"C", L"B2", L"b", L"a"}));
    std::vector<CloseEntry> unsorted = {entry(L"z", L"1")};
    placeCloseEntry(unsorted, newCloseEntry(L"a"), CloseListOrder{});
    EXPECT_EQ(titles(unsorted), (std::vector<std::wstring>{L"z", L"a"}));
}

TEST(CloseListOrder, DeleteRemovesTheTickedEntriesOnly) {
    std::vector<CloseEntry> list = {entry(L"same", L"1"), entry(L"same", L"2"),
                                    entry(L"other", L"3")};
    EXPECT_EQ(deleteTickedEntries(list), 0u);
    list[0].ticked = list[2].ticked = true;
    EXPECT_EQ(deleteTickedEntries(list), 2u);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].count, L"2");
}
