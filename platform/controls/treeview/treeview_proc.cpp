// The tree view's window procedure: a flat switch of one-line cases calling
// handlers named after their messages, the handlers of the small messages,
// and the class registration.
#include <algorithm>
#include <cstring>

#include "platform/controls/common/wheel_scroll.h"
#include "platform/controls/treeview/treeview_control.h"
#include "platform/controls/treeview/treeview_internal.h"

#ifndef DLGC_WANTARROWS
#define DLGC_WANTARROWS 0x0001
#endif
#ifndef DLGC_WANTCHARS
#define DLGC_WANTCHARS 0x0080
#endif

namespace tv {

Tree* treeOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    // Only windows of our class carry a Tree in their first extra slot.
    WCHAR name[32] = {0};
    if (!GetClassNameW(hwnd, name, 32) || _wcsicmp(name, WC_TREEVIEWW) != 0) return nullptr;
    return reinterpret_cast<Tree*>(GetWindowLongW(hwnd, 0));
}

namespace {

Item* handleArg(Tree& t, LPARAM lParam) { return itemOf(t, (HTREEITEM)lParam); }

LRESULT onNcCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* t = new Tree();
    t->hwnd = hwnd;
    t->root.level = -1;
    SetWindowLongW(hwnd, 0, (LONG_PTR)t);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT onDestroy(Tree& t) {
    abandonEdit(t);
    cancelTracking(t);
    KillTimer(t.hwnd, kEditTimer);
    deleteItem(t, &t.root);
    return 0;
}

LRESULT onNcDestroy(HWND hwnd, Tree* t) {
    SetWindowLongW(hwnd, 0, 0);
    if (t) {
        if (t->boldFont) DeleteObject(t->boldFont);
        delete t;
    }
    return 0;
}

void forgetTextWidths(Tree& t) {
    for (auto& entry : t.items) entry.second->textWidth = -1;
}

LRESULT onSetFont(Tree& t, WPARAM wParam, LPARAM lParam) {
    t.font = (HFONT)wParam;
    if (t.boldFont) DeleteObject(t.boldFont);
    t.boldFont = nullptr;
    t.cachedRowHeight = 0;
    forgetTextWidths(t);
    t.layoutDirty = true;
    if (LOWORD(lParam)) invalidateAll(t);
    return 0;
}

LRESULT onInsertItem(Tree& t, LPARAM lParam) {
    if (!lParam) return 0;
    Item* it = insertItem(t, *reinterpret_cast<const TVINSERTSTRUCTW*>(lParam));
    return it ? (LRESULT)it->handle : 0;
}

LRESULT onDeleteItem(Tree& t, LPARAM lParam) {
    HTREEITEM h = (HTREEITEM)lParam;
    Item* it = (!h || h == TVI_ROOT) ? &t.root : itemOf(t, h);
    return deleteItem(t, it) ? TRUE : FALSE;
}

LRESULT onExpand(Tree& t, WPARAM wParam, LPARAM lParam) {
    return expandItem(t, handleArg(t, lParam), (UINT)wParam, false) ? TRUE : FALSE;
}

LRESULT onGetItemRect(Tree& t, WPARAM wParam, LPARAM lParam) {
    if (!lParam) return FALSE;
    RECT* rc = reinterpret_cast<RECT*>(lParam);
    // The caller passes the item in the first bytes of the rectangle.
    HTREEITEM h = nullptr;
    std::memcpy(&h, rc, sizeof(h));
    Item* it = itemOf(t, h);
    return (it && itemRect(t, it, wParam != 0, *rc)) ? TRUE : FALSE;
}

LRESULT onSetIndent(Tree& t, WPARAM wParam) {
    t.indent = std::max(4, (int)wParam);
    t.layoutDirty = true;
    invalidateAll(t);
    return 0;
}

LRESULT onSetImageList(Tree& t, WPARAM which, LPARAM lParam) {
    HIMAGELIST* slot = which == TVSIL_NORMAL ? &t.normalList : which == TVSIL_STATE ? &t.stateList : nullptr;
    if (!slot) return 0;
    HIMAGELIST old = *slot;
    *slot = (HIMAGELIST)lParam;
    t.cachedRowHeight = 0;
    invalidateLayout(t);
    return (LRESULT)old;
}

LRESULT onGetImageList(Tree& t, WPARAM which) {
    if (which == TVSIL_NORMAL) return (LRESULT)t.normalList;
    if (which == TVSIL_STATE) return (LRESULT)t.stateList;
    return 0;
}

LRESULT onGetNextItem(Tree& t, WPARAM code, LPARAM lParam) {
    HTREEITEM h = (HTREEITEM)lParam;
    Item* from = (code == TVGN_CHILD && (!h || h == TVI_ROOT)) ? &t.root : itemOf(t, h);
    Item* it = nextItem(t, from, (UINT)code);
    return it ? (LRESULT)it->handle : 0;
}

LRESULT onSelectItem(Tree& t, WPARAM code, LPARAM lParam) {
    Item* it = handleArg(t, lParam);
    if (lParam && !it) return FALSE;
    switch (code & 0xFF) {
        case TVGN_CARET: return selectCaret(t, it, TVC_UNKNOWN) ? TRUE : FALSE;
        case TVGN_DROPHILITE: setDropHilite(t, it); return TRUE;
        case TVGN_FIRSTVISIBLE:
            if (!it) return FALSE;
            ensureVisible(t, it);
            if ((it = itemOf(t, (HTREEITEM)lParam))) setFirstVisible(t, it);
            return TRUE;
        default: return FALSE;
    }
}

LRESULT onHitTest(Tree& t, LPARAM lParam) {
    if (!lParam) return 0;
    auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
    Item* it = hitTest(t, info->pt, info->flags);
    info->hItem = it ? it->handle : nullptr;
    return (LRESULT)info->hItem;
}

LRESULT onEnsureVisible(Tree& t, LPARAM lParam) { return ensureVisible(t, handleArg(t, lParam)) ? TRUE : FALSE; }

LRESULT onSetItemHeight(Tree& t, WPARAM wParam) {
    int old = rowHeight(t);
    int h = (int)(short)LOWORD(wParam);
    if (h == -1) t.customItemHeight = 0;
    else if (h > 0) {
        if (!(GetWindowLongW(t.hwnd, GWL_STYLE) & TVS_NONEVENHEIGHT)) h &= ~1;
        t.customItemHeight = std::max(1, h);
    }
    invalidateLayout(t);
    return old;
}

LRESULT onSetColor(Tree& t, COLORREF& slot, LPARAM lParam) {
    COLORREF old = slot;
    slot = (COLORREF)lParam;
    invalidateAll(t);
    return (LRESULT)(LONG)old;
}

LRESULT onGetItemState(Tree& t, WPARAM wParam, LPARAM lParam) {
    Item* it = itemOf(t, (HTREEITEM)wParam);
    return it ? (LRESULT)(it->state & (UINT)lParam) : 0;
}

LRESULT onGetItem(Tree& t, LPARAM lParam, bool extended) {
    return lParam && getItem(t, *reinterpret_cast<TVITEMW*>(lParam), extended) ? TRUE : FALSE;
}

LRESULT onSetItem(Tree& t, LPARAM lParam) {
    return lParam && setItem(t, *reinterpret_cast<const TVITEMW*>(lParam)) ? TRUE : FALSE;
}

LRESULT onEditLabel(Tree& t, LPARAM lParam) { return (LRESULT)beginEdit(t, handleArg(t, lParam)); }

LRESULT onEndEditLabelNow(Tree& t, WPARAM cancel) { return endEdit(t, cancel != 0) ? TRUE : FALSE; }

LRESULT onSetRedraw(Tree& t, UINT msg, WPARAM wParam, LPARAM lParam) {
    t.redraw = wParam != FALSE;
    LRESULT r = DefWindowProcW(t.hwnd, msg, wParam, lParam);
    if (t.redraw) {
        ensureLayout(t);
        updateScrollBars(t);
        invalidateAll(t);
    }
    return r;
}

LRESULT onSize(Tree& t) {
    if (t.updatingScrollBars) return 0;
    ensureLayout(t);
    updateScrollBars(t);
    invalidateAll(t);
    return 0;
}

LRESULT onSetFocus(Tree& t) {
    t.hasFocus = true;
    invalidateItem(t, t.selected);
    notifySimple(t, NM_SETFOCUS);
    return 0;
}

LRESULT onKillFocus(Tree& t) {
    t.hasFocus = false;
    invalidateItem(t, t.selected);
    notifySimple(t, NM_KILLFOCUS);
    return 0;
}

LRESULT onStyleChanged(Tree& t) {
    syncStyle(t);
    invalidateAll(t);
    return 0;
}

LRESULT CALLBACK treeViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) return onNcCreate(hwnd, msg, wParam, lParam);
    Tree* tp = reinterpret_cast<Tree*>(GetWindowLongW(hwnd, 0));
    if (msg == WM_NCDESTROY) return onNcDestroy(hwnd, tp);
    if (!tp) return DefWindowProcW(hwnd, msg, wParam, lParam);
    Tree& t = *tp;
    switch (msg) {
        case TVM_INSERTITEMW: return onInsertItem(t, lParam);
        case TVM_DELETEITEM: return onDeleteItem(t, lParam);
        case TVM_EXPAND: return onExpand(t, wParam, lParam);
        case TVM_GETITEMRECT: return onGetItemRect(t, wParam, lParam);
        case TVM_GETCOUNT: return (LRESULT)t.items.size();
        case TVM_GETINDENT: return indentOf(t);
        case TVM_SETINDENT: return onSetIndent(t, wParam);
        case TVM_GETIMAGELIST: return onGetImageList(t, wParam);
        case TVM_SETIMAGELIST: return onSetImageList(t, wParam, lParam);
        case TVM_GETNEXTITEM: return onGetNextItem(t, wParam, lParam);
        case TVM_SELECTITEM: return onSelectItem(t, wParam, lParam);
        case TVM_GETEDITCONTROL: return (LRESULT)t.edit;
        case TVM_GETVISIBLECOUNT: return fullRowsShown(t);
        case TVM_HITTEST: return onHitTest(t, lParam);
        case TVM_CREATEDRAGIMAGE: return (LRESULT)createDragImage(t, handleArg(t, lParam));
        case TVM_ENSUREVISIBLE: return onEnsureVisible(t, lParam);
        case TVM_ENDEDITLABELNOW: return onEndEditLabelNow(t, wParam);
        case TVM_SETITEMHEIGHT: return onSetItemHeight(t, wParam);
        case TVM_GETITEMHEIGHT: return rowHeight(t);
        case TVM_SETBKCOLOR: return onSetColor(t, t.bkColor, lParam);
        case TVM_SETTEXTCOLOR: return onSetColor(t, t.textColor, lParam);
        case TVM_GETBKCOLOR: return (LRESULT)(LONG)t.bkColor;
        case TVM_GETTEXTCOLOR: return (LRESULT)(LONG)t.textColor;
        case TVM_GETITEMSTATE: return onGetItemState(t, wParam, lParam);
        case TVM_GETITEMW: return onGetItem(t, lParam, true);
        case TVM_SETITEMW: return onSetItem(t, lParam);
        case TVM_EDITLABELW: return onEditLabel(t, lParam);
        case WM_DESTROY: return onDestroy(t);
        case WM_SETFONT: return onSetFont(t, wParam, lParam);
        case WM_GETFONT: return (LRESULT)fontOf(t);
        case WM_SETREDRAW: return onSetRedraw(t, msg, wParam, lParam);
        case WM_STYLECHANGED: return onStyleChanged(t);
        case WM_PAINT: return onPaint(t, (HDC)wParam);
        case WM_PRINTCLIENT: return onPaint(t, (HDC)wParam);
        case WM_ERASEBKGND: return onEraseBackground(t, (HDC)wParam);
        case WM_SIZE: return onSize(t);
        case WM_VSCROLL: return onVScroll(t, wParam);
        case WM_MOUSEWHEEL: return device::wheelScrollLines(hwnd, wParam);
        case WM_HSCROLL: return onHScroll(t, wParam);
        case WM_LBUTTONDOWN: return onPenDown(t, lParam);
        case WM_MOUSEMOVE: return onPenMove(t, lParam);
        case WM_LBUTTONUP: return onPenUp(t, lParam);
        case WM_LBUTTONDBLCLK: return onDoubleTap(t, lParam);
        case WM_CAPTURECHANGED: return onCaptureChanged(t);
        case WM_CONTEXTMENU: return onContextMenu(t, lParam);
        case WM_TIMER: return onTimer(t, wParam);
        case WM_KEYDOWN: return onKeyDown(t, wParam);
        case WM_CHAR: return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS: return onSetFocus(t);
        case WM_KILLFOCUS: return onKillFocus(t);
        case WM_COMMAND: return 0;
        case WM_ENABLE: invalidateAll(t); return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace tv

namespace device {

bool registerTreeViewControl() {
    tv::registerEditForLabels();
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, WC_TREEVIEWW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = tv::treeViewProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_TREEVIEWW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
