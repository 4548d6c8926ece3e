#include <string>
#include <vector>

#include "winctl.h"

namespace winctl {

namespace {

void printRect(const RECT& r) {
    print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
          std::to_wstring(r.right) + L" " + std::to_wstring(r.bottom) + L"\n");
}

// Memory in the process that owns `w`, for the messages whose structures cross processes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND w, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    void* address() const { return memory_; }
    bool read(void* out) const { return ReadProcessMemory(process_, memory_, out, size_, nullptr); }
    bool write(const void* in, size_t size, size_t offset = 0) const {
        return WriteProcessMemory(process_, static_cast<char*>(memory_) + offset, in, size,
                                  nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
    size_t size_;
};

// An item's rectangle as a control answers `message` for it, printed in screen coordinates:
// "left top right bottom".
int itemScreenRect(HWND w, UINT message, int index) {
    if (!w) return 1;
    RECT r{};
    RemoteBuffer remote(w, sizeof r);
    if (!remote.address()) return 2;
    if (!SendMessageW(w, message, index, reinterpret_cast<LPARAM>(remote.address()))) return 1;
    remote.read(&r);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    printRect(r);
    return 0;
}

}  // namespace

// A control's client area in screen coordinates: "left top right bottom".
int controlRect(HWND w) {
    RECT r{};
    if (!w || !GetClientRect(w, &r)) return 1;
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    printRect(r);
    return 0;
}

// A control's state: "visible enabled checked position text".
int controlState(HWND w) {
    if (!w) return 1;
    wchar_t className[64] = {};
    GetClassNameW(w, className, 64);
    std::wstring text;
    LRESULT value = 0;
    bool statusBar = false;
    if (_wcsicmp(className, TRACKBAR_CLASSW) == 0) {
        value = SendMessageW(w, TBM_GETPOS, 0, 0);
        text = std::to_wstring(SendMessageW(w, TBM_GETRANGEMIN, 0, 0)) + L"-" +
               std::to_wstring(SendMessageW(w, TBM_GETRANGEMAX, 0, 0));
    } else if (_wcsicmp(className, L"ComboBox") == 0) {
        value = SendMessageW(w, CB_GETCURSEL, 0, 0);
    } else if (_wcsicmp(className, STATUSCLASSNAMEW) == 0) {
        wchar_t buffer[512] = {};
        RemoteBuffer remote(w, sizeof buffer);
        if (!remote.address()) return 2;
        SendMessageW(w, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote.address()));
        remote.read(buffer);
        text = buffer;
        statusBar = true;
    } else {
        value = SendMessageW(w, BM_GETCHECK, 0, 0);
    }
    if (text.empty() && !statusBar) {
        // Sent, not GetWindowTextW: across processes that reads the caption the control was
        // made with, which an edit box does not keep up to date.
        wchar_t buffer[512] = {};
        SendMessageW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
        text = buffer;
    }
    print(std::to_wstring(IsWindowVisible(w) ? 1 : 0) + L" " +
          std::to_wstring(IsWindowEnabled(w) ? 1 : 0) + L" " + std::to_wstring(value) + L" " +
          text + L"\n");
    return 0;
}

// Moves a slider as the user would: the position, then the notifications its parent gets.
int slide(HWND w, int position) {
    if (!w) return 1;
    SendMessageW(w, TBM_SETPOS, TRUE, position);
    HWND parent = GetParent(w);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(w));
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(w));
    return 0;
}

// The screen rectangle of a tab of a tab control: "left top right bottom".
int tabRect(HWND w, int index) { return itemScreenRect(w, TCM_GETITEMRECT, index); }

// A list view row's whole rectangle (the zeroed buffer asks for its bounds).
int rowRect(HWND w, int row) { return itemScreenRect(w, LVM_GETITEMRECT, row); }

// Every row of a list view: "checked selected" and then each column's text, tab-separated.
int listViewRows(HWND w) {
    if (!w) return 1;
    int rows = static_cast<int>(SendMessageW(w, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(w, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    constexpr size_t kChars = 256;
    RemoteBuffer remote(w, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.address()) return 2;
    auto* text = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(LVITEMW));
    for (int row = 0; row < rows; ++row) {
        auto state = static_cast<UINT>(
            SendMessageW(w, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK | LVIS_SELECTED));
        std::wstring line = std::to_wstring((state >> 12) == 2 ? 1 : 0) + L" " +
                            std::to_wstring(state & LVIS_SELECTED ? 1 : 0);
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = kChars;
            remote.write(&item, sizeof item);
            SendMessageW(w, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.address()));
            std::vector<char> all(sizeof(LVITEMW) + kChars * sizeof(wchar_t));
            remote.read(all.data());
            std::wstring cell(reinterpret_cast<const wchar_t*>(all.data() + sizeof(LVITEMW)));
            line += L"\t" + cell;
        }
        print(line + L"\n");
    }
    return 0;
}

// Sets a row's state as a click would: its check box (state 1 or 2), or its selection.
int listViewState(HWND w, int row, UINT mask, UINT state) {
    if (!w) return 1;
    RemoteBuffer remote(w, sizeof(LVITEMW));
    if (!remote.address()) return 2;
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    remote.write(&item, sizeof item);
    return SendMessageW(w, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote.address())) ? 0
                                                                                              : 1;
}

// The screen rectangle of a list view's column header: "left top right bottom".
int headerRect(HWND w, int column) {
    if (!w) return 1;
    HWND header = reinterpret_cast<HWND>(SendMessageW(w, LVM_GETHEADER, 0, 0));
    return header ? itemScreenRect(header, HDM_GETITEMRECT, column) : 2;
}

// Every entry of a list box, one a line (the window system carries the text across).
int listBoxItems(HWND w) {
    if (!w) return 1;
    int count = static_cast<int>(SendMessageW(w, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(w, LB_GETTEXTLEN, i, 0)) + 1);
        SendMessageW(w, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        print(std::wstring(text.data()) + L"\n");
    }
    return 0;
}

// The visible balloon tooltips of other processes (the shell's tray balloons), one a line: the
// window, then the text of its first tool.
int balloons() {
    struct Found {
        std::vector<HWND> windows;
    } found;
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            wchar_t className[64] = {};
            GetClassNameW(w, className, 64);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (wcscmp(className, L"tooltips_class32") == 0 && IsWindowVisible(w) &&
                pid != GetCurrentProcessId())
                reinterpret_cast<Found*>(lp)->windows.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    for (HWND w : found.windows) {
        constexpr size_t kChars = 512;
        RemoteBuffer remote(w, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
        std::wstring text;
        if (remote.address()) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) +
                                                       sizeof(TTTOOLINFOW));
            std::vector<char> all(sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
            remote.write(&tool, sizeof tool);
            remote.write(all.data() + sizeof tool, kChars * sizeof(wchar_t), sizeof tool);
            if (SendMessageW(w, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote.address())) &&
                remote.read(all.data())) {
                all[all.size() - 1] = all[all.size() - 2] = 0;
                text = reinterpret_cast<const wchar_t*>(all.data() + sizeof(TTTOOLINFOW));
            }
        }
        print(std::to_wstring(reinterpret_cast<uintptr_t>(w)) + L" " + text + L"\n");
    }
    return 0;
}

}  // namespace winctl
