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

// FNV-1a over each line's length and characters.
class LinesPrint {
public:
    void add(const std::wstring& line) {
        mix(line.size());
        for (wchar_t c : line) mix(static_cast<std::uint64_t>(c));
    }
    std::uint64_t value() const { return print_; }

private:
    void mix(std::uint64_t value) { print_ = (print_ ^ value) * 1099511628211ull; }
    std::uint64_t print_ = 14695981039346656037ull;
};

std::uint64_t printOf(const std::vector<std::wstring>& lines) {
    LinesPrint print;
    for (const std::wstring& line : lines) print.add(line);
    return print.value();
}

std::vector<std::wstring> readListFile(platform::TextFiles& files, const std::wstring& path,
                                       ListFile* file) {
    auto read = files.readLines(path);
    if (file) {
        *file = ListFile{};
        file->existed = files.exists(path);
        file->keep = !read && file->existed;
        if (read) file->encoding = read->encoding;
    }
    if (!read) return {};
    return std::move(read->lines);
}

bool writeListFile(platform::TextFiles& files, const std::wstring& path,
                   const std::vector<std::wstring>& lines, ListFile* file) {
    if (!file) return files.writeLines(path, lines, platform::TextEncoding::Ansi);
    if (file->keep) return true;
    std::uint64_t print = printOf(lines);
    // A file removed meanwhile is written again.
    if (file->existed && print == file->linesPrint && files.exists(path)) return true;
    if (!files.writeLines(path, lines, file->encoding)) return false;
    file->existed = true;
    file->linesPrint = print;
    return true;
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
                                        ListFile* file) {
    std::vector<std::wstring> items = readListFile(files, path, file);
    if (file) file->linesPrint = printOf(items);
    return items;
}

namespace {

std::wstring paddedCount(const std::wstring& count) {
    std::wstring padded = cappedCount(count);
    if (padded.size() < kCloseCountChars) padded.insert(0, kCloseCountChars - padded.size(), L' ');
    return padded;
}

}  // namespace

std::vector<CloseEntry> loadCloseList(platform::TextFiles& files, const std::wstring& path,
                                      ListFile* file) {
    std::vector<CloseEntry> entries;
    std::vector<std::wstring> lines = readListFile(files, path, file);
    entries.reserve(lines.size());
    for (const std::wstring& line : lines) entries.push_back(closeEntryFromLine(line));
    // Marked by the lines the loaded list writes, not the file's: a short line is written
    // longer, and that is no change of the list.
    if (file) {
        LinesPrint print;
        for (const CloseEntry& entry : entries) print.add(entry.title + paddedCount(entry.count));
        file->linesPrint = print.value();
    }
    return entries;
}

bool WriteCloseList(platform::TextFiles& files, const std::wstring& path,
                    std::vector<CloseEntry>& entries, ListFile* file) {
    std::vector<std::wstring> lines;
    lines.reserve(entries.size());
    for (CloseEntry& entry : entries) {
        entry.count = paddedCount(entry.count);
        lines.push_back(entry.title + entry.count);
    }
    return writeListFile(files, path, lines, file);
}

bool WriteProxyList(platform::TextFiles& files, const std::wstring& path,
                    const std::vector<std::wstring>& items, ListFile* file) {
    return writeListFile(files, path, items, file);
}

}  // namespace settings
