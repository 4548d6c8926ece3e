#pragma once
#include "fakes/fake_clock.h"
#include "fakes/fake_desktop_state.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_memory_status.h"
#include "fakes/fake_network.h"
#include "fakes/fake_presenter.h"
#include "fakes/fake_processor_times.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_text_painter.h"
#include "monitor/refresh_cycle.h"
#include "settings/display_catalogue.h"

namespace fakes {

// A refresh cycle over fakes: a two-processor machine with one Ethernet interface, four fixed
// drives and the default settings. The painter is a fake too, unless a real one is asked for.
template <typename Painter>
struct BasicMonitorRig {
    FakeClock clock;
    FakeProcessorTimes processors;
    FakeMemoryStatus memory;
    FakeNetwork network;
    FakeDrives drives;
    FakePowerStatus power;
    FakeLocale locale;
    FakeClipboard clipboard;
    FakeRegistry registry;
    Painter painter;
    FakePresenter presenter;
    FakeDialogs dialogs;
    settings::LiveSettings live;
    monitor::PageTexts pages;
    render::RenderState images;
    render::BarStrips strips;
    monitor::RefreshCycle cycle;

    BasicMonitorRig()
        : cycle(monitor::Sources{{clock, processors, memory, network, drives, power, locale,
                                  clipboard, registry, 2},
                                 painter,
                                 [](int) { return render::rgb(212, 208, 200); }},
                live, pages, images, strips, presenter) {
        clock.now = 100000;
        processors.total = platform::ProcessorTimes{0, 0};
        processors.processors[0] = {};
        processors.processors[1] = {};
        memory.setMegabytes(4096, 1024);
        network.addInterface(1, 24, L"lo");
        network.addInterface(2, platform::kEthernetInterface, L"eth0");
        for (const wchar_t* letter : {L"C", L"D", L"E", L"F"})
            drives.add(letter, platform::kDriveFixed, 100000, 25000);
        const settings::Settings& s = live.settings;
        live.displayRows = settings::buildDisplayRows(s.displayOrder, s.displayMarks,
                                                      s.displayColours1, s.displayColours2);
        live.driveColours = settings::parseDriveColours(s.driveEndColours, s.driveStartColours);
        cycle.fillAdapterChoice();
        cycle.rebuildDriveList();
        cycle.paintStrips();
    }
    void showOnly(std::initializer_list<const wchar_t*> ids) {
        for (auto& row : live.displayRows) {
            row.shown = false;
            for (const wchar_t* id : ids)
                if (settings::itemOfId(id) == row.id) row.shown = true;
        }
    }
    void showAll() {
        for (auto& row : live.displayRows) row.shown = true;
        for (auto& drive : live.drives) drive.checked = true;
    }
    const monitor::Readings& readings() const { return cycle.readings(); }
    const std::wstring& text(settings::Item item) const { return cycle.valueTexts()[item]; }
    void tick(std::uint32_t ms = 500) {
        clock.now += ms;
        processors.run(ms * 10000, 25);
        cycle.refreshTick();
    }
};

using MonitorRig = BasicMonitorRig<FakeTextPainter>;

}  // namespace fakes
