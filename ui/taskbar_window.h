#pragma once
#include <string>

#include "ui/window_base.h"

namespace ui {

// A window outside the visible desktop whose only job is its taskbar button and caption.
class TaskbarWindow : public WindowBase {
public:
    bool create();
    void setVisible(bool visible);
    void setCaption(const std::wstring& caption);
};

}  // namespace ui
