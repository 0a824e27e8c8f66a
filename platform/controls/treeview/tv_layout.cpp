// Layout and hit testing: the flat list of rows, the metrics of a row (font,
// images, indent), where each part of an item lies, and what lies under a point.
#include <algorithm>

#include "platform/controls/treeview/treeview_internal.h"
#include "platform/window/screen.h"

namespace tv {
namespace {

DWORD styleOf(Tree& t) { return (DWORD)GetWindowLongW(t.hwnd, GWL_STYLE); }

int scaled(int px) { return MulDiv(px, device::screenConfig().dpi, 96); }

// Measures every row whose label width is not known yet, with one DC.
void measureRows(Tree& t) {
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    HFONT current = nullptr;
    for (Item* it : t.rows) {
        if (it->textWidth >= 0) continue;
        if (!dc) {
            dc = CreateCompatibleDC(nullptr);
            if (!dc) return;
        }
        HFONT f = fontForItem(t, it);
        if (f != current) {
            HGDIOBJ prev = SelectObject(dc, f);
            if (!old) old = prev;
            current = f;
        }
        std::u16string text = itemText(t, it);
        SIZE sz{0, 0};
        GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &sz);
        it->textWidth = sz.cx;
    }
    if (dc) {
        if (old) SelectObject(dc, old);
        DeleteDC(dc);
    }
}

bool hasStateArea(Tree& t, const Item* it) {
    if (STATEIMAGEINDEX(it->state) == 0) return false;
    return t.stateList || (styleOf(t) & TVS_CHECKBOXES);
}

}  // namespace

HFONT fontOf(Tree& t) { return t.font ? t.font : (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

HFONT fontForItem(Tree& t, const Item* it) {
    if (!(it->state & TVIS_BOLD)) return fontOf(t);
    if (!t.boldFont) {
        LOGFONTW lf{};
        if (GetObjectW(fontOf(t), sizeof(lf), &lf) == sizeof(lf)) {
            lf.lfWeight = FW_BOLD;
            t.boldFont = CreateFontIndirectW(&lf);
        }
    }
    return t.boldFont ? t.boldFont : fontOf(t);
}

int indentOf(Tree& t) { return t.indent > 0 ? t.indent : scaled(19); }

int stateImageWidth(Tree& t) {
    int cx = 0, cy = 0;
    if (t.stateList && imageSize(t.stateList, cx, cy)) return cx;
    if (styleOf(t) & TVS_CHECKBOXES) return scaled(16);  // the control's own check boxes
    return 0;
}

int normalImageWidth(Tree& t) {
    int cx = 0, cy = 0;
    if (t.normalList && imageSize(t.normalList, cx, cy)) return cx + 2;  // a gap before the label
    return 0;
}

int rowHeight(Tree& t) {
    syncStyle(t);
    if (t.customItemHeight > 0) return t.customItemHeight;
    if (t.cachedRowHeight > 0) return t.cachedRowHeight;
    int height = 16;
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, fontOf(t));
        TEXTMETRICW tm{};
        if (GetTextMetricsW(dc, &tm)) height = tm.tmHeight + tm.tmExternalLeading + 2;
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    int cx = 0, cy = 0;
    if (t.normalList && imageSize(t.normalList, cx, cy)) height = std::max(height, cy);
    if (t.stateList && imageSize(t.stateList, cx, cy)) height = std::max(height, cy);
    else if (styleOf(t) & TVS_CHECKBOXES) height = std::max(height, scaled(16));
    // Rows are even unless asked otherwise; rounding up keeps the images whole.
    if (!(styleOf(t) & TVS_NONEVENHEIGHT) && (height & 1)) ++height;
    t.cachedRowHeight = height;
    return height;
}

int measureText(Tree& t, Item* it) {
    if (it->textWidth < 0) {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) return 0;
        HGDIOBJ old = SelectObject(dc, fontForItem(t, it));
        std::u16string text = itemText(t, it);
        SIZE sz{0, 0};
        GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &sz);
        it->textWidth = sz.cx;
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    return it->textWidth;
}

void invalidateAll(Tree& t) {
    if (t.redraw) InvalidateRect(t.hwnd, nullptr, TRUE);
}

void invalidateLayout(Tree& t) {
    t.layoutDirty = true;
    invalidateAll(t);
}

void syncStyle(Tree& t) {
    DWORD style = styleOf(t) & 0xFFFF;  // the control's own bits, not the scroll bars'
    if (style == t.seenStyle) return;
    t.seenStyle = style;
    t.cachedRowHeight = 0;
    t.layoutDirty = true;
}

