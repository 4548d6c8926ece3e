#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "monitor/page_texts.h"
#include "monitor/readings.h"
#include "monitor/row_painter.h"
#include "monitor/sampler.h"
#include "monitor/shown_rows.h"
#include "platform/text_painter.h"
#include "render/gradient.h"
#include "render/list_composer.h"
#include "render/render_state.h"
#include "settings/live_settings.h"

namespace monitor {

// Where a tick's result goes: the main window (one copy or stretch) and the taskbar button.
class Presenter {
public:
    virtual ~Presenter() = default;
    // size is set when the window is to be sized to the list first; drawMode 1 copies the list
    // 1:1, 0 stretches its 158 x y pixels over the client area.
    virtual void present(const render::Image& list, int y,
                         const std::optional<render::MainWindowSize>& size, int drawMode) = 0;
    virtual void setTaskbarCaption(const std::wstring& caption) = 0;
};

// The services a tick samples, draws with and resolves system colours through.
struct Sources {
    SampleSources samples;
    platform::TextPainter& painter;
    render::SystemColours systemColours;
};

// The one handler of the refresh timer: samples the readings, formats them into rows, paints
// the rows, composes the list and presents it. It reads the live settings and never writes them.
class RefreshCycle {
public:
    RefreshCycle(Sources sources, settings::LiveSettings& live, const PageTexts& pages,
                 render::RenderState& images, render::BarStrips& strips, Presenter& presenter);

    // Start-up: the interface table into the adapter choice (the saved adapter is kept when the
    // automatic choice is off and it is within the list).
    void fillAdapterChoice();
    // Start-up: the host's adapters for the LAN-side address.
    void readAdapters(platform::Dialogs& dialogs) { sampler_.readAdapters(dialogs); }
    // Start-up and the drive list upkeep: the drive list from the system.
    void rebuildDriveList();
    // Start-up: every meter item's and drive row's bar strip from its colours, and the graph's
    // background.
    void paintStrips();
    // Every meter item's and drive row's bar strip again, after a colour changed.
    void paintBars();
    // The list at another DPI: the images and strips at its geometry, every row painted again
    // at the next tick, the graph afresh and the window sized to the list. The text painter's
    // font is the caller's to size.
    void rescale(base::DpiScale scale);

    // The history keeps the total load, the memory in use and the traffic whether or not
    // anything shows them: while it is kept, those sections run at least once a second.
    void keepHistoryReadings(bool on) { historyKept_ = on; }

    // Where the readings taken from other programs come from: called on every tick while set,
    // it fills in their latest values (it never waits for a source).
    using SourceReader = std::function<void(std::vector<SourceReading>&)>;
    void readSourcesWith(SourceReader reader) { sourceReader_ = std::move(reader); }

    void refreshTick();

    const Readings& readings() const { return readings_; }
    const ValueTexts& valueTexts() const { return valueTexts_; }
    // The rows the last tick composed, in list order, in words.
    std::vector<ShownRow> shownRows() const;
    // The height of the list the next tick composes, from the rows shown now.
    int upcomingListHeight() const;
    // Whether the new-version row is on the list.
    bool newVersionShown() const { return newVersionShown_; }

private:
    void formatAndPaint(const SectionGates& gates);
    void keepDriveWords();
    int shownSources() const;
    void drawGraph();
    void present(int y);
    render::Colour resolve(std::int32_t stored) const;

    settings::LiveSettings& live_;
    const PageTexts& pages_;
    render::RenderState& images_;
    render::BarStrips& strips_;
    Presenter& presenter_;
    render::SystemColours systemColours_;
    platform::Clock& clock_;
    platform::LocaleFormat& locale_;
    platform::Drives& drives_;
    Sampler sampler_;
    RowPainter painter_;
    Readings readings_;
    ValueTexts valueTexts_;
    std::array<render::RowPicture, settings::kItemSlots> pictures_;  // each row's last picture
    std::vector<ShownRow> driveWords_;
    render::NumberSymbols symbols_;
    int memoLineCount_ = 1;
    bool historyKept_ = false;
    bool historySampled_ = false;
    std::uint32_t historySampledAt_ = 0;
    bool newVersionShown_ = false;
    SourceReader sourceReader_;
};

}  // namespace monitor
