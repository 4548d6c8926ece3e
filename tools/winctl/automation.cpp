// Reads a window's UI Automation elements as a screen reader does, from another process: the
// window's own element, then its children, a line each: name, a tab, value.
// clang-format off
#include "winctl.h"
#include <oleauto.h>
// clang-format on

#include <string>
#include <type_traits>

namespace winctl {
namespace {

// uiautomationcore's client side, declared here (the compiler's header does not compile).
using Node = void*;
struct Condition {
    int type;  // 0: true
};
struct CacheRequest {
    Condition* view;
    int scope;  // 1: the element
    const int* properties;
    int propertyCount;
    const int* patterns;
    int patternCount;
    int mode;  // 1: full
};
constexpr int kName = 30005, kValue = 30045;
constexpr int kFirstChild = 2, kNextSibling = 3;

struct Client {
    HRESULT(WINAPI* nodeFromHandle)(HWND, Node*);
    HRESULT(WINAPI* getPropertyValue)(Node, int, VARIANT*);
    HRESULT(WINAPI* navigate)(Node, int, Condition*, CacheRequest*, SAFEARRAY**, BSTR*);
    HRESULT(WINAPI* nodeFromVariant)(VARIANT*, Node*);
    BOOL(WINAPI* nodeRelease)(Node);
};

std::wstring textOf(Node node, int property, const Client& c) {
    VARIANT v;
    VariantInit(&v);
    std::wstring text;
    if (SUCCEEDED(c.getPropertyValue(node, property, &v)) && v.vt == VT_BSTR && v.bstrVal)
        text = v.bstrVal;
    VariantClear(&v);
    return text;
}

// The node `direction` of `from`, or none.
Node step(Node from, int direction, const Client& c) {
    Condition all{0};
    CacheRequest request{&all, 1, nullptr, 0, nullptr, 0, 1};
    SAFEARRAY* found = nullptr;
    BSTR tree = nullptr;
    Node node = nullptr;
    if (SUCCEEDED(c.navigate(from, direction, &all, &request, &found, &tree)) && found) {
        LONG at[2] = {0, 0};
        VARIANT v;
        VariantInit(&v);
        if (SUCCEEDED(SafeArrayGetElement(found, at, &v))) c.nodeFromVariant(&v, &node);
        SafeArrayDestroy(found);
    }
    SysFreeString(tree);
    return node;
}

}  // namespace

int automationTree(HWND window) {
    if (!window) return 1;
    HMODULE dll = LoadLibraryW(L"uiautomationcore.dll");
    if (!dll) return 3;
    Client c{};
    auto find = [dll](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            reinterpret_cast<void*>(GetProcAddress(dll, name)));
    };
    find(c.nodeFromHandle, "UiaNodeFromHandle");
    find(c.getPropertyValue, "UiaGetPropertyValue");
    find(c.navigate, "UiaNavigate");
    find(c.nodeFromVariant, "UiaHUiaNodeFromVariant");
    find(c.nodeRelease, "UiaNodeRelease");
    if (!c.nodeFromHandle || !c.getPropertyValue || !c.navigate || !c.nodeFromVariant) return 3;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Node root = nullptr;
    if (FAILED(c.nodeFromHandle(window, &root)) || !root) return 4;
    std::wstring out = textOf(root, kName, c) + L"\t" + textOf(root, kValue, c) + L"\n";
    for (Node child = step(root, kFirstChild, c); child;) {
        out += textOf(child, kName, c) + L"\t" + textOf(child, kValue, c) + L"\n";
        Node next = step(child, kNextSibling, c);
        c.nodeRelease(child);
        child = next;
    }
    c.nodeRelease(root);
    print(out);
    return 0;
}

}  // namespace winctl
