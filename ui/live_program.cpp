#include "ui/live_program.h"

#include "render/gradient.h"
#include "ui/popup_menu.h"

namespace ui {

void LiveProgram::setTopmost(bool on) {
    ui::setTopmost(main_.hwnd(), on ? 1 : 0);
    if (options_) ui::setTopmost(options_, on ? 1 : 0);
}

void LiveProgram::setMainBackground(std::int32_t colour) {
    main_.setBackground(
        render::resolveColour(colour, [](int index) { return GetSysColor(index); }));
    monitoring_.setListBackground(colour);
}

}  // namespace ui
