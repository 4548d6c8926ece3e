#pragma once
#include <functional>
#include <map>
#include <optional>

#include "ui/options/running_program.h"

namespace fakes {

// Records what the options window's rules asked of the running program.
class FakeRunningProgram : public ui::options::RunningProgram {
public:
    std::optional<bool> topmost;
    bool optionsVisible = true;
    std::optional<bool> taskbarButton;
    int graphRestarts = 0;
    int resizeRequests = 0;
    int barRepaints = 0;
    std::optional<std::int32_t> graphBackground, mainBackground;
    std::int64_t receiveTotal = 0, sendTotal = 0;
    render::BarStrips strips;

    void setTopmost(bool on) override { topmost = on; }
    bool optionsWindowVisible() const override { return optionsVisible; }
    void showTaskbarButton(bool shown) override { taskbarButton = shown; }
    void restartGraph() override { ++graphRestarts; }
    void requestResize() override { ++resizeRequests; }
    void setGraphBackground(std::int32_t colour) override { graphBackground = colour; }
    void setMainBackground(std::int32_t colour) override { mainBackground = colour; }
    void repaintBars() override { ++barRepaints; }
    std::int64_t trafficTotal(bool receive) const override {
        return receive ? receiveTotal : sendTotal;
    }
    render::BarStrips& barStrips() override { return strips; }
};

}  // namespace fakes
