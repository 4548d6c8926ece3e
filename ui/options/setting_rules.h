#pragma once
#include <cstdint>
#include <string>

#include "settings/live_settings.h"
#include "ui/options/running_program.h"

namespace ui::options {

// The sliders of the options window.
enum class Slider {
    RefreshInterval,    // tenths of a second
    AutoCloseInterval,  // tenths of a second
    DriveRefresh,       // seconds
    StartupIpWait,      // seconds
    FolderWatch,        // tenths of a second; 0 stops the folder sizing
    ReceiveScale,       // steps of 8 Kbyte/s
    SendScale,
    ReceiveMultiplier,  // fast-line multiplier of the receive scale
    SendMultiplier,
    // memory release
    ManualRelease,    // MB
    AutoRelease,      // MB
    FreeThreshold,    // MB
    ReleaseInterval,  // minutes
    IdleLoad,         // percent
    IdleSeconds,      // seconds
};

struct SliderRange {
    int min = 0, max = 0;
    int smallStep = 1;  // arrow keys
    int largeStep = 1;  // a click beside the thumb
    int tickEvery = 1;
};

SliderRange sliderRange(Slider slider, const settings::LiveSettings& live);
int sliderValue(Slider slider, const settings::LiveSettings& live);
// A slider moved: the value (held to its range) is stored and announced; the running parts
// that use it follow at once.
void moveSlider(Slider slider, int value, settings::LiveSettings& live);
// The caption of the frame or label that shows a slider's value; empty for the multipliers.
std::wstring sliderCaption(Slider slider, const settings::LiveSettings& live);

// Whether a change shows on a slider: its own value, or what sets its range or its caption.
bool sliderShows(Slider slider, const settings::Change& change, const settings::LiveSettings& live);

// A tenth-of-a-second value in its shortest decimal form: 5 "0.5", 10 "1", 15 "1.5".
std::wstring tenthsText(int tenths);

// A check box: ticking or unticking stores it and acts on the program at once.
void setCheck(int settings::Settings::*field, bool checked, settings::LiveSettings& live,
              RunningProgram& program);
// Whether a check box can be changed (the taskbar readings need the taskbar button).
bool checkEnabled(int settings::Settings::*field, const settings::LiveSettings& live);
// Whether a change shows on a check box: its own value, or what locks it.
bool checkShows(int settings::Settings::*field, const settings::Change& change,
                const settings::LiveSettings& live);

// An option button of a group chosen: its index is stored and acts on the program at once.
void choose(int settings::Settings::*field, int index, settings::LiveSettings& live,
            RunningProgram& program);

// The line-speed presets: both speed sliders at once. A preset beyond a slider's maximum
// raises that slider's multiplier as far as needed.
constexpr int kLinePresets = 4;
void applyLinePreset(int preset, settings::LiveSettings& live);

// A colour chosen for one of the colour buttons.
void pickColour(int colourIndex, std::int32_t colour, settings::LiveSettings& live,
                RunningProgram& program);

// The running byte totals: "リセット" counts again from 0, "総量" shows the whole count.
void resetTotal(bool receive, settings::LiveSettings& live, const RunningProgram& program);
void wholeTotal(bool receive, settings::LiveSettings& live);

}  // namespace ui::options
