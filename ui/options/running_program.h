#pragma once
#include <cstdint>
#include <functional>

#include "render/gradient.h"

namespace ui::options {

// The running program as the options window's controls act on it. The setting rules call it;
// the program implements it over its windows and timers, the tests over a fake.
class RunningProgram {
public:
    virtual ~RunningProgram() = default;
    // The main window and the options window enter or leave the topmost band.
    virtual void setTopmost(bool on) = 0;
    virtual bool optionsWindowVisible() const = 0;
    virtual void showTaskbarButton(bool shown) = 0;
    // The graph starts afresh (and the window takes the list's size at the next tick).
    virtual void restartGraph() = 0;
    // The window takes the list's size at the next tick.
    virtual void requestResize() = 0;
    virtual void setGraphBackground(std::int32_t colour) = 0;
    virtual void setMainBackground(std::int32_t colour) = 0;
    // The bars take their colours from the settings again.
    virtual void repaintBars() = 0;
    // The interface's running byte total as the last tick read it.
    virtual std::int64_t trafficTotal(bool receive) const = 0;
    // The bar strips the refresh cycle copies bars from; the colour choices paint them.
    virtual render::BarStrips& barStrips() = 0;
};

}  // namespace ui::options
