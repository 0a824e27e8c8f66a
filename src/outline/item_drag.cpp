// Dragging an item: the start, the drag image following the pen, and the
// automatic scrolling while the pen is held at or beyond the outline's top
// or bottom edge. The drop is in item_drop.cpp.
//
// Sections: the rules | drag image | start | pen moves | automatic scrolling
// | end
#include "outline/item_drag.h"

#include <algorithm>

#include "outline/edit_bar_input.h"
#include "outline/item_draw.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "state/main_window_ids.h"

namespace {

constexpr UINT kDragScrollMs = 25;
constexpr int kScrollEdge = 10;       // the pen within this of an edge scrolls now and then ...
constexpr int kScrollAlways = 5;      // ... and this close to the top, on every tick
constexpr int kScrollSpeedStep = 20;  // each further 20 pixels out scrolls more often

WCHAR strDragText[DRAG_TEXT_CHARS] = {};
unsigned intDragScrollTicks = 0;  // counted on every tick, never reset

}  // namespace

// --- the rules -----------------------------------------------------------------------

int isBetweenZone(int y, const RECT& text) {
    int quarter = (text.bottom - text.top) / 4;
    return y < text.top + quarter || y > text.bottom - quarter ? 1 : 0;
}

DropPlace dropPlaceFor(int y, const RECT& text) {
    int quarter = (text.bottom - text.top) / 4;
    if (y < text.top + quarter) return DROP_BEFORE;
    if (y > text.bottom - quarter) return DROP_AFTER;
    return DROP_INTO;
}

int dragScrollStep(unsigned tick, int y, int top, int bottom) {
    if (y < top + kScrollEdge) {
        int every = std::max(1, 6 - (top - y + kScrollEdge) / kScrollSpeedStep);
        return y < top + kScrollAlways || tick % (unsigned)every == 0 ? -1 : 0;
    }
    if (y > bottom - kScrollEdge) {
        // However far below the outline the pen goes, it asks for the items
        // further down; past the bottom edge they come on every tick.
        if (y > bottom) return 1;
        int every = std::max(1, 6 - (y - bottom + kScrollEdge) / kScrollSpeedStep);
        return tick % (unsigned)every == 0 ? 1 : 0;
    }
    return 0;
}

POINT treePointFromMain(POINT pen) {
    // Mapped through the windows, so the point is right wherever the
    // outline sits (with or without the edit bar above it).
    POINT p = pen;
    if (hwndMain && hwndMainTV) MapWindowPoints(hwndMain, hwndMainTV, &p, 1);
    return p;
}

// --- drag image --------------------------------------------------------------------

namespace {

POINT imagePosition(POINT treePen) { return POINT{treePen.x - ptDragHotSpot.x, treePen.y - ptDragHotSpot.y}; }

// Builds the image for the present zone and shows it over the outline with
// its corner at `at` (outline coordinates).
void beginDragImage(POINT at) {
    HWND tree = hwndMainTV;
    HIMAGELIST image = makeDragImage(strDragText, isItemChecked(tree, hDragItem), isRootItem(tree, hDragItem),
                                     bDropBetween);
    if (!image) return;
    ImageList_BeginDrag(image, 0, 0, 0);
    // The drag keeps its own copy of the picture.
    ImageList_Destroy(image);
    ImageList_DragEnter(tree, at.x, at.y);
}

void endDragImage() {
    ImageList_DragLeave(hwndMainTV);
    ImageList_EndDrag();
}

}  // namespace

// --- start -----------------------------------------------------------------------------

LRESULT beginItemDrag(NMTREEVIEWW* info) {
    HWND tree = hwndMainTV;
    if (!info || !tree || !hwndMain || bDragging == 1) return 0;
    if (attrCurrentList.bAlphaSort == 1) {
        // A sorted list keeps its own order: nothing can be put elsewhere.
        MessageBeep(0);
        return 0;
    }
    HTREEITEM item = info->itemNew.hItem;
    if (!item) return 0;
    // A new gesture began: whatever pen-up an earlier tap left to be
    // swallowed, the drop that ends this drag must not be it.
    bIgnorePenUp = 0;
    bListDropDownCancelled = 0;

    SetTimer(hwndMain, TIMER_DRAG_SCROLL, kDragScrollMs, nullptr);
    hDragItem = item;
    getItemText(tree, item, strDragText, DRAG_TEXT_CHARS);
    RECT text{};
    itemTextRect(tree, item, &text);
    // The image starts where the item's check box is drawn and sits
    // centred on the pen.
    int box = intTreeFontHeight;
    ptDragHotSpot = POINT{info->ptDrag.x + box - text.left, box / 2};
    bDropBetweenShown = bDropBetween;
    beginDragImage(imagePosition(info->ptDrag));
    ShowCursor(FALSE);
    SetCapture(hwndMain);
    bDragging = 1;
    return 0;
}

// --- pen moves -----------------------------------------------------------------------------

void updateItemDrag(POINT pen) {
    HWND tree = hwndMainTV;
    if (bDragging != 1 || !tree) return;
    POINT p = treePointFromMain(pen);
    ImageList_DragShowNolock(FALSE);
    TVHITTESTINFO hit{};
    hit.pt = p;
    HTREEITEM under = (HTREEITEM)SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)&hit);
    RECT text{};
    if (under && itemTextRect(tree, under, &text)) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)under);
        bDropBetween = isBetweenZone(p.y, text);
    }
    ImageList_DragShowNolock(TRUE);
    if (bDropBetween != bDropBetweenShown) {
        // The image tells which of the two the drop would do.
        bDropBetweenShown = bDropBetween;
        endDragImage();
        beginDragImage(imagePosition(p));
    }
    POINT at = imagePosition(p);
    ImageList_DragMove(at.x, at.y);
}

// --- automatic scrolling ----------------------------------------------------------------------

void onDragScrollTimer(HWND) {
    HWND tree = hwndMainTV;
    if (bDragging != 1 || !tree) return;
    ++intDragScrollTicks;
    POINT at{};
    if (!ImageList_GetDragImage(&at, nullptr)) return;
    RECT client{};
    GetClientRect(tree, &client);
    HTREEITEM first = treeFirstVisible(tree);
    int step = dragScrollStep(intDragScrollTicks, at.y, client.top, client.bottom);
    if (step == 0) return;
    ImageList_DragShowNolock(FALSE);
    if (step < 0) {
        SendMessageW(tree, WM_VSCROLL, SB_LINEUP, 0);
        // The row that was on top is the one the pen is over now.
        if (first) SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)first);
    } else {
        SendMessageW(tree, WM_VSCROLL, SB_LINEDOWN, 0);
        int shown = (int)SendMessageW(tree, TVM_GETVISIBLECOUNT, 0, 0);
        HTREEITEM last = treeFirstVisible(tree);
        for (int i = 1; i < shown && last; ++i) {
            HTREEITEM next = treeNextVisible(tree, last);
            if (!next) break;
            last = next;
        }
        if (last) SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)last);
    }
    ImageList_DragShowNolock(TRUE);
}

// --- end ------------------------------------------------------------------------------------------

void endItemDrag() {
    if (hwndMain) KillTimer(hwndMain, TIMER_DRAG_SCROLL);
    endDragImage();
    if (hwndMainTV) {
        SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
        SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    }
    ReleaseCapture();
    ShowCursor(TRUE);
    bDragging = 0;
    hDragItem = nullptr;
}
