// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <psapi.h>
#include <gtest/gtest.h>
// clang-format on

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "platform/win32/desktop_windows_win32.h"
#include "platform/win32/memory_block_win32.h"

namespace {

HWND makeWindow(const wchar_t* title) {
    return CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW, 40, 50, 300, 200, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

platform::WindowId idOf(HWND w) { return reinterpret_cast<platform::WindowId>(w); }

}  // namespace

TEST(DesktopWindows, FindsByWholeTitleInAnyCaseAndClosesAsTheSystemMenuDoes) {
    win32::DesktopWindowsWin32 windows;
    HWND w = makeWindow(L"Foo - Microsoft Internet Explorer");
    ASSERT_TRUE(w);
    EXPECT_EQ(windows.title(idOf(w)), L"Foo - Microsoft Internet Explorer");
    // Listed among the top-level windows, its whole title keyed as a search by title sees it.
    size_t listed = 0;
    for (const auto& window : windows.topWindows())
        if (window.id == idOf(w)) {
            ++listed;
            EXPECT_EQ(windows.titleKey(window.title),
                      windows.titleKey(L"FOO - microsoft internet explorer"));
        }
    EXPECT_EQ(listed, 1u);
    EXPECT_NE(windows.titleKey(L"Foo - Microsoft Internet Explorer"),
              windows.titleKey(L"Foo - Microsoft Internet"));
    windows.close(idOf(w));
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(windows.title(0), L"");
}

TEST(DesktopWindows, MovesAndSizesAWindowInScreenPixels) {
    win32::DesktopWindowsWin32 windows;
    HWND w = makeWindow(L"C:\\Windows");
    ASSERT_TRUE(w);
    windows.move(idOf(w), 60, 70, 320, 240);
    auto r = windows.rect(idOf(w));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->left, 60);
    EXPECT_EQ(r->top, 70);
    EXPECT_EQ(r->right - r->left, 320);
    EXPECT_EQ(r->bottom - r->top, 240);
    DestroyWindow(w);
    EXPECT_FALSE(windows.rect(idOf(w)));
}

namespace {

// Runs this thread's messages until `finished` holds, for at most a minute.
template <typename Finished>
void pumpUntil(Finished finished) {
    DWORD start = GetTickCount();
    MSG msg;
    while (!finished() && GetTickCount() - start < 60000) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (!finished()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

}  // namespace

TEST(MemoryBlock, AWindowKeepsAnsweringWhileAGigabyteIsWrittenAndGivenBack) {
    // A window of the thread that asks for the release, as the program's windows are.
    HWND window = makeWindow(L"answers during a release");
    ASSERT_TRUE(window);
    win32::MemoryBlockWin32 block;
    std::optional<bool> claimed;
    std::atomic<bool> over{false}, askerDone{false};
    std::atomic<int> answered{0};
    std::vector<DWORD> missedAt;  // ms after the start
    DWORD started = GetTickCount();
    block.claimAndGiveBack(std::uint64_t{1} << 30, [&](bool c) { claimed = c; });
    // Another program asking the window, as the shell and the test tools do. A window held by
    // the release misses every ask for seconds; one that merely waited for a busy processor
    // answers the second.
    std::thread asker([&] {
        auto ask = [&] {
            DWORD_PTR result = 0;
            return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0;
        };
        while (!over) {
            if (ask() || ask())
                ++answered;
            else
                missedAt.push_back(GetTickCount() - started);
            Sleep(5);
        }
        askerDone = true;
    });
    pumpUntil([&] { return claimed.has_value(); });
    // The window answers the asks still under way.
    over = true;
    pumpUntil([&] { return askerDone.load(); });
    asker.join();
    ASSERT_EQ(claimed, true);
    EXPECT_TRUE(missedAt.empty()) << "missed " << missedAt.size() << " asks, the first "
                                  << (missedAt.empty() ? 0 : missedAt.front()) << " ms in";
    EXPECT_GT(answered, 0);
    // Every page was written: the process held the whole gigabyte at its peak.
    PROCESS_MEMORY_COUNTERS counters{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
    EXPECT_GE(counters.PeakWorkingSetSize, SIZE_T{1} << 30);
    DestroyWindow(window);

    // A block the system cannot provide comes back as such; none at all is no failure.
    std::vector<bool> results;
    block.claimAndGiveBack(std::uint64_t{1} << 60, [&](bool c) { results.push_back(c); });
    block.claimAndGiveBack(0, [&](bool c) { results.push_back(c); });
    pumpUntil([&] { return results.size() == 2; });
    EXPECT_EQ(results.size(), 2u);
    EXPECT_EQ(std::count(results.begin(), results.end(), true), 1);
}
