// Windows headers in the order they need.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <gtest/gtest.h>
// clang-format on

#include <algorithm>
#include <optional>

#include "platform/win32/clipboard_writer_win32.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/process_table_win32.h"
#include "platform/win32/system_sources_win32.h"

TEST(MonitorSourcesWin32, ProcessorAndMemoryFiguresAreTheMachines) {
    win32::ProcessorTimesWin32 processors;
    auto first = processors.totalTimes();
    ASSERT_TRUE(first.has_value());
    EXPECT_GE(first->total, first->idle);
    // The total is the machine's as the system counts it (kernel + user, idle within kernel).
    FILETIME idle, kernel, user;
    ASSERT_TRUE(GetSystemTimes(&idle, &kernel, &user));
    auto ticks = [](FILETIME t) {
        return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
    };
    std::uint64_t systemTotal = ticks(kernel) + ticks(user);
    EXPECT_LE(first->total, systemTotal);
    EXPECT_LT(systemTotal - first->total, 10000000ULL * 64) << "more than a second apart";
    ASSERT_TRUE(processors.processorTimes(0).has_value());
    EXPECT_FALSE(processors.processorTimes(64).has_value());
    EXPECT_FALSE(processors.processorTimes(-1).has_value());

    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    auto memory = win32::MemoryStatusWin32().memoryStatus();
    ASSERT_TRUE(memory.has_value());
    EXPECT_EQ(memory->totalPhysical, status.ullTotalPhys);
    EXPECT_EQ(win32::SystemInfoWin32().platformFamily(), 2);
}

// The process list names this program without a path, and its processor time grows as it works.
TEST(MonitorSourcesWin32, ProcessTableHoldsThisProgramWithItsTimeAndMemory) {
    win32::ProcessTableWin32 source;
    auto self = [&]() -> std::optional<platform::ProcessEntry> {
        platform::ProcessTable table;
        if (!source.read(table)) return std::nullopt;
        EXPECT_GE(table.processors, 1);
        for (const platform::ProcessEntry& p : table.processes) {
            EXPECT_FALSE(p.name.empty());
            EXPECT_EQ(p.name.find(L'\\'), std::wstring::npos) << "no path";
            if (p.id == GetCurrentProcessId()) return p;
        }
        return std::nullopt;
    };
    auto before = self();
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->name, L"win_tests.exe");
    EXPECT_GT(before->privateBytes, 0u);
    const ULONGLONG until = GetTickCount64() + 300;
    volatile unsigned spins = 0;
    while (GetTickCount64() < until) spins = spins + 1;
    auto after = self();
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->startTime, before->startTime);
    EXPECT_GT(after->processorTime, before->processorTime);
}

TEST(MonitorSourcesWin32, InterfacesRowsAndAddresses) {
    win32::NetworkWin32 network;
    auto table = network.interfaceTable();
    ASSERT_TRUE(table.has_value());
    ASSERT_FALSE(table->empty());
    for (size_t i = 1; i < table->size(); ++i)
        EXPECT_LT((*table)[i - 1].index, (*table)[i].index) << "sorted by index";
    bool loopback = false;
    for (const auto& r : *table) loopback = loopback || r.description == L"lo";
    EXPECT_TRUE(loopback) << "descriptions are the interface names";
    const auto& last = table->back();
    platform::InterfaceRow row = network.interfaceRow(last.index);
    EXPECT_EQ(row.index, last.index);
    EXPECT_GE(row.inOctets, last.inOctets);
    EXPECT_EQ(network.interfaceRow(0xFFFFFF).inOctets, 0u) << "no such interface: zero counters";
    // Every row, read twice (the second time by the remembered identifier), carries what the
    // system's 32-bit interface row carries.
    for (int round = 0; round < 2; ++round)
        for (const auto& r : *table) {
            MIB_IFROW system{};
            system.dwIndex = r.index;
            ASSERT_EQ(GetIfEntry(&system), static_cast<DWORD>(NO_ERROR));
            platform::InterfaceRow read = network.interfaceRow(r.index);
            EXPECT_EQ(read.type, system.dwType);
            EXPECT_LT(read.inOctets - system.dwInOctets, 1u << 30) << "same counter, read later";
            EXPECT_LT(read.outOctets - system.dwOutOctets, 1u << 30);
        }
    std::wstring address = network.localAddress();
    EXPECT_NE(address.rfind(L"127.", 0), 0u) << "never the loopback address";
}

