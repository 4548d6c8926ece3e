// Windows headers in the order they need.
// clang-format off
#include <windows.h>
#include <gtest/gtest.h>
// clang-format on

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

TEST(MemoryBlock, ClaimsAndGivesBackAndAnImpossibleClaimFailsCleanly) {
    win32::MemoryBlockWin32 block;
    EXPECT_TRUE(block.claim(16u << 20));
    block.release();
    block.release();
    EXPECT_FALSE(block.claim(std::uint64_t{1} << 60));
    EXPECT_TRUE(block.claim(0));
}
