#pragma once
#include <string>
#include <vector>

#include "platform/profile_file.h"

namespace settings {

// Where the maker's pages are: keys of KorvaNT.ini that the program never writes.
struct ServerAddresses {
    std::wstring updatePage;
    std::wstring ipPage;
    std::wstring homePage;
    std::wstring counterPage;  // empty: no access counting
    // Keys whose address a lone CR cut short in the file, to tell the user.
    std::vector<std::wstring> cutKeys;
};

ServerAddresses readServerAddresses(platform::ProfileFile& ini);

// The counter page's address for one program start: version and kind in the query.
std::wstring counterQueryAddress(const std::wstring& counterPage);

}  // namespace settings
