#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/clipboard_writer.h"
#include "platform/http_client.h"

namespace fakes {

// Pages by address; an address without a page fails like an unreachable server.
class FakeHttp : public platform::HttpClient {
public:
    std::map<std::wstring, std::wstring> pages;
    std::vector<std::wstring> requests;  // in call order

    platform::HttpResponse get(const std::wstring& url) override {
        requests.push_back(url);
        auto page = pages.find(url);
        if (page == pages.end()) return {};
        return {true, page->second};
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
