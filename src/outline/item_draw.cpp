// The outline's custom drawing: the control draws nothing of its own; every
// visible row is drawn here, into the control's context or, with a
// background picture, into the back buffer that the post-paint stage copies
// to the screen in one piece.
#include "outline/item_draw.h"

#include <algorithm>

#include "common/gdi_owner.h"
#include "outline/current_items.h"
#include "outline/outline_paint.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "storage/item_table.h"

namespace {

constexpr COLORREF kFocusFill = 0xB90000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kTransparent = 0xFF00FF;

HDC pictureContext() {
    if (!hdcPictures) hdcPictures = CreateCompatibleDC(nullptr);
    return hdcPictures;
}

// Copies `bitmap` (`width` x `height`) to (x, y); transparent leaves the
// 0xFF00FF pixels alone.
void drawPicture(HDC hdc, HBITMAP bitmap, int x, int y, int width, int height, bool transparent) {
    HDC source = pictureContext();
    if (!bitmap || !source) return;
    SelectedObject selected(source, bitmap);
    if (transparent)
        TransparentBlt(hdc, x, y, width, height, source, 0, 0, width, height, kTransparent);
    else
        BitBlt(hdc, x, y, width, height, source, 0, 0, SRCCOPY);
}

int bitmapSize(HBITMAP bitmap, int fallback) {
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof info, &info)) return info.bmWidth;
    return fallback;
}

COLORREF levelColour(int depth) {
    int index = depth < 16 ? depth % 4 : 0;
    switch (index) {
    case 1: return attrCurrentList.crItemLevel1;
    case 2: return attrCurrentList.crItemLevel2;
    case 3: return attrCurrentList.crItemLevel3;
    default: return attrCurrentList.crItemLevel0;
    }
}

void verticalLine(HDC hdc, int x, int top, int bottom) {
    MoveToEx(hdc, x, top, nullptr);
    LineTo(hdc, x, bottom);
}

// Clears the strip behind an item's text: the background picture's part
// there, or the list's background colour.
void clearBehindText(HWND tree, HDC hdc, const RECT& area) {
    if (backgroundPictureInUse()) {
        POINT origin{0, 0};
        MapWindowPoints(tree, hwndMain, &origin, 1);
        BitBlt(hdc, area.left, area.top, area.right - area.left, area.bottom - area.top, hdcBackground,
               area.left + origin.x, area.top + origin.y, SRCCOPY);
        return;
    }
    GdiObject<HBRUSH> brush(CreateSolidBrush(attrCurrentList.crBackground));
    FillRect(hdc, &area, brush.get());
}

void drawConnectors(HWND tree, HDC hdc, HTREEITEM item, const RECT& row, int* columnLeft) {
    int indent = (int)SendMessageW(tree, TVM_GETINDENT, 0, 0);
    int scroll = GetScrollPos(tree, SB_HORZ);
    int middle = (row.top + row.bottom) / 2;
    int left = row.left;
    GdiObject<HPEN> pen(CreatePen(PS_DASH, 1, attrCurrentList.crItemLine));
    SelectedObject selectedPen(hdc, pen.get());
    int oldMode = SetBkMode(hdc, TRANSPARENT);

    HTREEITEM ancestors[TREE_MAX_DEPTH + 1];
    int count = 0;
    for (HTREEITEM p = treeParent(tree, item); p && count <= TREE_MAX_DEPTH; p = treeParent(tree, p))
        ancestors[count++] = p;
    HTREEITEM parent = count > 0 ? ancestors[0] : nullptr;
    if (count > 0) {
        for (int i = count - 1; i >= 0; --i) {
            if (treeNextSibling(tree, ancestors[i])) verticalLine(hdc, left + indent / 2 - scroll, row.top, row.bottom);
            left += indent;
        }
    } else {
        int x = left + indent / 2 - scroll;
        if (treeNextSibling(tree, item)) verticalLine(hdc, x, middle, row.bottom);
        if (treePrevSibling(tree, item)) verticalLine(hdc, x, row.top, middle);
    }
    int x0 = left + indent / 2 - scroll;
    if (parent) verticalLine(hdc, x0, row.top, middle);
    MoveToEx(hdc, x0, middle, nullptr);
    LineTo(hdc, x0 + indent / 2 - 2, middle);
    if (parent && treeNextSibling(tree, item)) verticalLine(hdc, x0, middle, row.bottom);

    SetBkMode(hdc, oldMode);
    *columnLeft = left;
}

}  // namespace

