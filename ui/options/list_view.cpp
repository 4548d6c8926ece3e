#include "ui/options/list_view.h"

#include <vector>

#include "base/texts.h"
#include "platform/win32/dpi_win32.h"

namespace ui::options {

void ListView::attach(HWND list, std::initializer_list<Column> columns, bool checkBoxes) {
    list_ = list;
    DWORD extended = LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    const int dpi = win32::dpiOfWindow(list_);
    int i = 0;
    headers_.clear();
    for (const Column& c : columns) {
        headers_.push_back(c.header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(base::text(c.header));
        column.cx = win32::scaledForDpi(c.width, dpi);
        column.iSubItem = i;
        SendMessageW(list_, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&column));
    }
}

void ListView::retitle() {
    for (size_t i = 0; i < headers_.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(base::text(headers_[i]));
        SendMessageW(list_, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void ListView::setRowCount(size_t rows) {
    size_t count = static_cast<size_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    while (count > rows) SendMessageW(list_, LVM_DELETEITEM, --count, 0);
    for (; count < rows; ++count) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(count);
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void ListView::setText(size_t row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::setChecked(size_t row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool ListView::checked(size_t row) const {
    auto state = static_cast<UINT>(SendMessageW(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void ListView::select(size_t row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
}

std::optional<size_t> ListView::selected() const {
    auto row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0) return std::nullopt;
    return static_cast<size_t>(row);
}

std::optional<RowChange> rowChange(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED) return std::nullopt;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return std::nullopt;
    RowChange result;
    result.row = static_cast<size_t>(change.iItem);
    UINT oldImage = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
    UINT newImage = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
    // A new row's box appearing (no image before) is no change by the user.
    result.checkChanged = oldImage != 0 && newImage != 0 && oldImage != newImage;
    result.checked = newImage == 2;
    result.becameSelected =
        (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    if (!result.checkChanged && !result.becameSelected) return std::nullopt;
    return result;
}

void sizeClientArea(HWND control, int width, int height) {
    RECT window{}, client{};
    GetWindowRect(control, &window);
    GetClientRect(control, &client);
    int borderX = (window.right - window.left) - client.right;
    int borderY = (window.bottom - window.top) - client.bottom;
    SetWindowPos(control, nullptr, 0, 0, width + borderX, height + borderY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring controlText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    GetWindowTextW(control, buffer.data(), length + 1);
    return buffer.data();
}

}  // namespace ui::options
