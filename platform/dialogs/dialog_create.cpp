// Making dialogs from templates: the template font and its dialog units,
// placing the dialog, creating its controls, WM_INITDIALOG and the first
// focus; the modal loop of DialogBoxParamW and modeless CreateDialogParamW.
#include <algorithm>
#include <cstring>

#include "platform/dialogs/dialog_binary.h"
#include "platform/dialogs/dialog_internal.h"
#include "platform/dialogs/dialog_state.h"
#include "platform/system/resource_table.h"
#include "platform/window/modal_loop.h"

namespace dlg {
namespace {

constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

HFONT makeTemplateFont(LPCWSTR face, int pointSize) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(pointSize, dpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    size_t n = 0;
    while (face[n] && n + 1 < LF_FACESIZE) {
        lf.lfFaceName[n] = face[n];
        ++n;
    }
    lf.lfFaceName[n] = 0;
    return CreateFontIndirectW(&lf);
}

// The predefined control atoms of binary templates and their class names.
LPCWSTR itemClassName(LPCWSTR cls) {
    if (!cls) return nullptr;
    if (!IS_INTRESOURCE(cls)) return cls;
    switch ((uintptr_t)cls) {
        case 0x0080: return u"button";
        case 0x0081: return u"edit";
        case 0x0082: return u"static";
        case 0x0083: return u"listbox";
        case 0x0084: return u"scrollbar";
        case 0x0085: return u"combobox";
        default: return nullptr;
    }
}

HWND topLevelOf(HWND h) {
    while (h && (GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) h = GetParent(h);
    return h;
}

RECT workArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Where a popup dialog goes: relative to its owner's client area (DS_ABSALIGN:
// the screen), or centred in the work area (DS_CENTER); then kept inside the
// work area as far as it fits.
POINT placePopup(DWORD style, POINT pos, SIZE size, HWND owner) {
    RECT work = workArea();
    if (style & DS_CENTER) {
        pos.x = work.left + (work.right - work.left - size.cx) / 2;
        pos.y = work.top + (work.bottom - work.top - size.cy) / 2;
    } else if (!(style & DS_ABSALIGN) && owner) {
        ClientToScreen(owner, &pos);
    }
    pos.x = std::max<LONG>(work.left, std::min<LONG>(pos.x, work.right - size.cx));
    pos.y = std::max<LONG>(work.top, std::min<LONG>(pos.y, work.bottom - size.cy));
    return pos;
}

bool createControls(HWND dialog, const device::DialogTemplate& t, DWORD dialogStyle, HINSTANCE instance) {
    DialogInfo* d = info(dialog);
    for (const device::DialogItemTemplate& item : t.items) {
        if (!d || !IsWindow(dialog)) return false;
        LPCWSTR cls = itemClassName(item.className);
        HWND ctrl = nullptr;
        if (cls) {
            DWORD style = (item.style | WS_CHILD) & ~(DWORD)WS_POPUP;
            ctrl = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, cls, item.text ? item.text : u"", style,
                                   MulDiv(item.x, d->base.cx, 4), MulDiv(item.y, d->base.cy, 8),
                                   MulDiv(item.cx, d->base.cx, 4), MulDiv(item.cy, d->base.cy, 8), dialog,
                                   (HMENU)(INT_PTR)item.id, instance, nullptr);
        }
        if (!ctrl) {
            if (dialogStyle & DS_NOFAILCREATE) continue;
            if (!cls) SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return false;
        }
        // New children go on top; the template's order is the tab order, so
        // each one joins the bottom of the pile.
        SetWindowPos(ctrl, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if ((d = info(dialog)) && d->font) SendMessageW(ctrl, WM_SETFONT, (WPARAM)d->font, FALSE);
        if ((d = info(dialog)) && !d->defId && (dlgCode(ctrl) & DLGC_DEFPUSHBUTTON)) d->defId = item.id;
        d = info(dialog);
    }
    return d != nullptr;
}

}  // namespace

HWND createDialog(const device::DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param,
                  unsigned flags, ModalState* modal) {
    device::registerDialogClass();
    DWORD style = t.style;
    DWORD exStyle = t.exStyle;
    bool asChild = (flags & device::kDialogAsChild) != 0;
    if (asChild) {
        style &= ~(DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_CENTER | WS_VISIBLE);
        style |= WS_CHILD | DS_CONTROL;
    }
    if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) exStyle |= WS_EX_CONTROLPARENT;
    bool child = (style & WS_CHILD) != 0;
    if (child && !IsWindow(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (parent && !IsWindow(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HWND owner = child ? parent : topLevelOf(parent);

    HFONT font = nullptr;
    if ((style & DS_SETFONT) && t.fontFace && !IS_INTRESOURCE(t.fontFace) && t.fontFace[0] && t.pointSize > 0)
        font = makeTemplateFont(t.fontFace, t.pointSize);
    SIZE base = device::fontBaseUnits(font ? font : (HFONT)GetStockObject(DEFAULT_GUI_FONT));
    SIZE client{MulDiv(t.cx, base.cx, 4), MulDiv(t.cy, base.cy, 8)};
    POINT pos{MulDiv(t.x, base.cx, 4), MulDiv(t.y, base.cy, 8)};
    if (asChild) pos = POINT{0, 0};

    LPCWSTR caption = t.caption && !IS_INTRESOURCE(t.caption) ? t.caption : u"";
    HWND dialog = CreateWindowExW(exStyle, WC_DIALOG, caption, style & ~(DWORD)WS_VISIBLE, pos.x, pos.y,
                                  std::max<LONG>(0, client.cx), std::max<LONG>(0, client.cy), owner, nullptr,
                                  instance, nullptr);
    if (!dialog) {
        if (font) DeleteObject(font);
        return nullptr;
    }
    DialogInfo& d = attachInfo(dialog);
    d.font = font;
    d.ownsFont = font != nullptr;
    d.base = base;
    d.modal = modal;

    // The template gives the client area; the frame comes on top of it.
    RECT wr, cr;
    GetWindowRect(dialog, &wr);
    GetClientRect(dialog, &cr);
    SIZE size{client.cx + (wr.right - wr.left) - cr.right, client.cy + (wr.bottom - wr.top) - cr.bottom};
    if (!child) pos = placePopup(style, pos, size, owner);
    SetWindowPos(dialog, nullptr, pos.x, pos.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    SetWindowLongW(dialog, DWL_DLGPROC, (LONG_PTR)proc);
    if (font) SendMessageW(dialog, WM_SETFONT, (WPARAM)font, FALSE);
    if (!IsWindow(dialog)) return nullptr;
    if (!createControls(dialog, t, style, instance)) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
        return nullptr;
    }

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT wantsFocus = SendMessageW(dialog, WM_INITDIALOG, (WPARAM)first, param);
    if (!IsWindow(dialog)) return nullptr;
    // A hidden page must not take the focus from the dialog it sits in.
    if (wantsFocus && (!(style & DS_CONTROL) || (style & WS_VISIBLE))) {
        if ((first = GetNextDlgTabItem(dialog, nullptr, FALSE))) {
            // Focusing a control of a hidden dialog activates the dialog; the
            // activation then finds the control already chosen.
            if (DialogInfo* di = info(dialog)) di->savedFocus = first;
            focusControl(dialog, first);
        }
    }
    if (!IsWindow(dialog)) return nullptr;
    HWND f = GetFocus();
    showDefaultButton(dialog, f && IsChild(dialog, f) ? f : nullptr);
    return dialog;
}

INT_PTR runModal(const device::DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param) {
    ModalState state;
    HWND dialog = createDialog(t, instance, topLevelOf(parent), proc, param, 0, &state);
    if (!dialog) return -1;
    state.owner = GetWindow(dialog, GW_OWNER);
    if (!state.done) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        state.ownerDisabled = state.owner && IsWindowEnabled(state.owner);
        device::runModalLoop(dialog, state.owner, &state.done,
                             [dialog](MSG& m) { return IsDialogMessageW(dialog, &m) != FALSE; });
    }
    if (DialogInfo* d = info(dialog)) d->modal = nullptr;
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return state.done ? state.result : 0;
}

}  // namespace dlg

namespace device {

const DialogTemplate* findDialogTemplate(LPCWSTR name) {
    if (!name || !IS_INTRESOURCE(name)) return nullptr;
    const Resource* r = resourceFind(kResDialog, (int)(uintptr_t)name);
    return r && r->data ? static_cast<const DialogTemplate*>(r->data) : nullptr;
}

SIZE fontBaseUnits(HFONT font) {
    SIZE units{1, 1};
    HDC dc = GetDC(nullptr);
    if (!dc) return units;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    SIZE extent{0, 0};
    bool measured = GetTextMetricsW(dc, &tm) && GetTextExtentPoint32W(dc, dlg::kAlphabet, 52, &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (!measured) return units;
    // The device's rule: half of the rounded-up average width of a letter.
    units.cx = std::max<LONG>(1, (extent.cx / 26 + 1) / 2);
    units.cy = std::max<LONG>(1, tm.tmHeight);
    return units;
}

HWND createDialogFromTemplate(const DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param,
                              unsigned flags) {
    return dlg::createDialog(t, instance, parent, proc, param, flags, nullptr);
}

}  // namespace device

namespace {

HWND showModeless(HWND dialog, const device::DialogTemplate& t) {
    if (dialog && IsWindow(dialog) && (t.style & WS_VISIBLE)) ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog && IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace

INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
    const device::DialogTemplate* t = device::findDialogTemplate(lpTemplateName);
    if (!t) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    return dlg::runModal(*t, hInstance, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    dlg::ParsedDialogTemplate parsed;
    if (!dlg::parseDialogTemplate(hDialogTemplate, dlg::kMaxBinaryTemplate, parsed)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return dlg::runModal(parsed.t, hInstance, hWndParent, lpDialogFunc, dwInitParam);
}

HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
    const device::DialogTemplate* t = device::findDialogTemplate(lpTemplateName);
    if (!t) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return showModeless(dlg::createDialog(*t, hInstance, hWndParent, lpDialogFunc, dwInitParam, 0, nullptr), *t);
}

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    dlg::ParsedDialogTemplate parsed;
    if (!dlg::parseDialogTemplate(lpTemplate, dlg::kMaxBinaryTemplate, parsed)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HWND dialog = dlg::createDialog(parsed.t, hInstance, hWndParent, lpDialogFunc, dwInitParam, 0, nullptr);
    return showModeless(dialog, parsed.t);
}
