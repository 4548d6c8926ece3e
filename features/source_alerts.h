#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "features/alerts.h"
#include "monitor/readings.h"
#include "settings/source_settings.h"

namespace features {

// A source's notice: named by the source, its value and threshold in its unit.
struct SourceNotice {
    std::size_t source;  // its place in the list
    std::wstring title;
    std::wstring text;
};

// The sources' alerts, by the rules the built-in ones keep: the value past its threshold for
// its hold time tells once, at most once in ten minutes, and again only after the value was
// back past a margin (a twentieth of the bar's range, or of the threshold) for the same time.
// A source without a current value neither raises nor clears.
class SourceAlerts {
public:
    std::vector<SourceNotice> check(std::int64_t nowMs,
                                    const std::vector<monitor::SourceReading>& readings,
                                    const std::vector<settings::SourceSetting>& sources);

private:
    struct Watched {
        settings::SourceSetting setting;  // what the episode was counted for
        AlertEpisode episode;
    };
    std::vector<Watched> watched_;
};

// The margin by which a source's value must be back before its alert may tell again.
double sourceAlertMargin(const settings::SourceSetting& source);

// Several notices due at once are told together: one balloon replaces another, so the later
// ones would never be seen.
struct CombinedNotice {
    std::wstring title;
    std::wstring text;
};
CombinedNotice combineNotices(const std::vector<CombinedNotice>& notices);

}  // namespace features
