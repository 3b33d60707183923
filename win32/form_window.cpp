// SPDX-License-Identifier: MIT
// The builder of every designed window: labels, colour lists, buttons, text boxes and the resistor
// laid out from the form's table, one window procedure that hands each message to its handler, and
// the dialog keyboard.
#include "form_window.h"

#include "owner_draw.h"
#include "text.h"
#include "text_box.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

struct ControlKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

ControlKind kindOf(const design::Control& control)
{
    const DWORD readOnly = control.readOnly ? DWORD{ES_READONLY} : 0;
    switch (control.array) {
    case design::Array::Label1:
        // A label of one line stands in the middle of its background; one that wraps reads from the
        // top left, as a paragraph does.
        return {L"STATIC",
                (control.wraps ? DWORD{SS_LEFT} : DWORD{SS_CENTER | SS_CENTERIMAGE}) | DWORD{SS_NOPREFIX}, 0};
    case design::Array::List1:
        // One colour in view at a time, whatever the font's height; the name stays the item's string.
        return {L"LISTBOX",
                WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                    LBS_NOTIFY,
                WS_EX_CLIENTEDGE};
    case design::Array::Command1:
        return {L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0};
    case design::Array::Text1:
        // A one-line box scrolls sideways rather than refuse what does not fit its width.
        if (control.singleLine)
            return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | readOnly, WS_EX_CLIENTEDGE};
        return {L"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | readOnly,
                WS_EX_CLIENTEDGE};
    }
    return {};
}

// Where `child` stands in `window`'s client area.
RECT rectIn(HWND window, HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A text box asks for every key; Tab moves on to the next control and Esc closes nothing, as
// everywhere else in the window.
LRESULT textBoxKeys(LRESULT wanted, const MSG* key)
{
    if (key && key->message == WM_KEYDOWN && (key->wParam == VK_TAB || key->wParam == VK_ESCAPE))
        return wanted & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    return wanted;
}

// The keys of a colour list, by what they ask of it (list_keys::choose); typed letters go to the
// window's list_keys::TypeAhead of the list.
using list_keys::ListKey;
constexpr std::array<std::pair<WPARAM, ListKey>, 9> kListKeys = {{
    {VK_UP, ListKey::Back},
    {VK_LEFT, ListKey::Back},
    {VK_PRIOR, ListKey::Back},
    {VK_DOWN, ListKey::Forward},
    {VK_RIGHT, ListKey::Forward},
    {VK_NEXT, ListKey::Forward},
    {VK_HOME, ListKey::First},
    {VK_END, ListKey::Last},
    {VK_SPACE, ListKey::ChooseInView},
}};

forms::Index listMessage(HWND list, UINT message)
{
    return static_cast<forms::Index>(SendMessageW(list, message, 0, 0));
}

// The font of the window's text at `points`, for the density `dpi`.
Font windowFont(double points, int dpi)
{
    const std::wstring family = widen(design::kFontFamily);
    return Font(CreateFontW(-static_cast<int>(std::lround(points * dpi / 72)), 0, 0, 0, FW_NORMAL, FALSE,
                            FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, family.c_str()));
}

// The width of the widest colour name of `list` in `font`.
int widestName(HWND list, HFONT font)
{
    const WindowDc dc(list);
    const Selected selected(dc.get(), font);
    int widest = 0;
    for (LRESULT item = 0; item < SendMessageW(list, LB_GETCOUNT, 0, 0); ++item) {
        const auto colour =
            static_cast<bands::Colour>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(item), 0));
        const std::wstring name = widen(bands::colourName(colour));
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), name.c_str(), static_cast<int>(name.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
}

// Each form's window class is named after the form, as tools that look for the window expect;
// registered once, by its first window.
void registerWindowClass(HINSTANCE instance, const std::wstring& name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, name.c_str(), &windowClass))
        return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass);
}

Icon loadIcon(HINSTANCE instance, int icon, int size)
{
    return Icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0)));
}

} // namespace

