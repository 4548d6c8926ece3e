#pragma once
#include <optional>
#include <string>

#include "base/image.h"
#include "features/busiest_processes.h"
#include "monitor/readings.h"

namespace ui {

// The tray icon that shows the load: two vertical bars, the processor's on the left and the
// memory's on the right, inside a one-pixel frame of an icon `side` pixels square.
struct LoadBars {
    int cpu = 0, memory = 0;  // filled pixels from the bottom
    bool operator==(const LoadBars&) const = default;
};

LoadBars loadBarsFor(int cpuPercent, int memoryPercent, int side);

// The load the icon draws: the mean of the readings of a second rather than each tick's, so
// that a processor flickering between 0 and 2 % at rest does not redraw the icon (a message to
// the shell and a repaint of the tray) twice a second; a load above 0 in any of them shows.
class LoadMean {
public:
    void add(int cpuPercent, int memoryPercent);
    // The bars of the readings added since the last call, which starts the next mean; none
    // when nothing was added.
    std::optional<LoadBars> take(int side);

private:
    int cpuSum_ = 0, memorySum_ = 0, count_ = 0;
};

struct LoadIconColours {
    base::Colour background, frame, cpu, memory;
};
base::Image loadIconPicture(const LoadBars& bars, int side, const LoadIconColours& colours);

// The icon's tooltip: the processor, with the busiest executable when it is known, the memory
// and the two rates in one line, in the 127 characters a tooltip holds: a busiest executable's
// name longer than 24 characters is cut with "…", shorter still when the rates need the room.
std::wstring loadTipText(const monitor::Readings& readings, int rateUnit,
                         const std::optional<features::ProcessGroup>& busiest = std::nullopt);

}  // namespace ui
