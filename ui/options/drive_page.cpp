#include "ui/options/drive_page.h"

#include <optional>

#include "base/texts.h"
#include "monitor/drive_items.h"
#include "platform/win32/image_bitmap.h"
#include "render/rounding.h"
#include "ui/options/drive_list_editor.h"
#include "ui/options/list_pages_ids.h"
#include "ui/options/list_view.h"
#include "ui/options/setting_rules.h"

namespace ui::options {
namespace {

render::Colour systemColour(int index) { return static_cast<render::Colour>(GetSysColor(index)); }

using base::Text;

constexpr Text kFigures[] = {Text::DriveUsed, Text::DriveFree, Text::DriveTotal, Text::DriveHidden};

class DrivePage : public Page {
public:
    int templateId() const override { return IDD_PAGE_DRIVES; }

    void create(PageContext& c) override {
        editor_.emplace(DriveListEditor::Targets{c.live, c.program, systemColour});
        // The colour columns show no cells: wide enough for their headers.
        list_.attach(item(IDC_DRIVE_LIST), {{Text::ColumnDrive, 60},
                                            {Text::ColumnType, 100},
                                            {Text::ColumnColour1, 55},
                                            {Text::ColumnColour2, 55}});
        const render::BarStrips& strips = c.program.barStrips();
        sizeClientArea(item(IDC_DRIVE_PREVIEW), strips.rowWidth, strips.rowHeight);
        fillFigures();
        HWND slider = item(IDC_DRIVE_INTERVAL);
        SliderRange range = sliderRange(Slider::DriveRefresh, c.live);
        SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(range.min, range.max));
        SendMessageW(slider, TBM_SETLINESIZE, 0, range.smallStep);
        SendMessageW(slider, TBM_SETPAGESIZE, 0, range.largeStep);
        SendMessageW(slider, TBM_SETTICFREQ, range.tickEvery, 0);
    }

    void load(PageContext& c) override {
        showDrives(c);
        // As on the display list, a row is selected from the start: the preview shows its bar
        // and the colour buttons have a row to colour.
        if (!editor_->selected() && !c.live.drives.empty()) {
            size_t row = c.live.lastSelectedDriveRow >= 1
                             ? static_cast<size_t>(c.live.lastSelectedDriveRow - 1)
                             : 0;
            selectRow(row < c.live.drives.size() ? row : 0);
        }
        showSettings(c);
    }

    void changed(PageContext& c, const settings::Change& change) override {
        const settings::Settings& s = c.live.settings;
        if (change.names(&s.language)) {
            list_.retitle();
            fillFigures();
            showDrives(c);
            showSettings(c);
        } else if (change.topic == settings::Topic::DriveRows) {
            showDrives(c);
            if (!editor_->selected() && !c.live.drives.empty()) selectRow(0);
        } else if (change.topic == settings::Topic::DriveColours && editor_->selected()) {
            editor_->rebuilt();  // the selected position's gradient again
            InvalidateRect(item(IDC_DRIVE_PREVIEW), nullptr, FALSE);
        } else if (change.names(&s.driveMarks)) {
            showTicks(c);
        } else if (change.names(&s.tickAllDrives) || change.names(&s.driveFigure1) ||
                   change.names(&s.driveFigure2) || change.names(&s.diskUnit) ||
                   change.names(&s.driveRefreshSeconds)) {
            showSettings(c);
        }
    }

    // The figure choices in the current language; showSettings() then selects the chosen ones.
    void fillFigures() {
        for (int box : {IDC_DRIVE_FIGURE1, IDC_DRIVE_FIGURE2}) {
            SendDlgItemMessageW(hwnd(), box, CB_RESETCONTENT, 0, 0);
            for (int i = 0; i < (box == IDC_DRIVE_FIGURE1 ? 4 : 3); ++i)
                SendDlgItemMessageW(hwnd(), box, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(base::text(kFigures[i])));
        }
    }

    void showSettings(PageContext& c) {
        const settings::Settings& s = c.live.settings;
        CheckDlgButton(hwnd(), IDC_DRIVE_TICK_ALL, s.tickAllDrives == 1 ? BST_CHECKED : 0);
        SendDlgItemMessageW(hwnd(), IDC_DRIVE_FIGURE1, CB_SETCURSEL, s.driveFigure1, 0);
        SendDlgItemMessageW(hwnd(), IDC_DRIVE_FIGURE2, CB_SETCURSEL, s.driveFigure2, 0);
        CheckRadioButton(hwnd(), IDC_DRIVE_GB, IDC_DRIVE_MB,
                         s.diskUnit == settings::kMegabytes ? IDC_DRIVE_MB : IDC_DRIVE_GB);
        SendDlgItemMessageW(hwnd(), IDC_DRIVE_INTERVAL, TBM_SETPOS, TRUE, s.driveRefreshSeconds);
        SetDlgItemTextW(hwnd(), IDC_DRIVE_INTERVAL_FRAME,
                        sliderCaption(Slider::DriveRefresh, c.live).c_str());
    }

