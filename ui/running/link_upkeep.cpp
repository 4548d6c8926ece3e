#include "ui/running/link_upkeep.h"

namespace ui {

LinkUpkeep::LinkUpkeep(features::ClipboardLink& link, settings::LiveSettings& live,
                       TimerService& timers)
    : link_(link),
      live_(live),
      upkeep_(timers.make([this] { link_.tick(); })),
      quiet_(timers.make([this] {
          quiet_.stop();
          link_.quietTimerFired();
      })) {
    link_.armQuietTimer = [this](unsigned milliseconds) { quiet_.start(milliseconds); };
}

void LinkUpkeep::start() {
    schedule();
    live_.notices.subscribe([this](const settings::Change& change) {
        if (!change.names(&live_.settings.clipboardLinkOn)) return;
        link_.enabledChanged();
        schedule();
    });
}

void LinkUpkeep::schedule() { upkeep_.start(live_.settings.clipboardLinkOn == 1 ? 1000 : 0); }

}  // namespace ui
