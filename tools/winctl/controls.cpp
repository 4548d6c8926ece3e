#include <cstddef>
#include <optional>
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

namespace {

// One text a line: its line feeds written as "\\n".
std::wstring oneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) out += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
    return out;
}

// The text of tool `index` of another process's tooltip window; empty when it cannot be read.
std::wstring toolText(HWND w, int index) {
    constexpr size_t kChars = 512;
    RemoteBuffer remote(w, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
    if (!remote.address()) return {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText =
        reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(TTTOOLINFOW));
    std::vector<char> all(sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
    remote.write(&tool, sizeof tool);
    remote.write(all.data() + sizeof tool, kChars * sizeof(wchar_t), sizeof tool);
    if (!SendMessageW(w, TTM_ENUMTOOLSW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(remote.address())) ||
        !remote.read(all.data()))
        return {};
    all[all.size() - 1] = all[all.size() - 2] = 0;
    return reinterpret_cast<const wchar_t*>(all.data() + sizeof(TTTOOLINFOW));
}

// Other processes' tooltip windows, the hidden ones too when `hidden`.
std::vector<HWND> otherTooltips(bool hidden) {
    struct Found {
        bool hidden;
        std::vector<HWND> windows;
    } found{hidden, {}};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Found*>(lp);
            wchar_t className[64] = {};
            GetClassNameW(w, className, 64);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (wcscmp(className, L"tooltips_class32") == 0 && (f->hidden || IsWindowVisible(w)) &&
                pid != GetCurrentProcessId())
                f->windows.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

}  // namespace

// The visible balloon tooltips of other processes (the shell's tray balloons), one a line: the
// window, then the text of its first tool (its line feeds as "\\n").
int balloons() {
    for (HWND w : otherTooltips(false))
        print(std::to_wstring(reinterpret_cast<uintptr_t>(w)) + L" " + oneLine(toolText(w, 0)) +
              L"\n");
    return 0;
}

// Every tool text of other processes' tooltips, shown or not, one a line: the tray icons' tips.
int toolTexts() {
    for (HWND w : otherTooltips(true)) {
        const int tools = static_cast<int>(SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < tools; ++i) print(oneLine(toolText(w, i)) + L"\n");
    }
    return 0;
}

}  // namespace winctl

namespace winctl {
namespace {

std::wstring windowText(HWND w) {
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(w)) + 1);
    GetWindowTextW(w, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::wstring classOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// The text of item `index` of a tab control or a list view's column, asked with `message` and the
// item structure `Item` (TCITEMW, LVCOLUMNW), both in the control's process; nothing when the
// control has no such item.
template <typename Item>
std::optional<std::wstring> remoteItemText(HWND w, UINT message, int index, UINT textMask) {
    struct Remote {
        Item item;
        wchar_t text[256];
    } local{};
    RemoteBuffer remote(w, sizeof local);
    if (!remote.address()) return std::nullopt;
    local.item.mask = textMask;
    local.item.cchTextMax = 256;
    local.item.pszText =
        reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + offsetof(Remote, text));
    remote.write(&local, sizeof local);
    if (!SendMessageW(w, message, index, reinterpret_cast<LPARAM>(remote.address())))
        return std::nullopt;
    remote.read(&local);
    return std::wstring(local.text);
}

// The texts a control holds besides its own: tabs, list columns, combo entries.
void printItemTexts(HWND w, const std::wstring& head) {
    const std::wstring kind = classOf(w);
    for (int i = 0;; ++i) {
        std::optional<std::wstring> text;
        if (kind == WC_TABCONTROLW)
            text = remoteItemText<TCITEMW>(w, TCM_GETITEMW, i, TCIF_TEXT);
        else if (kind == WC_LISTVIEWW)
            text = remoteItemText<LVCOLUMNW>(w, LVM_GETCOLUMNW, i, LVCF_TEXT);
        else if (kind == L"ComboBox" && i < SendMessageW(w, CB_GETCOUNT, 0, 0)) {
            std::vector<wchar_t> entry(static_cast<size_t>(SendMessageW(w, CB_GETLBTEXTLEN, i, 0)) +
                                       1);
            SendMessageW(w, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
            text = entry.data();
        }
        if (!text) return;
        print(head + L"/item " + *text + L"\n");
    }
}

struct Collected {
    std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND w, LPARAM into) {
    reinterpret_cast<Collected*>(into)->windows.push_back(w);
    return TRUE;
}

// The room a control's text has and the room it needs, in pixels: the text in the control's own
// font, beside a check box's box, inside a button's edges, wrapped in a label of several lines.
struct Room {
    bool fits = true;
    int needed = 0, available = 0;
};

// The control's font made in this process: a font handle is its owner's only. The description
// of the control's own font when the system gives it, else the templates' dialog font.
HFONT localFont(HWND w, int dpi) {
    LOGFONTW description{};
    auto owned = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
    if (!owned || !GetObjectW(owned, sizeof description, &description)) {
        description = {};
        description.lfHeight = -MulDiv(9, dpi, 72);
        description.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(description.lfFaceName, L"MS Shell Dlg 2");
    }
    return CreateFontIndirectW(&description);
}

Room roomOf(HWND w) {
    Room room;
    const std::wstring text = windowText(w);
    const std::wstring kind = classOf(w);
    if (text.empty() || (kind != L"Button" && kind != L"Static")) return room;
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    const LONG type = style & 0x1F;
    if (kind == L"Static" && type != SS_LEFT && type != SS_RIGHT && type != SS_CENTER &&
        type != SS_LEFTNOWORDWRAP)
        return room;
    if (kind == L"Button" && type == BS_OWNERDRAW) return room;
    RECT client{};
    GetClientRect(w, &client);
    HDC dc = GetDC(w);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    HFONT font = localFont(w, dpi);
    HGDIOBJ old = SelectObject(dc, font);
    auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
    RECT need{0, 0, client.right, 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX;
    int width = client.right;
    const bool box = kind == L"Button" && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ||
                                           type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
    if (box) width -= px(13) + px(4);
    if (kind == L"Button" && type == BS_GROUPBOX) width -= px(16);
    if (kind == L"Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) width -= px(6);
    // A label wraps at word breaks; a word wider than the label is clipped all the same.
    const bool wraps = kind == L"Static" && type != SS_LEFTNOWORDWRAP;
    need.right = width;
    if (wraps) flags |= DT_WORDBREAK;
    DrawTextW(dc, text.c_str(), -1, &need, flags);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(w, dc);
    if (wraps && need.right <= width) {
        room.needed = need.bottom;
        room.available = client.bottom;
    } else {
        room.needed = need.right;
        room.available = width;
    }
    room.fits = room.needed <= room.available;
    return room;
}

}  // namespace

// Every text of a window and the windows inside it, a line each: "id visible class text", then
// the items of tabs, list columns and combo boxes as "id visible class/item text".
int windowTexts(HWND root) {
    if (!root) return 1;
    Collected all;
    all.windows.push_back(root);
    EnumChildWindows(root, collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all.windows) {
        const std::wstring head = std::to_wstring(GetDlgCtrlID(w)) + L" " +
                                  (IsWindowVisible(w) ? L"1 " : L"0 ") + classOf(w);
        print(head + L" " + windowText(w) + L"\n");
        printItemTexts(w, head);
    }
    return 0;
}

// The labels, check boxes, buttons and frames whose text does not fit: "id needed available text"
// a line each; nothing when every text fits.
int overflowingTexts(HWND root) {
    if (!root) return 1;
    Collected all;
    EnumChildWindows(root, collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all.windows) {
        Room room = roomOf(w);
        if (!room.fits)
            print(std::to_wstring(GetDlgCtrlID(w)) + L" " + std::to_wstring(room.needed) + L" " +
                  std::to_wstring(room.available) + L" " + windowText(w) + L"\n");
    }
    return 0;
}

}  // namespace winctl
