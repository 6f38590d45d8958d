#include "ui/win32/AccessibleObject.h"

#include <oleacc.h>

#include <optional>
#include <string>

#include "platform/win32/SystemLibrary.h"
#include "ui/Accessible.h"

namespace torvane::ui::win32 {

namespace {

// IID_IAccessible, spelled out: the program does not link oleacc's import
// library (and mingw's resolves the name to an import thunk, not to its bytes).
constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

LONG RoleCode(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::StaticText:
            return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::Link:
            return ROLE_SYSTEM_LINK;
        case AccessibleRole::Graphic:
            return ROLE_SYSTEM_GRAPHIC;
        case AccessibleRole::ProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case AccessibleRole::Pane:
            return ROLE_SYSTEM_PANE;
        case AccessibleRole::Grouping:
            return ROLE_SYSTEM_GROUPING;
        case AccessibleRole::Outline:
            return ROLE_SYSTEM_OUTLINE;
        case AccessibleRole::Default:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

// A BSTR of an ANSI text, or nullptr for an empty one (MSAA's "none").
BSTR ToBstr(const std::string& text) {
    if (text.empty()) return nullptr;
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR out = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (out)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out, length);
    return out;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class AccessibleControl final : public IAccessible {
public:
    AccessibleControl(std::shared_ptr<AccessibleLink> link, IAccessible* standard)
        : link_(std::move(link)), standard_(standard) {}
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The window and the children: the standard object's, which knows them.
        if (iid == IID_IOleWindow || iid == IID_IEnumVARIANT)
            return standard_->QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: not offered (clients use the interface's own methods).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // What the control says of itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        return Text(name, [](const AccessibleInfo& info) { return info.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child)) return standard_->get_accValue(child, value);
        return Text(value, [](const AccessibleInfo& info) { return info.value; });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
        return Text(action, [](const AccessibleInfo& info) { return info.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        if (!IsSelf(child)) return standard_->get_accKeyboardShortcut(child, keys);
        return Text(keys, [this](const AccessibleInfo& info) {
            const char letter = info.role == AccessibleRole::PushButton
                                    ? AcceleratorOf(link_->control->Caption())
                                    : 0;
            return letter ? std::string("Alt+") + letter : std::string();
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        if (!role) return E_INVALIDARG;
        std::optional<AccessibleInfo> info = Info();
        if (!info) return E_FAIL;
        role->vt = VT_I4;
        role->lVal = RoleCode(info->role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        if (FAILED(result) || !IsSelf(child) || state->vt != VT_I4) return result;
        std::optional<AccessibleInfo> info = Info();
        if (!info) return E_FAIL;
        if (info->hidden) state->lVal |= STATE_SYSTEM_INVISIBLE;
        if (info->role == AccessibleRole::StaticText || info->role == AccessibleRole::ProgressBar)
            state->lVal |= STATE_SYSTEM_READONLY;
        if (info->role == AccessibleRole::Link) state->lVal |= STATE_SYSTEM_LINKED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
        std::optional<AccessibleInfo> info = Info();
        if (!info) return E_FAIL;
        if (info->defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
        // The click may run a long while (a slide, a sequence): the caller
        // is answered first, the click runs from the message loop.
        return ::PostMessageA(link_->window, kDoDefaultAction, 0, 0) ? S_OK : E_FAIL;
    }

    // Everything else is the window's, as the system tells it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return standard_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleControl() { standard_->Release(); }

    // The control's description; nothing once the control is gone. Calls
    // come from the message loop of this thread (the object lives in its
    // apartment), so the control cannot go away meanwhile.
    std::optional<AccessibleInfo> Info() const {
        if (!link_->control) return std::nullopt;
        try {
            return Describe(*link_->control);
        } catch (...) {
            return std::nullopt;
        }
    }

    template <typename Pick>
    HRESULT Text(BSTR* out, Pick pick) const {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        std::optional<AccessibleInfo> info = Info();
        if (!info) return E_FAIL;
        try {
            *out = ToBstr(pick(*info));
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        return *out ? S_OK : S_FALSE;
    }

    std::shared_ptr<AccessibleLink> link_;
    IAccessible* standard_;
    ULONG references_ = 1;
};

}  // namespace

std::unique_ptr<Oleacc> Oleacc::Load() {
    try {
        platform::win32::SystemLibrary library("oleacc.dll");
        auto oleacc = std::make_unique<Oleacc>();
        oleacc->createStandard = library.Require<CreateStandardFn>("CreateStdAccessibleObject");
        oleacc->lresultFromObject = library.Require<LresultFromObjectFn>("LresultFromObject");
        HMODULE pinned = nullptr;
        if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, library.Path().c_str(), &pinned))
            return nullptr;
        return oleacc;
    } catch (...) {
        return nullptr;  // the system's own answers stand
    }
}

LRESULT AnswerGetObject(Oleacc* oleacc, const std::shared_ptr<AccessibleLink>& link, WPARAM wParam,
                        LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !link->control || !oleacc) return 0;
    if (Describe(*link->control).role == AccessibleRole::Default) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(oleacc->createStandard(link->window, OBJID_CLIENT, kIidAccessible,
                                      reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new AccessibleControl(link, standard);
    const LRESULT result = oleacc->lresultFromObject(kIidAccessible, wParam, object);
    object->Release();  // LresultFromObject holds its own reference
    return result;
}

}  // namespace torvane::ui::win32
