// Scrolling: the scroll bars' values (rows vertically, pixels horizontally),
// WM_VSCROLL/WM_HSCROLL, and bringing an item into view.
#include <algorithm>

#include "platform/controls/treeview/treeview_internal.h"

namespace tv {
namespace {

int maxTopRow(Tree& t) { return std::max(0, (int)t.rows.size() - std::max(1, fullRowsShown(t))); }

int maxScrollX(Tree& t) {
    RECT rc = clientRect(t);
    return std::max(0, t.contentWidth - (int)(rc.right - rc.left));
}

}  // namespace

void updateScrollBars(Tree& t) {
    if (t.updatingScrollBars || t.layoutDirty) return;
    t.updatingScrollBars = true;
    DWORD style = (DWORD)GetWindowLongW(t.hwnd, GWL_STYLE);
    // Showing one bar narrows the room for the other: settle in two rounds.
    for (int round = 0; round < 2 && IsWindow(t.hwnd); ++round) {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        if (style & TVS_NOSCROLL) {
            si.nMax = 0;
            si.nPage = 1;
        } else {
            si.nMax = (int)t.rows.size() - 1;
            si.nPage = (UINT)std::max(0, fullRowsShown(t));
            t.topRow = std::clamp(t.topRow, 0, maxTopRow(t));
            si.nPos = t.topRow;
        }
        SetScrollInfo(t.hwnd, SB_VERT, &si, TRUE);
        SCROLLINFO sh{sizeof(sh), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        if (style & (TVS_NOSCROLL | TVS_NOHSCROLL)) {
            sh.nMax = 0;
            sh.nPage = 1;
            t.scrollX = 0;
        } else {
            RECT rc = clientRect(t);
            sh.nMax = std::max(0, t.contentWidth - 1);
            sh.nPage = (UINT)std::max<LONG>(0, rc.right - rc.left);
            t.scrollX = std::clamp(t.scrollX, 0, maxScrollX(t));
            sh.nPos = t.scrollX;
        }
        SetScrollInfo(t.hwnd, SB_HORZ, &sh, TRUE);
    }
    t.firstVisibleHint = t.rows.empty() ? nullptr : t.rows[(size_t)t.topRow];
    t.updatingScrollBars = false;
}

void setTopRow(Tree& t, int row) {
    ensureLayout(t);
    row = std::clamp(row, 0, maxTopRow(t));
    if (row == t.topRow) return;
    t.topRow = row;
    t.firstVisibleHint = t.rows.empty() ? nullptr : t.rows[(size_t)row];
    updateScrollBars(t);
    invalidateAll(t);
}

void setScrollX(Tree& t, int x) {
    ensureLayout(t);
    x = std::clamp(x, 0, maxScrollX(t));
    if (x == t.scrollX) return;
    t.scrollX = x;
    updateScrollBars(t);
    invalidateAll(t);
}

LRESULT onVScroll(Tree& t, WPARAM wParam) {
    ensureLayout(t);
    int page = std::max(1, fullRowsShown(t));
    int row = t.topRow;
    switch (LOWORD(wParam)) {
        case SB_LINEUP: row -= 1; break;
        case SB_LINEDOWN: row += 1; break;
        case SB_PAGEUP: row -= page; break;
        case SB_PAGEDOWN: row += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: row = (int)(short)HIWORD(wParam); break;
        case SB_TOP: row = 0; break;
        case SB_BOTTOM: row = (int)t.rows.size(); break;
        default: return 0;
    }
    if (t.edit) endEdit(t, false);
    setTopRow(t, row);
    return 0;
}

LRESULT onHScroll(Tree& t, WPARAM wParam) {
    ensureLayout(t);
    RECT rc = clientRect(t);
    int page = std::max<LONG>(1, rc.right - rc.left);
    int line = std::max(1, indentOf(t));
    int x = t.scrollX;
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: x -= line; break;
        case SB_LINERIGHT: x += line; break;
        case SB_PAGELEFT: x -= page; break;
        case SB_PAGERIGHT: x += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: x = (int)(short)HIWORD(wParam); break;
        case SB_LEFT: x = 0; break;
        case SB_RIGHT: x = t.contentWidth; break;
        default: return 0;
    }
    if (t.edit) endEdit(t, false);
    setScrollX(t, x);
    return 0;
}

// Only rows scroll into view: the sideways position is the user's, set with
// the scroll bar, and a long label is read in its editor, which scrolls its
// own text.
bool scrollIntoView(Tree& t, Item* it) {
    if (!isRowVisible(t, it)) return false;
    int shown = std::max(1, fullRowsShown(t));
    if (it->row < t.topRow) {
        setTopRow(t, it->row);
        return true;
    }
    if (it->row >= t.topRow + shown) {
        setTopRow(t, it->row - shown + 1);
        return true;
    }
    return false;
}

void setFirstVisible(Tree& t, Item* it) {
    if (!isRowVisible(t, it)) return;
    setTopRow(t, it->row);
}

}  // namespace tv
