#pragma once
#include <string>
#include <vector>

#include "platform/desktop_windows.h"

namespace features {

// Whether a title is a drive path as a folder window shows it: ":\" first at the second
// character ("C:\Windows", "C:\").
bool isDrivePathTitle(const std::wstring& title);

// What the sizing last saw, for the options window's five monitor fields.
struct FolderSizingFields {
    std::wstring title;    // the foreground window's title
    std::wstring found;    // "2" once a folder window was sized
    std::wstring handle;   // "カウント数 " and the number of sized windows
    std::wstring handles;  // every sized window's handle, a line each
    bool operator==(const FolderSizingFields&) const = default;
};

struct TargetSize {
    int width = 0, height = 0;
};

// Gives each folder window the chosen size the first time it comes to the foreground, at its
// own top-left corner; afterwards the user sizes it freely.
class FolderSizing {
public:
    // The most windows remembered. A full table sizes no new windows: one it could not
    // remember would be sized again on every tick.
    static constexpr size_t kCapacity = 65536;
    explicit FolderSizing(size_t capacity = kCapacity) : capacity_(capacity) {}

    // One tick. Returns whether a window was sized.
    bool tick(platform::DesktopWindows& windows, TargetSize target);

    const FolderSizingFields& fields() const { return fields_; }
    size_t sizedCount() const { return handled_.size(); }

private:
    bool handled(platform::WindowId window) const;
    void listHandles();

    size_t capacity_;
    std::vector<platform::WindowId> handled_;
    FolderSizingFields fields_;
};

}  // namespace features
