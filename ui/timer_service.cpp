#include "ui/timer_service.h"

namespace ui {

void TimerService::Timer::start(unsigned milliseconds) {
    if (service_) service_->set(id_, milliseconds);
}

void TimerService::Timer::stop() {
    if (service_) service_->set(id_, 0);
}

void TimerService::attach(HWND host) {
    host_ = host;
    for (auto& [id, entry] : timers_)
        if (entry.interval) SetTimer(host_, id, entry.interval, nullptr);
}

TimerService::Timer TimerService::make(std::function<void()> onTick) {
    UINT_PTR id = nextId_++;
    timers_[id].onTick = std::move(onTick);
    return Timer(this, id);
}

bool TimerService::dispatch(UINT_PTR id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return false;
    // A timer stopped while its message was queued has nothing left to do.
    if (found->second.interval && found->second.onTick) found->second.onTick();
    return true;
}

void TimerService::set(UINT_PTR id, unsigned milliseconds) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    found->second.interval = milliseconds;
    if (!host_) return;
    if (milliseconds)
        SetTimer(host_, id, milliseconds, nullptr);
    else
        KillTimer(host_, id);
}

bool TimerService::running(UINT_PTR id) const {
    auto found = timers_.find(id);
    return found != timers_.end() && found->second.interval != 0;
}

}  // namespace ui
