#pragma once
// commctrl.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/image.h"
#include "base/texts.h"

namespace ui::options {

// A report list view with check boxes, as the list pages use it.
class ListView {
public:
    struct Column {
        base::Text header;
        int width;  // pixels at 96 DPI, scaled to the list's
    };
    void attach(HWND list, std::initializer_list<Column> columns, bool checkBoxes = true);
    HWND hwnd() const { return list_; }
    // The column headers in the current language.
    void retitle();

    // Rows keep their count and take new texts; the caller fills them in order.
    void setRowCount(size_t rows);
    void setText(size_t row, int column, const std::wstring& text);
    void setChecked(size_t row, bool checked);
    bool checked(size_t row) const;
    void select(size_t row);
    std::optional<size_t> selected() const;

private:
    HWND list_ = nullptr;
    std::vector<base::Text> headers_;
};

// What an LVN_ITEMCHANGED says about a row: its check box or its selection changed.
struct RowChange {
    size_t row = 0;
    bool checkChanged = false;
    bool checked = false;
    bool becameSelected = false;
};
std::optional<RowChange> rowChange(const NMHDR& header);

// An owner-drawn picture control sized so that its client area is exactly width x height pixels.
void sizeClientArea(HWND control, int width, int height);

std::wstring controlText(HWND control);

}  // namespace ui::options
