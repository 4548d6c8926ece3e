#include "ui/timer_service.h"

#include <gtest/gtest.h>

#include "platform/win32/owned_window.h"

namespace {

// Pumps this thread's messages until `done` or a few seconds pass.
template <class Done>
void pumpUntil(Done done) {
    DWORD deadline = GetTickCount() + 5000;
    MSG msg;
    while (!done() && GetTickCount() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(1);
    }
}

}  // namespace

TEST(TimerService, EachPartTicksOnItsOwnTimerAndAStoppedOneTicksNoMore) {
    ui::TimerService timers;
    win32::MessageWindow host;
    ASSERT_TRUE(host.create(L"KorvaNTTimerTest", [&](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
        return msg == WM_TIMER && timers.dispatch(wp);
    }));
    int first = 0, second = 0;
    ui::TimerService::Timer stopping;
    stopping = timers.make([&] {
        if (++first == 2) stopping.stop();
    });
    ui::TimerService::Timer steady = timers.make([&] { ++second; });
    stopping.start(10);  // asked for before the host is known: starts with it
    timers.attach(host.hwnd());
    steady.start(10);

    pumpUntil([&] { return second >= 8; });
    EXPECT_GE(second, 8);
    EXPECT_EQ(first, 2);
    EXPECT_FALSE(stopping.running());
    EXPECT_TRUE(steady.running());
    EXPECT_FALSE(timers.dispatch(12345));  // no part's timer
}