FormWindow* FormWindow::of(HWND control)
{
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR designRow)
{
    const auto& row = *reinterpret_cast<const design::Control*>(designRow);
    const bool list = row.array == design::Array::List1;
    const bool box = row.array == design::Array::Text1;
    const bool fixed = list && of(control) && of(control)->listsFixed();
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT answer =
                answerGetObject(control, wParam, lParam, row.accessibleName, row.accessibleDescription))
            return answer;
        break;
    case WM_GETDLGCODE:
        if (box)
            return textBoxKeys(DefSubclassProc(control, message, wParam, lParam),
                               reinterpret_cast<const MSG*>(lParam));
        break;
    case WM_PASTE:
        if (box && row.maxLength > 0) {
            pasteInPieces(control, static_cast<std::size_t>(row.maxLength));
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (box) {
            showEditMenu(control, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (const auto* key = std::ranges::find(kListKeys, wParam, &std::pair<WPARAM, ListKey>::first);
            list && key != kListKeys.end()) {
            if (fixed)
                return 0;
            const forms::Index colour =
                list_keys::choose(key->second, listMessage(control, LB_GETCURSEL),
                                  listMessage(control, LB_GETTOPINDEX), listMessage(control, LB_GETCOUNT));
            SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(colour), 0);
            return 0;
        }
        break;
    case WM_CHAR:
        // The list box's own search would start from its caret, which "Изтрий" leaves on the colour
        // that was chosen, not on the one in view.
        if (list) {
            if (FormWindow* self = of(control); self && !fixed)
                self->onListChar(static_cast<std::size_t>(row.index), static_cast<wchar_t>(wParam));
            return 0;
        }
        if (box && row.maxLength > 0 &&
            refusesTyped(control, static_cast<wchar_t>(wParam), static_cast<std::size_t>(row.maxLength)))
            return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A fixed list still takes the focus, so that a screen reader says its colour.
        if (fixed) {
            SetFocus(control);
            return 0;
        }
        break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        // Nor does a fixed list scroll its colour out of view.
        if (fixed)
            return 0;
        break;
    case LB_SETCURSEL:
        // A choice made by the program, as by the keys above or "Изтрий", is told like the student's.
        if (list) {
            const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
            SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
            return result;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(control, controlProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

FormWindow::FormWindow(HINSTANCE instance, const design::Form& form, int icon, Dpi density)
    : m_instance(instance), m_form(form), m_icon(icon), m_density(density),
      m_controlBackgrounds(form.controls.size())
{
    const std::wstring windowClass = widen(form.name);
    registerWindowClass(instance, windowClass, windowProc);
    CreateWindowExW(0, windowClass.c_str(), widen(form.title).c_str(), kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
}

FormWindow::~FormWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

void FormWindow::show(int how)
{
    ShowWindow(m_window, how);
    UpdateWindow(m_window);
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(window, message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate() ? 0 : -1;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        onEraseBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        onSetFocus();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        m_live.clear();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool FormWindow::onCreate()
{
    m_dpi = m_density.ofWindow(m_window);
    m_background.reset(CreateSolidBrush(toColorRef(m_form.background)));
    for (const auto& control : m_form.controls)
        if (!createControl(control))
            return false;
    // The picture takes no focus: a static control, outside the dialog keyboard's stops.
    HWND resistor =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 0, 0, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kResistorId)), m_instance, nullptr);
    SetWindowSubclass(resistor, resistorProc, 0, reinterpret_cast<DWORD_PTR>(this));
    // The dialog keyboard visits controls in the order of their windows.
    HWND previous = HWND_TOP;
    for (const std::size_t row : m_form.focusOrder) {
        HWND window = control(m_form.controls[row]);
        SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = window;
    }
    layOut();
    fitClientArea(nullptr);
    if (!m_form.focusOrder.empty())
        m_focus = control(m_form.controls[m_form.focusOrder.front()]);
    return true;
}

HWND FormWindow::createControl(const design::Control& control)
{
    // Placed and given its font by layOut(), like every control at every change of density.
    const ControlKind kind = kindOf(control);
    HWND created = CreateWindowExW(
        kind.extendedStyle, kind.windowClass, widen(control.text).c_str(), WS_CHILD | WS_VISIBLE | kind.style,
        0, 0, 0, 0, m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(control.array, control.index))), m_instance,
        nullptr);
    if (!created)
        return nullptr;
    SetWindowSubclass(created, controlProc, 0, reinterpret_cast<DWORD_PTR>(&control));
    if (control.background)
        m_controlBackgrounds.at(design::rowOf(m_form, control))
            .reset(CreateSolidBrush(toColorRef(*control.background)));
    if (control.live)
        m_live.add(created);

    const auto index = static_cast<std::size_t>(control.index);
    switch (control.array) {
    case design::Array::List1:
        for (const auto colour : bands::kColourLists.at(index)) {
            const auto item = SendMessageW(
                created, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(bands::colourName(colour)).c_str()));
            SendMessageW(created, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(colour));
        }
        m_list1.at(index) = created;
        break;
    case design::Array::Text1:
        // The design's limit counts a line break once, and typing and pasting keep to it. The edit
        // box counts CR LF as two: its own limit, twice the design's, holds any text within the
        // design's and is left to stop what neither sees, an input method's result.
        if (control.maxLength > 0)
            SendMessageW(created, EM_SETLIMITTEXT,
                         (control.singleLine ? 1 : 2) * static_cast<WPARAM>(control.maxLength), 0);
        // The edit box's class (CS_PARENTDC) draws through a device context clipped to this window,
        // not to the box; scrolled that way, under Wine at least, the box took in a strip of the
        // window's top. A device context of its own keeps its paint its own.
        SetClassLongPtrW(
            created, GCL_STYLE,
            static_cast<LONG_PTR>(GetClassLongPtrW(created, GCL_STYLE) & ~ULONG_PTR{CS_PARENTDC}));
        break;
    case design::Array::Label1:
    case design::Array::Command1:
        break;
    }
    return created;
}

void FormWindow::layOut()
{
    Font font = windowFont(design::kFontPointSize, m_dpi);
    for (const auto& designed : m_form.controls) {
        HWND window = control(designed);
        const auto r = design::toPixels(designed, m_dpi);
        SetWindowPos(window, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    const auto picture = design::toPixels(m_form.picture, m_dpi);
    SetWindowPos(resistor(), nullptr, picture.x, picture.y, picture.width, picture.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t band = 0; band < m_list1.size(); ++band) {
        HWND list = m_list1.at(band);
        if (!list)
            continue;
        RECT inside{};
        GetClientRect(list, &inside);
        // Each row fills the list's whole height, so a list shows exactly one colour.
        SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(inside.bottom, 0));
        // The fitting ends on the size it chose, so the last font measured is the one the names take.
        Font smaller;
        const design::NameFit fit = design::fitNames(
            design::kFontPointSize, [&](int side) { return nameRoom(inside.right, side, m_dpi); },
            [&](double points) {
                if (points < design::kFontPointSize)
                    smaller = windowFont(points, m_dpi);
                return widestName(list, smaller ? smaller.get() : font.get());
            });
        m_swatchSides.at(band) = fit.swatchSide;
        m_nameFonts.at(band) = std::move(smaller);
        if (m_nameFonts.at(band))
            SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(m_nameFonts.at(band).get()), FALSE);
    }
    m_font = std::move(font);

    m_bigIcon = loadIcon(m_instance, m_icon, m_density.systemMetric(SM_CXICON, m_dpi));
    m_smallIcon = loadIcon(m_instance, m_icon, m_density.systemMetric(SM_CXSMICON, m_dpi));
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    InvalidateRect(m_window, nullptr, TRUE);
}

void FormWindow::fitClientArea(const POINT* topLeft)
{
    const int width = design::toPixels(m_form.clientWidth, m_dpi);
    const int height = design::toPixels(m_form.clientHeight, m_dpi);
    const RECT frame = m_density.frameAround(RECT{0, 0, width, height}, kWindowStyle, m_dpi);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (topLeft ? 0 : SWP_NOMOVE);
    const POINT at = topLeft ? *topLeft : POINT{};
    SetWindowPos(m_window, nullptr, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top, flags);
    // Where the frame is not drawn for the new density yet (Wine, or a system without per-monitor
    // frames), the client area comes out different: measure the frame as it is and size again.
    RECT client{};
    GetClientRect(m_window, &client);
    if (client.right != width || client.bottom != height)
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom, flags | SWP_NOMOVE);
}

