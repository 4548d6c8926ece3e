#include "monitor/refresh_cycle.h"

#include <algorithm>

#include "monitor/drive_items.h"
#include "monitor/row_format.h"
#include "monitor/status_items.h"
#include "render/graph.h"
#include "render/rounding.h"
#include "render/taskbar_caption.h"

namespace monitor {
namespace {

using settings::Item;

constexpr int kButtonFace = 15;  // system colour index of the lamps' unlit colour

// The items with a row of their own, in the order their sections run.
constexpr Item kRowItems[] = {
    Item::CpuTotal,      Item::Memory,       Item::ReceiveRate, Item::SendRate,
    Item::LanAddress,    Item::ProxyServer,  Item::ProxyEnable, Item::ActiveScripting,
    Item::JavaScripting, Item::ReceiveTotal, Item::SendTotal,   Item::PublicAddress,
    Item::DateTime,      Item::Uptime,       Item::Cpu1,        Item::Cpu2,
    Item::Cpu3,          Item::Cpu4,         Item::Clipboard,   Item::Memo,
    Item::Power,
};

}  // namespace

RefreshCycle::RefreshCycle(Sources sources, settings::LiveSettings& live, const PageTexts& pages,
                           render::RenderState& images, render::BarStrips& strips,
                           Presenter& presenter)
    : live_(live),
      pages_(pages),
      images_(images),
      strips_(strips),
      presenter_(presenter),
      systemColours_(std::move(sources.systemColours)),
      clock_(sources.samples.clock),
      locale_(sources.samples.locale),
      drives_(sources.samples.drives),
      sampler_(sources.samples),
      painter_(images, strips, sources.painter) {}

render::Colour RefreshCycle::resolve(std::int32_t stored) const {
    return render::resolveColour(stored, systemColours_);
}

// ---- start-up preparation

void RefreshCycle::fillAdapterChoice() {
    AdapterChoice choice = sampler_.enumerateInterfaces();
    live_.adapterChoices = choice.entries;
    settings::Settings& s = live_.settings;
    bool keepSaved = s.autoAdapter == 0 && s.adapterIndex >= 0 &&
                     s.adapterIndex < static_cast<int>(choice.entries.size());
    if (!keepSaved) s.adapterIndex = choice.selected;
}

void RefreshCycle::rebuildDriveList() {
    std::vector<settings::DriveRow> rows =
        buildDriveRows(drives_, live_.settings.driveMarks, live_.settings.tickAllDrives == 1);
    // The same drives again are no change: the drive page keeps its selection.
    if (rows == live_.drives) return;
    const bool more = rows.size() > live_.drives.size();
    live_.drives = std::move(rows);
    if (more) paintBars();
    live_.notices.publish(settings::Topic::DriveRows);
}

void RefreshCycle::paintStrips() {
    paintBars();
    render::Colour graph = resolve(live_.settings.colours[settings::kGraphBackColour]);
    images_.graph.setBackground(graph);
    images_.graphScroll.setBackground(graph);
}

void RefreshCycle::paintBars() {
    render::Image preview(images_.metrics.rowWidth, images_.metrics.rowHeight);
    for (const settings::DisplayRow& row : live_.displayRows)
        if (settings::isMeterItem(row.id))
            render::showItemGradient(settings::idOf(row.id), row.colour1, row.colour2, preview,
                                     strips_, systemColours_);
    // A drive slot gets its strip when a drive takes it (the drive list calls again then).
    for (size_t k = 1; k <= std::min(live_.drives.size(), settings::kDriveSlots); ++k)
        render::showDriveGradient(static_cast<int>(k), live_.driveColours.start[k - 1],
                                  live_.driveColours.end[k - 1], preview, strips_, systemColours_);
}

void RefreshCycle::rescale(base::DpiScale scale) {
    const render::ListMetrics metrics(scale);
    if (metrics == images_.metrics) return;
    images_.rescale(metrics);
    strips_.rescale(metrics);
    painter_.forgetPainted();
    paintStrips();
}

// ---- one tick

void RefreshCycle::refreshTick() {
    const settings::Settings& s = live_.settings;

    // Measured modulo 2^32 so the tick count's wrap shows a sound figure.
    std::uint32_t now = clock_.tickCount();
    readings_.intervalLabel = std::to_wstring(now - readings_.tickCount) + L"ms";
    readings_.tickCount = clock_.tickCount();

    settings::ShownItems shown = settings::shownItems(live_.displayRows);
    painter_.setColours(resolve(s.colours[settings::kBackgroundColour]),
                        resolve(s.colours[settings::kTextColour]));
    symbols_ = {locale_.thousandsSeparator(), locale_.decimalSeparator()};

    SectionGates gates = gatesFor(shown, s);
    SectionGates sampled = gates;
    // Three quarters of a second, not a whole one: ticks a second apart come a little early
    // now and then, and every other one would be skipped.
    constexpr std::uint32_t kHistorySampleMs = 750;
    if (historyKept_ &&
        (!historySampled_ || readings_.tickCount - historySampledAt_ >= kHistorySampleMs)) {
        sampled.cpuTotal = sampled.memory = sampled.network = true;
        historySampled_ = true;
        historySampledAt_ = readings_.tickCount;
    }
    // What the export serves is read on every tick while it is on, shown or not.
    if (s.exportOn == 1) {
        sampled.cpuTotal = sampled.memory = sampled.network = true;
        sampled.cpu.fill(true);
        sampled.driveCapacities = true;
    }
    sampler_.sample(sampled, s, live_.drives, readings_);
    if (sourceReader_)
        sourceReader_(readings_.sources);
    else
        readings_.sources.clear();
    formatAndPaint(gates);
    drawGraph();
    int y = render::composeList(images_, live_.displayRows, live_.drives, memoLineCount_,
                                newVersionShown_, shownSources());
    present(y);
}

int RefreshCycle::shownSources() const {
    // Before the first tick the list's own sources say what will be shown.
    int shown = 0;
    if (!sourceReader_) return 0;
    if (!readings_.sources.empty()) {
        for (const SourceReading& r : readings_.sources) shown += r.shown ? 1 : 0;
    } else {
        for (const settings::SourceSetting& s : live_.sources) shown += s.shown ? 1 : 0;
    }
    return shown;
}

int RefreshCycle::upcomingListHeight() const {
    int memo = static_cast<int>(memoLines(live_.memoText).size());
    return render::listHeightFor(live_.displayRows, live_.drives, memo, newVersionShown_,
                                 images_.metrics, shownSources());
}

// In the order and at the places composeList gives the rows.
std::vector<ShownRow> RefreshCycle::shownRows() const {
    std::vector<ShownRow> rows;
    int y = 0;
    auto add = [&](ShownRow row, int height) {
        row.top = y;
        row.height = height;
        rows.push_back(std::move(row));
        y += height + 1;
    };
    for (const settings::DisplayRow& shown : live_.displayRows) {
        if (!shown.shown) continue;
        if (shown.id == Item::Graph) {
            add(wordsOf(Item::Graph, {}), render::kGraphHeight);
        } else if (shown.id == Item::Drives) {
            const size_t count = std::min(live_.drives.size(), driveWords_.size());
            for (size_t i = 0; i < count; ++i)
                if (live_.drives[i].checked) add(driveWords_[i], render::kRowHeight);
        } else {
            const int lines = shown.id == Item::Memo ? std::max(1, memoLineCount_) : 1;
            add(wordsOf(shown.id, pictures_[settings::slotOf(shown.id)]),
                render::kRowHeight * lines);
        }
    }
    // Other programs' readings follow the items, as the list draws them.
    if (sourceReader_)
        for (const SourceReading& source : readings_.sources)
            if (source.shown) add({source.name, source.text}, render::kRowHeight);
    if (newVersionShown_) add({pages_.update.announcement, L""}, render::kRowHeight);
    return rows;
}

// The drive rows' words as their capacities were last drawn.
void RefreshCycle::keepDriveWords() {
    const settings::Settings& s = live_.settings;
    const size_t count =
        std::min({live_.drives.size(), readings_.drives.size(), settings::kDriveSlots});
    driveWords_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const DriveReading& drive = readings_.drives[i];
        if (!drive.capacityRead) {
            driveWords_[i] = {live_.drives[i].letter + L":", L""};
            continue;
        }
        render::RowPicture picture;
        std::vector<DriveRowText> texts =
            driveRowTexts(drive.figures, s.driveFigure1, s.driveFigure2, s.diskUnit, symbols_);
        for (size_t k = 0; k < texts.size(); ++k)
            picture.texts.push_back(
                render::textAt(texts[k].x, 1, texts[k].text,
                               k == 0 ? render::TextRole::Label : render::TextRole::Value));
        driveWords_[i] = wordsOf(Item::Drives, picture);
    }
}

