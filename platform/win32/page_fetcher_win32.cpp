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
    if (window_) DestroyWindow(window_);
}

bool PageFetcherWin32::ensureWindow() {
    if (window_) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    if (!window_) return false;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    shared_ = std::make_shared<Shared>();
    shared_->window = window_;
    return true;
}

void PageFetcherWin32::fetch(const std::wstring& url, Done done) {
    if (!ensureWindow()) {
        if (done) done({});
        return;
    }
    UINT_PTR id = ++nextId_;
    waiting_[id] = std::move(done);
    SetTimer(window_, id, HttpClientWinHttp::kTimeoutMs, nullptr);
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
        KillTimer(window_, id);
        Done done = std::move(waiting->second);
        waiting_.erase(waiting);
        if (done) done(response);
    }
}

void PageFetcherWin32::giveUp(UINT_PTR id) {
    KillTimer(window_, id);
    auto waiting = waiting_.find(id);
    if (waiting == waiting_.end()) return;
    Done done = std::move(waiting->second);
    waiting_.erase(waiting);
    if (done) done({});
}

LRESULT CALLBACK PageFetcherWin32::windowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<PageFetcherWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && msg == kArrived) {
        self->deliverArrived();
        return 0;
    }
    if (self && msg == WM_TIMER) {
        self->giveUp(wp);
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace win32
