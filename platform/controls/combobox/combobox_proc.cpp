// The combo box's window procedure: the CB_ messages (most passed on to the
// drop-down list box, which holds the entries), the closed box's height
// following its font, the pen and keys, and the class registration.
#include <algorithm>

#include "platform/controls/combobox/combobox_control.h"
#include "platform/controls/combobox/combobox_internal.h"
#include "platform/controls/listbox/listbox_control.h"
#include "platform/controls/listbox/listbox_internal.h"
#include "platform/window/screen.h"

namespace combobox {

Combo* comboOf(HWND hwnd) { return hwnd ? reinterpret_cast<Combo*>(GetWindowLongW(hwnd, 0)) : nullptr; }

void notifyParent(Combo& c, WORD code) {
    if (HWND parent = GetParent(c.hwnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c.hwnd), code), (LPARAM)c.hwnd);
}

int curSel(const Combo& c) { return (int)SendMessageW(c.list, LB_GETCURSEL, 0, 0); }

namespace {

// The closed box is its font's height with 7 rows more at 96 dpi: the frame
// and the room around the text (the system font's 13 rows in a 20-row box).
// On the dense screen the box is twice the one of the same font at 96 dpi, so
// the pictures of bars as tall as the box fit it at both sizes.
int boxHeightFor(int textHeight) {
    int s = device::screenConfig().scale;
    return ((textHeight + s - 1) / s + 7) * s;
}

void readFontMetrics(Combo& c) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, c.font ? (HGDIOBJ)c.font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc, &tm)) c.textHeight = std::max(1, (int)tm.tmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    c.boxHeight = boxHeightFor(c.textHeight);
}

