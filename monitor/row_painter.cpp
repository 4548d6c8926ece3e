#include "monitor/row_painter.h"

#include <algorithm>

#include "render/draw.h"
#include "render/rounding.h"
#include "render/row_fit.h"

namespace monitor {

void RowPainter::forgetPainted() {
    for (auto& painted : painted_) painted.reset();
    paintedSources_.clear();
}

void RowPainter::paintSources(const std::vector<SourceReading>& sources) {
    const render::ListMetrics& m = images_.metrics;
    const int cpuSlot = settings::slotOf(settings::Item::CpuTotal);
    size_t shown = 0;
    // Rows stay where they are while the list grows: a painter may hold on to an image.
    images_.sourceRows.reserve(settings::kMaxSources);
    for (const SourceReading& source : sources) {
        if (!source.shown) continue;
        if (images_.sourceRows.size() <= shown) images_.sourceRows.emplace_back();
        if (paintedSources_.size() <= shown) paintedSources_.emplace_back();
        render::Image& row = images_.sourceRows[shown];
        std::optional<Painted>& painted = paintedSources_[shown];
        ++shown;
        if (row.height() != m.rowHeight || row.width() != m.rowWidth) {
            row.resize(m.rowWidth, m.rowHeight);
            painted.reset();
        }
        // A new background clears the row: only then is its picture gone.
        if (row.background() != background_) {
            row.setBackground(background_);
            painted.reset();
        }
        row.setForeground(text_);
        std::optional<int> bar;
        if (source.barMin && source.barMax && *source.barMax != *source.barMin) {
            double share =
                source.value ? (*source.value - *source.barMin) / (*source.barMax - *source.barMin)
                             : 0.0;
            bar = render::barWidthFor(std::clamp(share, 0.0, 1.0) * 100.0);
        }
        // Measured: units ("°C") are no half-width characters to count.
        render::RowPicture picture =
            render::pictureOf({source.name, source.text, 148, bar, 1, 148});
        Painted now{picture, row.background(), row.foreground(), row.height(),
                    stripSignature(cpuSlot, bar)};
        if (painted == now) continue;
        painted = std::move(now);
        render::drawRowPicture(row, picture, bar ? &strips_.items[cpuSlot] : nullptr, painter_, m);
    }
    // Rows no longer shown keep no pictures.
    images_.sourceRows.resize(shown);
    paintedSources_.resize(shown);
}

void RowPainter::setColours(render::Colour background, render::Colour text) {
    background_ = background;
    text_ = text;
    for (int slot = 0; slot < settings::kItemSlots; ++slot) {
        if (slot == settings::slotOf(settings::Item::Graph)) continue;
        render::Image& row = images_.rows[slot];
        // Every shown row is painted again by its own section, so a row whose colour stays
        // needs no clearing here. A cleared row has lost its picture: it must not be taken as
        // still showing it (a hidden row's colour going A -> B -> A would otherwise stay blank).
        if (row.background() != background) {
            row.setBackground(background);
            painted_[slot].reset();
        }
        row.setForeground(text);
    }
}

std::uint64_t RowPainter::stripSignature(int slot, std::optional<int> barWidth) const {
    // Strips are painted as vertical lines, so their top row tells two paintings apart: FNV-1a
    // over the columns a bar copies, so a repainted strip shows on the next tick.
    const render::Image& strip = strips_.items[slot];
    if (!barWidth || strip.height() == 0) return 0;
    int width = std::min(std::max(*barWidth, 0), strip.width());
    const std::uint32_t* top = strip.data();
    std::uint64_t hash = 1469598103934665603ULL;
    for (int x = 0; x < width; ++x) hash = (hash ^ top[x]) * 1099511628211ULL;
    return hash;
}

void RowPainter::paint(settings::Item item, const render::RowPicture& picture, int lines) {
    int slot = settings::slotOf(item);
    render::Image& row = images_.rows[slot];
    const render::ListMetrics& m = images_.metrics;
    int height = m.linesHeight(std::max(1, lines));
    if (row.height() < height || row.width() != m.rowWidth) row.resize(m.rowWidth, height);
    Painted now{picture, row.background(), row.foreground(), row.height(),
                stripSignature(slot, picture.barWidth)};
    if (painted_[slot] == now) return;
    painted_[slot] = std::move(now);
    render::drawRowPicture(row, picture, picture.barWidth ? &strips_.items[slot] : nullptr,
                           painter_, m);
}

void RowPainter::paintDrives(const Readings& readings, std::span<const settings::DriveRow> drives,
                             const settings::Settings& s, const render::NumberSymbols& symbols,
                             render::Colour unlitLamp) {
    size_t count = std::min({drives.size(), readings.drives.size(), images_.driveRows.size()});
    const render::ListMetrics& m = images_.metrics;
    if (readings.drivesRefreshed) {
        for (size_t i = 0; i < count; ++i) {
            render::Image& row = images_.driveRows[i];
            if (row.width() != m.rowWidth || row.height() != m.rowHeight)
                row.resize(m.rowWidth, m.rowHeight);
            row.setBackground(background_);
            row.setForeground(text_);
        }
        for (size_t i = 0; i < count; ++i) {
            const DriveReading& reading = readings.drives[i];
            if (!reading.capacityRead) continue;
            render::Image& row = images_.driveRows[i];
            render::copyBlock(row, 0, 0, m.x(render::barWidthFor(drivePercent(reading.figures))),
                              m.rowHeight, strips_.drives[i], 0, 0);
            for (const DriveRowText& text : fitDriveTexts(driveRowTexts(
                     reading.figures, s.driveFigure1, s.driveFigure2, s.diskUnit, symbols)))
                painter_.drawText(row, text.x, m.y(1), text.text, row.foreground());
        }
    }
    for (size_t i = 0; i < count; ++i) {
        const Lamps& lamps = readings.drives[i].lamps;
        if (!lamps.draw) continue;
        render::Image& row = images_.driveRows[i];
        const base::DpiScale& d = m.scale;
        render::fillBox(row, d.px(15), d.px(1), d.lastPx(kLampsEnd - 1), d.lastPx(5),
                        lamps.readLit ? render::rgb(0, 255, 0) : unlitLamp);
        render::fillBox(row, d.px(15), d.px(7), d.lastPx(kLampsEnd - 1), d.lastPx(11),
                        lamps.writeLit ? render::rgb(255, 0, 0) : unlitLamp);
    }
}

// The figures after the lamps, in their order and on the row: a large drive's figures move
// right of the lamps and left from the row's end, and when even that leaves too little room the
// first figure drops its unit ("1,863.0/3,726.0GB").
std::vector<DriveRowText> RowPainter::fitDriveTexts(std::vector<DriveRowText> texts) {
    const render::ListMetrics& m = images_.metrics;
    for (DriveRowText& text : texts) text.x = m.x(text.x);
    if (texts.size() < 2) return texts;
    const int afterLamps = m.x(kFiguresStart);
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<render::InOrder> figures;
        for (size_t i = 1; i < texts.size(); ++i)
            figures.push_back(
                {texts[i].x, painter_.textWidth(texts[i].text), painter_.inkWidth(texts[i].text)});
        const bool fits = render::fitInOrder(figures, afterLamps, m.rowWidth);
        if (fits || attempt == 1 || texts.size() < 4) {
            for (size_t i = 1; i < texts.size(); ++i) texts[i].x = figures[i - 1].x;
            return texts;
        }
        std::wstring& first = texts[1].text;
        if (first.size() > 3) first.erase(first.size() - 3, 2);  // "GB/" -> "/"
    }
    return texts;
}

void RowPainter::paintNewVersion(const std::wstring& announcement) {
    render::Image& row = images_.newVersionRow;
    const render::ListMetrics& m = images_.metrics;
    if (row.width() != m.rowWidth || row.height() != m.rowHeight)
        row.resize(m.rowWidth, m.rowHeight);
    row.setBackground(render::rgb(128, 255, 255));
    row.setForeground(text_);
    painter_.drawText(row, m.x(150 - 20 * marqueeStep_), m.y(1), announcement, row.foreground());
    if (++marqueeStep_ >= static_cast<int>(announcement.size())) marqueeStep_ = 0;
}

}  // namespace monitor
