#pragma once
#include <array>
#include <span>
#include <vector>

#include "monitor/network_sampler.h"
#include "monitor/processor_load.h"
#include "monitor/readings.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/locale_format.h"
#include "platform/memory_status.h"
#include "platform/network.h"
#include "platform/power_status.h"
#include "platform/processor_times.h"
#include "platform/registry.h"
#include "settings/display_item.h"
#include "settings/live_settings.h"

namespace monitor {

// The system services a tick samples.
struct SampleSources {
    platform::Clock& clock;
    platform::ProcessorTimesSource& processors;
    platform::MemoryStatusSource& memory;
    platform::Network& network;
    platform::Drives& drives;
    platform::PowerStatusSource& power;
    platform::LocaleFormat& locale;
    platform::Clipboard& clipboard;
    platform::Registry& registry;
    int platformFamily = 2;
};

// Which sections run on a tick: an item's reading is taken only when something shows it
// (its row, the graph or the taskbar caption).
struct SectionGates {
    settings::ShownItems shown;
    bool cpuTotal = false;
    std::array<bool, settings::kProcessorItems> cpu{};
    bool memory = false;
    bool network = false;
    bool driveCapacities = false;  // refreshed at the drive interval
    bool runs(settings::Item item) const;
};
SectionGates gatesFor(const settings::ShownItems& shown, const settings::Settings& s);

// Takes the readings of one tick from the system; keeps what a reading is measured against
// (previous processor times and counters, the last capacity refresh, the lamps' figures).
class Sampler {
public:
    explicit Sampler(SampleSources sources);

    // Start-up: the interface table into the adapter choice.
    AdapterChoice enumerateInterfaces() { return network_.enumerateAdapters(src_.network); }
    // Start-up: the host's adapters for the LAN-side address; reports the two failures that
    // have a message.
    void readAdapters(platform::Dialogs& dialogs);

    void sample(const SectionGates& gates, const settings::Settings& s,
                std::span<const settings::DriveRow> drives, Readings& readings);

private:
    void sampleStatus(const SectionGates& gates, Readings& readings);
    void sampleRegistry(const settings::ShownItems& shown, Readings& readings);
    void sampleDrives(bool capacityShown, const settings::Settings& s,
                      std::span<const settings::DriveRow> drives, Readings& readings);
    std::wstring lanAddress();

    SampleSources src_;
    ProcessorLoad processors_;
    NetworkSampler network_;
    std::vector<platform::AdapterInfo> adapters_;
    bool noAdapter_ = true;
    std::array<LampSlot, settings::kDriveSlots> lamps_{};
    std::uint32_t lastDiskRefresh_ = 0;
    bool disksRead_ = false;  // the first capacity refresh runs at once
    // Proxy server, then the three switches: read while shown and unchanged since.
    std::array<bool, 4> registryKnown_{};
};

}  // namespace monitor
