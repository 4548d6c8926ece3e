#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text_files.h"

namespace settings {

// One row of the close list: a browser window title and how often it was closed.
struct CloseEntry {
    std::wstring title;
    std::wstring count;    // decimal text
    std::wstring sortKey;  // the count left-padded with "0" to 8 characters
    bool ticked = false;   // marked for deletion in the options window; not stored
};

constexpr size_t kCloseCountChars = 8;
constexpr long long kMaxCloseCount = 99999999;  // the most that fits the count field

CloseEntry closeEntryFromLine(const std::wstring& line);
CloseEntry newCloseEntry(const std::wstring& title);
std::wstring closeSortKey(const std::wstring& count);
// Counts one more close; stays at the largest count the file can hold.
void increaseCloseCount(CloseEntry& entry);

// What a list's file held when it was loaded, which decides what a save may do with it.
struct ListFile {
    bool existed = false;
    // There but not read whole (unreadable, or past the size bound): never written back, that
    // would cut it.
    bool keep = false;
    platform::TextEncoding encoding = platform::TextEncoding::Ansi;
    // The lines a write would give for the list as loaded: while the list would still be
    // written so, the file is left as it stands, whatever bytes it holds. So a file loaded only
    // up to bytes its encoding cannot decode is written back only once the list changed.
    std::uint64_t linesPrint = 0;
};

// Missing files give empty lists. A file that is there but cannot be read whole gives an empty
// list too.
std::vector<std::wstring> loadProxyList(platform::TextFiles& files, const std::wstring& path,
                                        ListFile* file = nullptr);
std::vector<CloseEntry> loadCloseList(platform::TextFiles& files, const std::wstring& path,
                                      ListFile* file = nullptr);

// Write the list unless `file` says it must stay or the list is as loaded from it; in the
// file's encoding. The counts are padded in place, as the list shows them afterwards.
bool WriteCloseList(platform::TextFiles& files, const std::wstring& path,
                    std::vector<CloseEntry>& entries, ListFile* file = nullptr);
bool WriteProxyList(platform::TextFiles& files, const std::wstring& path,
                    const std::vector<std::wstring>& items, ListFile* file = nullptr);

}  // namespace settings
