// The edit control's window procedure: a flat switch of one-line cases
// calling handlers named after their messages, the handlers of the EM_
// messages, and the class registration.
#include <algorithm>
#include <climits>

#include "platform/controls/common/wheel_scroll.h"
#include "platform/controls/edit/edit_control.h"
#include "platform/controls/edit/edit_internal.h"

namespace edit {

Edit* editOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    WCHAR name[16] = {0};
    if (!GetClassNameW(hwnd, name, 16) || _wcsicmp(name, WC_EDITW) != 0) return nullptr;
    return reinterpret_cast<Edit*>(GetWindowLongW(hwnd, 0));
}

DWORD styleOf(const Edit& e) { return (DWORD)GetWindowLongW(e.hwnd, GWL_STYLE); }
bool isMultiLine(const Edit& e) { return (styleOf(e) & ES_MULTILINE) != 0; }
bool isPassword(const Edit& e) { return !isMultiLine(e) && (styleOf(e) & ES_PASSWORD) && e.passwordChar; }
bool isReadOnly(const Edit& e) { return (styleOf(e) & ES_READONLY) != 0; }
int selMin(const Edit& e) { return std::min(e.anchor, e.caret); }
int selMax(const Edit& e) { return std::max(e.anchor, e.caret); }

void notifyParent(Edit& e, WORD code) {
    HWND parent = GetParent(e.hwnd);
    if (!parent) return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(e.hwnd), code), (LPARAM)e.hwnd);
}

namespace {

constexpr int kNoLimit = 0x7FFFFFFE;

// A margin "from the font": a little air on each side of the text.
int fontMargin(const Edit& e) { return std::max(1, e.aveCharWidth / 4); }

void readFontMetrics(Edit& e) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, e.font ? (HGDIOBJ)e.font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc, &tm)) {
        e.lineHeight = std::max(1, (int)tm.tmHeight);
        e.aveCharWidth = std::max(1, (int)tm.tmAveCharWidth);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

void relayout(Edit& e) {
    invalidateLayout(e);
    ensureLayout(e);
    updateScrollBar(e);
    invalidateText(e);
}

LRESULT onNcCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* e = new Edit();
    e->hwnd = hwnd;
    SetWindowLongW(hwnd, 0, (LONG_PTR)e);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT onCreate(Edit& e, LPARAM lParam) {
    auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    readFontMetrics(e);
    if (styleOf(e) & ES_PASSWORD) e.passwordChar = u'*';
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) setWholeText(e, cs->lpszName);
    relayout(e);
    return 0;
}

LRESULT onNcDestroy(HWND hwnd, Edit* e) {
    SetWindowLongW(hwnd, 0, 0);
    delete e;
    return DefWindowProcW(hwnd, WM_NCDESTROY, 0, 0);
}

LRESULT onGetText(Edit& e, WPARAM cchMax, LPARAM lParam) {
    auto* buffer = (LPWSTR)lParam;
    if (!buffer || cchMax == 0) return 0;
    size_t n = std::min(e.text.size(), (size_t)cchMax - 1);
    std::copy(e.text.begin(), e.text.begin() + (long)n, buffer);
    buffer[n] = 0;
    return (LRESULT)n;
}

LRESULT onSetText(Edit& e, UINT msg, LPARAM lParam) {
    auto* s = (LPCWSTR)lParam;
    setWholeText(e, s ? std::u16string_view(s) : std::u16string_view());
    // The window manager's copy serves the navigation bar and dumps.
    DefWindowProcW(e.hwnd, msg, 0, (LPARAM)e.text.c_str());
    return TRUE;
}

LRESULT onSetFont(Edit& e, WPARAM wParam, LPARAM lParam) {
    e.font = (HFONT)wParam;
    readFontMetrics(e);
    invalidateLayout(e);
    ensureLayout(e);
    updateScrollBar(e);
    if (LOWORD(lParam)) invalidateText(e);
    return 0;
}

LRESULT onSetFocus(Edit& e) {
    e.focused = true;
    invalidateText(e);
    notifyParent(e, EN_SETFOCUS);
    return 0;
}

LRESULT onKillFocus(Edit& e) {
    e.focused = false;
    if (e.tracking) {
        e.tracking = false;
        if (GetCapture() == e.hwnd) ReleaseCapture();
    }
    invalidateText(e);
    notifyParent(e, EN_KILLFOCUS);
    return 0;
}

LRESULT onGetDlgCode(Edit& e, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (isMultiLine(e)) code |= DLGC_WANTALLKEYS;
    // Only a dialog asks with a message: Enter, Escape and Tab then belong to it.
    if (lParam) e.dialogMode = true;
    return code;
}

