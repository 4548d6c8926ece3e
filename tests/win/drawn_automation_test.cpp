#include "ui/drawn_automation.h"

#include <gtest/gtest.h>
#include <ole2.h>
#include <uiautomationcore.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct Row {
    std::wstring name, value;
};

class FakeSource : public ui::AutomationSource {
public:
    std::vector<Row> rows;
    std::optional<int> focused;
    std::wstring name() const override { return L"コルバ君NT"; }
    std::wstring value() const override { return L""; }
    int partCount() const override { return static_cast<int>(rows.size()); }
    std::wstring partName(int part) const override { return rows[part].name; }
    std::wstring partValue(int part) const override { return rows[part].value; }
    RECT partRect(int part) const override { return {0, part * 14, 158, part * 14 + 13}; }
    std::optional<int> focusedPart() const override { return focused; }
};

ui::DrawnAutomation* answering = nullptr;

LRESULT CALLBACK answer(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETOBJECT && answering)
        if (std::optional<LRESULT> a = answering->answer(wp, lp)) return *a;
    return DefWindowProcW(w, msg, wp, lp);
}

std::wstring property(IRawElementProviderSimple* element, PROPERTYID id) {
    VARIANT v;
    VariantInit(&v);
    std::wstring text;
    if (SUCCEEDED(element->GetPropertyValue(id, &v)) && v.vt == VT_BSTR) text = v.bstrVal;
    VariantClear(&v);
    return text;
}

// The parts as a reader walks them: first child, then each next sibling.
std::vector<Row> walk(IRawElementProviderSimple* root) {
    std::vector<Row> seen;
    IRawElementProviderFragment* fragment = nullptr;
    if (FAILED(root->QueryInterface(IID_IRawElementProviderFragment,
                                    reinterpret_cast<void**>(&fragment))))
        return seen;
    IRawElementProviderFragment* part = nullptr;
    fragment->Navigate(NavigateDirection_FirstChild, &part);
    fragment->Release();
    while (part) {
        IRawElementProviderSimple* simple = nullptr;
        part->QueryInterface(IID_IRawElementProviderSimple, reinterpret_cast<void**>(&simple));
        seen.push_back({property(simple, 30005), property(simple, 30045)});
        simple->Release();
        IRawElementProviderFragment* next = nullptr;
        part->Navigate(NavigateDirection_NextSibling, &next);
        part->Release();
        part = next;
    }
    return seen;
}

}  // namespace

// The drawn list for screen readers: the whole reaches a UI Automation client through the
// system (WM_GETOBJECT); its parts, which Wine's client does not navigate to, are walked as the
// system would walk them, and follow the rows as they change.
TEST(DrawnAutomation, TheListAndItsRowsReachAReaderAndFollowTheReadings) {
    WNDCLASSW kind{};
    kind.lpfnWndProc = answer;
    kind.lpszClassName = L"KorvaNT.AutomationTest";
    RegisterClassW(&kind);
    HWND window = CreateWindowExW(0, kind.lpszClassName, L"", WS_POPUP, 0, 0, 158, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    FakeSource source;
    source.rows = {{L"ＣＰＵ使用率", L"12%"}, {L"メモリ", L"2675MB/24105MB"}};
    {
        ui::DrawnAutomation automation(window, source, ui::DrawnAutomation::Kind::List);
        answering = &automation;

        // A client on another thread asks the window, as a reader in another process would.
        std::wstring nameSeen;
        HRESULT asked = E_FAIL;
        std::atomic<bool> done = false;
        std::thread client([&] {
            CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
            using NodeFromHandle = HRESULT(WINAPI*)(HWND, void**);
            using GetProperty = HRESULT(WINAPI*)(void*, PROPERTYID, VARIANT*);
            auto nodeFromHandle = reinterpret_cast<NodeFromHandle>(
                reinterpret_cast<void*>(GetProcAddress(core, "UiaNodeFromHandle")));
            auto getProperty = reinterpret_cast<GetProperty>(
                reinterpret_cast<void*>(GetProcAddress(core, "UiaGetPropertyValue")));
            void* node = nullptr;
            if (nodeFromHandle && getProperty && SUCCEEDED(asked = nodeFromHandle(window, &node))) {
                VARIANT v;
                VariantInit(&v);
                if (SUCCEEDED(getProperty(node, 30005, &v)) && v.vt == VT_BSTR)
                    nameSeen = v.bstrVal;
                VariantClear(&v);
            }
            CoUninitialize();
            done = true;
        });
        while (!done) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        client.join();
        EXPECT_EQ(asked, S_OK);
        EXPECT_EQ(nameSeen, L"コルバ君NT");

        std::vector<Row> seen = walk(automation.root());
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].name, L"ＣＰＵ使用率");
        EXPECT_EQ(seen[0].value, L"12%");
        EXPECT_EQ(seen[1].value, L"2675MB/24105MB");

        source.rows[0].value = L"100%";
        source.rows.push_back({L"起動時間", L"01時02分03秒"});
        seen = walk(automation.root());
        ASSERT_EQ(seen.size(), 3u) << "a row shown since is there for the reader";
        EXPECT_EQ(seen[0].value, L"100%") << "a reading changed since";
        EXPECT_EQ(seen[2].name, L"起動時間");

        // A reader that kept a row taken away since is told it is gone, not shown another's.
        IRawElementProviderFragment* fragment = nullptr;
        automation.root()->QueryInterface(IID_IRawElementProviderFragment,
                                          reinterpret_cast<void**>(&fragment));
        IRawElementProviderFragment* last = nullptr;
        fragment->Navigate(NavigateDirection_LastChild, &last);
        ASSERT_NE(last, nullptr);
        source.rows.pop_back();
        IRawElementProviderSimple* kept = nullptr;
        last->QueryInterface(IID_IRawElementProviderSimple, reinterpret_cast<void**>(&kept));
        VARIANT v;
        VariantInit(&v);
        EXPECT_NE(kept->GetPropertyValue(30005, &v), S_OK);
        kept->Release();
        last->Release();
        fragment->Release();
        answering = nullptr;
    }
    DestroyWindow(window);
}
