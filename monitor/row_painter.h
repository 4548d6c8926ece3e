#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "monitor/drive_items.h"
#include "monitor/readings.h"
#include "platform/text_painter.h"
#include "render/gradient.h"
#include "render/render_state.h"
#include "render/value_row.h"
#include "settings/display_item.h"
#include "settings/live_settings.h"

namespace monitor {

// Paints the rows of the list into their images. A row keeps its pixels from tick to tick:
// painted again with the same picture, colours, size and strip it would come out the same, so
// only a change repaints it.
class RowPainter {
public:
    RowPainter(render::RenderState& images, const render::BarStrips& strips,
               platform::TextPainter& painter)
        : images_(images), strips_(strips), painter_(painter) {}

    // The images were sized afresh (another DPI): every row is painted again.
    void forgetPainted();
    // Every item row takes the list's colours (the graph has an image of its own).
    void setColours(render::Colour background, render::Colour text);
    void paint(settings::Item item, const render::RowPicture& picture, int lines = 1);
    // The drive rows: afresh when the capacities were refreshed, their lamps on every tick.
    void paintDrives(const Readings& readings, std::span<const settings::DriveRow> drives,
                     const settings::Settings& s, const render::NumberSymbols& symbols,
                     render::Colour unlitLamp);
    // The shown sources' rows, in order; their bars take the processor row's strip.
    void paintSources(const std::vector<SourceReading>& sources);
    // The new-version row, scrolled one step further on every call.
    void paintNewVersion(const std::wstring& announcement);

private:
    struct Painted {
        render::RowPicture picture;
        render::Colour background = 0, foreground = 0;
        int height = 0;
        std::uint64_t strip = 0;
        bool operator==(const Painted&) const = default;
    };
    std::uint64_t stripSignature(int slot, std::optional<int> barWidth) const;
    // Designed x of the drive rows' texts to pixels, fitted between the lamps and the row's end.
    std::vector<DriveRowText> fitDriveTexts(std::vector<DriveRowText> texts);

    render::RenderState& images_;
    const render::BarStrips& strips_;
    platform::TextPainter& painter_;
    render::Colour background_ = 0;
    render::Colour text_ = 0;
    std::array<std::optional<Painted>, settings::kItemSlots> painted_;
    std::vector<std::optional<Painted>> paintedSources_;
    int marqueeStep_ = 0;
};

}  // namespace monitor
