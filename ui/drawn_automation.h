#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

struct IRawElementProviderSimple;

namespace ui {

// What a drawn window tells a screen reader: the whole, and its parts in order.
class AutomationSource {
public:
    virtual ~AutomationSource() = default;
    virtual std::wstring name() const = 0;
    virtual std::wstring value() const = 0;  // empty for none
    virtual int partCount() const = 0;
    virtual std::wstring partName(int part) const = 0;
    virtual std::wstring partValue(int part) const = 0;
    virtual RECT partRect(int part) const = 0;  // in the client area
    virtual std::optional<int> focusedPart() const = 0;
};

// The UI Automation provider of a window that draws itself (the main list, the trend chart): a
// root element with an element per part, each with its name and value, asked for when a reader
// wants them. Screen readers read it directly or through Windows' bridge to Active
// Accessibility. The provider outlives nothing: the window's end disconnects it.
class DrawnAutomation {
public:
    enum class Kind { List, Chart };
    DrawnAutomation(HWND window, const AutomationSource& source, Kind kind);
    ~DrawnAutomation();
    DrawnAutomation(const DrawnAutomation&) = delete;
    DrawnAutomation& operator=(const DrawnAutomation&) = delete;

    // The answer to WM_GETOBJECT, none when it is not UI Automation's (or Windows has none).
    std::optional<LRESULT> answer(WPARAM wp, LPARAM lp);
    // The keyboard moved to another part (or to the whole): told to readers.
    void focusMoved();
    // The root element itself, for a test that asks it without the system in between.
    IRawElementProviderSimple* root();

    struct State;

private:
    std::shared_ptr<State> state_;
    IRawElementProviderSimple* root_ = nullptr;
};

}  // namespace ui
