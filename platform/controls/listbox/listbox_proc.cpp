// The list box's window procedure: the LB_ messages, the pen (tap to select,
// drag to follow, double tap), the keys, and the drop-down mode in which the
// list holds the pen for its combo box and reports choices to it.
#include <algorithm>

#include "platform/controls/common/wheel_scroll.h"
#include "platform/controls/common/scroll_bar.h"
#include "platform/controls/listbox/listbox_control.h"
#include "platform/controls/listbox/listbox_internal.h"
#include "platform/window/input.h"

namespace listbox {

ListBox* listBoxOf(HWND hwnd) { return hwnd ? reinterpret_cast<ListBox*>(GetWindowLongW(hwnd, 0)) : nullptr; }

void notify(ListBox& lb, int code) {
    if (lb.combo) {
        SendMessageW(lb.combo, WM_COMMAND, MAKEWPARAM(0, (WORD)code), (LPARAM)lb.hwnd);
        return;
    }
    bool always = code == LBN_ERRSPACE;
    if (!always && !(styleOf(lb) & LBS_NOTIFY)) return;
    if (HWND parent = GetParent(lb.hwnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(lb.hwnd), (WORD)code), (LPARAM)lb.hwnd);
}

bool select(ListBox& lb, int index) {
    if (index < -1 || index >= (int)lb.items.size()) index = -1;
    ensureVisible(lb, index);
    if (index == lb.cursel) return false;
    lb.cursel = index;
    invalidate(lb);
    return true;
}

void attachToCombo(HWND list, HWND combo) {
    if (ListBox* lb = listBoxOf(list)) lb->combo = combo;
}

namespace {

POINT pointOf(LPARAM lParam) { return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)}; }

bool inClient(const ListBox& lb, POINT p) {
    RECT rc;
    GetClientRect(lb.hwnd, &rc);
    return PtInRect(&rc, p) != FALSE;
}

// The item under the pen while it drags; above or below the rows the list
// scrolls one row towards the pen.
int trackedItem(ListBox& lb, POINT p) {
    int count = (int)lb.items.size();
    if (count == 0) return -1;
    RECT rc;
    GetClientRect(lb.hwnd, &rc);
    if (p.y < 0) return std::max(0, lb.top - 1);
    if (p.y >= rc.bottom) return std::min(count - 1, lb.top + visibleRows(lb));
    int i = itemAt(lb, p);
    return i < 0 ? count - 1 : i;
}

// ---- the drop-down of a combo box: the list holds the pen while it shows

LRESULT comboPenDown(ListBox& lb, LPARAM lParam) {
    POINT p = pointOf(lParam);
    if (inClient(lb, p)) {
        lb.tracking = true;
        int i = itemAt(lb, p);
        if (i >= 0) select(lb, i);
        return 0;
    }
    POINT screen = p;
    ClientToScreen(lb.hwnd, &screen);
    RECT wr;
    GetWindowRect(lb.hwnd, &wr);
    HWND self = lb.hwnd;
    if (PtInRect(&wr, screen) && lb.vscroll) {
        ReleaseCapture();
        device::scrollBarMessage(self, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(screen.x, screen.y));
        if (IsWindow(self) && IsWindowVisible(self)) SetCapture(self);
        return 0;
    }
    // The tap closes the list and goes on to what it was aimed at, so a
    // command tapped while the list was open is not lost.
    HWND combo = lb.combo;
    notify(lb, LBN_SELCANCEL);
    if (IsWindow(combo) && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) device::passPenDownOn(combo);
    return 0;
}

LRESULT comboPenMove(ListBox& lb, WPARAM keys, LPARAM lParam) {
    POINT p = pointOf(lParam);
    if (!(keys & MK_LBUTTON) || !inClient(lb, p)) return 0;
    int i = itemAt(lb, p);
    if (i >= 0) select(lb, i);
    return 0;
}

LRESULT comboPenUp(ListBox& lb, LPARAM lParam) {
    lb.tracking = false;
    POINT p = pointOf(lParam);
    // Lifting the pen anywhere but on an item leaves the list open, as when
    // the pen comes up on the box that dropped it.
    if (inClient(lb, p) && itemAt(lb, p) >= 0) notify(lb, LBN_SELCHANGE);
    return 0;
}

// ---- an ordinary list box

LRESULT onPenDown(ListBox& lb, LPARAM lParam, bool twice) {
    if (lb.combo) return comboPenDown(lb, lParam);
    HWND self = lb.hwnd;
    if (GetFocus() != self) SetFocus(self);
    if (!IsWindow(self) || listBoxOf(self) != &lb) return 0;
    int i = itemAt(lb, pointOf(lParam));
    if (i >= 0) select(lb, i);
    lb.tracking = true;
    SetCapture(self);
    if (twice && i >= 0) notify(lb, LBN_DBLCLK);
    return 0;
}

