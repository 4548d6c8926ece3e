#include "features/update_check.h"

#include "base/text_search.h"

namespace features {
namespace {

const std::wstring kVersionMarker = L"----------";
const std::wstring kAnnouncementMarker = L"++++++++++";
const std::wstring kEndMarker = L"**********";

}  // namespace

monitor::UpdateInfo parseUpdatePage(const std::wstring& page, const std::wstring& title) {
    monitor::UpdateInfo info;
    if (size_t v = base::findNoCase(page, kVersionMarker))
        info.newestVersion = page.substr(v - 1 + kVersionMarker.size(), 3);

    size_t start = base::findNoCase(page, kAnnouncementMarker);
    size_t end = base::findNoCase(page, kEndMarker);
    // A page with the markers missing or out of order simply has no announcement.
    if (start && end && end >= start + kAnnouncementMarker.size())
        info.announcement = page.substr(start - 1 + kAnnouncementMarker.size(),
                                        end - start - kAnnouncementMarker.size());
    if (info.announcement.size() > kMaxAnnouncementChars)
        info.announcement.resize(kMaxAnnouncementChars);

    if (end && base::findNoCase(page, title)) info.result = L"ok";
    return info;
}

}  // namespace features
