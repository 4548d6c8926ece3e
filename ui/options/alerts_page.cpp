#include <cwchar>

#include "base/texts.h"
#include "settings/key_table.h"
#include "ui/options/alerts_page_ids.h"
#include "ui/options/bound_page.h"
#include "ui/options/options_ids.h"
#include "ui/options/pages.h"

namespace ui::options {
namespace {

using S = settings::Settings;

constexpr Binding kBindings[] = {
    checkBox(IDC_ALERT_CPU_ON, &S::alertCpuOn),
    checkBox(IDC_ALERT_MEMORY_ON, &S::alertMemoryOn),
    checkBox(IDC_ALERT_DRIVE_ON, &S::alertDriveOn),
    checkBox(IDC_ALERT_TRAFFIC_ON, &S::alertTrafficOn),
    checkBox(IDC_TRAY_LOAD_ICON, &S::trayLoadIcon),
};

constexpr Hint kHints[] = {
    {IDC_ALERT_TEST, base::Text::HintAlertTest},
    {IDC_TRAY_LOAD_ICON, base::Text::HintTrayLoadIcon},
};

// The thresholds, typed as numbers, in the ranges their keys give the settings file.
struct NumberBox {
    int control;
    int S::*field;
};
constexpr NumberBox kNumbers[] = {
    {IDC_ALERT_CPU_PERCENT, &S::alertCpuPercent},
    {IDC_ALERT_CPU_SECONDS, &S::alertCpuSeconds},
    {IDC_ALERT_MEMORY_PERCENT, &S::alertMemoryPercent},
    {IDC_ALERT_DRIVE_PERCENT, &S::alertDrivePercent},
    {IDC_ALERT_TRAFFIC_MB, &S::alertTrafficMegabytes},
};

class AlertsPage : public BoundPage {
public:
    AlertsPage() : BoundPage(IDD_PAGE_ALERTS, kBindings, kHints) {}

    void load(PageContext& context) override {
        BoundPage::load(context);
        for (const NumberBox& box : kNumbers) showNumber(context, box);
    }

    void changed(PageContext& context, const settings::Change& change) override {
        BoundPage::changed(context, change);
        for (const NumberBox& box : kNumbers)
            if (change.names(&(context.live.settings.*box.field))) showNumber(context, box);
    }

    bool onCommand(PageContext& context, int id, int code) override {
        if (id == IDC_ALERT_TEST && code == BN_CLICKED) {
            if (context.showTestAlert) context.showTestAlert();
            return true;
        }
        for (const NumberBox& box : kNumbers) {
            if (id != box.control) continue;
            // Taken as it is typed when it is a number in range; brought into range when the
            // box is left.
            if (code == EN_CHANGE) take(context, box, false);
            if (code == EN_KILLFOCUS) take(context, box, true);
            return true;
        }
        return BoundPage::onCommand(context, id, code);
    }

private:
    void showNumber(PageContext& context, const NumberBox& box) {
        int value = context.live.settings.*box.field;
        if (static_cast<int>(GetDlgItemInt(hwnd(), box.control, nullptr, FALSE)) != value)
            SetDlgItemInt(hwnd(), box.control, static_cast<UINT>(value), FALSE);
    }

    void take(PageContext& context, const NumberBox& box, bool leaving) {
        wchar_t text[16] = {};
        GetDlgItemTextW(hwnd(), box.control, text, 16);
        wchar_t* end = nullptr;
        long long typed = std::wcstoll(text, &end, 10);
        bool number = end != text && *end == L'\0';
        if (!number && !leaving) return;
        long long value = number ? typed : context.live.settings.*box.field;
        const settings::KeyDef& key = settings::keyOf(box.field);
        if (value < key.min || value > key.max) {
            if (!leaving) return;
            value = value < key.min ? key.min : key.max;
        }
        int& field = context.live.settings.*box.field;
        if (field != value) {
            field = static_cast<int>(value);
            context.live.notices.changed(&field);
        }
        if (leaving) SetDlgItemInt(hwnd(), box.control, static_cast<UINT>(field), FALSE);
    }
};

}  // namespace

std::unique_ptr<Page> makeAlertsPage() { return std::make_unique<AlertsPage>(); }

}  // namespace ui::options
