// Painting: the custom-draw conversation with the parent (NM_CUSTOMDRAW stages
// and their results) around the default drawing of each row. Only the rows
// that meet the update area are visited.
#include <algorithm>

#include "platform/controls/treeview/tv_draw.h"
#include "platform/controls/treeview/treeview_internal.h"

namespace tv {
namespace {

LRESULT customDraw(Tree& t, NMTVCUSTOMDRAW& cd, DWORD stage) {
    cd.nmcd.dwDrawStage = stage;
    return notify(t, cd.nmcd.hdr, NM_CUSTOMDRAW);
}

UINT itemDrawState(Tree& t, const Item* it) {
    UINT s = 0;
    if (it->state & TVIS_SELECTED) s |= CDIS_SELECTED;
    if (it == t.selected && t.hasFocus) s |= CDIS_FOCUS;
    if (!IsWindowEnabled(t.hwnd)) s |= CDIS_DISABLED;
    return s;
}

}  // namespace

COLORREF backgroundColor(const Tree& t) {
    return t.bkColor != (COLORREF)-1 ? t.bkColor : GetSysColor(COLOR_WINDOW);
}

LRESULT onEraseBackground(Tree& t, HDC dc) {
    NMTVCUSTOMDRAW cd{};
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = clientRect(t);
    LRESULT r = customDraw(t, cd, CDDS_PREERASE);
    if (!(r & CDRF_SKIPDEFAULT)) {
        HBRUSH brush = CreateSolidBrush(backgroundColor(t));
        RECT rc = clientRect(t);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
    }
    if (r & CDRF_NOTIFYPOSTERASE) customDraw(t, cd, CDDS_POSTERASE);
    return 1;
}

LRESULT onPaint(Tree& t, HDC given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(t.hwnd, &ps);
    if (!dc) return 0;
    RECT client = clientRect(t);
    RECT area = given ? client : ps.rcPaint;
    HWND hwnd = t.hwnd;
    if (t.redraw) {
        ensureLayout(t);
        HGDIOBJ oldFont = SelectObject(dc, fontOf(t));
        NMTVCUSTOMDRAW cd{};
        cd.nmcd.hdc = dc;
        cd.nmcd.rc = client;
        LRESULT mode = customDraw(t, cd, CDDS_PREPAINT);
        if (!(mode & CDRF_SKIPDEFAULT) && treeOf(hwnd) == &t) {
            int h = std::max(1, rowHeight(t));
            int first = t.topRow + std::max<LONG>(0, area.top) / h;
            int last = std::min<int>((int)t.rows.size() - 1, t.topRow + (int)(area.bottom - 1) / h);
            // The parent may look at the tree while it draws; keep to handles.
            std::vector<HTREEITEM> handles;
            for (int row = first; row <= last; ++row) handles.push_back(t.rows[(size_t)row]->handle);
            for (size_t i = 0; i < handles.size() && treeOf(hwnd) == &t; ++i) {
                Item* it = itemOf(t, handles[i]);
                RECT rowRect;
                if (!it || !itemRect(t, it, false, rowRect)) continue;
                bool highlighted = (it == t.selected && (t.hasFocus || (GetWindowLongW(hwnd, GWL_STYLE) & TVS_SHOWSELALWAYS))) ||
                                   it == t.dropHilite;
                cd.nmcd.rc = rowRect;
                cd.nmcd.dwItemSpec = (DWORD_PTR)it->handle;
                cd.nmcd.uItemState = itemDrawState(t, it);
                cd.nmcd.lItemlParam = it->param;
                cd.iLevel = it->level;
                itemColors(t, it, highlighted, cd.clrText, cd.clrTextBk);
                LRESULT itemMode = CDRF_DODEFAULT;
                if (mode & CDRF_NOTIFYITEMDRAW) {
                    itemMode = customDraw(t, cd, CDDS_ITEMPREPAINT);
                    if (treeOf(hwnd) != &t || !(it = itemOf(t, handles[i]))) break;
                }
                if (!(itemMode & CDRF_SKIPDEFAULT)) {
                    ItemLook look{cd.clrText, cd.clrTextBk, highlighted, (itemMode & CDRF_NEWFONT) != 0};
                    drawItem(t, dc, it, rowRect, look);
                }
                if (itemMode & CDRF_NOTIFYPOSTPAINT) {
                    cd.nmcd.rc = rowRect;
                    customDraw(t, cd, CDDS_ITEMPOSTPAINT);
                    if (treeOf(hwnd) != &t) break;
                }
                if (itemMode & CDRF_NEWFONT) SelectObject(dc, fontOf(t));
            }
            if ((mode & CDRF_NOTIFYPOSTPAINT) && treeOf(hwnd) == &t) {
                cd.nmcd.rc = client;
                cd.nmcd.dwItemSpec = 0;
                cd.nmcd.uItemState = 0;
                cd.nmcd.lItemlParam = 0;
                cd.iLevel = 0;
                customDraw(t, cd, CDDS_POSTPAINT);
            }
        }
        SelectObject(dc, oldFont);
    }
    if (!given) EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace tv