LRESULT onSetRedraw(Edit& e, UINT msg, WPARAM wParam, LPARAM lParam) {
    e.redraw = wParam != FALSE;
    LRESULT r = DefWindowProcW(e.hwnd, msg, wParam, lParam);
    if (e.redraw) {
        updateScrollBar(e);
        invalidateText(e);
    }
    return r;
}

// A single line has nothing to scroll: the turn goes on to the parent, as
// the default handling passes a wheel no window took.
LRESULT onMouseWheel(Edit& e, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (!isMultiLine(e)) return DefWindowProcW(hwnd, WM_MOUSEWHEEL, wParam, lParam);
    return device::wheelScrollLines(hwnd, wParam);
}

LRESULT onVScroll(Edit& e, WPARAM wParam) {
    if (!isMultiLine(e)) return 0;
    ensureLayout(e);
    int vis = visibleLineCount(e), count = (int)e.lines.size();
    int delta = 0;
    switch (LOWORD(wParam)) {
        case SB_LINEUP: delta = -1; break;
        case SB_LINEDOWN: delta = 1; break;
        case SB_PAGEUP: delta = -vis; break;
        case SB_PAGEDOWN: delta = vis; break;
        case SB_TOP: delta = -e.topLine; break;
        case SB_BOTTOM: delta = count - vis - e.topLine; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS | SIF_POS;
            int target = (int)HIWORD(wParam);
            if (GetScrollInfo(e.hwnd, SB_VERT, &si)) target = LOWORD(wParam) == SB_THUMBTRACK ? si.nTrackPos : target;
            delta = target - e.topLine;
            break;
        }
        default: return 0;
    }
    HWND self = e.hwnd;
    if (scrollLines(e, delta) != 0) notifyParent(e, EN_VSCROLL);
    if (IsWindow(self) && editOf(self) == &e) updateScrollBar(e);
    return 0;
}

// ------------------------------------------------------------- EM_ messages

LRESULT onGetSel(Edit& e, WPARAM wParam, LPARAM lParam) {
    int s = selMin(e), t = selMax(e);
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = (DWORD)s;
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = (DWORD)t;
    return (s > 0xFFFF || t > 0xFFFF) ? -1 : (LRESULT)MAKELONG(s, t);
}

LRESULT onSetSel(Edit& e, WPARAM wParam, LPARAM lParam) {
    int n = (int)e.text.size();
    int s = (int)(INT_PTR)wParam, t = (int)lParam;
    if (s == -1) {
        // -1 as the start drops the selection and keeps the caret.
        s = t = e.caret;
    } else {
        if (s < 0 || s > n) s = n;
        if (t < 0 || t > n) t = n;
    }
    setSelection(e, s, t);
    scrollCaretIntoView(e);
    invalidateText(e);
    return 0;
}

LRESULT onReplaceSel(Edit& e, WPARAM wParam, LPARAM lParam) {
    auto* s = (LPCWSTR)lParam;
    replaceSelection(e, s ? std::u16string_view(s) : std::u16string_view(), wParam != 0, true, true);
    return 0;
}

LRESULT onLimitText(Edit& e, WPARAM wParam) {
    e.limit = (wParam == 0 || wParam > (WPARAM)kNoLimit) ? kNoLimit : (int)wParam;
    return 0;
}

LRESULT onSetMargins(Edit& e, WPARAM flags, LPARAM lParam) {
    int left = LOWORD(lParam), right = HIWORD(lParam);
    if (flags & EC_LEFTMARGIN) e.leftMargin = left == EC_USEFONTINFO ? fontMargin(e) : left;
    if (flags & EC_RIGHTMARGIN) e.rightMargin = right == EC_USEFONTINFO ? fontMargin(e) : right;
    relayout(e);
    return 0;
}

LRESULT onLineFromChar(Edit& e, WPARAM wParam) {
    if (!isMultiLine(e)) return 0;
    int i = (int)(INT_PTR)wParam;
    if (i < 0) i = e.anchor != e.caret ? selMin(e) : e.caret;
    return lineOf(e, std::min(i, (int)e.text.size()));
}

LRESULT onLineIndex(Edit& e, WPARAM wParam) {
    ensureLayout(e);
    int line = (int)(INT_PTR)wParam;
    if (line < 0) line = lineOf(e, e.caret);
    if (line >= (int)e.lines.size()) return -1;
    return e.lines[(size_t)line].start;
}

