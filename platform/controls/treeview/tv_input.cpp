// Input: taps, double taps, dragging, tap-and-hold and keys.
//
// A pen down on an item is tracked until the pen lifts (a tap: NM_CLICK, then
// selection, or the check box of a TVS_CHECKBOXES tree), moves past the drag
// threshold (TVN_BEGINDRAGW, capture released so the parent can take it), or
// stays down for the hold time (tap-and-hold: the parent gets WM_NOTIFY with
// GN_CONTEXTMENU and the point on the screen, as the device's shell sends it).
// The hold is timed with the control's own timer on the device clock (as
// deterministic as every other timer under the virtual clock), unless a host
// installed the shell's recognizer (treeview_control.h).
// A button tap expands or collapses at once.
#include <algorithm>
#include <cstdlib>

#include "platform/controls/treeview/treeview_control.h"
#include "platform/controls/treeview/treeview_internal.h"

namespace tv {
namespace {

device::TreeGestureRecognizer g_recognizer = nullptr;

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

DWORD styleOf(Tree& t) { return (DWORD)GetWindowLongW(t.hwnd, GWL_STYLE); }

void toggleCheck(Tree& t, Item* it) {
    UINT index = STATEIMAGEINDEX(it->state);
    UINT next = index == 1 ? 2 : index == 2 ? 1 : index;
    it->state = (it->state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(next);
    invalidateItem(t, it);
}

void sendContextMenu(Tree& t, Item* it, POINT screenPt) {
    NMRGINFO info{};
    info.hdr.hwndFrom = t.hwnd;
    info.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(t.hwnd);
    info.hdr.code = GN_CONTEXTMENU;
    info.ptAction = screenPt;
    info.dwItemSpec = it ? (DWORD)(uintptr_t)it->handle : 0;
    if (HWND parent = GetParent(t.hwnd)) SendMessageW(parent, WM_NOTIFY, info.hdr.idFrom, (LPARAM)&info);
}

// The pen was held on the tracked item: select it (when held on its label or
// image) and ask the parent for the context menu.
void fireHold(Tree& t) {
    Item* it = t.track.item;
    UINT flags = t.track.hitFlags;
    POINT pt = t.track.down;
    cancelTracking(t);
    HTREEITEM h = it->handle;
    if (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) selectCaret(t, it, TVC_BYMOUSE);
    ClientToScreen(t.hwnd, &pt);
    sendContextMenu(t, itemOf(t, h), pt);
}

Item* rowAt(Tree& t, int row) {
    ensureLayout(t);
    if (t.rows.empty()) return nullptr;
    if (row < 0) row = 0;
    if (row >= (int)t.rows.size()) row = (int)t.rows.size() - 1;
    return t.rows[(size_t)row];
}

}  // namespace

void cancelTracking(Tree& t) {
    if (!t.track.active) return;
    t.track = Tree::Track{};
    KillTimer(t.hwnd, kHoldTimer);
    if (GetCapture() == t.hwnd) ReleaseCapture();
}

LRESULT onPenDown(Tree& t, LPARAM lParam) {
    POINT pt = pointOf(lParam);
    HWND hwnd = t.hwnd;
    KillTimer(hwnd, kEditTimer);
    if (t.edit) {
        // A tap beside the editor ends the edit and does nothing else.
        SetFocus(hwnd);
        if (t.edit) endEdit(t, false);
        return 0;
    }
    cancelTracking(t);
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (treeOf(hwnd) != &t) return 0;
    UINT flags = 0;
    Item* it = hitTest(t, pt, flags);
    if (!it || !(flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON))) {
        notifySimple(t, NM_CLICK);
        return 0;
    }
    if (flags & TVHT_ONITEMBUTTON) {
        HTREEITEM h = it->handle;
        if (notifySimple(t, NM_CLICK)) return 0;
        if ((it = itemOf(t, h))) expandItem(t, it, TVE_TOGGLE, true);
        return 0;
    }
    t.track.active = true;
    t.track.item = it;
    t.track.hitFlags = flags;
    t.track.down = pt;
    t.track.holdArmed = true;
    t.track.wasSelected = it == t.selected;
    SetCapture(hwnd);
    if (!g_recognizer) {
        SetTimer(hwnd, kHoldTimer, kHoldTimeMs, nullptr);
        return 0;
    }
    // The recognizer runs its own loop until the pen is held, lifts or
    // moves away; the lift and the moves reach this window meanwhile.
    HTREEITEM h = it->handle;
    bool held = g_recognizer(hwnd, pt);
    if (held && treeOf(hwnd) == &t && t.track.active && t.track.holdArmed && t.track.item &&
        t.track.item->handle == h)
        fireHold(t);
    return 0;
}

LRESULT onPenMove(Tree& t, LPARAM lParam) {
    if (!t.track.active) return 0;
    POINT pt = pointOf(lParam);
    int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
    if (std::abs(pt.x - t.track.down.x) <= dx && std::abs(pt.y - t.track.down.y) <= dy) return 0;
    // Past the threshold: no hold any more; a drag when the style allows one.
    t.track.holdArmed = false;
    KillTimer(t.hwnd, kHoldTimer);
    if (styleOf(t) & TVS_DISABLEDRAGDROP) return 0;
    Item* it = t.track.item;
    POINT down = t.track.down;
    cancelTracking(t);
    t.dragging = true;
    notifyTree(t, TVN_BEGINDRAGW, 0, nullptr, it, down);
    return 0;
}

LRESULT onPenUp(Tree& t, LPARAM) {
    t.dragging = false;
    if (!t.track.active) return 0;
    HTREEITEM h = t.track.item->handle;
    UINT flags = t.track.hitFlags;
    bool wasSelected = t.track.wasSelected;
    cancelTracking(t);
    HWND hwnd = t.hwnd;
    if (notifySimple(t, NM_CLICK) || treeOf(hwnd) != &t) return 0;
    Item* it = itemOf(t, h);
    if (!it) return 0;
    if (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) {
        // A second tap on the selected label opens the editor after the
        // double-tap time, unless a double tap comes first.
        if ((styleOf(t) & TVS_EDITLABELS) && (flags & TVHT_ONITEMLABEL) && wasSelected && it == t.selected)
            SetTimer(hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
        else
            selectCaret(t, it, TVC_BYMOUSE);
    } else if ((flags & TVHT_ONITEMSTATEICON) && (styleOf(t) & TVS_CHECKBOXES)) {
        toggleCheck(t, it);
    }
    return 0;
}

LRESULT onDoubleTap(Tree& t, LPARAM lParam) {
    KillTimer(t.hwnd, kEditTimer);
    cancelTracking(t);
    UINT flags = 0;
    Item* it = hitTest(t, pointOf(lParam), flags);
    if (!it) return 0;
    HTREEITEM h = it->handle;
    if (notifySimple(t, NM_DBLCLK) || !(it = itemOf(t, h))) return 0;
    if (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMBUTTON)) expandItem(t, it, TVE_TOGGLE, true);
    else if (flags & TVHT_ONITEMSTATEICON) {
        if (styleOf(t) & TVS_CHECKBOXES) toggleCheck(t, it);
        else expandItem(t, it, TVE_TOGGLE, true);
    }
    return 0;
}

LRESULT onTimer(Tree& t, WPARAM id) {
    if (id == kEditTimer) {
        KillTimer(t.hwnd, kEditTimer);
        if ((styleOf(t) & TVS_EDITLABELS) && t.selected && !t.edit) beginEdit(t, t.selected);
        return 0;
    }
    if (id != kHoldTimer) return 0;
    KillTimer(t.hwnd, kHoldTimer);
    if (t.track.active && t.track.holdArmed) fireHold(t);
    return 0;
}

LRESULT onContextMenu(Tree& t, LPARAM screenPt) {
    // The host's other button (or a key) stands for a completed hold.
    POINT pt = pointOf(screenPt);
    Item* it = nullptr;
    if (screenPt == -1) {
        it = t.selected;
        RECT r;
        if (it && itemRect(t, it, true, r)) pt = POINT{r.left, r.bottom};
        else pt = POINT{0, 0};
        ClientToScreen(t.hwnd, &pt);
    } else {
        POINT client = pt;
        ScreenToClient(t.hwnd, &client);
        UINT flags = 0;
        it = hitTest(t, client, flags);
        if (it && (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON))) {
            HTREEITEM h = it->handle;
            selectCaret(t, it, TVC_BYMOUSE);
            it = itemOf(t, h);
        }
    }
    sendContextMenu(t, it, pt);
    return 0;
}

