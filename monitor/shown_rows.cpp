#include "monitor/shown_rows.h"

#include "settings/display_catalogue.h"

namespace monitor {
namespace {

// Texts drawn in parts (a value and its unit, a figure and "GB/") read as one; separate texts
// as words.
void append(std::wstring& words, const std::wstring& text, bool followsPrevious) {
    if (text.empty()) return;
    const bool joined = followsPrevious || words.empty() || words.back() == L'/';
    if (!joined && words.back() != L' ' && text.front() != L' ') words += L' ';
    words += text;
}

std::wstring trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

ShownRow wordsOf(settings::Item item, const render::RowPicture& picture) {
    ShownRow row;
    for (const render::RowText& t : picture.texts) {
        if (t.role == render::TextRole::Label)
            append(row.name, t.text, false);
        else
            append(row.value, t.text, t.followsPrevious);
    }
    row.name = trimmed(row.name);
    row.value = trimmed(row.value);
    if (row.name.empty())
        if (const settings::CatalogueItem* entry = settings::catalogueItem(item))
            row.name = base::text(entry->label);
    return row;
}

std::wstring rowsAsText(std::span<const ShownRow> rows) {
    std::wstring text;
    for (const ShownRow& row : rows) text += row.name + L"\t" + row.value + L"\r\n";
    return text;
}

}  // namespace monitor