void FormWindow::onCommand(int id, int code)
{
    if (id == IDOK) {
        onEnter();
        return;
    }
    const design::Control* control = designOf(m_form, id);
    if (control && control->array == design::Array::Command1 && code == BN_CLICKED)
        press(control->index);
    if (!control || control->array != design::Array::List1)
        return;
    if (code == LBN_SELCHANGE)
        followChoices();
    // The ring that marks a focused list is painted by the window, around the list.
    if (code == LBN_SETFOCUS || code == LBN_KILLFOCUS) {
        const RECT ring = focusRingAround(rectIn(m_window, this->control(*control)), m_dpi);
        InvalidateRect(m_window, &ring, TRUE);
    }
}

void FormWindow::onEnter()
{
    // The dialog keyboard hands over Enter that no control wants: a one-line box's and a button's.
    const design::Control* focused = designOf(m_form, GetDlgCtrlID(GetFocus()));
    if (!focused || !IsChild(m_window, GetFocus()))
        return;
    if (focused->array == design::Array::Text1 && focused->enterPresses != design::kNoButton)
        press(focused->enterPresses);
    else if (focused->array == design::Array::Command1 && m_form.enterPressesButton)
        press(focused->index);
}

void FormWindow::press(int command)
{
    // Only a disabled button's own messages could still ask; the student cannot press it.
    if (IsWindowEnabled(control(design::Array::Command1, command)))
        pressed(static_cast<forms::Index>(command));
}

