#include "ui/drawn_automation.h"

#include <ole2.h>
#include <uiautomationcore.h>

#include <type_traits>

namespace ui {
namespace {

// The numbers of UI Automation this program uses (UIAutomationClient.h; the compiler's headers
// lack most of them).
constexpr LONG kRootObjectId = -25;  // UiaRootObjectId
constexpr PROPERTYID kControlType = 30003, kName = 30005, kHasKeyboardFocus = 30008,
                     kIsKeyboardFocusable = 30009, kIsControlElement = 30016,
                     kIsContentElement = 30017, kIsValuePatternAvailable = 30043, kValue = 30045;
constexpr PATTERNID kValuePattern = 10002;
constexpr LONG kListControl = 50008, kListItemControl = 50007, kImageControl = 50006;
constexpr EVENTID kFocusChanged = 20005;
constexpr int kAppendRuntimeId = 3;
constexpr HRESULT kElementNotEnabled = static_cast<HRESULT>(0x80040200),
                  kElementNotAvailable = static_cast<HRESULT>(0x80040201);

// IValueProvider, which the compiler's headers do not declare.
MIDL_INTERFACE("c7935180-6fb3-4201-b174-7df73adbf64a")
ValueProvider : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Value(BSTR * value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL * readOnly) = 0;
};
const IID kValueProviderId = {
    0xc7935180, 0x6fb3, 0x4201, {0xb1, 0x74, 0x7d, 0xf7, 0x3a, 0xdb, 0xf6, 0x4a}};

// uiautomationcore.dll is loaded when first asked for: a session no reader looks at never loads
// it, and a system without it answers no reader.
struct Core {
    LRESULT(WINAPI* returnRawElementProvider)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
    HRESULT(WINAPI* hostProviderFromHwnd)(HWND, IRawElementProviderSimple**);
    HRESULT(WINAPI* raiseAutomationEvent)(IRawElementProviderSimple*, EVENTID);
    BOOL(WINAPI* clientsAreListening)();
};

const Core* core() {
    static const Core loaded = [] {
        Core c{};
        if (HMODULE dll = LoadLibraryW(L"uiautomationcore.dll")) {
            auto find = [dll](auto& function, const char* name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                    reinterpret_cast<void*>(GetProcAddress(dll, name)));
            };
            find(c.returnRawElementProvider, "UiaReturnRawElementProvider");
            find(c.hostProviderFromHwnd, "UiaHostProviderFromHwnd");
            find(c.raiseAutomationEvent, "UiaRaiseAutomationEvent");
            find(c.clientsAreListening, "UiaClientsAreListening");
        }
        return c;
    }();
    return loaded.returnRawElementProvider && loaded.hostProviderFromHwnd ? &loaded : nullptr;
}

VARIANT text(const std::wstring& value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return v;
}

