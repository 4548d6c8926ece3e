#include "monitor/refresh_cycle.h"

#include <algorithm>

#include "monitor/memory_sampler.h"
#include "monitor/status_items.h"
#include "render/draw.h"
#include "render/graph.h"
#include "render/rounding.h"
#include "render/taskbar_caption.h"
#include "render/value_row.h"

namespace monitor {
namespace {

constexpr int kButtonFace = 15;  // system colour index of the lamps' unlit colour

const wchar_t* const kProcessorNames[kProcessors] = {L"ＣＰＵ 1 使用率", L"ＣＰＵ 2 使用率",
                                                     L"ＣＰＵ 3 使用率", L"ＣＰＵ 4 使用率"};

int slotOf(const std::wstring& id) {
    int value = 0;
    for (wchar_t c : id) {
        if (c < L'0' || c > L'9') return -1;
        value = value * 10 + (c - L'0');
    }
    return value - 100;
}

std::wstring percentText(int percent) { return std::to_wstring(percent) + L"%"; }

}  // namespace

RefreshCycle::RefreshCycle(Sources sources, settings::LiveSettings& live, MonitorState& state,
                           render::RenderState& images, render::BarStrips& strips,
                           Presenter& presenter)
    : src_(std::move(sources)),
      live_(live),
      state_(state),
      images_(images),
      strips_(strips),
      presenter_(presenter),
      processors_(src_.processors, src_.platformFamily) {}

// ---- start-up preparation

void RefreshCycle::enumerateInterfaces() {
    AdapterChoice choice = network_.enumerateAdapters(src_.network);
    live_.adapterChoices = choice.entries;
    settings::Settings& s = live_.settings;
    bool keepSaved = s.autoAdapter == 0 && s.adapterIndex >= 0 &&
                     s.adapterIndex < static_cast<int>(choice.entries.size());
    if (!keepSaved) s.adapterIndex = choice.selected;
}

void RefreshCycle::enumerateAdapters(platform::Dialogs& dialogs) {
    platform::AdapterList list = src_.network.adapters();
    switch (list.result) {
        case platform::AdapterResult::Ok:
            adapters_ = std::move(list.adapters);
            noAdapter_ = adapters_.empty();
            break;
        case platform::AdapterResult::NotSupported:
            dialogs.messageBox(L"このバージョンのOSでこの機能はサポートされていません",
                               platform::MessageIcon::Error);
            break;
        case platform::AdapterResult::NoData:
            dialogs.messageBox(L"このコンピュータにはアダプタ情報が存在しません",
                               platform::MessageIcon::Error);
            break;
        default:
            break;
    }
}

void RefreshCycle::rebuildDriveList() {
    live_.drives =
        buildDriveRows(src_.drives, live_.settings.driveMarks, live_.settings.tickAllDrives == 1);
}

void RefreshCycle::paintStrips() {
    render::Image preview(render::kRowWidth, render::kRowHeight);
    for (settings::DisplayRow& row : live_.displayRows) {
        int id = slotOf(row.id) + 100;
        if (settings::isMeterItem(id))
            render::showItemGradient(id, row.colour1, row.colour2, preview, strips_,
                                     src_.systemColours);
    }
    render::Colour graph = render::colourFromText(
        std::to_wstring(live_.settings.colours[settings::kGraphBackColour]), src_.systemColours);
    images_.graph.setBackground(graph);
    images_.graphScroll.setBackground(graph);
    for (int k = 1; k <= kDriveSlots; ++k)
        render::showDriveGradient(k, live_.driveColours.start[k - 1], live_.driveColours.end[k - 1],
                                  preview, strips_, src_.systemColours);
}

// ---- one tick

void RefreshCycle::refreshTick() {
    const settings::Settings& s = live_.settings;

    // 1. Interval, measured modulo 2^32 so the tick count's wrap shows a sound figure.
    std::uint32_t now = src_.clock.tickCount();
    state_.intervalLabel = std::to_wstring(now - state_.lastTickCount) + L"ms";
    state_.lastTickCount = src_.clock.tickCount();

    // 2, 3.
    readShownTable();
    setRowColours();
    symbols_ = {src_.locale.thousandsSeparator(), src_.locale.decimalSeparator()};

    // 4. The sections, each gated by who needs its reading.
    bool taskbar = s.taskbarButtonOn == 1;
    bool taskCpu = taskbar && s.taskbarShowsCpu == 1;
    bool taskMem = taskbar && s.taskbarShowsMemory == 1;
    bool taskIn = taskbar && s.taskbarShowsReceive == 1;
    bool taskOut = taskbar && s.taskbarShowsSend == 1;
    int graph = s.graphSource;
    const auto& shown = shown_;

    if (shown[0] || taskCpu || graph == 1) sampleProcessorTotal();
    if (shown[1] || graph == 2 || taskMem) sampleMemoryRow();
    if (shown[2] || shown[3] || shown[10] || shown[11] || graph == 3 || graph == 4 || taskIn ||
        taskOut)
        sampleNetworkRows();
    if (shown[5]) showLanAddress();
    if (shown[6]) showProxyServer();
    if (shown[7]) showSwitch(7);
    if (shown[8]) showSwitch(8);
    if (shown[9]) showSwitch(9);
    if (shown[10]) showTotal(10);
    if (shown[11]) showTotal(11);
    if (shown[4]) showIpAddress();
    if (shown[14]) showDateTime();
    if (shown[15]) showUptime();
    for (int n = 0; n < kProcessors; ++n)
        if (shown[16 + n] || taskCpu || graph == 1) sampleProcessor(n);
    if (shown[21]) showClipboard();
    if (shown[22]) showMemo();
    if (shown[23]) showPower();
    refreshDrives();
    showNewVersion();

    // 5. Graph.
    drawGraph();

    // 6. Composition.
    int y = render::composeList(images_, live_.displayRows, live_.drives, memoLineCount_,
                                state_.newVersionShown);

    // 7. Window: one copy or stretch.
    auto size = render::presentListSizing(y, s.drawMode, images_.resizePending);
    presenter_.present(images_.list, y, size, s.drawMode);

    // 8. Carry-over.
    render::finishPresentation(images_, y);

    // 9. Taskbar caption.
    if (taskbar) {
        render::TaskbarChoices choices{s.taskbarShowsCpu == 1, s.taskbarShowsMemory == 1,
                                       s.taskbarShowsReceive == 1, s.taskbarShowsSend == 1};
        presenter_.setTaskbarCaption(
            render::updateTaskbarCaption(choices, state_.valueText[0], state_.memoryText,
                                         state_.valueText[2], state_.valueText[3]));
    }
}

void RefreshCycle::readShownTable() {
    shown_.fill(false);
    for (const settings::DisplayRow& row : live_.displayRows) {
        int slot = slotOf(row.id);
        if (slot >= 0 && slot < kSlots) shown_[slot] = row.shown;
    }
}

void RefreshCycle::setRowColours() {
    const auto& colours = live_.settings.colours;
    background_ = render::colourFromText(std::to_wstring(colours[0]), src_.systemColours);
    text_ = render::colourFromText(std::to_wstring(colours[1]), src_.systemColours);
    for (int slot = 0; slot < kSlots; ++slot) {
        if (slot == 13) continue;  // the graph has an image of its own
        render::Image& row = images_.rows[slot];
        // Every shown row is cleared again by its own section, so a row whose colour stays
        // needs no clearing here.
        if (row.background() != background_) row.setBackground(background_);
        row.setForeground(text_);
    }
}

std::uint64_t RefreshCycle::stripSignature(int slot, int barWidth) const {
    // Strips are painted as vertical lines, so their top row tells two paintings apart: FNV-1a
    // over the columns a bar copies, so a repainted strip shows on the next tick.
    const render::Image& strip = strips_.items[slot];
    int width = std::min(std::max(barWidth, 0), strip.width());
    if (strip.height() == 0) return 0;
    const std::uint32_t* top = strip.data();
    std::uint64_t hash = 1469598103934665603ULL;
    for (int x = 0; x < width; ++x) hash = (hash ^ top[x]) * 1099511628211ULL;
    return hash;
}

bool RefreshCycle::needsDrawing(int slot, std::wstring key) {
    // A row keeps its pixels from tick to tick; drawn again with the same inputs it would come
    // out the same, so only a change of what it shows or of its colours and size redraws it.
    const render::Image& row = images_.rows[slot];
    key += L'\x1f' + std::to_wstring(row.background()) + L'\x1f' +
           std::to_wstring(row.foreground()) + L'\x1f' + std::to_wstring(row.height());
    if (drawnWith_[slot] == key) return false;
    drawnWith_[slot] = std::move(key);
    return true;
}

void RefreshCycle::valueRow(int slot, const std::wstring& name, int rightEdge,
                            std::optional<int> bar, int nameY) {
    std::wstring key = name + L'\x1f' + state_.valueText[slot] + L'\x1f' +
                       std::to_wstring(rightEdge) + L'\x1f' + std::to_wstring(nameY);
    if (bar)
        key +=
            L'\x1f' + std::to_wstring(*bar) + L'\x1f' + std::to_wstring(stripSignature(slot, *bar));
    if (!needsDrawing(slot, std::move(key))) return;
    render::ValueRow content{name, state_.valueText[slot], rightEdge, bar, nameY};
    render::drawValueRow(images_.rows[slot], content, bar ? &strips_.items[slot] : nullptr,
                         src_.painter);
}

// ---- processor load, memory and network

void RefreshCycle::sampleProcessorTotal() {
    state_.cpuTotalPercent = processors_.readTotal(state_.cpuTotalPercent);
    state_.valueText[0] = percentText(state_.cpuTotalPercent);
    valueRow(0, L"ＣＰＵ使用率", 148, render::barWidthFor(state_.cpuTotalPercent));
}

void RefreshCycle::sampleProcessor(int n) {
    state_.cpuPercent[n] = processors_.readProcessor(n, state_.cpuPercent[n]);
    state_.valueText[16 + n] = percentText(state_.cpuPercent[n]);
    valueRow(16 + n, kProcessorNames[n], 148, render::barWidthFor(state_.cpuPercent[n]));
}

void RefreshCycle::sampleMemoryRow() {
    sampleMemory(state_, src_.memory, live_.settings.memoryFormat);
    valueRow(1, L"メモリ", 143, render::barWidthFor(state_.memoryPercent));
}

void RefreshCycle::sampleNetworkRows() {
    const settings::Settings& s = live_.settings;
    network_.sample(state_, src_.network, src_.clock, s.adapterIndex, s.rateUnit, symbols_);
    valueRow(2, L"受信量", 143,
             rateBarWidth(state_.in.rate, fullScale(s.receiveFullScale, s.rateUnit)));
    valueRow(3, L"送信量", 143,
             rateBarWidth(state_.out.rate, fullScale(s.sendFullScale, s.rateUnit)));
}

void RefreshCycle::showTotal(int slot) {
    // Before the first reading the texts stay as they are.
    if (state_.baselineTaken) {
        const ByteCounter& counter = slot == 10 ? state_.in : state_.out;
        state_.valueText[slot] = totalText(counter.total - counter.resetBase, symbols_);
    }
    valueRow(slot, slot == 10 ? L"総受信量" : L"総送信量", 148, std::nullopt);
}

// ---- status items

void RefreshCycle::showLanAddress() {
    // The first adapter's address; an adapter without one (a disconnected card shows
    // 0.0.0.0) gives way to the next, and with none the machine's own address is shown.
    std::wstring address;
    if (!noAdapter_)
        for (const platform::AdapterInfo& adapter : adapters_)
            if (!adapter.firstAddress.empty() && adapter.firstAddress != L"0.0.0.0") {
                address = adapter.firstAddress;
                break;
            }
    if (address.empty()) address = src_.network.localAddress();
    state_.lanText = address;
    state_.valueText[5] = address;
    valueRow(5, L"LAN側IP ", 160, std::nullopt);
}

void RefreshCycle::showProxyServer() {
    state_.valueText[6] = readProxyServer(src_.registry);
    valueRow(6, L"PROXY", 150, std::nullopt);
}

void RefreshCycle::showSwitch(int slot) {
    static const Switch kSwitches[] = {Switch::ProxyEnable, Switch::ActiveScripting,
                                       Switch::JavaScripting};
    static const wchar_t* const kNames[] = {L"PROXY使用", L"アクティブスクリプト",
                                            L"Javaアプレットのスクリプト"};
    state_.valueText[slot] = readSwitch(src_.registry, kSwitches[slot - 7]);
    valueRow(slot, kNames[slot - 7], 150, std::nullopt);
}

void RefreshCycle::showIpAddress() {
    state_.valueText[4] = state_.ipText;
    valueRow(4, L"IPアドレス", ipRightEdge(state_.ipText), std::nullopt);
}

void RefreshCycle::showDateTime() {
    state_.valueText[14] = dateTimeText(src_.locale);
    if (!needsDrawing(14, state_.valueText[14])) return;
    render::Image& row = images_.rows[14];
    row.clear();
    src_.painter.drawText(row, 5, 1, state_.valueText[14], row.foreground());
}

void RefreshCycle::showUptime() {
    UptimeText uptime = uptimeText(state_.lastTickCount);
    state_.valueText[15] = uptime.text;
    valueRow(15, L"起動時間", 138 + uptime.offset, std::nullopt, 0);
}

void RefreshCycle::showClipboard() {
    platform::ClipboardRead read = src_.clipboard.readText();
    if (read.opened) live_.clipboardText = read.hasText ? read.text : std::wstring();
    // Only the first line fits the row.
    const std::wstring& text = live_.clipboardText;
    std::wstring firstLine = text.substr(0, text.find_first_of(L"\r\n"));
    state_.valueText[21] = firstLine;
    if (!needsDrawing(21, firstLine)) return;
    render::Image& row = images_.rows[21];
    row.clear();
    src_.painter.drawText(row, 5, 1, firstLine, row.foreground());
}

void RefreshCycle::showMemo() {
    std::vector<std::wstring> lines = memoLines(live_.memoText);
    memoLineCount_ = static_cast<int>(lines.size());
    render::Image& row = images_.rows[22];
    int height = render::kRowHeight * memoLineCount_;
    if (row.height() < height) row.resize(render::kRowWidth, height);
    std::wstring key;
    for (const std::wstring& line : lines) key += line + L'\n';
    if (!needsDrawing(22, std::move(key))) return;
    row.clear();
    for (size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty())
            src_.painter.drawText(row, 5, render::kRowHeight * static_cast<int>(i), lines[i],
                                  row.foreground());
}

void RefreshCycle::showPower() {
    PowerRow power = powerRow(src_.power.powerStatus());
    std::wstring key = std::to_wstring(power.barWidth) + L'\x1f' +
                       std::to_wstring(stripSignature(23, power.barWidth));
    for (const TextAt& text : power.texts) {
        state_.valueText[23] = text.text;
        key += L'\x1f' + text.text;
    }
    if (!needsDrawing(23, std::move(key))) return;
    render::Image& row = images_.rows[23];
    row.clear();
    render::copyBlock(row, 0, 0, power.barWidth, render::kRowHeight, strips_.items[23], 0, 0);
    for (const TextAt& text : power.texts) {
        if (!text.text.empty())
            src_.painter.drawText(row, text.x, text.y, text.text, row.foreground());
    }
}

void RefreshCycle::showNewVersion() {
    state_.newVersionShown = newVersionApplies(state_.update, live_.settings.checkForUpdates == 1);
    if (!state_.newVersionShown) return;
    render::Image& row = images_.newVersionRow;
    row.setBackground(render::rgb(128, 255, 255));
    row.setForeground(text_);
    const std::wstring& text = state_.update.announcement;
    src_.painter.drawText(row, 150 - 20 * state_.marqueeStep, 1, text, row.foreground());
    if (++state_.marqueeStep >= static_cast<int>(text.size())) state_.marqueeStep = 0;
}

// ---- drives

void RefreshCycle::refreshDrives() {
    const settings::Settings& s = live_.settings;
    std::uint32_t now = src_.clock.tickCount();
    std::uint32_t interval = static_cast<std::uint32_t>(s.driveRefreshSeconds) * 1000u;
    // Modulo 2^32: the tick count's wrap does not stop the refreshes.
    if (shown_[12] && (!state_.disksRead || now - state_.lastDiskRefresh > interval))
        refreshDriveCapacities();

    render::Colour unlit =
        src_.systemColours ? src_.systemColours(kButtonFace) : render::rgb(240, 240, 240);
    for (size_t i = 0; i < live_.drives.size() && i < lamps_.size(); ++i) {
        const settings::DriveRow& drive = live_.drives[i];
        if (!drive.checked) continue;
        Lamps lamps = updateLamps(lamps_[i], src_.drives, drive.letter);
        if (!lamps.draw) continue;
        render::Image& row = images_.driveRows[i];
        render::fillBox(row, 15, 1, 25, 5, lamps.readLit ? render::rgb(0, 255, 0) : unlit);
        render::fillBox(row, 15, 7, 25, 11, lamps.writeLit ? render::rgb(255, 0, 0) : unlit);
    }
}

void RefreshCycle::refreshDriveCapacities() {
    settings::LiveSettings& live = live_;
    const settings::Settings& s = live.settings;
    state_.lastDiskRefresh = src_.clock.tickCount();
    state_.disksRead = true;
    size_t count = std::min(live.drives.size(), images_.driveRows.size());
    for (size_t i = 0; i < count; ++i) {
        images_.driveRows[i].setBackground(background_);
        images_.driveRows[i].setForeground(text_);
    }
    for (size_t i = 0; i < count; ++i) {
        const settings::DriveRow& drive = live.drives[i];
        if (!drive.checked) continue;
        DriveFigures figures = readDriveCapacity(src_.drives, drive.letter);
        if (live.driveColours.start[i].empty()) live.driveColours.start[i] = settings::kWhite;
        int percent = drivePercent(figures);
        render::Image& row = images_.driveRows[i];
        render::copyBlock(row, 0, 0, render::barWidthFor(percent), render::kRowHeight,
                          strips_.drives[i], 0, 0);
        for (const DriveRowText& text :
             driveRowTexts(figures, s.driveFigure1, s.driveFigure2, s.diskUnit, symbols_))
            src_.painter.drawText(row, text.x, 1, text.text, row.foreground());
        state_.driveValueText[i] = std::to_wstring(percent) + L"%";
    }
}

// ---- graph

void RefreshCycle::drawGraph() {
    const settings::Settings& s = live_.settings;
    render::GraphInputs in;
    in.source = s.graphSource;
    in.cpuTotalPercent = state_.cpuTotalPercent;
    in.memoryPercent = state_.memoryPercent;
    in.rateIn = state_.in.rate;
    in.rateOut = state_.out.rate;
    in.inSlider = s.receiveFullScale;
    in.outSlider = s.sendFullScale;
    in.bitMode = s.rateUnit == 1;
    in.lineColour = render::colourFromText(std::to_wstring(s.colours[settings::kGraphLineColour]),
                                           src_.systemColours);
    render::updateGraph(images_, in);
}

}  // namespace monitor
