// The button control's window procedure: pen and Space presses, the check
// states of check boxes and radio buttons (automatic ones toggle themselves,
// an automatic radio button unchecks the others of its group), the BM_
// messages, the dialog codes and the class registration.
#include "platform/controls/button/button_control.h"
#include "platform/controls/button/button_internal.h"

namespace button {

Button* buttonOf(HWND hwnd) { return hwnd ? reinterpret_cast<Button*>(GetWindowLongW(hwnd, 0)) : nullptr; }

bool isCheckType(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool isRadioType(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

namespace {

bool isButton(HWND hwnd) {
    WCHAR name[16] = {0};
    return hwnd && GetClassNameW(hwnd, name, 16) && _wcsicmp(name, WC_BUTTONW) == 0;
}

void redraw(Button& b) { InvalidateRect(b.hwnd, nullptr, FALSE); }

void notifyParent(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), (LPARAM)hwnd);
}

void setPushed(Button& b, bool pushed) {
    if (b.pushed == pushed) return;
    b.pushed = pushed;
    redraw(b);
}

// The first window of hwnd's group: the nearest earlier sibling (or itself)
// with WS_GROUP, else the first sibling.
HWND groupStart(HWND hwnd) {
    HWND h = hwnd;
    while (!(GetWindowLongW(h, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(h, GW_HWNDPREV);
        if (!prev) break;
        h = prev;
    }
    return h;
}

void uncheckGroupMates(HWND self) {
    HWND h = groupStart(self);
    bool first = true;
    while (h) {
        if (!first && (GetWindowLongW(h, GWL_STYLE) & WS_GROUP)) break;
        first = false;
        HWND next = GetWindow(h, GW_HWNDNEXT);
        if (h != self && isButton(h) && typeOf(h) == BS_AUTORADIOBUTTON)
            SendMessageW(h, BM_SETCHECK, BST_UNCHECKED, 0);
        h = next;
    }
}

// What a completed press does: automatic boxes change their state first,
// then the parent hears BN_CLICKED.
void click(Button& b) {
    HWND self = b.hwnd;
    switch (typeOf(self)) {
        case BS_AUTOCHECKBOX: SendMessageW(self, BM_SETCHECK, b.check ? BST_UNCHECKED : BST_CHECKED, 0); break;
        case BS_AUTO3STATE: SendMessageW(self, BM_SETCHECK, (WPARAM)((b.check + 1) % 3), 0); break;
        case BS_AUTORADIOBUTTON:
            SendMessageW(self, BM_SETCHECK, BST_CHECKED, 0);
            uncheckGroupMates(self);
            break;
        default: break;
    }
    if (IsWindow(self)) notifyParent(self, BN_CLICKED);
}

bool inside(HWND hwnd, LPARAM lParam) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    POINT p{(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return PtInRect(&rc, p) != FALSE;
}

LRESULT onPenDown(Button& b) {
    if (typeOf(b.hwnd) == BS_GROUPBOX) return 0;
    HWND self = b.hwnd;
    if (GetFocus() != self) SetFocus(self);
    if (!IsWindow(self)) return 0;
    b.tracking = true;
    SetCapture(self);
    setPushed(b, true);
    return 0;
}

LRESULT onPenMove(Button& b, LPARAM lParam) {
    if (b.tracking) setPushed(b, inside(b.hwnd, lParam));
    return 0;
}

LRESULT onPenUp(Button& b, LPARAM lParam) {
    if (!b.tracking) return 0;
    HWND self = b.hwnd;
    bool in = inside(self, lParam);
    b.tracking = false;
    setPushed(b, false);
    if (GetCapture() == self) ReleaseCapture();
    if (in && IsWindow(self) && buttonOf(self) == &b) click(b);
    return 0;
}

LRESULT onCaptureChanged(Button& b) {
    if (b.tracking) {
        b.tracking = false;
        setPushed(b, false);
    }
    return 0;
}

LRESULT onKeyDown(Button& b, WPARAM vk) {
    if (vk != VK_SPACE || typeOf(b.hwnd) == BS_GROUPBOX) return 0;
    b.spaceDown = true;
    setPushed(b, true);
    return 0;
}

LRESULT onKeyUp(Button& b, WPARAM vk) {
    if (vk != VK_SPACE || !b.spaceDown) return 0;
    b.spaceDown = false;
    setPushed(b, false);
    click(b);
    return 0;
}

LRESULT onSetCheck(Button& b, WPARAM state) {
    DWORD type = typeOf(b.hwnd);
    if (!isCheckType(type) && !isRadioType(type)) return 0;
    int wanted = (int)state;
    if (wanted == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) wanted = BST_CHECKED;
    if (wanted != BST_UNCHECKED && wanted != BST_CHECKED && wanted != BST_INDETERMINATE) wanted = BST_CHECKED;
    if (b.check != wanted) {
        b.check = wanted;
        redraw(b);
    }
    return 0;
}

LRESULT onGetDlgCode(Button& b) {
    switch (typeOf(b.hwnd)) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW:
        case BS_USERBUTTON:
        case BS_PUSHBOX: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
    }
}

LRESULT onSetStyle(Button& b, WPARAM style, LPARAM redrawNow) {
    DWORD old = styleOf(b.hwnd);
    DWORD now = (old & 0xFFFF0000u) | (DWORD)(style & 0xFFFF);
    if (now != old) SetWindowLongW(b.hwnd, GWL_STYLE, (LONG_PTR)now);
    if (redrawNow) redraw(b);
    return 0;
}

LRESULT onFocus(Button& b, bool gained) {
    b.focused = gained;
    if (!gained) {
        b.spaceDown = false;
        if (b.tracking) {
            b.tracking = false;
            if (GetCapture() == b.hwnd) ReleaseCapture();
        }
        b.pushed = false;
    }
    redraw(b);
    if (styleOf(b.hwnd) & BS_NOTIFY) notifyParent(b.hwnd, gained ? BN_SETFOCUS : BN_KILLFOCUS);
    return 0;
}

LRESULT getState(const Button& b) {
    return b.check | (b.pushed ? BST_PUSHED : 0) | (b.focused ? BST_FOCUS : 0);
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* b = new Button();
        b->hwnd = hwnd;
        SetWindowLongW(hwnd, 0, (LONG_PTR)b);
        // A group box is a frame around other controls: they show through
        // it and take the pen inside it.
        if ((((const CREATESTRUCTW*)lParam)->style & BS_TYPEMASK) == BS_GROUPBOX)
            SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    Button* b = buttonOf(hwnd);
    if (!b) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_NCDESTROY:
            SetWindowLongW(hwnd, 0, 0);
            delete b;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_ERASEBKGND: return 1;
        case WM_NCHITTEST:
            if (typeOf(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_PAINT: return onPaint(*b, (HDC)wParam);
        case WM_SETTEXT: {
            LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
            redraw(*b);
            return r;
        }
        case WM_SETFONT:
            b->font = (HFONT)wParam;
            if (LOWORD(lParam)) redraw(*b);
            return 0;
        case WM_GETFONT: return (LRESULT)b->font;
        case WM_ENABLE: redraw(*b); return 0;
        case WM_SETFOCUS: return onFocus(*b, true);
        case WM_KILLFOCUS: return onFocus(*b, false);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return onPenDown(*b);
        case WM_MOUSEMOVE: return onPenMove(*b, lParam);
        case WM_LBUTTONUP: return onPenUp(*b, lParam);
        case WM_CAPTURECHANGED: return onCaptureChanged(*b);
        case WM_KEYDOWN: return onKeyDown(*b, wParam);
        case WM_KEYUP: return onKeyUp(*b, wParam);
        case WM_GETDLGCODE: return onGetDlgCode(*b);
        case BM_GETCHECK: return b->check;
        case BM_SETCHECK: return onSetCheck(*b, wParam);
        case BM_GETSTATE: return getState(*b);
        case BM_SETSTATE: setPushed(*b, wParam != 0); return 0;
        case BM_SETSTYLE: return onSetStyle(*b, wParam, lParam);
        case BM_CLICK:
            if (IsWindowEnabled(hwnd)) click(*b);
            return 0;
        case BM_GETIMAGE: return wParam == IMAGE_BITMAP ? (LRESULT)b->image : 0;
        case BM_SETIMAGE: {
            if (wParam != IMAGE_BITMAP) return 0;
            HBITMAP old = b->image;
            b->image = (HBITMAP)lParam;
            redraw(*b);
            return (LRESULT)old;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace button

namespace device {

bool registerButtonControl() {
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, WC_BUTTONW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = button::buttonProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_BUTTONW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
