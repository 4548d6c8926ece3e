#pragma once
#include <span>
#include <vector>

#include "base/texts.h"
#include "ui/options/page.h"
#include "ui/options/setting_rules.h"

namespace ui::options {

// How one control of a page shows one setting.
struct Binding {
    enum Kind { Check, Option, Slide, Combo, Colour, Text } kind;
    int control;
    int settings::Settings::*field = nullptr;  // check box, option group, combo box
    int value = 0;                             // an option button's index, a colour's index
    Slider slider = Slider::RefreshInterval;
    int caption = 0;                      // the frame or label that shows a slider's value
    const base::Text* entries = nullptr;  // a combo box's fixed entries, ended by Text::Count
    std::wstring settings::Settings::*text = nullptr;  // a text box
};

constexpr Binding checkBox(int control, int settings::Settings::*field) {
    return {Binding::Check, control, field};
}
constexpr Binding optionButton(int control, int settings::Settings::*field, int index) {
    return {Binding::Option, control, field, index};
}
constexpr Binding slider(int control, Slider which, int caption = 0) {
    return {Binding::Slide, control, nullptr, 0, which, caption};
}
constexpr Binding comboBox(int control, int settings::Settings::*field, const base::Text* entries) {
    return {Binding::Combo, control, field, 0, Slider::RefreshInterval, 0, entries};
}
constexpr Binding textBox(int control, std::wstring settings::Settings::*text) {
    return {Binding::Text, control, nullptr, 0, Slider::RefreshInterval, 0, nullptr, text};
}
constexpr Binding colourButton(int control, int colourIndex) {
    return {Binding::Colour, control, nullptr, colourIndex};
}

// A pop-up hint of a control.
struct Hint {
    int control;
    base::Text text;
};

// A page whose controls are bound to settings: it loads them from the model, writes every
// change through the setting rules, and shows each announced change in the controls that show
// it (a change can show elsewhere: captions, maxima, locked check boxes).
class BoundPage : public Page {
public:
    BoundPage(int templateId, std::span<const Binding> bindings, std::span<const Hint> hints = {})
        : templateId_(templateId), bindings_(bindings), hints_(hints) {}

    int templateId() const override { return templateId_; }
    void create(PageContext& context) override;
    void load(PageContext& context) override;
    void changed(PageContext& context, const settings::Change& change) override;
    bool onCommand(PageContext& context, int id, int code) override;
    bool onScroll(PageContext& context, int id) override;
    bool onMessage(PageContext& context, UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

protected:
    void setText(int control, const std::wstring& text);

private:
    const Binding* find(int control) const;
    void show(PageContext& context, const Binding& b);
    void drawColourButton(PageContext& context, const DRAWITEMSTRUCT& item);
    // The texts this page makes itself, in the current language.
    void fillCombo(const Binding& b);
    // Each hint to the tooltip control in the current language: TTM_ADDTOOLW or
    // TTM_UPDATETIPTEXTW.
    void sendHints(UINT message);

    int templateId_;
    std::span<const Binding> bindings_;
    std::span<const Hint> hints_;
    HWND tips_ = nullptr;
    bool loading_ = false;  // a text set by load() is no edit of the user's
};

}  // namespace ui::options
