#pragma once
#include <string>

#include "monitor/page_texts.h"

namespace features {

inline const wchar_t* const kUpdatePageTitleNT = L"コルバ君ＮＴ最新版確認ページ";
inline const wchar_t* const kUpdatePageTitle9x = L"コルバ君9x最新版確認ページ";

// The most of an announcement that is shown; the row scrolls through all of it at every tick.
constexpr size_t kMaxAnnouncementChars = 1000;

// Reads the update page: the three digits after "----------", the announcement between
// "++++++++++" and "**********" (cut to its shown length), and "ok" when the page carries its title
// and the closing marker.
monitor::UpdateInfo parseUpdatePage(const std::wstring& page, const std::wstring& title);

}  // namespace features
