#pragma once
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

// Missing files give empty lists. A file that is there but cannot be read whole gives an empty
// list too, and `keepFile` tells that the file must not be written back: that would cut it.
std::vector<std::wstring> loadProxyList(platform::TextFiles& files, const std::wstring& path,
                                        bool* keepFile = nullptr);
std::vector<CloseEntry> loadCloseList(platform::TextFiles& files, const std::wstring& path,
                                      bool* keepFile = nullptr);

// The counts are padded in place, as the list shows them afterwards.
bool WriteCloseList(platform::TextFiles& files, const std::wstring& path,
                    std::vector<CloseEntry>& entries);
bool WriteProxyList(platform::TextFiles& files, const std::wstring& path,
                    const std::vector<std::wstring>& items);

}  // namespace settings
