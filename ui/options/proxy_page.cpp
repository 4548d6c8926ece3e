#include "ui/options/proxy_page.h"

#include "ui/options/list_pages_ids.h"
#include "ui/options/list_view.h"
#include "ui/options/proxy_list_editor.h"

namespace ui::options {
namespace {

class ProxyPage : public Page {
public:
    int templateId() const override { return IDD_PAGE_PROXY; }

    void load(PageContext& c) override {
        HWND list = item(IDC_PROXY_LIST);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::wstring& entry : c.live.proxyList)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        CheckDlgButton(hwnd(), IDC_PROXY_MENU,
                       c.live.settings.showProxyMenu == 1 ? BST_CHECKED : 0);
    }

    bool onCommand(PageContext& c, int id, int code) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
            case IDC_PROXY_ADD: {
                std::wstring box = controlText(item(IDC_PROXY_ENTRY));
                bool added = addProxyEntry(c.live.proxyList, box, c.status);
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
                if (deleteProxyEntry(c.live.proxyList, row, c.status))
                    SendDlgItemMessageW(hwnd(), IDC_PROXY_LIST, LB_DELETESTRING, *row, 0);
                return true;
            }
            case IDC_PROXY_MENU:
                c.live.settings.showProxyMenu =
                    IsDlgButtonChecked(hwnd(), id) == BST_CHECKED ? 1 : 0;
                c.program.updateMenus();
                return true;
        }
        return false;
    }
};

}  // namespace

std::unique_ptr<Page> makeProxyPage() { return std::make_unique<ProxyPage>(); }

}  // namespace ui::options