void FormWindow::followChoices()
{
    design::ChosenColours chosen{};
    for (std::size_t band = 0; band < m_list1.size(); ++band)
        if (const forms::Index position = listPosition(static_cast<forms::Index>(band));
            position != forms::kNoSelection)
            chosen.at(band) = bands::kColourLists.at(band)[static_cast<std::size_t>(position)];
    if (chosen == m_chosen)
        return;
    m_chosen = chosen;
    InvalidateRect(resistor(), nullptr, FALSE);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, resistor(), OBJID_CLIENT, CHILDID_SELF);
}

LRESULT CALLBACK FormWindow::resistorProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self)
{
    if (message == WM_GETOBJECT) {
        const std::string description =
            design::resistorDescription(reinterpret_cast<const FormWindow*>(self)->m_chosen);
        if (const LRESULT answer = answerGetObject(picture, wParam, lParam, design::kResistorName,
                                                   description, ROLE_SYSTEM_GRAPHIC))
            return answer;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(picture, resistorProc, 0);
    return DefSubclassProc(picture, message, wParam, lParam);
}

void FormWindow::onDrawItem(const DRAWITEMSTRUCT& item) const
{
    if (item.CtlID == kResistorId) {
        drawResistor(item, design::resistorDrawing(m_chosen, m_dpi, m_form.picture), m_form.background);
        return;
    }
    const design::Control* control = designOf(m_form, static_cast<int>(item.CtlID));
    if (!control)
        return;
    if (control->array == design::Array::List1)
        drawColourItem(item, m_dpi, m_swatchSides.at(static_cast<std::size_t>(control->index)));
    else if (control->array == design::Array::Command1)
        drawColourButton(item, control->background.value(), m_dpi, m_form.background);
}

HBRUSH FormWindow::onCtlColorStatic(HDC dc, HWND window) const
{
    const design::Control* control = designOf(m_form, GetDlgCtrlID(window));
    if (!control)
        return nullptr;
    if (control->background) {
        // The headings are fixed light colours, so their text stays black whatever the desktop's theme.
        SetBkColor(dc, toColorRef(*control->background));
        SetTextColor(dc, RGB(0, 0, 0));
        return m_controlBackgrounds.at(design::rowOf(m_form, *control)).get();
    }
    if (control->array == design::Array::Label1) {
        // A label without a background of its own is text on the window, which is as light.
        SetBkColor(dc, toColorRef(m_form.background));
        SetTextColor(dc, RGB(0, 0, 0));
        return m_background.get();
    }
    if (control->readOnly && IsWindowEnabled(window)) {
        // A box the student reads but does not type into stays a page to read, like any text box;
        // the edit box would grey it as if it were switched off.
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    return nullptr;
}

void FormWindow::onEraseBackground(HDC dc) const
{
    RECT client{};
    GetClientRect(m_window, &client);
    FillRect(dc, &client, m_background.get());
    HWND focus = GetFocus();
    if (focus && std::ranges::find(m_list1, focus) != m_list1.end())
        drawFocusRing(dc, rectIn(m_window, focus), m_dpi);
}

void FormWindow::onActivate(bool active)
{
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(m_window, focus))
            m_focus = focus;
        return;
    }
    onSetFocus();
}