LRESULT onCaptureChanged(Tree& t) {
    if (t.track.active && GetCapture() != t.hwnd) {
        t.track = Tree::Track{};
        KillTimer(t.hwnd, kHoldTimer);
    }
    return 0;
}

LRESULT onKeyDown(Tree& t, WPARAM vk) {
    NMTVKEYDOWN kd{};
    kd.wVKey = (WORD)vk;
    notify(t, kd.hdr, TVN_KEYDOWN);
    HWND hwnd = t.hwnd;
    if (treeOf(hwnd) != &t) return 0;
    ensureLayout(t);
    Item* sel = t.selected;
    Item* target = nullptr;
    int page = std::max(1, fullRowsShown(t) - 1);
    switch (vk) {
        case VK_RETURN: notifySimple(t, NM_RETURN); return 0;
        case VK_HOME: target = rowAt(t, 0); break;
        case VK_END: target = rowAt(t, (int)t.rows.size() - 1); break;
        case VK_UP: target = sel ? nextItem(t, sel, TVGN_PREVIOUSVISIBLE) : rowAt(t, 0); break;
        case VK_DOWN: target = sel ? nextItem(t, sel, TVGN_NEXTVISIBLE) : rowAt(t, 0); break;
        case VK_PRIOR: target = sel && isRowVisible(t, sel) ? rowAt(t, sel->row - page) : rowAt(t, 0); break;
        case VK_NEXT: target = sel && isRowVisible(t, sel) ? rowAt(t, sel->row + page) : rowAt(t, 0); break;
        case VK_LEFT:
            if (!sel) break;
            if ((sel->state & TVIS_EXPANDED) && hasChildrenFlag(sel)) expandItem(t, sel, TVE_COLLAPSE, true);
            else if (sel->parent->level >= 0) target = sel->parent;
            break;
        case VK_RIGHT:
            if (!sel || !hasChildrenFlag(sel)) break;
            if (!(sel->state & TVIS_EXPANDED)) expandItem(t, sel, TVE_EXPAND, true);
            else target = sel->firstChild;
            break;
        case VK_ADD:
            if (sel) expandItem(t, sel, TVE_EXPAND, true);
            break;
        case VK_SUBTRACT:
            if (sel) expandItem(t, sel, TVE_COLLAPSE, true);
            break;
        case VK_SPACE:
            if (sel && (GetWindowLongW(hwnd, GWL_STYLE) & TVS_CHECKBOXES)) toggleCheck(t, sel);
            break;
        default: break;
    }
    if (target && target != t.selected) selectCaret(t, target, TVC_BYKEYBOARD);
    else if (target) scrollIntoView(t, target);
    return 0;
}

}  // namespace tv

namespace device {

void setTreeViewGestureRecognizer(TreeGestureRecognizer recognizer) { tv::g_recognizer = recognizer; }

}  // namespace device
