#pragma once
#include <map>
#include <string>
#include <vector>

#include "base/text_search.h"
#include "platform/desktop_windows.h"

namespace fakes {

// Top-level windows by id (front to back), with their titles and rectangles; closing removes a
// window. `visits` counts the windows handed out, the cost of a search over the desktop.
class FakeDesktopWindows : public platform::DesktopWindows {
public:
    struct Window {
        std::wstring title;
        platform::WindowRect rect;
    };
    std::map<platform::WindowId, Window> windows;
    platform::WindowId front = 0;
    size_t visits = 0;
    std::vector<platform::WindowId> closed;
    struct Move {
        platform::WindowId window;
        int left, top, width, height;
    };
    std::vector<Move> moves;

    platform::WindowId open(platform::WindowId id, const std::wstring& title,
                            platform::WindowRect rect = {10, 20, 110, 220}) {
        windows[id] = {title, rect};
        return id;
    }
    platform::WindowId foreground() override { return front; }
    std::wstring title(platform::WindowId id) override {
        auto it = windows.find(id);
        return it == windows.end() ? std::wstring() : it->second.title;
    }
    std::vector<TitledWindow> topWindows() override {
        std::vector<TitledWindow> all;
        for (const auto& [id, w] : windows) all.push_back({id, w.title});
        visits += all.size();
        return all;
    }
    std::wstring titleKey(const std::wstring& title) override { return base::foldedCase(title); }
    void close(platform::WindowId id) override {
        closed.push_back(id);
        windows.erase(id);
    }
    std::optional<platform::WindowRect> rect(platform::WindowId id) override {
        auto it = windows.find(id);
        if (it == windows.end()) return std::nullopt;
        return it->second.rect;
    }
    void move(platform::WindowId id, int left, int top, int width, int height) override {
        moves.push_back({id, left, top, width, height});
        auto it = windows.find(id);
        if (it != windows.end()) it->second.rect = {left, top, left + width, top + height};
    }
};

}  // namespace fakes
