#pragma once
#include <cstddef>
#include <functional>
#include <vector>

namespace settings {

// What a change notice names: one setting, one of the lists, or a value of the running program
// that a page shows.
enum class Topic {
    Setting,       // one field of the live settings; the notice names it
    DisplayRows,   // the display list: order, ticks or colours
    DriveRows,     // the drive list's rows and ticks
    DriveColours,  // the drive colour table
    ProxyList,
    CloseList,         // rows, ticks, counts or order
    CloseCount,        // one row's count went up; the notice names the row's entry
    CurrentProxy,      // the proxy text the proxy box shows
    ClipboardText,     // the clipboard text as the refresh cycle read it
    MeasuredInterval,  // the refresh interval as measured ("500ms")
    FolderSizing,      // what the folder sizing last saw
    CapturedTitle,     // the browser title auto-close has ready for the close list
    MemoryRelease,     // a memory release began or ended
    StartWithWindows,  // whether Windows starts this exe at log-on, as the registry says
    ExportState,       // whether the readings are served, and where or why not
    Sources,           // the list of sources, or a source's settings, changed
    SourceStatus,      // a source's value or reason changed (`field`: none; ask the poller)
    TypingDone,        // a text box was left or Enter pressed: what it holds is meant
};

struct Change {
    Topic topic;
    // With Topic::Setting the changed field of the live model, with Topic::CloseCount the entry.
    const void* field = nullptr;

    bool names(const void* f) const { return topic == Topic::Setting && field == f; }
};

// Who listens to which change. Listeners are told in the order they subscribed; a listener may
// publish in turn. The listeners are not part of the model's value: a copy starts without them,
// and assigning a model keeps the listeners of the one assigned to.
class ChangeNotices {
public:
    using Listener = std::function<void(const Change&)>;

    ChangeNotices() = default;
    ChangeNotices(const ChangeNotices&) {}
    ChangeNotices& operator=(const ChangeNotices&) { return *this; }

    void subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }
    void publish(const Change& change) const {
        // By index: a listener may subscribe another while it is told.
        for (std::size_t i = 0; i < listeners_.size(); ++i) listeners_[i](change);
    }
    void publish(Topic topic) const { publish(Change{topic}); }
    void changed(const void* field) const { publish(Change{Topic::Setting, field}); }

private:
    std::vector<Listener> listeners_;
};

}  // namespace settings