LRESULT onLineLength(Edit& e, WPARAM wParam) {
    ensureLayout(e);
    if (!isMultiLine(e)) return (LRESULT)e.text.size();
    int i = (int)(INT_PTR)wParam;
    if (i < 0) {
        // The characters left unselected on the lines the selection touches.
        const Line& first = e.lines[(size_t)lineOf(e, selMin(e))];
        const Line& last = e.lines[(size_t)lineOf(e, selMax(e))];
        return (selMin(e) - first.start) + std::max(0, last.start + last.length - selMax(e));
    }
    if (i > (int)e.text.size()) return 0;
    return e.lines[(size_t)lineOf(e, i)].length;
}

LRESULT onGetLine(Edit& e, WPARAM wParam, LPARAM lParam) {
    auto* buffer = (WCHAR*)lParam;
    if (!buffer) return 0;
    ensureLayout(e);
    int size = (int)*reinterpret_cast<WORD*>(buffer);
    int line = isMultiLine(e) ? (int)(INT_PTR)wParam : 0;
    if (line < 0 || line >= (int)e.lines.size()) return 0;
    const Line& l = e.lines[(size_t)line];
    int n = std::min(size, l.length);
    std::copy(e.text.begin() + l.start, e.text.begin() + l.start + n, buffer);
    if (n < size) buffer[n] = 0;
    return n;
}

LRESULT onPosFromChar(Edit& e, WPARAM wParam) {
    int i = (int)(INT_PTR)wParam;
    if (i < 0 || i >= (int)e.text.size()) return -1;
    POINT p = positionOf(e, i);
    return (LRESULT)(DWORD)MAKELONG((WORD)(short)p.x, (WORD)(short)p.y);
}

LRESULT onCharFromPos(Edit& e, LPARAM lParam) {
    POINT p{(short)LOWORD(lParam), (short)HIWORD(lParam)};
    int i = indexAt(e, p);
    int line = isMultiLine(e) ? lineOf(e, i) : 0;
    return (LRESULT)(DWORD)MAKELONG((WORD)i, (WORD)line);
}

LRESULT onGetFirstVisibleLine(Edit& e) {
    if (isMultiLine(e)) {
        ensureLayout(e);
        return e.topLine;
    }
    RECT fr = formatRect(e);
    return indexAt(e, POINT{fr.left, fr.top});
}

LRESULT onLineScroll(Edit& e, WPARAM wParam, LPARAM lParam) {
    if (!isMultiLine(e)) return FALSE;
    if (wParam && (styleOf(e) & ES_AUTOHSCROLL)) setXOffset(e, e.xOffset + (int)(INT_PTR)wParam * e.aveCharWidth);
    scrollLines(e, (int)lParam);
    return TRUE;
}

LRESULT onScroll(Edit& e, WPARAM wParam) {
    if (!isMultiLine(e)) return FALSE;
    int vis = visibleLineCount(e);
    int delta = 0;
    switch (wParam) {
        case SB_LINEUP: delta = -1; break;
        case SB_LINEDOWN: delta = 1; break;
        case SB_PAGEUP: delta = -vis; break;
        case SB_PAGEDOWN: delta = vis; break;
        default: return FALSE;
    }
    HWND self = e.hwnd;
    if (scrollLines(e, delta) != 0 && IsWindow(self)) notifyParent(e, EN_VSCROLL);
    return (LRESULT)(DWORD)MAKELONG((WORD)(short)delta, TRUE);
}

LRESULT onSetPasswordChar(Edit& e, WPARAM wParam) {
    if (isMultiLine(e)) return 0;
    e.passwordChar = (WCHAR)wParam;
    DWORD style = styleOf(e);
    DWORD wanted = e.passwordChar ? (style | ES_PASSWORD) : (style & ~(DWORD)ES_PASSWORD);
    if (wanted != style) SetWindowLongW(e.hwnd, GWL_STYLE, (LONG_PTR)wanted);
    relayout(e);
    return 0;
}

LRESULT onSetReadOnly(Edit& e, WPARAM wParam) {
    DWORD style = styleOf(e);
    SetWindowLongW(e.hwnd, GWL_STYLE, (LONG_PTR)(wParam ? (style | ES_READONLY) : (style & ~(DWORD)ES_READONLY)));
    invalidateText(e);
    return TRUE;
}

LRESULT onGetRect(Edit& e, LPARAM lParam) {
    if (lParam) *reinterpret_cast<RECT*>(lParam) = formatRect(e);
    return 0;
}

LRESULT onUndo(Edit& e) { return undo(e) ? TRUE : FALSE; }

LRESULT onSetModify(Edit& e, WPARAM wParam) {
    e.modified = wParam != 0;
    return 0;
}

LRESULT onEmptyUndo(Edit& e) {
    emptyUndo(e);
    return 0;
}

LRESULT onSize(Edit& e) {
    relayout(e);
    scrollCaretIntoView(e);
    return 0;
}

LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) return onNcCreate(hwnd, msg, wParam, lParam);
    Edit* ep = reinterpret_cast<Edit*>(GetWindowLongW(hwnd, 0));
    if (msg == WM_NCDESTROY) return onNcDestroy(hwnd, ep);
    if (!ep) return DefWindowProcW(hwnd, msg, wParam, lParam);
    Edit& e = *ep;
    switch (msg) {
        case WM_CREATE: return onCreate(e, lParam);
        case WM_GETTEXT: return onGetText(e, wParam, lParam);
        case WM_GETTEXTLENGTH: return (LRESULT)e.text.size();
        case WM_SETTEXT: return onSetText(e, msg, lParam);
        case WM_SETFONT: return onSetFont(e, wParam, lParam);
        case WM_GETFONT: return (LRESULT)e.font;
        case WM_SIZE: return onSize(e);
        case WM_STYLECHANGED: relayout(e); return 0;
        case WM_ENABLE: invalidateText(e); return 0;
        case WM_SETREDRAW: return onSetRedraw(e, msg, wParam, lParam);
        case WM_GETDLGCODE: return onGetDlgCode(e, lParam);
        case WM_PAINT: return onPaint(e, (HDC)wParam);
        case WM_PRINTCLIENT: return onPaint(e, (HDC)wParam);
        case WM_ERASEBKGND: return onEraseBackground(e, (HDC)wParam);
        case WM_SETFOCUS: return onSetFocus(e);
        case WM_KILLFOCUS: return onKillFocus(e);
        case WM_LBUTTONDOWN: return onPenDown(e, lParam);
        case WM_MOUSEMOVE: return onPenMove(e, lParam);
        case WM_LBUTTONUP: return onPenUp(e);
        case WM_LBUTTONDBLCLK: return onDoubleTap(e, lParam);
        case WM_CAPTURECHANGED: return onCaptureChanged(e);
        case WM_KEYDOWN: return onKeyDown(e, wParam);
        case WM_CHAR: return onChar(e, wParam);
        case WM_VSCROLL: return onVScroll(e, wParam);
        case WM_MOUSEWHEEL: return onMouseWheel(e, hwnd, wParam, lParam);
        case WM_CUT: return onCut(e);
        case WM_COPY: return onCopy(e);
        case WM_PASTE: return onPaste(e);
        case WM_CLEAR: return onClear(e);
        case WM_UNDO: return onUndo(e);
        case EM_GETSEL: return onGetSel(e, wParam, lParam);
        case EM_SETSEL: return onSetSel(e, wParam, lParam);
        case EM_GETRECT: return onGetRect(e, lParam);
        case EM_SCROLL: return onScroll(e, wParam);
        case EM_LINESCROLL: return onLineScroll(e, wParam, lParam);
        case EM_SCROLLCARET: scrollCaretIntoView(e); return TRUE;
        case EM_GETMODIFY: return e.modified ? TRUE : FALSE;
        case EM_SETMODIFY: return onSetModify(e, wParam);
        case EM_GETLINECOUNT: ensureLayout(e); return isMultiLine(e) ? (LRESULT)e.lines.size() : 1;
        case EM_LINEINDEX: return onLineIndex(e, wParam);
        case EM_LINELENGTH: return onLineLength(e, wParam);
        case EM_REPLACESEL: return onReplaceSel(e, wParam, lParam);
        case EM_GETLINE: return onGetLine(e, wParam, lParam);
        case EM_LIMITTEXT: return onLimitText(e, wParam);
        case EM_GETLIMITTEXT: return e.limit;
        case EM_CANUNDO: return canUndo(e) ? TRUE : FALSE;
        case EM_UNDO: return onUndo(e);
        case EM_EMPTYUNDOBUFFER: return onEmptyUndo(e);
        case EM_LINEFROMCHAR: return onLineFromChar(e, wParam);
        case EM_SETPASSWORDCHAR: return onSetPasswordChar(e, wParam);
        case EM_GETPASSWORDCHAR: return e.passwordChar;
        case EM_GETFIRSTVISIBLELINE: return onGetFirstVisibleLine(e);
        case EM_SETREADONLY: return onSetReadOnly(e, wParam);
        case EM_SETMARGINS: return onSetMargins(e, wParam, lParam);
        case EM_GETMARGINS: return (LRESULT)(DWORD)MAKELONG(e.leftMargin, e.rightMargin);
        case EM_POSFROMCHAR: return onPosFromChar(e, wParam);
        case EM_CHARFROMPOS: return onCharFromPos(e, lParam);
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace edit

namespace device {

bool registerEditControl() {
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, WC_EDITW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = edit::editProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = WC_EDITW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
