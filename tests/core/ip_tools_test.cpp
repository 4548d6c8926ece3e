#include "features/ip_tools.h"

#include <gtest/gtest.h>

#include "fakes/fake_http.h"
#include "settings/display_catalogue.h"
#include "settings/settings.h"

using namespace features;

namespace {

std::vector<settings::DisplayRow> rows(bool ipShown) {
    settings::Settings s;
    auto list = settings::buildDisplayRows(s.displayOrder, s.displayMarks, s.displayColours1,
                                           s.displayColours2);
    for (auto& row : list)
        if (settings::idOf(row.id) == 104) row.shown = ipShown;
    return list;
}

}  // namespace

TEST(IpPage, AddressIsCutBetweenTheMarkersInAnyCase) {
    EXPECT_EQ(cutIpAddress(L"<HTML><BODY><BR></BODY>203.0.113.5</HTML>"), L"203.0.113.5");
    EXPECT_EQ(cutIpAddress(L"<html><body><br></body>203.0.113.5</html>\r\n"), L"203.0.113.5");
    EXPECT_EQ(cutIpAddress(L"<Html><Body><p></Body>198.51.100.7</hTmL>"), L"198.51.100.7");
    // The first body marker counts, and the first end marker after it.
    EXPECT_EQ(cutIpAddress(L"<a></BODY>1.2.3.4</HTML></BODY>5.6.7.8</HTML>"), L"1.2.3.4");
}

TEST(IpPage, MissingEndMarkerIsNoAddressAndMissingBodyMarkerStartsAtTheEighthCharacter) {
    EXPECT_EQ(cutIpAddress(L"<HTML><BODY><BR></BODY>203.0.113.5"), std::nullopt);
    EXPECT_EQ(cutIpAddress(L""), std::nullopt);
    EXPECT_EQ(cutIpAddress(L"1234567abc</HTML>"), L"abc");
    EXPECT_EQ(cutIpAddress(L"short"), std::nullopt);
}

TEST(IpPage, TextLongerThanAnyAddressIsNoAddress) {
    const std::wstring longest = L"ffff:ffff:ffff:ffff:ffff:ffff:255.255.255.255";
    EXPECT_EQ(cutIpAddress(L"></BODY>" + longest + L"</HTML>"), longest);
    EXPECT_EQ(cutIpAddress(L"></BODY>" + longest + L"0</HTML>"), std::nullopt);
    EXPECT_EQ(addressFrom({true, L"></BODY>" + std::wstring(800000, L'9') + L"</HTML>"}),
              monitor::kUnreachableText);
}

TEST(IpAcquisition, FetchesOnlyWhileTheItemIsShownAndReportsFailures) {
    fakes::FakeFetcher fetcher;
    std::vector<std::wstring> addresses;
    std::wstring page;
    auto arrived = [&](const std::wstring& address, const std::wstring& text) {
        addresses.push_back(address);
        page = text;
    };
    EXPECT_FALSE(acquireIpAddress(fetcher, L"http://h/ip", rows(false), arrived));
    EXPECT_TRUE(fetcher.requests.empty());

    EXPECT_TRUE(acquireIpAddress(fetcher, L"http://h/ip", rows(true), arrived));
    fetcher.deliverAll();                                            // unreachable
    fetcher.pages[L"http://h/ip"] = L"<HTML><BODY></BODY>10.0.0.9";  // cut short
    acquireIpAddress(fetcher, L"http://h/ip", rows(true), arrived);
    fetcher.deliverAll();
    fetcher.pages[L"http://h/ip"] = L"<HTML><BODY></BODY>10.0.0.9</HTML>";
    acquireIpAddress(fetcher, L"http://h/ip", rows(true), arrived);
    EXPECT_EQ(addresses.size(), 2u);  // the last one has not arrived yet
    fetcher.deliverAll();
    EXPECT_EQ(addresses, (std::vector<std::wstring>{monitor::kUnreachableText,
                                                    monitor::kUnreachableText, L"10.0.0.9"}));
    EXPECT_EQ(page, L"<HTML><BODY></BODY>10.0.0.9</HTML>");
}

TEST(IpCopy, StatusTextsCopyAsZeros) {
    fakes::FakeClipboardWriter clipboard;
    for (const wchar_t* status :
         {monitor::kAfterRestartText, monitor::kUnreachableText, monitor::kLoadingText, L""})
        copyIpAddress(clipboard, status);
    copyIpAddress(clipboard, L"203.0.113.5");
    EXPECT_EQ(clipboard.written, (std::vector<std::wstring>{L"0,0,0,0", L"0,0,0,0", L"0,0,0,0",
                                                            L"0,0,0,0", L"203.0.113.5"}));
}

TEST(StartupIpTimer, AcquiresOnTheTickAfterTheWaitThenStops) {
    for (int wait : {0, 3}) {
        StartupIpTimer timer;
        int fired = 0, firstTick = 0;
        for (int tick = 1; tick <= 10; ++tick)
            if (timer.tick(wait) && ++fired == 1) firstTick = tick;
        EXPECT_EQ(fired, 1) << wait;
        EXPECT_EQ(firstTick, wait + 1) << wait;
    }
}
