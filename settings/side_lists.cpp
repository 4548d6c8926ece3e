#include "settings/side_lists.h"

#include <cwctype>
#include <optional>

namespace settings {
namespace {

long long countValue(const std::wstring& count) {
    long long value = 0;
    for (wchar_t c : count) {
        if (c == L' ') continue;
        if (!std::iswdigit(c)) break;
        value = value * 10 + (c - L'0');
        if (value > kMaxCloseCount) return kMaxCloseCount;
    }
    return value;
}

// Counts beyond eight digits would spill into the title on the next load.
std::wstring cappedCount(const std::wstring& count) {
    std::wstring digits = count.substr(std::min(count.find_first_not_of(L' '), count.size()));
    if (digits.size() > kCloseCountChars) return std::to_wstring(kMaxCloseCount);
    return count;
}

std::optional<std::vector<std::wstring>> readListFile(platform::TextFiles& files,
                                                      const std::wstring& path, bool* keepFile) {
    auto lines = files.readLines(path);
    if (keepFile) *keepFile = !lines && files.exists(path);
    return lines;
}

}  // namespace

std::wstring closeSortKey(const std::wstring& count) {
    std::wstring padded = std::wstring(kCloseCountChars, L'0') + count;
    return padded.substr(padded.size() - kCloseCountChars);
}

CloseEntry closeEntryFromLine(const std::wstring& line) {
    if (line.size() < kCloseCountChars) return newCloseEntry(line);
    CloseEntry entry;
    entry.title = line.substr(0, line.size() - kCloseCountChars);
    std::wstring tail = line.substr(line.size() - kCloseCountChars);
    entry.count = tail.substr(std::min(tail.find_first_not_of(L' '), tail.size()));
    entry.sortKey = closeSortKey(entry.count);
    return entry;
}

CloseEntry newCloseEntry(const std::wstring& title) { return {title, L"0", closeSortKey(L"0")}; }

void increaseCloseCount(CloseEntry& entry) {
    long long value = countValue(entry.count);
    if (value < kMaxCloseCount) ++value;
    entry.count = std::to_wstring(value);
    entry.sortKey = closeSortKey(entry.count);
}

std::vector<std::wstring> loadProxyList(platform::TextFiles& files, const std::wstring& path,
                                        bool* keepFile) {
    return readListFile(files, path, keepFile).value_or(std::vector<std::wstring>{});
}

std::vector<CloseEntry> loadCloseList(platform::TextFiles& files, const std::wstring& path,
                                      bool* keepFile) {
    std::vector<CloseEntry> entries;
    if (auto lines = readListFile(files, path, keepFile))
        for (const std::wstring& line : *lines) entries.push_back(closeEntryFromLine(line));
    return entries;
}

bool WriteCloseList(platform::TextFiles& files, const std::wstring& path,
                    std::vector<CloseEntry>& entries) {
    std::vector<std::wstring> lines;
    lines.reserve(entries.size());
    for (CloseEntry& entry : entries) {
        entry.count = cappedCount(entry.count);
        if (entry.count.size() < kCloseCountChars)
            entry.count.insert(0, kCloseCountChars - entry.count.size(), L' ');
        lines.push_back(entry.title + entry.count);
    }
    return files.writeLines(path, lines);
}

bool WriteProxyList(platform::TextFiles& files, const std::wstring& path,
                    const std::vector<std::wstring>& items) {
    return files.writeLines(path, items);
}

}  // namespace settings
