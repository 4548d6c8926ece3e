#pragma once
#include <string>

#include "platform/profile_file.h"

namespace settings {

// Where the maker's pages are: section Servers of KorvaNT.ini, never written by the program.
struct ServerAddresses {
    std::wstring updatePage;
    std::wstring ipPage;
    std::wstring homePage;
    std::wstring counterPage;  // empty: no access counting
};

inline const wchar_t* const kDefaultUpdatePage = L"http://127.0.0.1:8336/update";
inline const wchar_t* const kDefaultIpPage = L"http://127.0.0.1:8336/ip";
inline const wchar_t* const kDefaultHomePage = L"http://127.0.0.1:8336/";

ServerAddresses readServerAddresses(platform::ProfileFile& ini);

// The counter page's address for one program start: version and kind in the query.
std::wstring counterQueryAddress(const std::wstring& counterPage);

}  // namespace settings
