#include "ui/options/drive_list_editor.h"

#include <utility>

#include "render/rounding.h"
#include "settings/drive_ticks.h"

namespace ui::options {

namespace {
constexpr int kButtonFace = 15;  // system colour index
}  // namespace

DriveListEditor::DriveListEditor(Targets targets)
    : t_(std::move(targets)), preview_(render::kRowWidth, render::kRowHeight) {
    // An empty preview shows the window's face.
    if (t_.systemColours) preview_.setBackground(t_.systemColours(kButtonFace));
}

void DriveListEditor::select(size_t row) {
    if (row >= t_.live.drives.size() || row >= settings::kDriveSlots) return;
    selected_ = row;
    t_.live.lastSelectedDriveRow = static_cast<int>(row) + 1;
    showGradient();
}

void DriveListEditor::rebuilt() {
    if (!selected_) return;
    if (*selected_ >= t_.live.drives.size())
        selected_.reset();
    else
        showGradient();
}

void DriveListEditor::showGradient() {
    const settings::DriveColourTable& colours = t_.live.driveColours;
    render::showDriveGradient(static_cast<int>(*selected_) + 1, colours.start[*selected_],
                              colours.end[*selected_], preview_, t_.program.barStrips(),
                              t_.systemColours);
}

bool DriveListEditor::setTicked(size_t row, bool ticked) {
    bool result =
        settings::applyDriveTick(t_.live.drives, row, ticked, t_.live.settings.driveMarks);
    t_.live.notices.changed(&t_.live.settings.driveMarks);
    t_.program.requestResize();
    return result;
}

void DriveListEditor::setTickAll(bool on) {
    t_.live.settings.tickAllDrives = on ? 1 : 0;
    t_.live.notices.changed(&t_.live.settings.tickAllDrives);
    if (on) {
        settings::tickEveryDrive(t_.live.drives, t_.live.settings.driveMarks);
        t_.live.notices.changed(&t_.live.settings.driveMarks);
    }
}

bool DriveListEditor::pickColour(ColourTarget target, const ColourPicker& pick) {
    if (!selected_) return false;
    std::optional<std::int32_t> chosen = pick();
    if (!chosen) return false;
    settings::DriveColourTable& colours = t_.live.driveColours;
    setColours(target, *chosen, colours.start[*selected_], colours.end[*selected_]);
    showGradient();
    t_.live.notices.publish(settings::Topic::DriveColours);
    return true;
}

}  // namespace ui::options
