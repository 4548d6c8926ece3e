#pragma once
#include <windows.h>

#include "ui/main_window.h"
#include "ui/options/running_program.h"
#include "ui/running/monitoring.h"
#include "ui/taskbar_window.h"

namespace ui {

// The running program as the options window's controls reach it: the windows and the refresh
// cycle's images.
class LiveProgram : public options::RunningProgram {
public:
    LiveProgram(Monitoring& monitoring, MainWindow& main, TaskbarWindow& taskbar)
        : monitoring_(monitoring), main_(main), taskbar_(taskbar) {}

    void attach(HWND options) { options_ = options; }

    void setTopmost(bool on) override;
    bool optionsWindowVisible() const override { return options_ && IsWindowVisible(options_); }
    void showTaskbarButton(bool shown) override { taskbar_.setVisible(shown); }
    void restartGraph() override { monitoring_.restartGraph(); }
    void requestResize() override { monitoring_.requestResize(); }
    void setGraphBackground(std::int32_t colour) override {
        monitoring_.setGraphBackground(colour);
    }
    void setMainBackground(std::int32_t colour) override;
    void repaintBars() override { monitoring_.repaintBars(); }
    std::int64_t trafficTotal(bool receive) const override {
        const monitor::Readings& r = monitoring_.readings();
        return receive ? r.in.total : r.out.total;
    }
    render::BarStrips& barStrips() override { return monitoring_.strips(); }

private:
    Monitoring& monitoring_;
    MainWindow& main_;
    TaskbarWindow& taskbar_;
    HWND options_ = nullptr;
};

}  // namespace ui
