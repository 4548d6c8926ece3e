#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "monitor/drive_items.h"
#include "monitor/monitor_state.h"
#include "monitor/network_sampler.h"
#include "monitor/processor_load.h"
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
#include "platform/text_painter.h"
#include "render/gradient.h"
#include "render/list_composer.h"
#include "render/render_state.h"
#include "settings/live_settings.h"

namespace monitor {

// The services the refresh cycle samples and draws with.
struct Sources {
    platform::Clock& clock;
    platform::ProcessorTimesSource& processors;
    platform::MemoryStatusSource& memory;
    platform::Network& network;
    platform::Drives& drives;
    platform::PowerStatusSource& power;
    platform::LocaleFormat& locale;
    platform::Clipboard& clipboard;
    platform::Registry& registry;
    platform::TextPainter& painter;
    render::SystemColours systemColours;
    int platformFamily = 2;
};

// Where a tick's results go: the main window (one copy or stretch) and the taskbar button.
class Presenter {
public:
    virtual ~Presenter() = default;
    // size is set when the window is to be sized to the list first; drawType 1 copies the list
    // 1:1, 0 stretches its 158 x y pixels over the client area.
    virtual void present(const render::Image& list, int y,
                         const std::optional<render::MainWindowSize>& size, int drawType) = 0;
    virtual void setTaskbarCaption(const std::wstring& caption) = 0;
};

// The one handler of the refresh timer and the start-up steps that prepare it.
class RefreshCycle {
public:
    RefreshCycle(Sources sources, settings::LiveSettings& live, MonitorState& state,
                 render::RenderState& images, render::BarStrips& strips, Presenter& presenter);

    // Start-up: the interface table into the adapter choice (the stored adapter index is kept
    // when the automatic choice is off and it is within the list).
    void enumerateInterfaces();
    // Start-up: the host's adapter list for the LAN-side address; reports the two failures
    // that have a message.
    void enumerateAdapters(platform::Dialogs& dialogs);
    // Start-up and the options window's drive timer: the drive list from the system.
    void rebuildDriveList();
    // Start-up: every meter item's and drive row's bar strip from its colours, and the
    // graph background.
    void paintStrips();

    void refreshTick();

    // The shown table of the latest tick, by slot.
    const std::array<bool, kSlots>& shown() const { return shown_; }

private:
    void readShownTable();
    void setRowColours();
    void sampleProcessorTotal();
    void sampleProcessor(int n);
    void sampleMemoryRow();
    void sampleNetworkRows();
    void showLanAddress();
    void showProxyServer();
    void showSwitch(int slot);
    void showIpAddress();
    void showTotal(int slot);
    void showDateTime();
    void showUptime();
    void showClipboard();
    void showMemo();
    void showPower();
    void refreshDrives();
    void refreshDriveCapacities();
    void showNewVersion();
    void drawGraph();
    void valueRow(int slot, const std::wstring& name, int rightEdge, std::optional<int> bar,
                  int nameY = 1);
    bool needsDrawing(int slot, std::wstring key);
    std::uint64_t stripSignature(int slot, int barWidth) const;

    Sources src_;
    settings::LiveSettings& live_;
    MonitorState& state_;
    render::RenderState& images_;
    render::BarStrips& strips_;
    Presenter& presenter_;
    ProcessorLoad processors_;
    NetworkSampler network_;
    std::vector<platform::AdapterInfo> adapters_;
    bool noAdapter_ = true;
    std::array<LampSlot, kDriveSlots> lamps_{};
    std::array<bool, kSlots> shown_{};
    render::Colour background_ = 0;
    render::Colour text_ = 0;
    render::NumberSymbols symbols_;
    int memoLineCount_ = 1;
    std::array<std::wstring, kSlots> drawnWith_;  // the inputs each row was last drawn with
};

}  // namespace monitor