VARIANT number(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT flag(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

}  // namespace

// What the elements share: gone (source null) once the window's provider is disconnected.
struct DrawnAutomation::State {
    HWND window = nullptr;
    const AutomationSource* source = nullptr;
    Kind kind = Kind::List;
    IRawElementProviderFragmentRoot* root = nullptr;  // not held: the root holds the state
};

namespace {

using State = DrawnAutomation::State;

// One element: the whole (part -1) or a part. Parts are made as a reader walks to them.
class Element final : public IRawElementProviderSimple,
                      public IRawElementProviderFragment,
                      public IRawElementProviderFragmentRoot,
                      public ValueProvider {
public:
    Element(std::shared_ptr<State> state, int part) : state_(std::move(state)), part_(part) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (!out) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IRawElementProviderSimple)
            *out = static_cast<IRawElementProviderSimple*>(this);
        else if (id == IID_IRawElementProviderFragment)
            *out = static_cast<IRawElementProviderFragment*>(this);
        else if (id == IID_IRawElementProviderFragmentRoot && part_ < 0)
            *out = static_cast<IRawElementProviderFragmentRoot*>(this);
        else if (id == kValueProviderId)
            *out = static_cast<ValueProvider*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IRawElementProviderSimple
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        if (!options) return E_POINTER;
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (pattern == kValuePattern && live()) {
            *out = static_cast<ValueProvider*>(this);
            AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!live()) return kElementNotAvailable;
        const bool whole = part_ < 0;
        switch (property) {
            case kName:
                *out = text(whole ? source().name() : source().partName(part_));
                break;
            case kValue:
                *out = text(whole ? source().value() : source().partValue(part_));
                break;
            case kControlType:
                *out = number(!whole                                        ? kListItemControl
                              : state_->kind == DrawnAutomation::Kind::List ? kListControl
                                                                            : kImageControl);
                break;
            case kIsKeyboardFocusable:
            case kIsControlElement:
            case kIsContentElement:
                *out = flag(true);
                break;
            case kHasKeyboardFocus:
                *out = flag(::GetFocus() == state_->window &&
                            source().focusedPart() ==
                                (whole ? std::nullopt : std::optional<int>(part_)));
                break;
            case kIsValuePatternAvailable:
                *out = flag(true);
                break;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        // The whole stands for the window, whose frame the system describes.
        if (part_ < 0 && live()) return core()->hostProviderFromHwnd(state_->window, out);
        return S_OK;
    }

    // IRawElementProviderFragment
    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction,
                                       IRawElementProviderFragment** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!live()) return kElementNotAvailable;
        const int count = source().partCount();
        int to = -2;  // none
        if (part_ < 0) {
            if (direction == NavigateDirection_FirstChild && count > 0) to = 0;
            if (direction == NavigateDirection_LastChild && count > 0) to = count - 1;
        } else if (direction == NavigateDirection_Parent) {
            to = -1;
        } else if (direction == NavigateDirection_NextSibling && part_ + 1 < count) {
            to = part_ + 1;
        } else if (direction == NavigateDirection_PreviousSibling && part_ > 0) {
            to = part_ - 1;
        }
        if (to >= 0) *out = new Element(state_, to);
        if (to == -1 && state_->root)
            state_->root->QueryInterface(IID_IRawElementProviderFragment,
                                         reinterpret_cast<void**>(out));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (part_ < 0) return S_OK;  // the window's own
        int id[] = {kAppendRuntimeId, part_ + 1};
        *out = SafeArrayCreateVector(VT_I4, 0, 2);
        if (!*out) return E_OUTOFMEMORY;
        for (LONG i = 0; i < 2; ++i) SafeArrayPutElement(*out, &i, &id[i]);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* out) override {
        if (!out) return E_POINTER;
        *out = {};
        if (part_ < 0 || !live()) return S_OK;  // the whole is the window's
        RECT r = source().partRect(part_);
        MapWindowPoints(state_->window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *out = {static_cast<double>(r.left), static_cast<double>(r.top),
                static_cast<double>(r.right - r.left), static_cast<double>(r.bottom - r.top)};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFocus() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** out) override {
        if (!out) return E_POINTER;
        *out = state_->root;
        if (*out) (*out)->AddRef();
        return S_OK;
    }

    // IRawElementProviderFragmentRoot
    HRESULT STDMETHODCALLTYPE ElementProviderFromPoint(double x, double y,
                                                       IRawElementProviderFragment** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!live()) return S_OK;
        POINT at{static_cast<LONG>(x), static_cast<LONG>(y)};
        ScreenToClient(state_->window, &at);
        for (int i = 0; i < source().partCount(); ++i) {
            RECT r = source().partRect(i);
            if (PtInRect(&r, at)) {
                *out = new Element(state_, i);
                break;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!live()) return S_OK;
        if (std::optional<int> part = source().focusedPart()) *out = new Element(state_, *part);
        return S_OK;
    }

    // IValueProvider: read only.
    HRESULT STDMETHODCALLTYPE SetValue(LPCWSTR) override { return kElementNotEnabled; }
    HRESULT STDMETHODCALLTYPE get_Value(BSTR* out) override {
        if (!out) return E_POINTER;
        if (!live()) return kElementNotAvailable;
        const std::wstring value = part_ < 0 ? source().value() : source().partValue(part_);
        *out = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_IsReadOnly(BOOL* out) override {
        if (!out) return E_POINTER;
        *out = TRUE;
        return S_OK;
    }

private:
    // A part a reader kept after the rows changed is gone too.
    bool live() const {
        return state_->source && (part_ < 0 || part_ < state_->source->partCount());
    }
    const AutomationSource& source() const { return *state_->source; }

    std::shared_ptr<State> state_;
    int part_;
    LONG references_ = 1;
};

}  // namespace

DrawnAutomation::DrawnAutomation(HWND window, const AutomationSource& source, Kind kind)
    : state_(std::make_shared<State>()) {
    state_->window = window;
    state_->source = &source;
    state_->kind = kind;
    auto* root = new Element(state_, -1);
    state_->root = root;
    root_ = root;
}

DrawnAutomation::~DrawnAutomation() {
    state_->source = nullptr;
    state_->root = nullptr;
    if (const Core* c = core()) {
        // Tells the system the provider is gone: a reader holding it gets "not available".
        c->returnRawElementProvider(state_->window, 0, 0, nullptr);
    }
    root_->Release();
}

std::optional<LRESULT> DrawnAutomation::answer(WPARAM wp, LPARAM lp) {
    const Core* c = core();
    if (!c || static_cast<LONG>(lp) != kRootObjectId) return std::nullopt;
    return c->returnRawElementProvider(state_->window, wp, lp, root_);
}

void DrawnAutomation::focusMoved() {
    const std::optional<int> part = state_->source ? state_->source->focusedPart() : std::nullopt;
    NotifyWinEvent(EVENT_OBJECT_FOCUS, state_->window, OBJID_CLIENT,
                   part ? *part + 1 : CHILDID_SELF);
    const Core* c = core();
    if (!c || !c->raiseAutomationEvent || (c->clientsAreListening && !c->clientsAreListening()))
        return;
    if (part) {
        auto* focused = new Element(state_, *part);
        c->raiseAutomationEvent(focused, kFocusChanged);
        focused->Release();
    } else {
        c->raiseAutomationEvent(root_, kFocusChanged);
    }
}

IRawElementProviderSimple* DrawnAutomation::root() { return root_; }

}  // namespace ui
