#include "ui/options/setting_rules.h"

#include <algorithm>

namespace ui::options {
namespace {

using settings::Settings;

constexpr int kScaleStepsPerMultiplier = 160;
constexpr int kLargestMultiplier = 10;

int* sliderField(Slider slider, settings::LiveSettings& live) {
    Settings& s = live.settings;
    switch (slider) {
        case Slider::RefreshInterval:
            return &s.refreshIntervalTenths;
        case Slider::AutoCloseInterval:
            return &s.autoCloseIntervalTenths;
        case Slider::DriveRefresh:
            return &s.driveRefreshSeconds;
        case Slider::StartupIpWait:
            return &s.startupIpWaitSeconds;
        case Slider::FolderWatch:
            return &live.folderWatchTenths;
        case Slider::ReceiveScale:
            return &s.receiveFullScale;
        case Slider::SendScale:
            return &s.sendFullScale;
        case Slider::ReceiveMultiplier:
            return &live.inMultiplier;
        case Slider::SendMultiplier:
            return &live.outMultiplier;
        case Slider::ManualRelease:
            return &s.manualReleaseMegabytes;
        case Slider::AutoRelease:
            return &s.autoReleaseMegabytes;
        case Slider::FreeThreshold:
            return &s.freeMemoryThresholdMegabytes;
        case Slider::ReleaseInterval:
            return &s.releaseIntervalMinutes;
        case Slider::IdleLoad:
            return &s.idleLoadPercent;
        case Slider::IdleSeconds:
            return &s.idleSeconds;
    }
    return &s.refreshIntervalTenths;
}

std::wstring speedCaption(const wchar_t* label, int steps, int rateUnit) {
    return label + (rateUnit == 1 ? std::to_wstring(steps * 64) + L"Kbit/秒"
                                  : std::to_wstring(steps * 8) + L"Kbyte/秒");
}

bool isTaskbarReading(int Settings::*field) {
    return field == &Settings::taskbarShowsCpu || field == &Settings::taskbarShowsMemory ||
           field == &Settings::taskbarShowsReceive || field == &Settings::taskbarShowsSend;
}

// The smallest multiplier whose scale holds `steps`.
int multiplierFor(int steps) {
    return std::clamp((steps + kScaleStepsPerMultiplier - 1) / kScaleStepsPerMultiplier, 1,
                      kLargestMultiplier);
}

}  // namespace

std::wstring tenthsText(int tenths) {
    std::wstring whole = std::to_wstring(tenths / 10);
    if (tenths < 0 && tenths > -10) whole = L"-0";
    int tenth = tenths % 10;
    return tenth == 0 ? whole : whole + L"." + std::to_wstring(tenth < 0 ? -tenth : tenth);
}

SliderRange sliderRange(Slider slider, const settings::LiveSettings& live) {
    switch (slider) {
        case Slider::RefreshInterval:
            return {1, 100, 1, 5, 5};
        case Slider::AutoCloseInterval:
            return {1, 20, 1, 5, 1};
        case Slider::DriveRefresh:
            return {1, 60, 1, 8, 5};
        case Slider::StartupIpWait:
            return {0, 60, 1, 5, 5};
        case Slider::FolderWatch:
            return {0, 20, 1, 5, 1};
        case Slider::ReceiveScale:
            return {1, live.inMultiplier * kScaleStepsPerMultiplier, 1, 8, 10};
        case Slider::SendScale:
            return {1, live.outMultiplier * kScaleStepsPerMultiplier, 1, 8, 10};
        case Slider::ReceiveMultiplier:
        case Slider::SendMultiplier:
            return {1, kLargestMultiplier, 1, 1, 1};
        case Slider::ManualRelease:
            return {0, 1000, 1, 5, 1};
        case Slider::AutoRelease:
        case Slider::FreeThreshold:
            return {0, 1000, 1, 10, 20};
        case Slider::ReleaseInterval:
            return {1, 120, 1, 10, 10};
        case Slider::IdleLoad:
            return {0, 100, 1, 10, 10};
        case Slider::IdleSeconds:
            return {0, 240, 1, 10, 15};
    }
    return {};
}

int sliderValue(Slider slider, const settings::LiveSettings& live) {
    return *sliderField(slider, const_cast<settings::LiveSettings&>(live));
}

void moveSlider(Slider slider, int value, settings::LiveSettings& live, RunningProgram& program) {
    SliderRange range = sliderRange(slider, live);
    value = std::clamp(value, range.min, range.max);
    int* field = sliderField(slider, live);
    *field = value;
    live.notices.changed(field);
    Settings& s = live.settings;
    switch (slider) {
        case Slider::RefreshInterval:
            program.setTimerInterval(ProgramTimer::Refresh, static_cast<unsigned>(value) * 100);
            break;
        case Slider::AutoCloseInterval:
            program.setTimerInterval(ProgramTimer::AutoClose, static_cast<unsigned>(value) * 100);
            break;
        case Slider::DriveRefresh:
            program.setTimerInterval(ProgramTimer::DriveList, static_cast<unsigned>(value) * 1000);
            break;
        case Slider::FolderWatch:
            program.setTimerInterval(ProgramTimer::FolderSizing,
                                     static_cast<unsigned>(value) * 100);
            break;
        // A lower multiplier lowers the scale's maximum; the speed follows it down.
        case Slider::ReceiveMultiplier:
            s.receiveFullScale = std::min(s.receiveFullScale, value * kScaleStepsPerMultiplier);
            live.notices.changed(&s.receiveFullScale);
            break;
        case Slider::SendMultiplier:
            s.sendFullScale = std::min(s.sendFullScale, value * kScaleStepsPerMultiplier);
            live.notices.changed(&s.sendFullScale);
            break;
        default:
            break;
    }
}

bool sliderShows(Slider slider, const settings::Change& change,
                 const settings::LiveSettings& live) {
    const Settings& s = live.settings;
    if (change.names(sliderField(slider, const_cast<settings::LiveSettings&>(live)))) return true;
    switch (slider) {
        case Slider::ReceiveScale:
            return change.names(&live.inMultiplier) || change.names(&s.rateUnit);
        case Slider::SendScale:
            return change.names(&live.outMultiplier) || change.names(&s.rateUnit);
        default:
            return false;
    }
}

std::wstring sliderCaption(Slider slider, const settings::LiveSettings& live) {
    const Settings& s = live.settings;
    switch (slider) {
        case Slider::RefreshInterval:
            return L"メインウインドウの更新間隔  " + tenthsText(s.refreshIntervalTenths) + L"秒";
        case Slider::AutoCloseInterval:
            return L"自動クローズ監視間隔  " + tenthsText(s.autoCloseIntervalTenths) + L"秒";
        case Slider::DriveRefresh:
            return L"HDD内容更新間隔  " + std::to_wstring(s.driveRefreshSeconds) + L"秒";
        case Slider::StartupIpWait:
            return L"起動時にIPアドレス取得を" + std::to_wstring(s.startupIpWaitSeconds) +
                   L"秒待つ";
        case Slider::FolderWatch:
            return L"監視速度\u3000" + std::to_wstring(live.folderWatchTenths * 100) + L"ms秒";
        case Slider::ReceiveScale:
            return speedCaption(L"受信速度設定  ", s.receiveFullScale, s.rateUnit);
        case Slider::SendScale:
            return speedCaption(L"送信速度設定  ", s.sendFullScale, s.rateUnit);
        case Slider::ManualRelease:
            return L"開放量  " + std::to_wstring(s.manualReleaseMegabytes) + L"MB";
        case Slider::AutoRelease:
            return std::to_wstring(s.autoReleaseMegabytes) + L"MB";
        case Slider::FreeThreshold:
            return std::to_wstring(s.freeMemoryThresholdMegabytes) + L"MB以下の時";
        case Slider::ReleaseInterval:
            return std::to_wstring(s.releaseIntervalMinutes) + L"分以上";
        case Slider::IdleLoad:
            return std::to_wstring(s.idleLoadPercent) + L"％以下が";
        case Slider::IdleSeconds:
            return std::to_wstring(s.idleSeconds) + L"秒以上続いている時";
        case Slider::ReceiveMultiplier:
        case Slider::SendMultiplier:
            break;
    }
    return L"";
}

void setCheck(int Settings::*field, bool checked, settings::LiveSettings& live,
              RunningProgram& program) {
    Settings& s = live.settings;
    if (!checkEnabled(field, live)) return;
    s.*field = checked ? 1 : 0;
    live.notices.changed(&(s.*field));
    if (field == &Settings::taskbarButtonOn) {
        // The caption's readings go with the button; ticking it again does not bring them back.
        if (!checked) {
            for (int* reading : {&s.taskbarShowsCpu, &s.taskbarShowsMemory, &s.taskbarShowsReceive,
                                 &s.taskbarShowsSend}) {
                *reading = 0;
                live.notices.changed(reading);
            }
        }
        program.showTaskbarButton(checked);
    }
}

bool checkEnabled(int Settings::*field, const settings::LiveSettings& live) {
    return !isTaskbarReading(field) || live.settings.taskbarButtonOn == 1;
}

bool checkShows(int Settings::*field, const settings::Change& change,
                const settings::LiveSettings& live) {
    return change.names(&(live.settings.*field)) ||
           (change.names(&live.settings.taskbarButtonOn) && isTaskbarReading(field));
}

void choose(int Settings::*field, int index, settings::LiveSettings& live,
            RunningProgram& program) {
    Settings& s = live.settings;
    s.*field = index;
    live.notices.changed(&(s.*field));
    if (field == &Settings::topmostChoice) {
        // Start-up places the main window itself; here only a choice the user makes counts.
        if (program.optionsWindowVisible()) program.setTopmost(index == 0);
    } else if (field == &Settings::graphSource) {
        program.restartGraph();
    } else if (field == &Settings::drawMode) {
        program.requestResize();
    }
}

void applyLinePreset(int preset, settings::LiveSettings& live) {
    struct Speeds {
        int receive, send;
    };
    static constexpr Speeds kPresets[kLinePresets] = {{1, 1}, {24, 8}, {128, 16}, {192, 16}};
    if (preset < 0 || preset >= kLinePresets) return;
    Settings& s = live.settings;
    Speeds speeds = kPresets[preset];
    live.inMultiplier = std::max(live.inMultiplier, multiplierFor(speeds.receive));
    live.outMultiplier = std::max(live.outMultiplier, multiplierFor(speeds.send));
    s.receiveFullScale = speeds.receive;
    s.sendFullScale = speeds.send;
    for (const void* field : {static_cast<const void*>(&live.inMultiplier),
                              static_cast<const void*>(&live.outMultiplier),
                              static_cast<const void*>(&s.receiveFullScale),
                              static_cast<const void*>(&s.sendFullScale)})
        live.notices.changed(field);
}

void pickColour(int colourIndex, std::int32_t colour, settings::LiveSettings& live,
                RunningProgram& program) {
    if (colourIndex < 0 || colourIndex >= static_cast<int>(live.settings.colours.size())) return;
    live.settings.colours[colourIndex] = colour;
    live.notices.changed(&live.settings.colours[colourIndex]);
    switch (colourIndex) {
        case settings::kBackgroundColour:
            program.setMainBackground(colour);
            break;
        case settings::kGraphBackColour:
            program.setGraphBackground(colour);
            break;
        case settings::kDriveStartPickColour:
            if (live.lastSelectedDriveRow >= 1 &&
                live.lastSelectedDriveRow <= static_cast<int>(settings::kDriveSlots)) {
                live.driveColours.start[live.lastSelectedDriveRow - 1] = colour;
                live.notices.publish(settings::Topic::DriveColours);
                program.repaintBars();
            }
            break;
    }
}

void resetTotal(bool receive, settings::LiveSettings& live, const RunningProgram& program) {
    (receive ? live.receiveTotalBase : live.sendTotalBase) = program.trafficTotal(receive);
}

void wholeTotal(bool receive, settings::LiveSettings& live) {
    (receive ? live.receiveTotalBase : live.sendTotalBase) = 0;
}

}  // namespace ui::options
