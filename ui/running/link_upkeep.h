#pragma once
#include "features/clipboard_link.h"
#include "settings/live_settings.h"
#include "ui/timer_service.h"

namespace ui {

// The clipboard link's clock: its one-second upkeep while the link is on (it has nothing to do
// while off, so the timer rests), and the one-shot quiet timer that tells a received text is
// whole. It follows the link's switch.
class LinkUpkeep {
public:
    LinkUpkeep(features::ClipboardLink& link, settings::LiveSettings& live, TimerService& timers);
    void start();

private:
    void schedule();

    features::ClipboardLink& link_;
    settings::LiveSettings& live_;
    TimerService::Timer upkeep_, quiet_;
};

}  // namespace ui