// The window is as tall as the closed box; a taller size asked for gives the
// drop-down's height, as when a dialog template sizes a combo box.
void fitHeight(Combo& c) {
    RECT wr;
    GetWindowRect(c.hwnd, &wr);
    int height = (int)(wr.bottom - wr.top);
    if (height == c.boxHeight || c.sizing) return;
    if (height > c.boxHeight) c.dropExtent = height - c.boxHeight;
    c.sizing = true;
    SetWindowPos(c.hwnd, nullptr, 0, 0, wr.right - wr.left, c.boxHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    c.sizing = false;
}

LRESULT onCreate(Combo& c) {
    DWORD style = styleOf(c);
    DWORD listStyle = WS_POPUP | WS_BORDER | (c.listScroll ? WS_VSCROLL : 0) | LBS_NOTIFY | ((style & CBS_SORT) ? LBS_SORT : 0) |
                      ((style & CBS_DISABLENOSCROLL) ? LBS_DISABLENOSCROLL : 0);
    RECT wr;
    GetWindowRect(c.hwnd, &wr);
    // The drop-down belongs to the box alone, not to the box's top-level
    // window: it holds the entries, so it must live until the box itself is
    // destroyed (a window destroys its owned windows before its own
    // WM_DESTROY, when its children can still be asked for their entries).
    c.list = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WC_LISTBOXW, u"", listStyle, 0, 0,
                             wr.right - wr.left, 40, nullptr, nullptr, nullptr, nullptr);
    if (!c.list) return -1;
    listbox::attachToCombo(c.list, c.hwnd);
    readFontMetrics(c);
    SetWindowPos(c.hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    fitHeight(c);
    return 0;
}

LRESULT onSetFont(Combo& c, WPARAM wParam, LPARAM lParam) {
    c.font = (HFONT)wParam;
    SendMessageW(c.list, WM_SETFONT, wParam, 0);
    int extent = c.dropExtent;
    readFontMetrics(c);
    fitHeight(c);
    c.dropExtent = extent;
    if (LOWORD(lParam)) InvalidateRect(c.hwnd, nullptr, FALSE);
    return 0;
}

LRESULT onPenDown(Combo& c) {
    HWND self = c.hwnd;
    if (GetFocus() != self) SetFocus(self);
    if (!IsWindow(self) || comboOf(self) != &c) return 0;
    if (c.dropped) closeUp(c, false);
    else dropDown(c);
    return 0;
}

LRESULT onFocus(Combo& c, bool gained) {
    c.focused = gained;
    if (!gained && c.dropped) closeUp(c, c.choosing);
    InvalidateRect(c.hwnd, nullptr, FALSE);
    notifyParent(c, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
    return 0;
}

LRESULT onGetText(Combo& c, WPARAM cchMax, LPARAM lParam) {
    auto* buffer = reinterpret_cast<WCHAR*>(lParam);
    if (!buffer || cchMax == 0) return 0;
    buffer[0] = 0;
    int sel = curSel(c);
    if (sel < 0) return 0;
    int n = (int)SendMessageW(c.list, LB_GETTEXTLEN, (WPARAM)sel, 0);
    if (n < 0) return 0;
    std::u16string s((size_t)n + 1, u'\0');
    SendMessageW(c.list, LB_GETTEXT, (WPARAM)sel, (LPARAM)s.data());
    size_t copy = std::min((size_t)n, (size_t)cchMax - 1);
    std::copy(s.begin(), s.begin() + (long)copy, buffer);
    buffer[copy] = 0;
    return (LRESULT)copy;
}

LRESULT onGetTextLength(Combo& c) {
    int sel = curSel(c);
    return sel < 0 ? 0 : std::max<LRESULT>(0, SendMessageW(c.list, LB_GETTEXTLEN, (WPARAM)sel, 0));
}

// Entry messages that change what the box shows.
LRESULT changeEntries(Combo& c, UINT lbMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT r = SendMessageW(c.list, lbMsg, wParam, lParam);
    InvalidateRect(c.hwnd, nullptr, FALSE);
    return r;
}

LRESULT onGetItemHeight(Combo& c, WPARAM which) {
    if ((int)(INT_PTR)which == -1) return c.textHeight;
    return SendMessageW(c.list, LB_GETITEMHEIGHT, 0, 0);
}

LRESULT onSetItemHeight(Combo& c, WPARAM which, LPARAM height) {
    if (height <= 0 || height > 255) return CB_ERR;
    if ((int)(INT_PTR)which == -1) {
        c.textHeight = (int)height;
        c.boxHeight = boxHeightFor(c.textHeight);
        fitHeight(c);
        InvalidateRect(c.hwnd, nullptr, FALSE);
        return CB_OKAY;
    }
    return SendMessageW(c.list, LB_SETITEMHEIGHT, 0, height);
}

LRESULT comboMessage(Combo& c, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case CB_ADDSTRING: return changeEntries(c, LB_ADDSTRING, wParam, lParam);
        case CB_INSERTSTRING: return changeEntries(c, LB_INSERTSTRING, wParam, lParam);
        case CB_DELETESTRING: return changeEntries(c, LB_DELETESTRING, wParam, lParam);
        case CB_RESETCONTENT: return changeEntries(c, LB_RESETCONTENT, 0, 0);
        case CB_SETCURSEL: return changeEntries(c, LB_SETCURSEL, wParam, lParam);
        case CB_SELECTSTRING: return changeEntries(c, LB_SELECTSTRING, wParam, lParam);
        case CB_GETCOUNT: return SendMessageW(c.list, LB_GETCOUNT, 0, 0);
        case CB_GETCURSEL: return SendMessageW(c.list, LB_GETCURSEL, 0, 0);
        case CB_GETLBTEXT: return SendMessageW(c.list, LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN: return SendMessageW(c.list, LB_GETTEXTLEN, wParam, lParam);
        case CB_FINDSTRING: return SendMessageW(c.list, LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT: return SendMessageW(c.list, LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_GETITEMDATA: return SendMessageW(c.list, LB_GETITEMDATA, wParam, lParam);
        case CB_SETITEMDATA: return SendMessageW(c.list, LB_SETITEMDATA, wParam, lParam);
        case CB_GETTOPINDEX: return SendMessageW(c.list, LB_GETTOPINDEX, 0, 0);
        case CB_SETTOPINDEX: return SendMessageW(c.list, LB_SETTOPINDEX, wParam, 0) == LB_ERR ? CB_ERR : CB_OKAY;
        case CB_INITSTORAGE: return SendMessageW(c.list, LB_INITSTORAGE, wParam, lParam);
        case CB_SHOWDROPDOWN:
            if (wParam) dropDown(c);
            else closeUp(c, false);
            return TRUE;
        case CB_GETDROPPEDSTATE: return c.dropped ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT:
            if (!lParam) return CB_ERR;
            *reinterpret_cast<RECT*>(lParam) = c.dropped ? [&] {
                RECT r;
                GetWindowRect(c.list, &r);
                return r;
            }() : droppedRect(c);
            return CB_OKAY;
        case CB_GETITEMHEIGHT: return onGetItemHeight(c, wParam);
        case CB_SETITEMHEIGHT: return onSetItemHeight(c, wParam, lParam);
        case CB_GETDROPPEDWIDTH: {
            RECT wr;
            GetWindowRect(c.hwnd, &wr);
            return std::max((int)(wr.right - wr.left), c.droppedWidth);
        }
        case CB_SETDROPPEDWIDTH:
            c.droppedWidth = std::max(0, (int)(INT_PTR)wParam);
            return SendMessageW(c.hwnd, CB_GETDROPPEDWIDTH, 0, 0);
        case CB_GETEXTENDEDUI: return FALSE;
        case CB_SETEXTENDEDUI: return CB_OKAY;
        default: return CB_ERR;
    }
}

LRESULT CALLBACK comboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* c = new Combo();
        c->hwnd = hwnd;
        SetWindowLongW(hwnd, 0, (LONG_PTR)c);
        // WS_VSCROLL asks for a scroll bar on the drop-down, not on the box.
        DWORD style = (DWORD)GetWindowLongW(hwnd, GWL_STYLE);
        c->listScroll = (style & WS_VSCROLL) != 0;
        SetWindowLongW(hwnd, GWL_STYLE, (LONG_PTR)(style & ~(DWORD)(WS_VSCROLL | WS_HSCROLL)));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    Combo* c = comboOf(hwnd);
    if (!c) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg >= CB_GETEDITSEL && msg <= CB_INITSTORAGE) return comboMessage(*c, msg, wParam, lParam);
    switch (msg) {
        case WM_CREATE: return onCreate(*c);
        case WM_DESTROY:
            if (c->list && IsWindow(c->list)) DestroyWindow(c->list);
            c->list = nullptr;
            c->dropped = false;
            return 0;
        case WM_NCDESTROY:
            SetWindowLongW(hwnd, 0, 0);
            delete c;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_COMMAND:
            if ((HWND)lParam == c->list && c->list) onListNotify(*c, (short)HIWORD(wParam));
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST: return HTCLIENT;
        case WM_PAINT: return onPaint(*c, (HDC)wParam);
        case WM_SIZE: fitHeight(*c); return 0;
        case WM_SETFONT: return onSetFont(*c, wParam, lParam);
        case WM_GETFONT: return (LRESULT)c->font;
        case WM_GETTEXT: return onGetText(*c, wParam, lParam);
        case WM_GETTEXTLENGTH: return onGetTextLength(*c);
        case WM_SHOWWINDOW:
            if (!wParam) closeUp(*c, c->choosing);
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_ENABLE:
            if (!wParam) closeUp(*c, c->choosing);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETFOCUS: return onFocus(*c, true);
        case WM_KILLFOCUS: return onFocus(*c, false);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return onPenDown(*c);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (onKey(*c, wParam)) return 0;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_CHAR: {
            if (wParam < 0x20 || !c->list) return 0;
            WCHAR prefix[2] = {(WCHAR)wParam, 0};
            LRESULT i = SendMessageW(c->list, LB_FINDSTRING, (WPARAM)curSel(*c), (LPARAM)prefix);
            if (i != LB_ERR && i != curSel(*c)) {
                SendMessageW(c->list, LB_SETCURSEL, (WPARAM)i, 0);
                InvalidateRect(hwnd, nullptr, FALSE);
                notifyParent(*c, CBN_SELCHANGE);
            }
            return 0;
        }
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            auto* m = reinterpret_cast<const MSG*>(lParam);
            if (c->dropped && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace combobox

namespace device {

bool registerComboBoxControl() {
    if (!registerListBoxControl()) return false;
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, WC_COMBOBOXW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = combobox::comboProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_COMBOBOXW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
