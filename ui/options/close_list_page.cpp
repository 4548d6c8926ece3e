#include "ui/options/close_list_page.h"

#include <functional>

#include "base/texts.h"
#include "settings/close_list_order.h"
#include "ui/options/list_pages_ids.h"
#include "ui/options/list_view.h"

namespace ui::options {
namespace {

// The list view holds no rows of its own (it is an owner-data list): it asks for the texts and
// check boxes of the rows it shows, so a list of a hundred thousand titles fills at once.
class CloseListPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_CLOSE_LIST; }

    void create(PageContext&) override {
        list_.attach(item(IDC_CLOSE_LIST),
                     {{base::Text::ColumnTitle, 250}, {base::Text::ColumnClosed, 80}});
        SendMessageW(list_.hwnd(), LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    }

    void changed(PageContext& c, const settings::Change& change) override {
        if (change.names(&c.live.settings.language)) list_.retitle();
        if (change.topic == settings::Topic::CloseList) load(c);
        if (change.topic == settings::Topic::CloseCount) {
            // Only the row's count changed: the list keeps its scroll place and selection.
            const auto& entries = c.live.closeList;
            const auto* entry = static_cast<const settings::CloseEntry*>(change.field);
            std::less<const settings::CloseEntry*> before;
            if (!before(entry, entries.data()) && before(entry, entries.data() + entries.size()))
                redraw(static_cast<size_t>(entry - entries.data()));
        }
    }

    void load(PageContext& c) override {
        SendMessageW(list_.hwnd(), LVM_SETITEMCOUNT, c.live.closeList.size(), LVSICF_NOSCROLL);
        InvalidateRect(list_.hwnd(), nullptr, TRUE);
    }

    bool onCommand(PageContext& c, int id, int code) override {
        if (id != IDC_CLOSE_DELETE || code != BN_CLICKED) return false;
        if (settings::deleteTickedEntries(c.live.closeList) > 0)
            c.live.notices.publish(settings::Topic::CloseList);
        return true;
    }

    bool onNotify(PageContext& c, NMHDR& header, LRESULT&) override {
        if (header.idFrom != IDC_CLOSE_LIST) return false;
        auto& entries = c.live.closeList;
        switch (header.code) {
            case LVN_GETDISPINFOW:
                describe(entries, reinterpret_cast<NMLVDISPINFOW&>(header).item);
                return true;
            case LVN_COLUMNCLICK: {
                int column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
                settings::sortOnHeader(
                    entries, c.live.closeOrder,
                    column == 0 ? settings::CloseColumn::Title : settings::CloseColumn::Count);
                c.live.notices.publish(settings::Topic::CloseList);
                return true;
            }
            case NM_CLICK: {
                const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
                LVHITTESTINFO hit{};
                hit.pt = click.ptAction;
                auto row =
                    SendMessageW(list_.hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) toggle(entries, row);
                return false;
            }
            case LVN_KEYDOWN:
                if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE)
                    toggle(entries, SendMessageW(list_.hwnd(), LVM_GETNEXTITEM,
                                                 static_cast<WPARAM>(-1), LVNI_FOCUSED));
                return false;
        }
        return false;
    }

private:
    void describe(const std::vector<settings::CloseEntry>& entries, LVITEMW& row) const {
        if (row.iItem < 0 || static_cast<size_t>(row.iItem) >= entries.size()) return;
        const settings::CloseEntry& entry = entries[static_cast<size_t>(row.iItem)];
        if ((row.mask & LVIF_TEXT) && row.pszText && row.cchTextMax > 0)
            lstrcpynW(row.pszText, (row.iSubItem == 0 ? entry.title : entry.count).c_str(),
                      row.cchTextMax);
        if (row.mask & LVIF_STATE) {
            row.state =
                (row.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(entry.ticked ? 2 : 1);
            row.stateMask |= LVIS_STATEIMAGEMASK;
        }
    }

    // The control keeps no check boxes of an owner-data list: a click on a row's box, or the
    // space bar, ticks it here.
    void toggle(std::vector<settings::CloseEntry>& entries, LRESULT row) const {
        if (row < 0 || static_cast<size_t>(row) >= entries.size()) return;
        auto at = static_cast<size_t>(row);
        entries[at].ticked = !entries[at].ticked;
        redraw(at);
    }

    void redraw(size_t row) const { SendMessageW(list_.hwnd(), LVM_REDRAWITEMS, row, row); }

    ListView list_;
};

}  // namespace

std::unique_ptr<Page> makeCloseListPage() { return std::make_unique<CloseListPage>(); }

}  // namespace ui::options
