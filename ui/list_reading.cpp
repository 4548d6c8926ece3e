#include "ui/list_reading.h"

#include <algorithm>

namespace ui {

std::optional<int> ListReading::focused() const {
    if (!focused_) return std::nullopt;
    const int count = static_cast<int>(rows().size());
    if (count == 0) return std::nullopt;
    return std::min(*focused_, count - 1);
}

bool ListReading::move(int step) {
    const int count = static_cast<int>(rows().size());
    if (count == 0) return false;
    const std::optional<int> from = focused();
    const int to = from ? std::clamp(*from + step, 0, count - 1) : (step < 0 ? count - 1 : 0);
    const bool changed = from != to;
    focused_ = to;
    return changed;
}

bool ListReading::moveToEnd(bool last) {
    const int count = static_cast<int>(rows().size());
    if (count == 0) return false;
    const int to = last ? count - 1 : 0;
    const bool changed = focused() != to;
    focused_ = to;
    return changed;
}

std::optional<int> ListReading::rowAt(int y) const {
    const std::vector<monitor::ShownRow> all = rows();
    for (size_t i = 0; i < all.size(); ++i)
        if (y >= all[i].top && y < all[i].top + all[i].height) return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace ui