TEST(MonitorSourcesWin32, DrivesAndLocale) {
    win32::DrivesWin32 drives;
    auto list = drives.drives();
    ASSERT_FALSE(list.empty());
    bool sawC = false;
    for (const auto& d : list)
        if (d.letter == L"C") {
            sawC = true;
            EXPECT_EQ(d.type, platform::kDriveFixed);
            auto capacity = drives.capacity(L"C");
            ASSERT_TRUE(capacity.has_value());
            EXPECT_GT(capacity->totalBytes, 0u);
            EXPECT_LE(capacity->availableBytes, capacity->totalBytes);
        }
    EXPECT_TRUE(sawC);
    drives.activity(L"C");  // may have no counters (Wine); must not fail

    win32::LocaleFormatWin32 locale;
    EXPECT_EQ(locale.thousandsSeparator(), L",");
    platform::LocalTime monday{2026, 12, 7, 1, 9, 5, 3};
    EXPECT_EQ(locale.fullWeekday(monday), L"月曜日");
    EXPECT_NE(locale.shortDate(monday).find(L"2026"), std::wstring::npos);
}

TEST(MonitorSourcesWin32, ClipboardTextWithoutItsNulIsReadNoFurtherThanItsBlock) {
    // Wine ends every text put on the clipboard with a NUL itself, so the block a careless
    // program puts on Windows is made here: its last character is the last one readable.
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    size_t page = system.dwPageSize;
    auto* memory = static_cast<wchar_t*>(
        VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_TRUE(memory);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(reinterpret_cast<char*>(memory) + page, page, PAGE_NOACCESS, &old));
    std::fill(memory, memory + page / sizeof(wchar_t), L'x');
    EXPECT_EQ(win32::unicodeTextOf(memory, page), std::wstring(page / sizeof(wchar_t), L'x'));
    // A NUL inside ends the text; an odd byte count holds no half character.
    memory[3] = L'\0';
    EXPECT_EQ(win32::unicodeTextOf(memory, page), L"xxx");
    EXPECT_EQ(win32::unicodeTextOf(memory, 5), L"xx");
    VirtualFree(memory, 0, MEM_RELEASE);
}

TEST(MonitorSourcesWin32, ClipboardTextAndPerProcessorSnapshots) {
    auto put = [](const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        // The reader hears of the change through the thread's messages, as between two ticks.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    };
    win32::ClipboardWin32 clipboard;
    constexpr size_t kAll = std::wstring::npos;
    put(L"first");
    EXPECT_EQ(clipboard.readText(kAll).text, L"first");
    EXPECT_EQ(clipboard.readText(kAll).text, L"first");
    put(L"second");
    EXPECT_EQ(clipboard.readText(kAll).text, L"second") << "a new clipboard content is read again";
    put(std::wstring(100000, L'x') + L"\r\nend");
    EXPECT_EQ(clipboard.readText(4096).text, std::wstring(4096, L'x'));
    EXPECT_EQ(clipboard.readText(kAll).text.size(), 100005u);
    // The program's own write is read back at once, before its change notice is handled.
    win32::ClipboardWriterWin32 writer;
    ASSERT_TRUE(writer.writeText(L"written"));
    EXPECT_EQ(clipboard.readText(kAll).text, L"written");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    platform::ClipboardRead empty = clipboard.readText(kAll);
    EXPECT_TRUE(empty.opened);
    EXPECT_FALSE(empty.hasText);

    // Each round of readings (processor 0 first) sees times that do not go backwards.
    win32::ProcessorTimesWin32 processors;
    auto first = processors.processorTimes(0);
    ASSERT_TRUE(first.has_value());
    Sleep(30);
    auto again = processors.processorTimes(0);
    ASSERT_TRUE(again.has_value());
    EXPECT_GE(again->total, first->total);
}