void RefreshCycle::formatAndPaint(const SectionGates& gates) {
    const settings::Settings& s = live_.settings;
    FormatInputs inputs{
        s, symbols_, pages_, live_.memoText, live_.receiveTotalBase, live_.sendTotalBase};
    for (Item item : kRowItems) {
        if (!gates.runs(item)) continue;
        std::wstring& value = valueTexts_[item];
        FormattedRow row = formatRow(item, readings_, inputs, value);
        value = std::move(row.value);
        if (item == Item::Memo) memoLineCount_ = row.lines;
        painter_.paint(item, row.picture, row.lines);
        pictures_[settings::slotOf(item)] = std::move(row.picture);
    }
    render::Colour unlit =
        systemColours_ ? systemColours_(kButtonFace) : render::rgb(240, 240, 240);
    painter_.paintDrives(readings_, live_.drives, s, symbols_, unlit);
    if (readings_.drivesRefreshed) keepDriveWords();
    painter_.paintSources(readings_.sources);

    newVersionShown_ = newVersionApplies(pages_.update, s.checkForUpdates == 1);
    if (newVersionShown_) painter_.paintNewVersion(pages_.update.announcement);
}

void RefreshCycle::drawGraph() {
    const settings::Settings& s = live_.settings;
    render::GraphInputs in;
    in.source = s.graphSource;
    in.cpuTotalPercent = readings_.cpuTotalPercent;
    in.memoryPercent = readings_.memoryPercent;
    in.rateIn = readings_.in.rate;
    in.rateOut = readings_.out.rate;
    in.receiveFullScale = s.receiveFullScale;
    in.sendFullScale = s.sendFullScale;
    in.bitMode = s.rateUnit == settings::kKilobitsPerSecond;
    in.lineColour = resolve(s.colours[settings::kGraphLineColour]);
    render::updateGraph(images_, in);
}

void RefreshCycle::present(int y) {
    const settings::Settings& s = live_.settings;
    // The caption first: the window system's answers to it then arrive while the list is
    // presented, and are taken up in one go after the tick instead of waking it again.
    if (s.taskbarButtonOn == 1) {
        render::TaskbarChoices choices{s.taskbarShowsCpu == 1, s.taskbarShowsMemory == 1,
                                       s.taskbarShowsReceive == 1, s.taskbarShowsSend == 1};
        presenter_.setTaskbarCaption(render::updateTaskbarCaption(
            choices, shownValue(valueTexts_[Item::CpuTotal]), shownValue(valueTexts_[Item::Memory]),
            shownValue(valueTexts_[Item::ReceiveRate]), shownValue(valueTexts_[Item::SendRate])));
    }
    // One copy or stretch into the window.
    auto size = render::presentListSizing(y, s.drawMode, images_.resizePending);
    presenter_.present(images_.list, y, size, s.drawMode);
    render::finishPresentation(images_, y);
}

}  // namespace monitor
