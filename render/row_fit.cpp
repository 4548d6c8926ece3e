#include "render/row_fit.h"

#include <algorithm>
#include <optional>

namespace render {
namespace {

constexpr wchar_t kEllipsis[] = L"…";

// The extent of a text's ink along its cells: blanks at either end take room but show nothing.
struct Extent {
    int lead = 0;  // from x to the first non-blank cell
    int end = 0;   // from x to the end of the last non-blank cell
};

Extent extentOf(const std::wstring& text, platform::TextPainter& painter) {
    size_t first = text.find_first_not_of(L" \u3000");
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L" \u3000");
    return {first == 0 ? 0 : painter.textWidth(text.substr(0, first)),
            painter.inkWidth(text.substr(0, last + 1))};
}

// The longest beginning of `label` that, with "…", takes at most `room` pixels; empty when not
// even "…" fits.
std::wstring cutLabel(const std::wstring& label, int room, platform::TextPainter& painter) {
    for (size_t keep = label.size(); keep-- > 0;) {
        std::wstring cut = label.substr(0, keep);
        while (!cut.empty() && (cut.back() == L' ' || cut.back() == L'\u3000')) cut.pop_back();
        cut += kEllipsis;
        if (painter.textWidth(cut) <= room) return cut;
    }
    return {};
}

}  // namespace

std::vector<PlacedText> fitRowTexts(const std::vector<RowText>& texts,
                                    platform::TextPainter& painter, const ListMetrics& m) {
    std::vector<PlacedText> placed;
    placed.reserve(texts.size());
    std::optional<size_t> label, value;
    for (size_t i = 0; i < texts.size(); ++i) {
        const RowText& t = texts[i];
        PlacedText p{m.x(t.x), m.y(t.y), t.text};
        if (t.followsPrevious && !placed.empty())
            p.x = placed.back().x + painter.textWidth(placed.back().text);
        else if (t.endsAt)
            p.x = m.x(*t.endsAt) - painter.textWidth(t.text);
        if (!t.text.empty() && t.role == TextRole::Label) label = i;
        if (!t.text.empty() && t.role == TextRole::Value) value = i;
        placed.push_back(std::move(p));
    }
    if (!value) return placed;

    PlacedText& v = placed[*value];
    const Extent ink = extentOf(v.text, painter);
    // The furthest right the value may start and still show all of it on the row.
    const int rightmost = m.rowWidth - ink.end;
    v.x = std::min(v.x, rightmost);
    if (!label) return placed;

    PlacedText& l = placed[*label];
    const int labelEnd = l.x + extentOf(l.text, painter).end;
    // A label and its value stand at least a blank cell apart, or they read as one word.
    const int gap = m.x(6);
    if (v.x + ink.lead >= labelEnd + gap) return placed;
    const int clear = labelEnd + gap - ink.lead;
    if (clear <= rightmost) {
        v.x = clear;
        return placed;
    }
    // No room for both: the value keeps what it shows, the label gives way.
    v.x = std::max(v.x, l.x - ink.lead);
    l.text = cutLabel(l.text, v.x + ink.lead - gap - l.x, painter);
    return placed;
}

bool fitInOrder(std::vector<InOrder>& texts, int left, int rowWidth) {
    if (texts.empty()) return true;
    // Clear of what stands before each; then back from the row's end.
    int from = left;
    for (InOrder& t : texts) {
        t.x = std::max(t.x, from);
        from = t.x + t.width;
    }
    int limit = rowWidth;
    for (auto t = texts.rbegin(); t != texts.rend(); ++t) {
        // The last one shows all of its ink; each other ends where the next begins.
        t->x = std::min(t->x, limit - (t == texts.rbegin() ? t->ink : t->width));
        limit = t->x;
    }
    if (texts.front().x >= left) return true;
    from = left;
    for (InOrder& t : texts) {
        t.x = std::max(t.x, from);
        from = t.x + t.width;
    }
    return false;
}

}  // namespace render
