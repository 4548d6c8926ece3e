#include "ui/options/display_list_editor.h"

#include <algorithm>
#include <utility>

#include "render/rounding.h"

namespace ui::options {

namespace {
constexpr int kButtonFace = 15;  // system colour index
}  // namespace

DisplayListEditor::DisplayListEditor(Targets targets)
    : t_(std::move(targets)), preview_(render::kRowWidth, render::kRowHeight) {
    // An empty preview shows the window's face.
    if (t_.systemColours) preview_.setBackground(t_.systemColours(kButtonFace));
}

void DisplayListEditor::select(size_t row) {
    if (row >= t_.live.displayRows.size()) return;
    selected_ = row;
    showGradient();
}

void DisplayListEditor::showGradient() {
    const settings::DisplayRow& row = t_.live.displayRows[*selected_];
    captions_ = render::showItemGradient(settings::idOf(row.id), row.colour1, row.colour2, preview_,
                                         t_.program.barStrips(), t_.systemColours);
}

bool DisplayListEditor::moveUp() { return move(-1); }
bool DisplayListEditor::moveDown() { return move(1); }

bool DisplayListEditor::move(int step) {
    auto& rows = t_.live.displayRows;
    if (!selected_) return false;
    size_t from = *selected_;
    if ((step < 0 && from == 0) || (step > 0 && from + 1 >= rows.size())) return false;
    size_t to = step < 0 ? from - 1 : from + 1;
    std::swap(rows[from], rows[to]);
    selected_ = to;
    t_.live.notices.publish(settings::Topic::DisplayRows);
    return true;
}

bool DisplayListEditor::setShown(size_t row, bool shown) {
    auto& rows = t_.live.displayRows;
    if (row >= rows.size()) return false;
    rows[row].shown = shown;
    if (std::none_of(rows.begin(), rows.end(), [](const auto& r) { return r.shown; }))
        rows[row].shown = true;
    t_.live.notices.publish(settings::Topic::DisplayRows);
    t_.program.requestResize();
    return rows[row].shown;
}

bool DisplayListEditor::pickColour(ColourTarget target, const ColourPicker& pick) {
    if (!selected_) return false;
    settings::DisplayRow& row = t_.live.displayRows[*selected_];
    std::optional<std::int32_t> chosen;
    if (settings::isMeterItem(row.id)) {
        chosen = pick();
        if (!chosen) return false;
        setColours(target, *chosen, row.colour1, row.colour2);
        t_.live.notices.publish(settings::Topic::DisplayRows);
    }
    showGradient();
    return chosen.has_value();
}

}  // namespace ui::options
