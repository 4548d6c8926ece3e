#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/dpi_scale.h"
#include "base/image.h"
#include "features/placed_text.h"
#include "features/source_history.h"

namespace features {

// One source's line in the trend window's chart of the sources.
struct SourceLine {
    enum class Scale { Percent, BarRange, SpanRange };
    std::size_t index = 0;  // in the list: its colour stays when another source has no line
    const SourceSeries* series = nullptr;
    std::vector<float> columns;      // a mean a pixel column; NaN for a column without a value
    double low = 0, high = 100;      // the plot's bottom and top
    double lowest = 0, highest = 0;  // of the span's columns, for a scale taken from them
    Scale scale = Scale::Percent;
};

// The shown sources with a value in the span `first` .. `first + spanSeconds - 1`, `width`
// columns each: a source in % on 0-100, one with a bar range on it, any other on the span's
// lowest to highest.
std::vector<SourceLine> sourceLines(const SourceHistory& history, std::int64_t first,
                                    std::int64_t spanSeconds, int width);

base::Colour sourceLineColour(std::size_t index);

struct PlotBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom not included
};
// The lines inside `plot`, each on its own scale.
void drawSourceLines(base::Image& image, base::DpiScale scale, const PlotBox& plot,
                     const std::vector<SourceLine>& lines);

// The legend under the time axis: each line's colour, the source's name, its current value and
// its scale, as many to a line as the width takes.
std::wstring sourceLegendText(const SourceLine& line);
int sourceLegendHeight(base::DpiScale scale, int width, const std::vector<SourceLine>& lines);
void drawSourceLegend(base::Image& image, base::DpiScale scale, const PlotBox& box,
                      const std::vector<SourceLine>& lines, std::vector<PlacedText>& texts);

}  // namespace features
