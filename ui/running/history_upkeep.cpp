#include "ui/running/history_upkeep.h"

namespace ui {

HistoryUpkeep::HistoryUpkeep(platform::TextFiles& files, platform::LocaleFormat& locale,
                             std::wstring path, TimerService& timers)
    : history_(files, locale, std::move(path)),
      writeTimer_(timers.make([this] { history_.writeFile(); })) {}

void HistoryUpkeep::start() {
    history_.readFile();
    writeTimer_.start(kWriteIntervalMs);
}

}  // namespace ui
