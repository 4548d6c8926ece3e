#pragma once
#include <map>
#include <set>

#include "platform/text_files.h"

namespace fakes {

class FakeTextFiles : public platform::TextFiles {
public:
    std::map<std::wstring, std::vector<std::wstring>> files;
    std::set<std::wstring> failing;     // paths whose writes fail
    std::set<std::wstring> unreadable;  // paths that are there but cannot be read whole

    std::optional<std::vector<std::wstring>> readLines(const std::wstring& path) override {
        auto f = files.find(path);
        if (f == files.end() || unreadable.count(path)) return std::nullopt;
        return f->second;
    }
    bool exists(const std::wstring& path) override {
        return files.count(path) || unreadable.count(path);
    }
    bool writeLines(const std::wstring& path, const std::vector<std::wstring>& lines) override {
        if (failing.count(path)) return false;
        files[path] = lines;
        return true;
    }
};

}  // namespace fakes
