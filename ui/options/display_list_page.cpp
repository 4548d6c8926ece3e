#include "ui/options/display_list_page.h"

#include <optional>

#include "base/texts.h"
#include "platform/win32/image_bitmap.h"
#include "render/rounding.h"
#include "ui/options/display_list_editor.h"
#include "ui/options/list_pages_ids.h"
#include "ui/options/list_view.h"

namespace ui::options {
namespace {

render::Colour systemColour(int index) { return static_cast<render::Colour>(GetSysColor(index)); }

class DisplayListPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_DISPLAY_LIST; }

    void create(PageContext& c) override {
        editor_.emplace(DisplayListEditor::Targets{c.live, c.program, systemColour});
        list_.attach(item(IDC_DISPLAY_LIST), {{base::Text::ColumnItem, 150},
                                              {base::Text::ColumnNumber, 36},
                                              {base::Text::ColumnColour1, 70},
                                              {base::Text::ColumnColour2, 70}});
        const render::BarStrips& strips = c.program.barStrips();
        sizeClientArea(item(IDC_DISPLAY_PREVIEW), strips.rowWidth, strips.rowHeight);
    }

    void load(PageContext& c) override {
        filling_ = true;
        const auto& rows = c.live.displayRows;
        list_.setRowCount(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) showRow(c, i);
        filling_ = false;
        // As at start-up, the first row is selected and its bar shown.
        size_t row = editor_->selected().value_or(0);
        if (row < rows.size()) {
            editor_->select(row);
            filling_ = true;
            list_.select(row);
            filling_ = false;
        }
        showSelection();
    }

    void changed(PageContext& c, const settings::Change& change) override {
        if (!change.names(&c.live.settings.language)) return;
        list_.retitle();
        const auto& rows = c.live.displayRows;
        for (size_t i = 0; i < rows.size(); ++i)
            list_.setText(i, 0, base::text(settings::catalogueItem(rows[i].id)->label));
        showSelection();
    }

    bool onCommand(PageContext& c, int id, int code) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
            case IDC_DISPLAY_UP:
            case IDC_DISPLAY_DOWN:
                move(c, id == IDC_DISPLAY_UP);
                return true;
            case IDC_DISPLAY_START_COLOUR:
                pickColour(c, ColourTarget::Start);
                return true;
            case IDC_DISPLAY_END_COLOUR:
                pickColour(c, ColourTarget::End);
                return true;
            case IDC_DISPLAY_SINGLE_COLOUR:
                pickColour(c, ColourTarget::Both);
                return true;
        }
        return false;
    }

    bool onNotify(PageContext&, NMHDR& header, LRESULT&) override {
        if (header.idFrom != IDC_DISPLAY_LIST || filling_) return false;
        std::optional<RowChange> change = rowChange(header);
        if (!change) return false;
        if (change->checkChanged) {
            bool shown = editor_->setShown(change->row, change->checked);
            if (shown != change->checked) setChecked(change->row, shown);
        }
        if (change->becameSelected) {
            editor_->select(change->row);
            showSelection();
        }
        return true;
    }

    bool onMessage(PageContext&, UINT msg, WPARAM, LPARAM lp, INT_PTR& result) override {
        if (msg != WM_DRAWITEM) return false;
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (draw->CtlID != IDC_DISPLAY_PREVIEW) return false;
        win32::drawImage(draw->hDC, editor_->preview(), 0, 0);
        result = TRUE;
        return true;
    }

private:
    void showRow(PageContext& c, size_t i) {
        const settings::DisplayRow& row = c.live.displayRows[i];
        list_.setText(i, 0, base::text(settings::catalogueItem(row.id)->label));
        list_.setText(i, 1, std::to_wstring(settings::idOf(row.id)));
        list_.setText(i, 2, std::to_wstring(row.colour1));
        list_.setText(i, 3, std::to_wstring(row.colour2));
        list_.setChecked(i, row.shown);
    }

    void setChecked(size_t row, bool checked) {
        filling_ = true;
        list_.setChecked(row, checked);
        filling_ = false;
    }

    void showSelection() {
        SetDlgItemTextW(hwnd(), IDC_DISPLAY_START_COLOUR, base::text(editor_->captions().start));
        SetDlgItemTextW(hwnd(), IDC_DISPLAY_END_COLOUR, base::text(editor_->captions().end));
        InvalidateRect(item(IDC_DISPLAY_PREVIEW), nullptr, FALSE);
    }

    void move(PageContext& c, bool up) {
        std::optional<size_t> from = editor_->selected();
        if (!from || !(up ? editor_->moveUp() : editor_->moveDown())) return;
        size_t to = *editor_->selected();
        filling_ = true;
        showRow(c, *from);
        showRow(c, to);
        list_.select(to);
        filling_ = false;
    }

    void pickColour(PageContext& c, ColourTarget target) {
        // The dialog opens without the row's colour, as it always has.
        bool changed = editor_->pickColour(target, [&] { return c.chooseColour(hwnd(), 0); });
        if (changed) {
            filling_ = true;
            showRow(c, *editor_->selected());
            filling_ = false;
        }
        showSelection();
    }

    std::optional<DisplayListEditor> editor_;
    ListView list_;
    bool filling_ = false;
};

}  // namespace

std::unique_ptr<Page> makeDisplayListPage() { return std::make_unique<DisplayListPage>(); }

}  // namespace ui::options
