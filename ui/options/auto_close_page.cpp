#include "base/texts.h"
#include "ui/options/auto_close_page_ids.h"
#include "ui/options/bound_page.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

constexpr Binding kBindings[] = {
    checkBox(IDC_AUTO_CLOSE_ON, &settings::Settings::autoCloseOn),
    slider(IDC_AUTO_CLOSE_SLIDER, Slider::AutoCloseInterval, IDC_AUTO_CLOSE_FRAME),
};

constexpr Hint kHints[] = {{IDC_AUTO_CLOSE_SLIDER, base::Text::HintAutoCloseInterval}};

}  // namespace

std::unique_ptr<Page> makeAutoClosePage() {
    return std::make_unique<BoundPage>(IDD_PAGE_AUTO_CLOSE, kBindings, kHints);
}

}  // namespace ui::options
