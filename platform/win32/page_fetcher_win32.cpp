#include "platform/win32/page_fetcher_win32.h"

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/http_client_winhttp.h"

namespace win32 {

struct PageFetcherWin32::Shared {
    std::mutex mutex;
    HWND window = nullptr;  // cleared when the fetcher goes
    std::vector<std::pair<UINT_PTR, platform::HttpResponse>> arrived;
};

namespace {

constexpr UINT kArrived = WM_APP + 1;
constexpr wchar_t kClassName[] = L"KorvaNT.Fetches";

void work(std::shared_ptr<PageFetcherWin32::Shared> shared, UINT_PTR id, std::wstring url) {
    platform::HttpResponse response = HttpClientWinHttp().get(url);
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (!shared->window) return;
    shared->arrived.emplace_back(id, std::move(response));
    PostMessageW(shared->window, kArrived, 0, 0);
}

}  // namespace

PageFetcherWin32::~PageFetcherWin32() {
    if (shared_) {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->window = nullptr;
    }
}

bool PageFetcherWin32::ensureWindow() {
    if (window_.hwnd()) return true;
    window_.create(kClassName, [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
        if (msg == kArrived)
            deliverArrived();
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

void PageFetcherWin32::fetch(const std::wstring& url, Done done) {
    if (!ensureWindow()) {
        if (done) done({});
        return;
    }
    UINT_PTR id = ++nextId_;
    waiting_[id] = std::move(done);
    SetTimer(window_.hwnd(), id, HttpClientWinHttp::kTimeoutMs, nullptr);
    std::thread(work, shared_, id, url).detach();
}

void PageFetcherWin32::deliverArrived() {
    std::vector<std::pair<UINT_PTR, platform::HttpResponse>> arrived;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        arrived.swap(shared_->arrived);
    }
    for (auto& [id, response] : arrived) {
        auto waiting = waiting_.find(id);
        if (waiting == waiting_.end()) continue;  // given up already
        KillTimer(window_.hwnd(), id);
        Done done = std::move(waiting->second);
        waiting_.erase(waiting);
        if (done) done(response);
    }
}

void PageFetcherWin32::giveUp(UINT_PTR id) {
    KillTimer(window_.hwnd(), id);
    auto waiting = waiting_.find(id);
    if (waiting == waiting_.end()) return;
    Done done = std::move(waiting->second);
    waiting_.erase(waiting);
    if (done) done({});
}

}  // namespace win32
