// Prints what a running KorvaNT holds: GDI and USER objects and kernel handles, read from inside
// Wine for the long run (scripts/soak-wine). Wine 8 answers GetGuiResources and
// GetProcessHandleCount with 0, so the handles are also counted in the system's handle table.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

namespace {

struct HandleEntry {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO
    USHORT process;
    USHORT creatorBackTrace;
    UCHAR type;
    UCHAR attributes;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

long handlesInTable(DWORD processId) {
    std::vector<char> buffer(1 << 20);
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].process == processId;
    return count;
}

}  // namespace

int wmain() {
    HWND main = FindWindowW(L"KorvaNT.Main", nullptr);
    DWORD id = 0;
    if (!main || !GetWindowThreadProcessId(main, &id)) return 1;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id);
    if (!process) return 2;
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    std::printf("gdi=%lu user=%lu handles=%lu table=%ld\n", GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), handles, handlesInTable(id));
    CloseHandle(process);
    return 0;
}
