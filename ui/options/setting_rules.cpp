#include "ui/options/setting_rules.h"

#include <algorithm>

#include "base/texts.h"
#include "monitor/row_format.h"
#include "settings/key_table.h"
#include "settings/settings_file.h"

namespace ui::options {
namespace {

using base::Text;
using settings::Settings;

constexpr int kScaleStepsPerMultiplier = settings::kSpeedStepsPerMultiplier;
constexpr int kLargestMultiplier = settings::kLargestSpeedMultiplier;

// Each slider in one row: the value it moves, how it steps and how its frame reads the value.
// A stored value's range is its key's, written once in the key table.
enum class ValueForm { Whole, Tenths, HundredMilliseconds, Speed, None };

struct SliderRow {
    Slider slider;
    int Settings::*stored;                 // the stored setting it moves, or
    int settings::LiveSettings::*running;  // a value the program keeps only while it runs
    int smallStep, largeStep, tickEvery;
    // The frame's text with the value at "{0}"; unused for ValueForm::None.
    Text caption;
    ValueForm form;
};

using L = settings::LiveSettings;

constexpr Text kNoCaption = Text::Count;

constexpr SliderRow kSliders[] = {
    {Slider::RefreshInterval, &Settings::refreshIntervalTenths, nullptr, 1, 5, 5,
     Text::SliderRefreshInterval, ValueForm::Tenths},
    {Slider::AutoCloseInterval, &Settings::autoCloseIntervalTenths, nullptr, 1, 5, 1,
     Text::SliderAutoCloseInterval, ValueForm::Tenths},
    {Slider::DriveRefresh, &Settings::driveRefreshSeconds, nullptr, 1, 8, 5,
     Text::SliderDriveRefresh, ValueForm::Whole},
    {Slider::StartupIpWait, &Settings::startupIpWaitSeconds, nullptr, 1, 5, 5,
     Text::SliderStartupIpWait, ValueForm::Whole},
    {Slider::FolderWatch, nullptr, &L::folderWatchTenths, 1, 5, 1, Text::SliderFolderWatch,
     ValueForm::HundredMilliseconds},
    {Slider::ReceiveScale, &Settings::receiveFullScale, nullptr, 1, 8, 10, Text::SliderReceiveScale,
     ValueForm::Speed},
    {Slider::SendScale, &Settings::sendFullScale, nullptr, 1, 8, 10, Text::SliderSendScale,
     ValueForm::Speed},
    {Slider::ReceiveMultiplier, nullptr, &L::inMultiplier, 1, 1, 1, kNoCaption, ValueForm::None},
    {Slider::SendMultiplier, nullptr, &L::outMultiplier, 1, 1, 1, kNoCaption, ValueForm::None},
    {Slider::ManualRelease, &Settings::manualReleaseMegabytes, nullptr, 1, 5, 1,
     Text::SliderManualRelease, ValueForm::Whole},
    {Slider::AutoRelease, &Settings::autoReleaseMegabytes, nullptr, 1, 10, 20,
     Text::SliderAutoRelease, ValueForm::Whole},
    {Slider::FreeThreshold, &Settings::freeMemoryThresholdMegabytes, nullptr, 1, 10, 20,
     Text::SliderFreeThreshold, ValueForm::Whole},
    {Slider::ReleaseInterval, &Settings::releaseIntervalMinutes, nullptr, 1, 10, 10,
     Text::SliderReleaseInterval, ValueForm::Whole},
    {Slider::IdleLoad, &Settings::idleLoadPercent, nullptr, 1, 10, 10, Text::SliderIdleLoad,
     ValueForm::Whole},
    {Slider::IdleSeconds, &Settings::idleSeconds, nullptr, 1, 10, 15, Text::SliderIdleSeconds,
     ValueForm::Whole},
};

// The range of the values the program keeps only while it runs.
constexpr int kFolderWatchMaxTenths = 20;

const SliderRow& rowOf(Slider slider) {
    for (const SliderRow& row : kSliders)
        if (row.slider == slider) return row;
    return kSliders[0];
}

int* sliderField(Slider slider, settings::LiveSettings& live) {
    const SliderRow& row = rowOf(slider);
    return row.stored ? &(live.settings.*row.stored) : &(live.*row.running);
}

// The full scale of a speed slider's steps, in the list's rate unit.
std::wstring speedText(int steps, int rateUnit) {
    return monitor::rateText(rateUnit == settings::kKilobitsPerSecond ? steps * 64 : steps * 8,
                             rateUnit);
}

bool isTaskbarReading(int Settings::*field) {
    return field == &Settings::taskbarShowsCpu || field == &Settings::taskbarShowsMemory ||
           field == &Settings::taskbarShowsReceive || field == &Settings::taskbarShowsSend;
}

}  // namespace

std::wstring tenthsText(int tenths) {
    std::wstring whole = std::to_wstring(tenths / 10);
    if (tenths < 0 && tenths > -10) whole = L"-0";
    int tenth = tenths % 10;
    return tenth == 0 ? whole : whole + L"." + std::to_wstring(tenth < 0 ? -tenth : tenth);
}

SliderRange sliderRange(Slider slider, const settings::LiveSettings& live) {
    const SliderRow& row = rowOf(slider);
    SliderRange range{0, 0, row.smallStep, row.largeStep, row.tickEvery};
    if (row.stored) {
        const settings::KeyDef& key = settings::keyOf(row.stored);
        range.min = key.min;
        range.max = key.max;
    }
    switch (slider) {
        // A speed reaches as far as its fast-line multiplier lets it.
        case Slider::ReceiveScale:
            range.max = live.inMultiplier * kScaleStepsPerMultiplier;
            break;
        case Slider::SendScale:
            range.max = live.outMultiplier * kScaleStepsPerMultiplier;
            break;
        case Slider::ReceiveMultiplier:
        case Slider::SendMultiplier:
            range.min = 1;
            range.max = kLargestMultiplier;
            break;
        case Slider::FolderWatch:
            range.max = kFolderWatchMaxTenths;
            break;
        default:
            break;
    }
    return range;
}

int sliderValue(Slider slider, const settings::LiveSettings& live) {
    return *sliderField(slider, const_cast<settings::LiveSettings&>(live));
}

void moveSlider(Slider slider, int value, settings::LiveSettings& live) {
    SliderRange range = sliderRange(slider, live);
    value = std::clamp(value, range.min, range.max);
    int* field = sliderField(slider, live);
    *field = value;
    live.notices.changed(field);
    Settings& s = live.settings;
    switch (slider) {
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
    const SliderRow& row = rowOf(slider);
    int value = sliderValue(slider, live);
    switch (row.form) {
        case ValueForm::Whole:
            return base::format(row.caption, {std::to_wstring(value)});
        case ValueForm::Tenths:
            return base::format(row.caption, {tenthsText(value)});
        case ValueForm::HundredMilliseconds:
            return base::format(row.caption, {std::to_wstring(value * 100)});
        case ValueForm::Speed:
            return base::format(row.caption, {speedText(value, live.settings.rateUnit)});
        case ValueForm::None:
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
        if (program.optionsWindowVisible()) program.setTopmost(index == settings::kAlwaysOnTop);
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
    live.inMultiplier = std::max(live.inMultiplier, settings::speedMultiplierFor(speeds.receive));
    live.outMultiplier = std::max(live.outMultiplier, settings::speedMultiplierFor(speeds.send));
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