void drawOutlineItem(HDC hdc, NMTVCUSTOMDRAW* draw) {
    HWND tree = draw->nmcd.hdr.hwndFrom;
    HTREEITEM item = (HTREEITEM)draw->nmcd.dwItemSpec;
    const ListAttributes& a = attrCurrentList;

    ItemRecord row{};
    row.longID = (LONG)draw->nmcd.lItemlParam;
    bool rowRead = row.longID != 0 && readItem(currentItemTable(), &row, ITEM_ALL);
    if (!rowRead) row = ItemRecord{};
    WCHAR text[TREE_TEXT_CHARS];
    getItemText(tree, item, text, TREE_TEXT_CHARS);

    bool root = isRootItem(tree, item);
    COLORREF colour = levelColour(itemDepth(tree, item));
    HFONT font = (root && a.bRootBold == 1) ? hfontTreeBold : hfontTree;
    if (row.bChecked && a.bCheckbox == 1) {
        if (a.bStrikeCheck == 1) font = (root && a.bRootBold == 1) ? hfontTreeBoldStrike : hfontTreeStrike;
        if (a.bColorChecked == 1) colour = a.crItemCheck;
    }
    if (rowRead && a.bHiliteHiddenItems == 1 && row.bDisplay == 0) colour = a.crItemHidden;
    SelectedObject selectedFont(hdc, font);

    // The label rectangle, widened to the text as drawn in this item's font.
    RECT label{};
    static_assert(sizeof(RECT) >= sizeof(HTREEITEM));
    std::copy_n(reinterpret_cast<const char*>(&item), sizeof item, reinterpret_cast<char*>(&label));
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&label)) label = draw->nmcd.rc;
    RECT measured = label;
    DrawTextW(hdc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    label.right = label.left + (measured.right - measured.left);
    label.left -= 2;
    label.right += 2;
    label.bottom += 2;
    // The row below is drawn on its own; painting into it would leave a
    // stripe of highlight behind when the selection moves.
    if (label.bottom > draw->nmcd.rc.bottom) label.bottom = draw->nmcd.rc.bottom;
    RECT r0 = label;
    int marker = intNoteMarkerSize;
    if (row.bNote == 1) OffsetRect(&label, marker + 2 * intUnit, 0);

    bool focused = (draw->nmcd.uItemState & CDIS_FOCUS) != 0;
    COLORREF oldText = SetTextColor(hdc, colour);
    COLORREF oldBack = GetBkColor(hdc);
    int oldMode;
    if (focused) {
        GdiObject<HBRUSH> fill(CreateSolidBrush(kFocusFill));
        FillRect(hdc, &label, fill.get());
        SetTextColor(hdc, kWhite);
        SetBkColor(hdc, kFocusFill);
        oldMode = SetBkMode(hdc, OPAQUE);
    } else {
        oldMode = SetBkMode(hdc, TRANSPARENT);
        RECT behind{label.left - intUnit - marker, label.top, label.right, label.bottom};
        clearBehindText(tree, hdc, behind);
    }
    bool editing = bLabelEditAllowed == 1 && item == treeSelection(tree);
    if (!editing) DrawTextW(hdc, text, -1, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(hdc, oldText);
    SetBkColor(hdc, oldBack);
    SetBkMode(hdc, oldMode);
    if (focused) DrawFocusRect(hdc, &label);
    selectedFont.restore();

    int columnLeft = 0;
    drawConnectors(tree, hdc, item, draw->nmcd.rc, &columnLeft);

    if (a.bCheckbox == 1) {
        HBITMAP box = row.bChecked ? hbmCheckBoxChecked : hbmCheckBoxUnchecked;
        drawPicture(hdc, box, r0.left - intTreeFontHeight - intUnit, r0.top + intUnit / 2, intTreeFontHeight,
                    intTreeFontHeight, false);
    }
    // The button follows the stored expansion; it is left out when the
    // filter let none of the children into the outline.
    if (row.intNumChild > 0 && hasChildren(tree, item)) {
        int indent = (int)SendMessageW(tree, TVM_GETINDENT, 0, 0);
        int scroll = GetScrollPos(tree, SB_HORZ);
        HBITMAP button = row.bNodeExpand == 1 ? hbmButtonExpanded : hbmButtonCollapsed;
        int size = bitmapSize(button, bHiRes ? 22 : 11);
        int rowHeight = draw->nmcd.rc.bottom - draw->nmcd.rc.top;
        drawPicture(hdc, button, columnLeft + (indent - size) / 2 - scroll,
                    draw->nmcd.rc.top + (rowHeight - size) / 2 + 1, size, size, true);
    }
    if (row.bNote == 1) {
        int y = label.top + (label.bottom - label.top - marker) / 2;
        drawPicture(hdc, hbmNoteMarker, r0.left + 1, y, marker, marker, true);
    }
}

LRESULT onOutlineCustomDraw(NMTVCUSTOMDRAW* draw) {
    HWND tree = draw->nmcd.hdr.hwndFrom;
    bool hasItems = treeRoot(tree) != nullptr;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (hasItems) return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        InvalidateRect(hwndMain, nullptr, FALSE);
        return CDRF_SKIPDEFAULT;
    case CDDS_ITEMPREPAINT:
        drawOutlineItem(backgroundPictureInUse() ? hdcBackBuffer : draw->nmcd.hdc, draw);
        return CDRF_SKIPDEFAULT | CDRF_NEWFONT;
    case CDDS_POSTPAINT:
        if (hasItems && backgroundPictureInUse()) {
            RECT client{};
            GetClientRect(tree, &client);
            BitBlt(draw->nmcd.hdc, 0, 0, client.right, client.bottom, hdcBackBuffer, 0, 0, SRCCOPY);
        } else if (!hasItems) {
            InvalidateRect(hwndMain, nullptr, FALSE);
        }
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void releaseItemDrawContext() {
    if (hdcPictures) DeleteDC(hdcPictures);
    hdcPictures = nullptr;
}
