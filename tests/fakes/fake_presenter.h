#pragma once
#include <optional>
#include <vector>

#include "monitor/refresh_cycle.h"

namespace fakes {

class FakePresenter : public monitor::Presenter {
public:
    int presents = 0;
    int lastY = -1;
    std::optional<render::MainWindowSize> lastSize;
    std::vector<std::wstring> captions;
    void present(const render::Image&, int y, const std::optional<render::MainWindowSize>& size,
                 int) override {
        ++presents;
        lastY = y;
        lastSize = size;
    }
    void setTaskbarCaption(const std::wstring& caption) override { captions.push_back(caption); }
};

}  // namespace fakes