void FormWindow::onSetFocus() const
{
    if (m_focus)
        SetFocus(m_focus);
}

void FormWindow::onDpiChanged(int dpi, const RECT& suggested)
{
    m_dpi = dpi;
    layOut();
    const POINT topLeft{suggested.left, suggested.top};
    fitClientArea(&topLeft);
}

void FormWindow::onListChar(std::size_t band, wchar_t typed)
{
    HWND list = m_list1.at(band);
    // The key's own time, on the message clock, which wraps after 49 days as the search allows for.
    // A character beyond 16 bits comes as two halves, neither of which begins a colour's name.
    const forms::Index colour = m_typeAhead.at(band).type(
        typed, static_cast<std::uint32_t>(GetMessageTime()), listMessage(list, LB_GETCURSEL),
        listMessage(list, LB_GETTOPINDEX), bands::kColourLists.at(band));
    if (colour != forms::kNoSelection)
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(colour), 0);
}

forms::Index FormWindow::listPosition(forms::Index list) const
{
    return listMessage(m_list1.at(static_cast<std::size_t>(list)), LB_GETCURSEL);
}

void FormWindow::setListPosition(forms::Index list, forms::Index position)
{
    HWND colours = m_list1.at(static_cast<std::size_t>(list));
    SendMessageW(colours, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
    if (position == forms::kNoSelection)
        SendMessageW(colours, LB_SETTOPINDEX, 0, 0);
}

std::string FormWindow::textOf(const design::Control& designed) const
{
    return narrow(windowText(control(designed)));
}

void FormWindow::setTextOf(const design::Control& designed, std::string_view text)
{
    // A label and the edit box alike keep CR LF as it is, so the text reads back exactly as written.
    HWND window = control(designed);
    SetWindowTextW(window, widen(text).c_str());
    if (designed.live && !text.empty())
        LiveRegions::announce(window, designed.array == design::Array::Label1);
}

void FormWindow::enable(const design::Control& designed, bool enabled)
{
    EnableWindow(control(designed), enabled ? TRUE : FALSE);
}

void FormWindow::focusOn(const design::Control& designed)
{
    m_focus = control(designed);
    if (IsWindowVisible(m_window))
        SetFocus(m_focus);
}

void dispatchMessage(HWND window, MSG& message)
{
    if (!IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int runEventLoop(HWND window)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatchMessage(window, message);
    return static_cast<int>(message.wParam);
}

} // namespace win32
