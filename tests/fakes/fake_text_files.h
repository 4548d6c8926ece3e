#pragma once
#include <map>
#include <set>

#include "platform/text_files.h"

namespace fakes {

class FakeTextFiles : public platform::TextFiles {
public:
    std::map<std::wstring, std::vector<std::wstring>> files;
    std::map<std::wstring, platform::TextEncoding> encodings;  // ANSI where none is given
    std::map<std::wstring, size_t> undecodableLine;  // the first line its encoding cannot decode
    std::set<std::wstring> failing;                  // paths whose writes fail
    std::set<std::wstring> unreadable;  // paths that are there but cannot be read whole
    int writes = 0;

    std::optional<platform::TextFileLines> readLines(const std::wstring& path) override {
        auto f = files.find(path);
        if (f == files.end() || unreadable.count(path)) return std::nullopt;
        platform::TextFileLines read{f->second, encodings[path]};
        if (auto cut = undecodableLine.find(path); cut != undecodableLine.end()) {
            read.whole = cut->second >= read.lines.size();
            read.lines.resize(std::min(cut->second, read.lines.size()));
        }
        return read;
    }
    bool exists(const std::wstring& path) override {
        return files.count(path) || unreadable.count(path);
    }
    bool writeLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                    platform::TextEncoding encoding) override {
        if (failing.count(path)) return false;
        ++writes;
        files[path] = lines;
        encodings[path] = encoding;
        undecodableLine.erase(path);
        return true;
    }
};

}  // namespace fakes
