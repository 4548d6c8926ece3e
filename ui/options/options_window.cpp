#include "ui/options/options_window.h"

#include <commctrl.h>

#include "platform/win32/dpi_win32.h"
#include "ui/options/options_ids.h"
#include "ui/options/page_table.h"
#include "ui/popup_menu.h"

namespace ui::options {

bool OptionsWindow::create(HWND owner, int left, int top) {
    hwnd_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS), owner,
                               procedure, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return false;
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    statusBar_ =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(IDC_STATUS), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(statusBar_, SB_SIMPLE, TRUE, 0);
    layoutStatusBar();

    std::vector<TabHost::Tab> tabs(kTabCount);
    for (int i = 0; i < kTabCount; ++i) tabs[i].caption = kTabCaptions[i];
    for (const PageRow& row : pageTable()) tabs[row.tab].pages.push_back(row.make());
    // The window takes its texts first; a page made later (its tab first chosen) takes its own
    // and catches up with the readings the window shows.
    texts_.take(hwnd_);
    tabs_.create(hwnd_, GetDlgItem(hwnd_, IDC_OPTIONS_TABS), std::move(tabs), context_,
                 [this](HWND page) {
                     texts_.take(page);
                     if (visible()) catchUp();
                 });
    context_.live.notices.subscribe([this](const settings::Change& c) { changed(c); });
    return true;
}

namespace {

// What the running program reads over and over: shown while the window is seen, and caught up
// when it opens.
constexpr settings::Topic kReadings[] = {
    settings::Topic::ClipboardText, settings::Topic::MeasuredInterval,
    settings::Topic::FolderSizing, settings::Topic::StartWithWindows};

bool isReading(settings::Topic topic) {
    for (settings::Topic reading : kReadings)
        if (topic == reading) return true;
    return false;
}

}  // namespace

void OptionsWindow::changed(const settings::Change& change) {
    // The templates' texts first: a page then sets the texts it makes itself over them.
    if (change.names(&context_.live.settings.language)) texts_.apply();
    if (visible() || !isReading(change.topic)) tabs_.changed(context_, change);
}

void OptionsWindow::catchUp() {
    for (settings::Topic reading : kReadings) tabs_.changed(context_, settings::Change{reading});
}

void OptionsWindow::open() {
    context_.status.show(L"");
    catchUp();
    win32::fitWithinWorkArea(hwnd_, false);
    showInFront(hwnd_, context_.live.settings.topmostChoice == settings::kAlwaysOnTop);
}

void OptionsWindow::close() {
    ShowWindow(hwnd_, SW_HIDE);
    // The refresh takes its interval once more, counting from now.
    context_.live.notices.changed(&context_.live.settings.refreshIntervalTenths);
}

void OptionsWindow::showStatus(const std::wstring& text) {
    if (statusBar_)
        SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void OptionsWindow::layoutStatusBar() {
    if (statusBar_) SendMessageW(statusBar_, WM_SIZE, 0, 0);
}

INT_PTR CALLBACK OptionsWindow::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return FALSE;
    }
    auto* self = reinterpret_cast<OptionsWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->handle(msg, wp, lp) : FALSE;
}

INT_PTR OptionsWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            close();
            return TRUE;
        case WM_SIZE:
            layoutStatusBar();
            return FALSE;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            if (win32::isWorkAreaChange(msg, wp) && visible())
                win32::fitWithinWorkArea(hwnd_, false);
            return FALSE;
        case WM_NOTIFY:
            return tabs_.onNotify(*reinterpret_cast<NMHDR*>(lp));
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_CLOSE:
                case IDCANCEL:
                    close();
                    return TRUE;
                case IDC_SAVE:
                    if (onSave) onSave();
                    return TRUE;
                case IDOK:  // Enter in a text box: what it holds is meant
                    context_.live.notices.publish(settings::Topic::TypingDone);
                    return TRUE;
                case IDC_RESET_POSITION:
                    if (context_.placeMainWindow) context_.placeMainWindow(Placement::Reset);
                    return TRUE;
                case IDC_RESET_SIZE:
                    if (context_.resetMainWindowSize) context_.resetMainWindowSize();
                    return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace ui::options
