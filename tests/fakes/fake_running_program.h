#pragma once
#include <map>

#include "ui/options/running_program.h"

namespace fakes {

// The running program as the options window's rules see it: what they asked of it.
class FakeRunningProgram : public ui::options::RunningProgram {
public:
    std::map<ui::options::ProgramTimer, unsigned> intervals;
    bool topmost = false;
    bool visible = true;
    bool taskbarButton = false;
    int menuUpdates = 0;
    int graphRestarts = 0;
    int resizeRequests = 0;
    std::int32_t graphBackground = 0;
    std::int32_t mainBackground = 0;
    render::BarStrips strips;
    std::function<void()> driveListListener;

    void setTimerInterval(ui::options::ProgramTimer timer, unsigned ms) override {
        intervals[timer] = ms;
    }
    void setTopmost(bool on) override { topmost = on; }
    bool optionsWindowVisible() const override { return visible; }
    void showTaskbarButton(bool shown) override { taskbarButton = shown; }
    void updateMenus() override { ++menuUpdates; }
    void restartGraph() override { ++graphRestarts; }
    void requestResize() override { ++resizeRequests; }
    void setGraphBackground(std::int32_t colour) override { graphBackground = colour; }
    void setMainBackground(std::int32_t colour) override { mainBackground = colour; }
    render::BarStrips& barStrips() override { return strips; }
    void watchDriveList(std::function<void()> listener) override {
        driveListListener = std::move(listener);
    }
};

}  // namespace fakes
