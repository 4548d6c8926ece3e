#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/clipboard_writer.h"
#include "platform/http_client.h"
#include "platform/page_fetcher.h"

namespace fakes {

// Fetches wait until the test delivers them, oldest first, as pages or as failures.
class FakeFetcher : public platform::PageFetcher {
public:
    std::map<std::wstring, std::wstring> pages;
    std::vector<std::wstring> requests;  // in call order
    std::deque<std::pair<std::wstring, Done>> pending;

    void fetch(const std::wstring& url, Done done) override {
        requests.push_back(url);
        pending.emplace_back(url, std::move(done));
    }
    bool deliverNext() {
        if (pending.empty()) return false;
        auto [url, done] = std::move(pending.front());
        pending.pop_front();
        auto page = pages.find(url);
        platform::HttpResponse response;
        if (page != pages.end()) response = {true, page->second};
        if (done) done(response);
        return true;
    }
    void deliverAll() {
        while (deliverNext()) {
        }
    }
};

class FakeClipboardWriter : public platform::ClipboardWriter {
public:
    std::vector<std::wstring> written;
    bool writeText(const std::wstring& text) override {
        written.push_back(text);
        return true;
    }
};

}  // namespace fakes
