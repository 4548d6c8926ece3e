#include "ui/options/proxy_page.h"

#include "base/texts.h"
#include "ui/options/list_pages_ids.h"
#include "ui/options/list_view.h"
#include "ui/options/proxy_list_editor.h"

namespace ui::options {
namespace {

// The entry box's example: a hint the box shows while it is empty, never a text of its own.

class ProxyPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_PROXY; }

    void create(PageContext&) override { showExample(); }

    void showExample() {
        SendDlgItemMessageW(hwnd(), IDC_PROXY_ENTRY, EM_SETCUEBANNER, TRUE,
                            reinterpret_cast<LPARAM>(base::text(base::Text::ProxyExample)));
    }

    void load(PageContext& c) override {
        showList(c);
        showMenuCheck(c);
        showCurrentProxy(c);
    }

    void changed(PageContext& c, const settings::Change& change) override {
        if (change.topic == settings::Topic::ProxyList && !acting_) showList(c);
        if (change.topic == settings::Topic::CurrentProxy) showCurrentProxy(c);
        if (change.names(&c.live.settings.showProxyMenu)) showMenuCheck(c);
        if (change.names(&c.live.settings.language)) showExample();
    }

    bool onCommand(PageContext& c, int id, int code) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
            case IDC_PROXY_ADD: {
                std::wstring box = controlText(item(IDC_PROXY_ENTRY));
                acting_ = true;
                bool added = addProxyEntry(c.live.proxyList, box, c.status);
                if (added) c.live.notices.publish(settings::Topic::ProxyList);
                acting_ = false;
                SetDlgItemTextW(hwnd(), IDC_PROXY_ENTRY, box.c_str());
                if (added)
                    SendDlgItemMessageW(hwnd(), IDC_PROXY_LIST, LB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(c.live.proxyList.back().c_str()));
                return true;
            }
            case IDC_PROXY_DELETE: {
                auto selected = SendDlgItemMessageW(hwnd(), IDC_PROXY_LIST, LB_GETCURSEL, 0, 0);
                std::optional<size_t> row;
                if (selected != LB_ERR) row = static_cast<size_t>(selected);
                acting_ = true;
                if (deleteProxyEntry(c.live.proxyList, row, c.status)) {
                    SendDlgItemMessageW(hwnd(), IDC_PROXY_LIST, LB_DELETESTRING, *row, 0);
                    c.live.notices.publish(settings::Topic::ProxyList);
                }
                acting_ = false;
                return true;
            }
            case IDC_PROXY_MENU:
                c.live.settings.showProxyMenu =
                    IsDlgButtonChecked(hwnd(), id) == BST_CHECKED ? 1 : 0;
                c.live.notices.changed(&c.live.settings.showProxyMenu);
                return true;
        }
        return false;
    }

private:
    void showList(PageContext& c) {
        HWND list = item(IDC_PROXY_LIST);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::wstring& entry : c.live.proxyList)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }

    void showMenuCheck(PageContext& c) {
        CheckDlgButton(hwnd(), IDC_PROXY_MENU,
                       c.live.settings.showProxyMenu == 1 ? BST_CHECKED : 0);
    }

    void showCurrentProxy(PageContext& c) {
        if (c.currentProxy) SetDlgItemTextW(hwnd(), IDC_PROXY_ENTRY, c.currentProxy().c_str());
    }

    bool acting_ = false;  // its own change comes back as a notice: the list already shows it
};

}  // namespace

std::unique_ptr<Page> makeProxyPage() { return std::make_unique<ProxyPage>(); }

}  // namespace ui::options
