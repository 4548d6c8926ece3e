#pragma once
#include <optional>
#include <string>

#include "render/gradient.h"
#include "settings/live_settings.h"
#include "ui/options/colour_target.h"
#include "ui/options/running_program.h"

namespace ui::options {

// The drive page's list: which drives get a row on the main window and the colours of each row
// position. The rows are the live drive list, which the drive timer rebuilds from the system.
class DriveListEditor {
public:
    struct Targets {
        settings::LiveSettings& live;
        RunningProgram& program;  // the main window's size follows the ticks
        render::SystemColours systemColours;
    };
    explicit DriveListEditor(Targets targets);

    std::optional<size_t> selected() const { return selected_; }
    const render::Image& preview() const { return preview_; }

    // A row was selected: the gradient of its position into the preview and its strip; the
    // position is remembered for the colour swatch that sets a drive's start colour.
    void select(size_t row);
    // The rows changed: a selection beyond the last row is gone; one that is still there shows
    // its position's gradient.
    void rebuilt();
    // The user ticked or unticked a drive. The last ticked drive stays ticked; the check string
    // follows the rows and the main window is resized at the next tick. Returns the row's tick.
    bool setTicked(size_t row, bool ticked);
    // "自動で全てにチェック": checking it ticks every drive; unchecking leaves the ticks.
    void setTickAll(bool on);
    // A colour button for the selected row's position; a cancel changes nothing.
    bool pickColour(ColourTarget target, const ColourPicker& pick);

private:
    void showGradient();

    Targets t_;
    std::optional<size_t> selected_;
    render::Image preview_;
};

}  // namespace ui::options
