// How long Wine's multi-line edit, styled and sized as the memo box, takes to take a text of a
// given length: set whole, and pasted at the end of a box that holds as much already. Run by hand
// under Wine; it prints milliseconds per length.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double millisecondsFor(HWND edit, const std::wstring& text, bool paste) {
    SetWindowTextW(edit, paste ? text.c_str() : L"");
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (paste) {
        SendMessageW(edit, EM_SETSEL, text.size(), text.size());
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
        SetWindowTextW(edit, text.c_str());
    }
    UpdateWindow(GetParent(edit));
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    HWND parent = CreateWindowExW(0, L"STATIC", L"memo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // 122 x 34 dialog units of the options page: about 183 x 55 pixels.
    HWND edit = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL, 8, 8,
        183, 55, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!parent || !edit) {
        // Without a display no window is made, and every time would read as 0.
        std::fprintf(stderr, "memo_edit_bench: no window could be made; run it with a display\n");
        return 1;
    }
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    millisecondsFor(edit, std::wstring(100, L'x'), false);  // the first text loads the font
    std::printf("milliseconds to take a text of each length\n");
    std::printf("%8s %12s %12s %12s\n", "chars", "one line", "40/line", "paste 40/l");
    for (size_t chars : {500, 1000, 2000, 3000, 4000, 8000, 16000}) {
        std::wstring oneLine(chars, L'メ');
        std::wstring lines;
        while (lines.size() < chars) lines += std::wstring(38, L'x') + L"\r\n";
        lines.resize(chars);
        std::printf("%8zu %12.1f %12.1f %12.1f\n", chars, millisecondsFor(edit, oneLine, false),
                    millisecondsFor(edit, lines, false), millisecondsFor(edit, lines, true));
        std::fflush(stdout);
    }
    DestroyWindow(parent);
    return 0;
}
