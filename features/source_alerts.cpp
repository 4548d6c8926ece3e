#include "features/source_alerts.h"

#include <algorithm>
#include <cmath>

#include "base/texts.h"

namespace features {
namespace {

bool sameRule(const settings::SourceSetting& a, const settings::SourceSetting& b) {
    return a.kind == b.kind && a.url == b.url && a.key == b.key && a.alertOn == b.alertOn &&
           a.alertBelow == b.alertBelow && a.alertThreshold == b.alertThreshold &&
           a.alertSeconds == b.alertSeconds;
}

std::wstring numberText(double value, const settings::SourceSetting& s) {
    wchar_t buffer[64];
    swprintf(buffer, 64, L"%.*f", std::clamp(s.decimals, 0, settings::kMaxSourceDecimals), value);
    return buffer + s.unit;
}

}  // namespace

double sourceAlertMargin(const settings::SourceSetting& s) {
    if (s.hasBar()) return std::fabs(*s.barMax - *s.barMin) / 20;
    const double margin = std::fabs(s.alertThreshold) / 20;
    // A threshold of 0 still needs a step back before it tells again.
    return margin > 0 ? margin : std::pow(10.0, -std::clamp(s.decimals, 0, 6));
}

std::vector<SourceNotice> SourceAlerts::check(std::int64_t nowMs,
                                              const std::vector<monitor::SourceReading>& readings,
                                              const std::vector<settings::SourceSetting>& sources) {
    // A source whose rule changed, or that moved, starts a new episode.
    std::vector<Watched> next;
    for (const settings::SourceSetting& s : sources) {
        auto same = std::find_if(watched_.begin(), watched_.end(),
                                 [&](const Watched& w) { return sameRule(w.setting, s); });
        if (same != watched_.end()) {
            next.push_back(std::move(*same));
            watched_.erase(same);
        } else {
            next.push_back({s, {}});
        }
    }
    watched_ = std::move(next);

    std::vector<SourceNotice> told;
    for (std::size_t i = 0; i < sources.size() && i < readings.size(); ++i) {
        const settings::SourceSetting& s = sources[i];
        const std::optional<double>& value = readings[i].value;
        if (!s.alertOn || !value) continue;
        const double margin = sourceAlertMargin(s);
        const bool raised = s.alertBelow ? *value <= s.alertThreshold : *value >= s.alertThreshold;
        const bool cleared =
            s.alertBelow ? *value > s.alertThreshold + margin : *value < s.alertThreshold - margin;
        if (!watched_[i].episode.update(nowMs, raised, cleared,
                                        static_cast<std::int64_t>(s.alertSeconds) * 1000))
            continue;
        const std::wstring name = s.name.empty() ? s.key : s.name;
        told.push_back({i, name,
                        base::format(s.alertBelow ? base::Text::SourceAlertBelow
                                                  : base::Text::SourceAlertAbove,
                                     {numberText(*value, s), numberText(s.alertThreshold, s),
                                      std::to_wstring(s.alertSeconds)})});
    }
    return told;
}

CombinedNotice combineNotices(const std::vector<CombinedNotice>& notices) {
    if (notices.empty()) return {};
    if (notices.size() == 1) return notices.front();
    CombinedNotice all{
        base::format(base::Text::AlertSeveralTitle, {std::to_wstring(notices.size())}), {}};
    for (const CombinedNotice& n : notices) {
        if (!all.text.empty()) all.text += L"\n";
        all.text += n.title + L": " + n.text;
    }
    return all;
}

}  // namespace features
