#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "features/clipboard_link.h"
#include "features/folder_sizing.h"
#include "features/source_poller.h"
#include "features/status_bar.h"
#include "platform/system_info.h"
#include "settings/live_settings.h"
#include "ui/options/running_program.h"
#include "ui/options/window_commands.h"

namespace ui::options {

// What every page works with: the live settings it shows and writes, the running program its
// changes act on, the status bar and the dialogs the window owns.
struct PageContext {
    settings::LiveSettings& live;
    RunningProgram& program;
    features::StatusBar& status;
    // The colour dialog; nothing when the user cancels.
    std::function<std::optional<std::int32_t>(HWND owner, std::int32_t initial)> chooseColour;
    // The window's commands that pages offer as buttons.
    std::function<void()> showSizeWindow;
    std::function<void(Placement)> placeMainWindow;
    std::function<void()> resetMainWindowSize;
    std::function<void()> openHomePage;
    // What the refresh cycle last read: the measured interval ("500ms") and the clipboard text.
    std::function<std::wstring()> measuredInterval;
    std::function<std::wstring()> clipboardText;
    // The proxy server text the proxy box shows: the browser's at start-up, then the last one
    // chosen from the proxy menu.
    std::function<std::wstring()> currentProxy;
    // The desktop tools: a release by hand and what the folder sizing last saw.
    std::function<void()> releaseMemory;
    std::function<features::FolderSizingFields()> folderFields;
    // The clipboard link whose settings, commands and state a page shows.
    features::ClipboardLink* clipboardLink = nullptr;
    // The system as the version page shows it.
    int platformFamily = platform::kPlatformNT;
    platform::SystemVersion systemVersion;
    // Whether a memory release runs: "開放実行" waits for its end.
    std::function<bool()> releaseRunning;
    // Whether Windows starts this exe at log-on, and the change of it (true when it took).
    std::function<bool()> startsWithWindows;
    std::function<bool(bool on)> setStartWithWindows;
    // "テスト通知": one notice from the tray icon at once.
    std::function<void()> showTestAlert;
    // Whether the readings are served, and where or why not.
    std::function<std::wstring()> exportState;
    // The readings taken from other programs: their live status, and the fetcher that lists
    // what a source offers.
    features::SourcePoller* sources = nullptr;
    platform::PageFetcher* fetcher = nullptr;
};

// One page of the options window: a child dialog made from its template, hosted by a tab
// control. A page only moves values between its controls and the live settings and calls the
// setting rules; it is created once and lives as long as the window.
class Page {
public:
    virtual ~Page() = default;
    Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    virtual int templateId() const = 0;
    // After the template's controls exist: ranges, list entries, tips, nested pages.
    virtual void create(PageContext&) {}
    // The model's values into the controls.
    virtual void load(PageContext&) {}
    // The model announced a change: the page shows it in the controls that show that value and
    // leaves every other control (its selection, caret and scroll position) as it is.
    virtual void changed(PageContext&, const settings::Change&) {}
    // A control's notification; true when the page handled it.
    virtual bool onCommand(PageContext&, int /*id*/, int /*code*/) { return false; }
    virtual bool onScroll(PageContext&, int /*id*/) { return false; }
    virtual bool onNotify(PageContext&, NMHDR&, LRESULT& /*result*/) { return false; }
    // Any other message (owner-drawn buttons); true when handled.
    virtual bool onMessage(PageContext&, UINT, WPARAM, LPARAM, INT_PTR& /*result*/) {
        return false;
    }

    // Creates the child dialog in `parent`, placed at its template's position plus `origin`.
    bool createIn(HWND parent, POINT origin, PageContext& context);
    HWND hwnd() const { return hwnd_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    PageContext* context_ = nullptr;
};

using PageFactory = std::unique_ptr<Page> (*)();

// A page with no controls of its own: a tab whose content comes with a later change.
std::unique_ptr<Page> makeEmptyPage();

}  // namespace ui::options
