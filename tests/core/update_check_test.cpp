#include "features/update_check.h"

#include <gtest/gtest.h>

#include "fakes/this_version.h"
#include "monitor/status_items.h"

using namespace features;

namespace {

const std::wstring kTitle = kUpdatePageTitleNT;

std::wstring page(const std::wstring& version, const std::wstring& title = kTitle) {
    return L"<html><head><title>" + title + L"</title></head><body>\r\n----------" + version +
           L"\r\n++++++++++新しい版が出ました**********\r\n</body></html>";
}

}  // namespace

TEST(UpdateCheck, PageWithTitleAndMarkersAnnouncesItsVersion) {
    monitor::UpdateInfo info = parseUpdatePage(page(L"400"), kTitle);
    EXPECT_EQ(info.result, L"ok");
    EXPECT_EQ(info.newestVersion, L"400");
    EXPECT_EQ(info.announcement, L"新しい版が出ました");
    EXPECT_TRUE(monitor::newVersionApplies(info, true));
    EXPECT_FALSE(monitor::newVersionApplies(info, false));  // the user does not want to hear of it
}

TEST(UpdateCheck, OnlyAVersionAboveTheRunningOneIsNewer) {
    EXPECT_FALSE(
        monitor::newVersionApplies(parseUpdatePage(page(fakes::thisVersion()), kTitle), true));
    EXPECT_TRUE(
        monitor::newVersionApplies(parseUpdatePage(page(fakes::thisVersion(1)), kTitle), true));
    EXPECT_FALSE(monitor::newVersionApplies(parseUpdatePage(page(L"099"), kTitle), true));
    EXPECT_FALSE(monitor::newVersionApplies(parseUpdatePage(page(L"abc"), kTitle), true));
    // Only three characters count: "3370" is version 337.
    monitor::UpdateInfo four = parseUpdatePage(page(L"3370"), kTitle);
    EXPECT_EQ(four.newestVersion, L"337");
}

TEST(UpdateCheck, WithoutTitleOrClosingMarkerTheResultStaysNo) {
    monitor::UpdateInfo noTitle = parseUpdatePage(page(L"400", L"別のページ"), kTitle);
    EXPECT_EQ(noTitle.result, L"no");
    EXPECT_EQ(noTitle.newestVersion, L"400");
    EXPECT_FALSE(monitor::newVersionApplies(noTitle, true));

    std::wstring open = L"<title>" + kTitle + L"</title>----------400++++++++++text";
    monitor::UpdateInfo noEnd = parseUpdatePage(open, kTitle);
    EXPECT_EQ(noEnd.result, L"no");
    EXPECT_EQ(noEnd.announcement, L"");

    // The 9x page's title does not satisfy the NT check.
    EXPECT_EQ(parseUpdatePage(page(L"400", kUpdatePageTitle9x), kTitle).result, L"no");
}

TEST(UpdateCheck, AnnouncementIsCutToItsShownLength) {
    std::wstring text =
        kTitle + L"----------400++++++++++" + std::wstring(1000000, L'新') + L"**********";
    monitor::UpdateInfo info = parseUpdatePage(text, kTitle);
    EXPECT_EQ(info.result, L"ok");
    EXPECT_EQ(info.announcement, std::wstring(kMaxAnnouncementChars, L'新'));
}

TEST(UpdateCheck, MarkersOutOfOrderGiveNoAnnouncementButNoFailure) {
    std::wstring text = kTitle + L"----------401**********bad++++++++++";
    monitor::UpdateInfo info = parseUpdatePage(text, kTitle);
    EXPECT_EQ(info.result, L"ok");
    EXPECT_EQ(info.announcement, L"");
    EXPECT_EQ(parseUpdatePage(L"", kTitle).newestVersion, L"");
    EXPECT_EQ(parseUpdatePage(L"x----------4", kTitle).newestVersion, L"4");
}
