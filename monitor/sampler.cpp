#include "monitor/sampler.h"

#include <algorithm>

#include "base/texts.h"
#include "monitor/memory_sampler.h"
#include "monitor/status_items.h"

namespace monitor {

using settings::Item;

bool SectionGates::runs(Item item) const {
    switch (item) {
        case Item::CpuTotal:
            return cpuTotal;
        case Item::Memory:
            return memory;
        case Item::ReceiveRate:
        case Item::SendRate:
            return network;
        case Item::Cpu1:
        case Item::Cpu2:
        case Item::Cpu3:
        case Item::Cpu4:
            return cpu[settings::slotOf(item) - settings::slotOf(Item::Cpu1)];
        default:
            return shown.isShown(item);
    }
}

SectionGates gatesFor(const settings::ShownItems& shown, const settings::Settings& s) {
    bool taskbar = s.taskbarButtonOn == 1;
    bool taskCpu = taskbar && s.taskbarShowsCpu == 1;
    bool taskMem = taskbar && s.taskbarShowsMemory == 1;
    bool taskTraffic = taskbar && (s.taskbarShowsReceive == 1 || s.taskbarShowsSend == 1);
    int graph = s.graphSource;
    SectionGates gates;
    gates.shown = shown;
    gates.cpuTotal = shown.isShown(Item::CpuTotal) || taskCpu || graph == settings::kGraphProcessor;
    for (int n = 0; n < settings::kProcessorItems; ++n)
        gates.cpu[n] = shown.isShown(settings::processorItem(n)) || taskCpu ||
                       graph == settings::kGraphProcessor;
    gates.memory = shown.isShown(Item::Memory) || graph == settings::kGraphMemory || taskMem;
    gates.network = shown.isShown(Item::ReceiveRate) || shown.isShown(Item::SendRate) ||
                    shown.isShown(Item::ReceiveTotal) || shown.isShown(Item::SendTotal) ||
                    graph == settings::kGraphReceive || graph == settings::kGraphSend ||
                    taskTraffic;
    gates.driveCapacities = shown.isShown(Item::Drives);
    return gates;
}

Sampler::Sampler(SampleSources sources)
    : src_(sources), processors_(src_.processors, src_.platformFamily) {}

void Sampler::readAdapters(platform::Dialogs& dialogs) {
    platform::AdapterList list = src_.network.adapters();
    switch (list.result) {
        case platform::AdapterResult::Ok:
            adapters_ = std::move(list.adapters);
            noAdapter_ = adapters_.empty();
            break;
        case platform::AdapterResult::NotSupported:
            dialogs.messageBox(base::text(base::Text::AdaptersNotSupported),
                               platform::MessageIcon::Error);
            break;
        case platform::AdapterResult::NoData:
            dialogs.messageBox(base::text(base::Text::NoAdapters), platform::MessageIcon::Error);
            break;
        default:
            break;
    }
}

void Sampler::sample(const SectionGates& gates, const settings::Settings& s,
                     std::span<const settings::DriveRow> drives, Readings& readings) {
    if (gates.cpuTotal) {
        readings.cpuTotalPercent = processors_.readTotal(readings.cpuTotalPercent);
        readings.cpuTotalMeasured = processors_.totalMeasured();
        readings.cpuTimes = processors_.totalTimes();
    }
    if (gates.memory) sampleMemory(src_.memory, readings);
    readings.sampledNow = {gates.cpuTotal, gates.memory,
                           gates.network && network_.sample(src_.network, src_.clock,
                                                            s.adapterIndex, s.rateUnit, readings)};
    sampleStatus(gates, readings);
    for (int n = 0; n < settings::kProcessorItems; ++n)
        if (gates.cpu[n]) {
            readings.cpuPercent[n] = processors_.readProcessor(n, readings.cpuPercent[n]);
            readings.cpuMeasured[n] = processors_.processorMeasured(n);
        }
    sampleDrives(gates.driveCapacities, s, drives, readings);
}

void Sampler::sampleStatus(const SectionGates& gates, Readings& readings) {
    const settings::ShownItems& shown = gates.shown;
    if (shown.isShown(Item::LanAddress)) readings.lanAddress = lanAddress();
    sampleRegistry(shown, readings);
    if (shown.isShown(Item::DateTime)) readings.dateTime = dateTimeText(src_.locale);
    if (shown.isShown(Item::Clipboard)) {
        platform::ClipboardRead read = src_.clipboard.readText(kShownClipboardChars);
        if (read.opened) readings.clipboardText = read.hasText ? read.text : std::wstring();
    }
    if (shown.isShown(Item::Power)) readings.power = src_.power.powerStatus();
}

void Sampler::sampleRegistry(const settings::ShownItems& shown, Readings& readings) {
    constexpr Item kItems[] = {Item::ProxyServer, Item::ProxyEnable, Item::ActiveScripting,
                               Item::JavaScripting};
    constexpr Switch kSwitches[] = {Switch::ProxyEnable, Switch::ActiveScripting,
                                    Switch::JavaScripting};
    bool anyShown = false;
    for (Item item : kItems) anyShown = anyShown || shown.isShown(item);
    // A value is read again only when the registry saw a change (or cannot tell); a hidden
    // item forgets its value, since nothing watches it for the item meanwhile.
    bool changed = anyShown && src_.registry.changedSinceLastAsked();
    for (size_t i = 0; i < registryKnown_.size(); ++i) {
        if (!shown.isShown(kItems[i])) {
            registryKnown_[i] = false;
            continue;
        }
        if (registryKnown_[i] && !changed) continue;
        if (i == 0)
            readings.proxyServer = readProxyServer(src_.registry);
        else
            readings.switches[i - 1] = readSwitch(src_.registry, kSwitches[i - 1]);
        registryKnown_[i] = true;
    }
}

std::wstring Sampler::lanAddress() {
    // The first adapter's address; an adapter without one (a disconnected card shows 0.0.0.0)
    // gives way to the next, and with none the machine's own address is shown.
    if (!noAdapter_)
        for (const platform::AdapterInfo& adapter : adapters_)
            if (!adapter.firstAddress.empty() && adapter.firstAddress != L"0.0.0.0")
                return adapter.firstAddress;
    return src_.network.localAddress();
}

void Sampler::sampleDrives(bool capacityShown, const settings::Settings& s,
                           std::span<const settings::DriveRow> drives, Readings& readings) {
    size_t count = std::min(drives.size(), lamps_.size());
    readings.drives.resize(count);
    std::uint32_t now = src_.clock.tickCount();
    std::uint32_t interval = static_cast<std::uint32_t>(s.driveRefreshSeconds) * 1000u;
    // Modulo 2^32: the tick count's wrap does not stop the refreshes.
    bool refresh = capacityShown && (!disksRead_ || now - lastDiskRefresh_ > interval);
    readings.drivesRefreshed = refresh;
    if (refresh) {
        lastDiskRefresh_ = src_.clock.tickCount();
        disksRead_ = true;
    }
    for (size_t i = 0; i < count; ++i) {
        DriveReading& reading = readings.drives[i];
        reading.capacityRead = refresh && drives[i].checked;
        // The drive list admits only the types that have figures, and is rebuilt at the same
        // interval: asking each type again would cost a device request per drive.
        if (reading.capacityRead) reading.figures = capacityFigures(src_.drives, drives[i].letter);
    }
    for (size_t i = 0; i < count; ++i)
        if (drives[i].checked)
            readings.drives[i].lamps = updateLamps(lamps_[i], src_.drives, drives[i].letter);
        else
            readings.drives[i].lamps = {};
}

}  // namespace monitor