    bool onCommand(PageContext& c, int id, int code) override {
        settings::Settings& s = c.live.settings;
        if (code == CBN_SELCHANGE && (id == IDC_DRIVE_FIGURE1 || id == IDC_DRIVE_FIGURE2)) {
            int choice = static_cast<int>(SendDlgItemMessageW(hwnd(), id, CB_GETCURSEL, 0, 0));
            int& figure = id == IDC_DRIVE_FIGURE1 ? s.driveFigure1 : s.driveFigure2;
            figure = choice;
            c.live.notices.changed(&figure);
            return true;
        }
        if (code != BN_CLICKED) return false;
        switch (id) {
            case IDC_DRIVE_TICK_ALL:
                editor_->setTickAll(IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
                showTicks(c);
                return true;
            case IDC_DRIVE_GB:
            case IDC_DRIVE_MB:
                s.diskUnit = id == IDC_DRIVE_MB ? settings::kMegabytes : settings::kGigabytes;
                c.live.notices.changed(&s.diskUnit);
                return true;
            case IDC_DRIVE_START_COLOUR:
                pickColour(c, ColourTarget::Start);
                return true;
            case IDC_DRIVE_END_COLOUR:
                pickColour(c, ColourTarget::End);
                return true;
            case IDC_DRIVE_SINGLE_COLOUR:
                pickColour(c, ColourTarget::Both);
                return true;
        }
        return false;
    }

    bool onScroll(PageContext& c, int id) override {
        if (id != IDC_DRIVE_INTERVAL) return false;
        int seconds = static_cast<int>(SendDlgItemMessageW(hwnd(), id, TBM_GETPOS, 0, 0));
        moveSlider(Slider::DriveRefresh, seconds, c.live);
        return true;
    }

    bool onNotify(PageContext&, NMHDR& header, LRESULT&) override {
        if (header.idFrom != IDC_DRIVE_LIST || filling_) return false;
        std::optional<RowChange> change = rowChange(header);
        if (!change) return false;
        if (change->checkChanged) {
            bool ticked = editor_->setTicked(change->row, change->checked);
            if (ticked != change->checked) {
                filling_ = true;
                list_.setChecked(change->row, ticked);
                filling_ = false;
            }
        }
        if (change->becameSelected) {
            editor_->select(change->row);
            InvalidateRect(item(IDC_DRIVE_PREVIEW), nullptr, FALSE);
        }
        return true;
    }

    bool onMessage(PageContext&, UINT msg, WPARAM, LPARAM lp, INT_PTR& result) override {
        if (msg != WM_DRAWITEM) return false;
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (draw->CtlID != IDC_DRIVE_PREVIEW) return false;
        win32::drawImage(draw->hDC, editor_->preview(), 0, 0);
        result = TRUE;
        return true;
    }

private:
    // The rows as the drive list has them now; a selected row that is still there stays
    // selected.
    void showDrives(PageContext& c) {
        const auto& drives = c.live.drives;
        filling_ = true;
        list_.setRowCount(drives.size());
        for (size_t i = 0; i < drives.size(); ++i) {
            list_.setText(i, 0, drives[i].letter);
            list_.setText(i, 1, monitor::driveTypeText(drives[i].type));
            list_.setChecked(i, drives[i].checked);
        }
        filling_ = false;
        editor_->rebuilt();
        if (editor_->selected()) selectRow(*editor_->selected());
        InvalidateRect(item(IDC_DRIVE_PREVIEW), nullptr, FALSE);
    }

    void selectRow(size_t row) {
        editor_->select(row);
        filling_ = true;
        list_.select(row);
        filling_ = false;
        InvalidateRect(item(IDC_DRIVE_PREVIEW), nullptr, FALSE);
    }

    void showTicks(PageContext& c) {
        filling_ = true;
        for (size_t i = 0; i < c.live.drives.size(); ++i)
            list_.setChecked(i, c.live.drives[i].checked);
        filling_ = false;
    }

    void pickColour(PageContext& c, ColourTarget target) {
        if (editor_->pickColour(target, [&] { return c.chooseColour(hwnd(), 0); }))
            InvalidateRect(item(IDC_DRIVE_PREVIEW), nullptr, FALSE);
    }

    std::optional<DriveListEditor> editor_;
    ListView list_;
    bool filling_ = false;
};

}  // namespace

std::unique_ptr<Page> makeDrivePage() { return std::make_unique<DrivePage>(); }

}  // namespace ui::options
