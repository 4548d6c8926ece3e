#pragma once
#include <windows.h>

#include <functional>
#include <map>

namespace ui {

// The window timers of the host window: each running part asks for its own timer, and this
// service gives out the ids and runs the one handler of each tick.
class TimerService {
public:
    // One timer of one part. Start or stop it at will; a start while running sets the new
    // interval, counting from now.
    class Timer {
    public:
        Timer() = default;
        void start(unsigned milliseconds);
        void stop();
        bool running() const { return service_ && service_->running(id_); }

    private:
        friend class TimerService;
        Timer(TimerService* service, UINT_PTR id) : service_(service), id_(id) {}
        TimerService* service_ = nullptr;
        UINT_PTR id_ = 0;
    };

    TimerService() = default;
    TimerService(const TimerService&) = delete;
    TimerService& operator=(const TimerService&) = delete;

    // The window whose WM_TIMER messages come to `dispatch`; timers started before it is known
    // start then.
    void attach(HWND host);
    Timer make(std::function<void()> onTick);
    // The host's WM_TIMER; false for an id this service did not give out.
    bool dispatch(UINT_PTR id);

private:
    struct Entry {
        std::function<void()> onTick;
        unsigned interval = 0;  // 0: stopped
    };
    void set(UINT_PTR id, unsigned milliseconds);
    bool running(UINT_PTR id) const;

    HWND host_ = nullptr;
    UINT_PTR nextId_ = 1;
    std::map<UINT_PTR, Entry> timers_;
};

}  // namespace ui
