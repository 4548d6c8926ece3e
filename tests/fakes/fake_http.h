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

    // Asks wait as fetches do; the test answers them in any order.
    std::vector<std::pair<platform::PageAsk, Answered>> asks;
    void ask(const platform::PageAsk& a, Answered answered) override {
        asks.emplace_back(a, std::move(answered));
    }
    // Answers the oldest ask; false when none waits.
    bool answer(platform::PageAnswer answer) {
        if (asks.empty()) return false;
        Answered answered = std::move(asks.front().second);
        asks.erase(asks.begin());
        if (answered) answered(answer);
        return true;
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