LRESULT onPenMove(ListBox& lb, WPARAM keys, LPARAM lParam) {
    if (lb.combo) return comboPenMove(lb, keys, lParam);
    if (!lb.tracking) return 0;
    int i = trackedItem(lb, pointOf(lParam));
    if (i >= 0) select(lb, i);
    return 0;
}

LRESULT onPenUp(ListBox& lb, LPARAM lParam) {
    if (lb.combo) return comboPenUp(lb, lParam);
    if (!lb.tracking) return 0;
    lb.tracking = false;
    if (GetCapture() == lb.hwnd) ReleaseCapture();
    if (!lb.items.empty()) notify(lb, LBN_SELCHANGE);
    return 0;
}

// Arrow and page keys move the selection; the parent hears of each move.
LRESULT onKeyDown(ListBox& lb, WPARAM vk) {
    int count = (int)lb.items.size();
    if (count == 0) return 0;
    int rows = visibleRows(lb);
    int at = lb.cursel;
    int target = at;
    switch (vk) {
        case VK_UP: target = at < 0 ? 0 : at - 1; break;
        case VK_DOWN: target = at + 1; break;
        case VK_PRIOR: target = at < 0 ? 0 : at - (rows - 1); break;
        case VK_NEXT: target = at < 0 ? 0 : at + (rows - 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = count - 1; break;
        default: return 0;
    }
    target = std::clamp(target, 0, count - 1);
    if (select(lb, target)) notify(lb, LBN_SELCHANGE);
    return 0;
}

// A typed character selects the next item starting with it.
LRESULT onChar(ListBox& lb, WPARAM ch) {
    if (ch < 0x20 || lb.items.empty()) return 0;
    WCHAR prefix[2] = {(WCHAR)ch, 0};
    LRESULT i = findString(lb, lb.cursel, prefix, false);
    if (i != LB_ERR && select(lb, (int)i)) notify(lb, LBN_SELCHANGE);
    return 0;
}

LRESULT onSetCurSel(ListBox& lb, WPARAM wParam) {
    int index = (int)(INT_PTR)wParam;
    if (index < 0 || index >= (int)lb.items.size()) {
        select(lb, -1);
        return LB_ERR;
    }
    select(lb, index);
    return index;
}

LRESULT onItemData(ListBox& lb, WPARAM index, LPARAM value, bool set) {
    int i = (int)(INT_PTR)index;
    if (i < 0 || i >= (int)lb.items.size()) return LB_ERR;
    if (!set) return lb.items[(size_t)i].data;
    lb.items[(size_t)i].data = value;
    return LB_OKAY;
}

LRESULT onGetItemRect(ListBox& lb, WPARAM index, LPARAM lParam) {
    int i = (int)(INT_PTR)index;
    if (i < 0 || i >= std::max(1, (int)lb.items.size()) || !lParam) return LB_ERR;
    *reinterpret_cast<RECT*>(lParam) = itemRect(lb, i);
    return 1;
}

LRESULT onItemFromPoint(ListBox& lb, LPARAM lParam) {
    POINT p = pointOf(lParam);
    int count = (int)lb.items.size();
    if (count == 0) return MAKELONG(0, 1);
    int i = itemAt(lb, p);
    bool outside = !inClient(lb, p) || i < 0;
    if (i < 0) i = p.y < 0 ? lb.top : count - 1;
    return MAKELONG(i, outside ? 1 : 0);
}

LRESULT onFocus(ListBox& lb, bool gained) {
    lb.focused = gained;
    if (!gained && lb.tracking && !lb.combo) {
        lb.tracking = false;
        if (GetCapture() == lb.hwnd) ReleaseCapture();
    }
    invalidate(lb);
    if (!lb.combo) notify(lb, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
    return 0;
}

LRESULT onSetFont(ListBox& lb, WPARAM wParam, LPARAM lParam) {
    lb.font = (HFONT)wParam;
    readFontMetrics(lb);
    setTop(lb, lb.top);
    updateScrollBar(lb);
    if (LOWORD(lParam)) invalidate(lb);
    return 0;
}

LRESULT onSetRedraw(ListBox& lb, WPARAM on) {
    lb.redraw = on != FALSE;
    if (lb.redraw) {
        updateScrollBar(lb);
        invalidate(lb);
    }
    return 0;
}

LRESULT onCreate(ListBox& lb) {
    readFontMetrics(lb);
    if (styleOf(lb) & LBS_NOREDRAW) lb.redraw = false;
    updateScrollBar(lb);
    return 0;
}

LRESULT listMessage(ListBox& lb, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* text = reinterpret_cast<const WCHAR*>(lParam);
    int index = (int)(INT_PTR)wParam;
    switch (msg) {
        case LB_ADDSTRING: return addString(lb, text);
        case LB_INSERTSTRING: return insertString(lb, index, text);
        case LB_DELETESTRING: return deleteString(lb, index);
        case LB_RESETCONTENT: resetContent(lb); return 0;
        case LB_FINDSTRING: return findString(lb, index, text, false);
        case LB_FINDSTRINGEXACT: return findString(lb, index, text, true);
        case LB_SELECTSTRING: {
            LRESULT i = findString(lb, index, text, false);
            if (i != LB_ERR) select(lb, (int)i);
            return i;
        }
        case LB_GETTEXT: return getText(lb, index, reinterpret_cast<WCHAR*>(lParam));
        case LB_GETTEXTLEN: return getTextLen(lb, index);
        case LB_GETCOUNT: return (LRESULT)lb.items.size();
        case LB_SETCURSEL: return onSetCurSel(lb, wParam);
        case LB_GETCURSEL: return lb.cursel;
        case LB_GETSEL: return index >= 0 && index < (int)lb.items.size() ? (index == lb.cursel ? 1 : 0) : LB_ERR;
        case LB_GETSELCOUNT: return LB_ERR;
        case LB_GETCARETINDEX: return lb.cursel >= 0 ? lb.cursel : 0;
        case LB_SETITEMDATA: return onItemData(lb, wParam, lParam, true);
        case LB_GETITEMDATA: return onItemData(lb, wParam, lParam, false);
        case LB_SETTOPINDEX:
            if (index < 0 || (index >= (int)lb.items.size() && index > 0)) return LB_ERR;
            setTop(lb, index);
            return LB_OKAY;
        case LB_GETTOPINDEX: return lb.top;
        case LB_GETITEMHEIGHT: return lb.itemHeight;
        case LB_SETITEMHEIGHT:
            if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255) return LB_ERR;
            lb.itemHeight = LOWORD(lParam);
            updateScrollBar(lb);
            invalidate(lb);
            return LB_OKAY;
        case LB_GETITEMRECT: return onGetItemRect(lb, wParam, lParam);
        case LB_ITEMFROMPOINT: return onItemFromPoint(lb, lParam);
        case LB_INITSTORAGE:
            lb.items.reserve(lb.items.size() + (size_t)std::max(0, index));
            return (LRESULT)lb.items.capacity();
        default: return DefWindowProcW(lb.hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* lb = new ListBox();
        lb->hwnd = hwnd;
        lb->vscroll = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
        SetWindowLongW(hwnd, 0, (LONG_PTR)lb);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    ListBox* lb = listBoxOf(hwnd);
    if (!lb) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg >= LB_ADDSTRING && msg <= LB_ITEMFROMPOINT) return listMessage(*lb, msg, wParam, lParam);
    switch (msg) {
        case WM_CREATE: return onCreate(*lb);
        case WM_NCDESTROY:
            SetWindowLongW(hwnd, 0, 0);
            delete lb;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: return onPaint(*lb, (HDC)wParam);
        case WM_SIZE:
            setTop(*lb, lb->top);
            updateScrollBar(*lb);
            return 0;
        case WM_SETFONT: return onSetFont(*lb, wParam, lParam);
        case WM_GETFONT: return (LRESULT)lb->font;
        case WM_SETREDRAW: return onSetRedraw(*lb, wParam);
        case WM_ENABLE: invalidate(*lb); return 0;
        case WM_SETFOCUS: return onFocus(*lb, true);
        case WM_KILLFOCUS: return onFocus(*lb, false);
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN: return onPenDown(*lb, lParam, false);
        case WM_LBUTTONDBLCLK: return onPenDown(*lb, lParam, true);
        case WM_MOUSEMOVE: return onPenMove(*lb, wParam, lParam);
        case WM_LBUTTONUP: return onPenUp(*lb, lParam);
        case WM_CAPTURECHANGED:
            if (!lb->combo) lb->tracking = false;
            return 0;
        case WM_KEYDOWN: return onKeyDown(*lb, wParam);
        case WM_CHAR: return onChar(*lb, wParam);
        case WM_VSCROLL: return onVScroll(*lb, wParam);
        case WM_MOUSEWHEEL: return device::wheelScrollLines(hwnd, wParam);
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (device::scrollBarMessage(hwnd, msg, wParam, lParam)) return 0;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace listbox

namespace device {

bool registerListBoxControl() {
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, WC_LISTBOXW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = listbox::listBoxProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_LISTBOXW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
