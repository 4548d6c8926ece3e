#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/owned_window.h"

namespace win32 {

// Runs each job on a worker thread of its own that touches no window, and hands its result to
// its callback on the thread that started it, through a message to a hidden window of that
// thread. A job may have a bound: not back by then, it is given up there and its callback gets
// the given-up result at once. Nothing waits for a worker: a result that comes after its job was
// given up, or after this object went, is dropped.
template <typename Result>
class WorkerResults {
public:
    using Done = std::function<void(Result)>;

    explicit WorkerResults(const wchar_t* className) : className_(className) {}
    WorkerResults(const WorkerResults&) = delete;
    WorkerResults& operator=(const WorkerResults&) = delete;
    ~WorkerResults() {
        if (!shared_) return;
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->window = nullptr;
    }

    // `job` gives the Result on the worker. False when no worker could be started: `done` is
    // then the caller's to answer.
    template <typename Job>
    bool start(Job job, Done done, UINT giveUpAfterMs = 0, Result givenUp = Result{}) {
        if (!ensureWindow()) return false;
        const UINT_PTR id = ++nextId_;
        try {
            std::thread([shared = shared_, id, job = std::move(job)]() mutable {
                Result result = job();
                std::lock_guard<std::mutex> lock(shared->mutex);
                if (!shared->window) return;
                shared->results.emplace_back(id, std::move(result));
                PostMessageW(shared->window, kResult, 0, 0);
            }).detach();
        } catch (const std::system_error&) {
            return false;
        }
        waiting_[id] = {std::move(done), std::move(givenUp)};
        if (giveUpAfterMs > 0) SetTimer(window_.hwnd(), id, giveUpAfterMs, nullptr);
        return true;
    }

private:
    static constexpr UINT kResult = WM_APP + 1;
    struct Shared {
        std::mutex mutex;
        HWND window = nullptr;  // cleared when the owner goes
        std::vector<std::pair<UINT_PTR, Result>> results;
    };
    struct Waiting {
        Done done;
        Result givenUp;
    };

    bool ensureWindow() {
        if (window_.hwnd()) return true;
        window_.create(className_, [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (msg == kResult)
                deliver();
            else if (msg == WM_TIMER)
                giveUp(wp);
            else
                return false;
            return true;
        });
        if (!window_.hwnd()) return false;
        shared_ = std::make_shared<Shared>();
        shared_->window = window_.hwnd();
        return true;
    }

    void deliver() {
        std::vector<std::pair<UINT_PTR, Result>> results;
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            results.swap(shared_->results);
        }
        for (auto& [id, result] : results)
            if (Done done = takeBack(id)) done(std::move(result));
    }

    void giveUp(UINT_PTR id) {
        auto waiting = waiting_.find(id);
        if (waiting == waiting_.end()) return;
        Result givenUp = std::move(waiting->second.givenUp);
        if (Done done = takeBack(id)) done(std::move(givenUp));
    }

    // The job's callback, no longer waiting; empty when it was answered already.
    Done takeBack(UINT_PTR id) {
        KillTimer(window_.hwnd(), id);
        auto waiting = waiting_.find(id);
        if (waiting == waiting_.end()) return {};
        Done done = std::move(waiting->second.done);
        waiting_.erase(waiting);
        return done;
    }

    const wchar_t* className_;
    MessageWindow window_;
    std::shared_ptr<Shared> shared_;
    UINT_PTR nextId_ = 0;
    std::map<UINT_PTR, Waiting> waiting_;
};

}  // namespace win32
