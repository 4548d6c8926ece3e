#pragma once
#include <optional>
#include <string>

#include "base/texts.h"
#include "render/gradient.h"
#include "settings/live_settings.h"
#include "ui/options/colour_target.h"
#include "ui/options/running_program.h"

namespace ui::options {

// The list editor of the display items: which items the main window shows, in which order and
// colours. Its rows are the live display rows the refresh cycle walks every tick, so each edit
// shows at the next tick.
class DisplayListEditor {
public:
    struct Targets {
        settings::LiveSettings& live;
        RunningProgram& program;  // the menus and the main window's size follow the ticks
        render::SystemColours systemColours;
    };
    explicit DisplayListEditor(Targets targets);

    std::optional<size_t> selected() const { return selected_; }
    // The selected item's bar, or blank for an item without one.
    const render::Image& preview() const { return preview_; }
    // Captions of the start and end colour buttons; the third always reads "単色".
    const render::GradientCaptions& captions() const { return captions_; }

    // A row was selected (by mouse or keyboard): its gradient into the preview and its strip.
    void select(size_t row);
    // "↑" and "↓": the selected row swaps with its neighbour, check mark and colours included,
    // and stays selected. False at the ends of the list.
    bool moveUp();
    bool moveDown();
    // The user ticked or unticked a row. The last shown item cannot be hidden; the IP-copy entry
    // follows item 104 and the main window is resized at the next tick. Returns the row's tick.
    bool setShown(size_t row, bool shown);
    // A colour button: for a meter item the dialog opens and the chosen colour goes into the
    // row; a cancel changes nothing. Other items open no dialog. Returns whether a colour changed.
    bool pickColour(ColourTarget target, const ColourPicker& pick);

private:
    bool move(int step);
    void showGradient();

    Targets t_;
    std::optional<size_t> selected_;
    render::Image preview_;
    render::GradientCaptions captions_{base::Text::DisplayStartColour,
                                       base::Text::DisplayEndColour};
};

}  // namespace ui::options
