#include "ui/options/close_list_page.h"

#include "settings/close_list_order.h"
#include "ui/options/list_pages_ids.h"
#include "ui/options/list_view.h"

namespace ui::options {
namespace {

class CloseListPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_CLOSE_LIST; }

    void create(PageContext&) override {
        list_.attach(item(IDC_CLOSE_LIST), {{L"禁止タイトル", 250}, {L"閉じた回数", 80}});
    }

    void changed(PageContext& c, const settings::Change& change) override {
        if (change.topic == settings::Topic::CloseList) load(c);
    }

    void load(PageContext& c) override {
        const auto& entries = c.live.closeList;
        filling_ = true;
        list_.setRowCount(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            list_.setText(i, 0, entries[i].title);
            list_.setText(i, 1, entries[i].count);
            list_.setChecked(i, entries[i].ticked);
        }
        filling_ = false;
    }

    bool onCommand(PageContext& c, int id, int code) override {
        if (id != IDC_CLOSE_DELETE || code != BN_CLICKED) return false;
        if (settings::deleteTickedEntries(c.live.closeList) > 0)
            c.live.notices.publish(settings::Topic::CloseList);
        return true;
    }

    bool onNotify(PageContext& c, NMHDR& header, LRESULT&) override {
        if (header.idFrom != IDC_CLOSE_LIST || filling_) return false;
        if (header.code == LVN_COLUMNCLICK) {
            int column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
            settings::sortOnHeader(
                c.live.closeList, c.live.closeOrder,
                column == 0 ? settings::CloseColumn::Title : settings::CloseColumn::Count);
            c.live.notices.publish(settings::Topic::CloseList);
            return true;
        }
        std::optional<RowChange> change = rowChange(header);
        if (!change || !change->checkChanged || change->row >= c.live.closeList.size())
            return false;
        c.live.closeList[change->row].ticked = change->checked;
        return true;
    }

private:
    ListView list_;
    bool filling_ = false;
};

}  // namespace

std::unique_ptr<Page> makeCloseListPage() { return std::make_unique<CloseListPage>(); }

}  // namespace ui::options
