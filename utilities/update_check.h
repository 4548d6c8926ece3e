#pragma once
#include <string>

#include "monitor/page_texts.h"

namespace utilities {

inline const wchar_t* const kUpdatePageTitleNT = L"コルバ君ＮＴ最新版確認ページ";
inline const wchar_t* const kUpdatePageTitle9x = L"コルバ君9x最新版確認ページ";

// Reads the update page: the three digits after "----------", the announcement between
// "++++++++++" and "**********", and "ok" when the page carries its title and the closing marker.
monitor::UpdateInfo parseUpdatePage(const std::wstring& page, const std::wstring& title);

}  // namespace utilities
