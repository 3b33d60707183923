// SPDX-License-Identifier: MIT
// A thin IAccessible over the system's standard one: it says the control's designed name and
// description and leaves everything else (role, state, value, the items of a list) to the system.
// Screen readers under Windows and Wine alike read names this way, through WM_GETOBJECT.
#include "accessible.h"

#include "text.h"

#include <oleacc.h>

#include <memory>
#include <string>

namespace win32 {
namespace {

struct ReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT answerText(const std::wstring& text, BSTR* answer)
{
    if (!answer)
        return E_INVALIDARG;
    *answer = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *answer ? S_OK : E_OUTOFMEMORY;
}

// Only Release() ends a COM object, when its last reference goes; hence the private destructor.
class AccessibleControl final : public IAccessible { // NOLINT(cppcoreguidelines-virtual-class-destructor)
public:
    AccessibleControl(IAccessible* standard, std::wstring name, std::wstring description, LONG role)
        : m_standard(standard), m_name(std::move(name)), m_description(std::move(description)), m_role(role)
    {
    }

    // IUnknown. Interfaces other than these (the list of children, the window) are the standard
    // object's own.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return m_standard->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&m_references));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const auto left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override
    {
        return m_standard->Invoke(member, id, locale, flags, parameters, result, exception, badArgument);
    }

    // IAccessible: the designed name and description of the control itself (and its role, further down).
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return isSelf(child) ? answerText(m_name, name) : m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return isSelf(child) ? answerText(m_description, description)
                             : m_standard->get_accDescription(child, description);
    }

    // IAccessible: the rest as the system says.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!isSelf(child) || m_role == 0)
            return m_standard->get_accRole(child, role);
        if (!role)
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = m_role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;
    AccessibleControl(AccessibleControl&&) = delete;
    AccessibleControl& operator=(AccessibleControl&&) = delete;

private:
    ~AccessibleControl() = default;

    std::unique_ptr<IAccessible, ReleaseInterface> m_standard;
    std::wstring m_name;
    std::wstring m_description;
    LONG m_role;
    LONG m_references = 1;
};

// Neither MinGW's headers nor its libraries carry these: UI Automation's LiveSetting property, and
// the Active Accessibility object that sets properties on a control for UI Automation to read.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
// LiveSetting's values: Off, Polite, Assertive.
constexpr LONG kPolite = 1;

} // namespace

void LiveRegions::add(HWND control)
{
    // UI Automation (Narrator; NVDA and JAWS on Windows 8 and later) treats a control as a live region
    // by its LiveSetting, which Active Accessibility alone cannot give: the property is set on the
    // control's window through IAccPropServices. Windows 7 has the object but no live regions, and
    // under Wine the call is not implemented; there the change events below are all a screen reader
    // gets.
    if (!m_services) {
        IAccPropServices* services = nullptr;
        if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                    reinterpret_cast<void**>(&services))))
            return;
        m_services.reset(services);
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    if (SUCCEEDED(m_services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                          kLiveSettingProperty, polite)))
        m_controls.push_back(control);
}

void LiveRegions::announce(HWND control, bool label)
{
    // Active Accessibility's clients hear a label's name or a box's value change; UI Automation's read
    // a live region out when it says it changed, an event Windows 7 passes on to nobody.
    NotifyWinEvent(label ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT,
                   CHILDID_SELF);
    NotifyWinEvent(kLiveRegionChanged, control, OBJID_CLIENT, CHILDID_SELF);
}

void LiveRegions::clear()
{
    // The properties are kept by the window handle, which Windows may give to another window later.
    for (HWND control : m_controls)
        m_services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                   &kLiveSettingProperty, 1);
    m_controls.clear();
}

LRESULT answerGetObject(HWND control, WPARAM flags, LPARAM objectId, std::string_view name,
                        std::string_view description, LONG role)
{
    if (static_cast<LONG>(objectId) != OBJID_CLIENT || name.empty())
        return 0;
    IAccessible* standard = nullptr;
    // __uuidof, not MinGW's IID_IAccessible: the static library's copy of that GUID is wrong.
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))))
        return 0;
    auto* accessible = new AccessibleControl(standard, widen(name), widen(description), role);
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), flags, accessible);
    accessible->Release();
    return answer;
}

} // namespace win32