void ensureLayout(Tree& t) {
    syncStyle(t);
    if (!t.layoutDirty) return;
    t.layoutDirty = false;
    t.rows.clear();
    // Pre-order over the expanded branches, without recursion (trees may be deep).
    Item* it = t.root.firstChild;
    while (it) {
        it->row = (int)t.rows.size();
        t.rows.push_back(it);
        if ((it->state & TVIS_EXPANDED) && it->firstChild) {
            it = it->firstChild;
            continue;
        }
        while (it && !it->next) {
            it = it->parent;
            if (it == &t.root) it = nullptr;
        }
        if (it) it = it->next;
    }
    measureRows(t);
    int widest = 0;
    int indent = indentOf(t);
    DWORD style = styleOf(t);
    bool linesAtRoot = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    int stateW = stateImageWidth(t), imageW = normalImageWidth(t);
    for (Item* r : t.rows) {
        int left = indent * (linesAtRoot ? r->level : r->level - 1) + indent;
        if (hasStateArea(t, r)) left += stateW;
        widest = std::max(widest, left + imageW + r->textWidth + 4);
    }
    t.contentWidth = widest;

    // Keep the same item at the top: walk up to the nearest shown ancestor
    // when its branch was collapsed.
    Item* hint = t.firstVisibleHint;
    while (hint && hint != &t.root && !(hint->row >= 0 && (size_t)hint->row < t.rows.size() && t.rows[(size_t)hint->row] == hint))
        hint = hint->parent;
    int top = (hint && hint != &t.root) ? hint->row : 0;
    int maxTop = std::max(0, (int)t.rows.size() - std::max(1, fullRowsShown(t)));
    t.topRow = std::clamp(top, 0, maxTop);
    t.firstVisibleHint = t.rows.empty() ? nullptr : t.rows[(size_t)t.topRow];
    updateScrollBars(t);
}

bool isRowVisible(Tree& t, Item* it) {
    ensureLayout(t);
    return it && it->row >= 0 && (size_t)it->row < t.rows.size() && t.rows[(size_t)it->row] == it;
}

RECT clientRect(Tree& t) {
    RECT rc{0, 0, 0, 0};
    GetClientRect(t.hwnd, &rc);
    return rc;
}

int fullRowsShown(Tree& t) {
    RECT rc = clientRect(t);
    int h = rowHeight(t);
    return h > 0 ? (rc.bottom - rc.top) / h : 0;
}

Offsets offsetsOf(Tree& t, Item* it) {
    DWORD style = styleOf(t);
    bool linesAtRoot = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    int indent = indentOf(t);
    Offsets o{};
    o.lines = indent * (linesAtRoot ? it->level : it->level - 1) - t.scrollX;
    o.state = o.lines + indent;
    o.image = o.state + (hasStateArea(t, it) ? stateImageWidth(t) : 0);
    o.text = o.image + normalImageWidth(t);
    o.right = o.text + measureText(t, it) + 4;
    return o;
}

bool itemRect(Tree& t, Item* it, bool textOnly, RECT& out) {
    if (!isRowVisible(t, it)) return false;
    int h = rowHeight(t);
    RECT rc = clientRect(t);
    out.top = (it->row - t.topRow) * h;
    out.bottom = out.top + h;
    if (textOnly) {
        Offsets o = offsetsOf(t, it);
        out.left = o.text;
        out.right = o.right;
    } else {
        out.left = 0;
        out.right = rc.right;
    }
    return true;
}

Item* hitTest(Tree& t, POINT pt, UINT& flags) {
    RECT rc = clientRect(t);
    flags = 0;
    if (pt.x < rc.left) flags |= TVHT_TOLEFT;
    else if (pt.x >= rc.right) flags |= TVHT_TORIGHT;
    if (pt.y < rc.top) flags |= TVHT_ABOVE;
    else if (pt.y >= rc.bottom) flags |= TVHT_BELOW;
    if (flags) return nullptr;
    ensureLayout(t);
    int h = rowHeight(t);
    int row = h > 0 ? t.topRow + pt.y / h : -1;
    if (row < 0 || row >= (int)t.rows.size()) {
        flags = TVHT_NOWHERE;
        return nullptr;
    }
    Item* it = t.rows[(size_t)row];
    Offsets o = offsetsOf(t, it);
    DWORD style = styleOf(t);
    if (pt.x < o.lines) flags = TVHT_ONITEMINDENT;
    else if (pt.x < o.state) {
        // The column of the button: a button only where one is drawn.
        bool button = (style & TVS_HASBUTTONS) && hasChildrenFlag(it) &&
                      (it->level > 0 || (style & TVS_LINESATROOT));
        flags = button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (pt.x < o.image) flags = TVHT_ONITEMSTATEICON;
    else if (pt.x < o.text) flags = TVHT_ONITEMICON;
    else if (pt.x < o.right) flags = TVHT_ONITEMLABEL;
    else flags = TVHT_ONITEMRIGHT;
    return it;
}

void invalidateItem(Tree& t, Item* it) {
    if (!t.redraw || !it) return;
    if (t.layoutDirty) {
        invalidateAll(t);
        return;
    }
    RECT r;
    if (itemRect(t, it, false, r)) InvalidateRect(t.hwnd, &r, TRUE);
}

}  // namespace tv
