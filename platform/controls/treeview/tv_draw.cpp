// The control's own look of a row (used where the parent leaves the drawing
// to it, as the file chooser's folder tree does): dotted connecting lines,
// boxed plus/minus buttons, state and normal images, and the label.
#include <algorithm>

#include "platform/controls/treeview/tv_draw.h"
#include "platform/window/screen.h"

namespace tv {
namespace {

int scaled(int px) { return MulDiv(px, device::screenConfig().dpi, 96); }

DWORD styleOf(Tree& t) { return (DWORD)GetWindowLongW(t.hwnd, GWL_STYLE); }

void dottedV(HDC dc, int x, int y0, int y1, COLORREF c) {
    for (int y = y0; y < y1; ++y)
        if (((x + y) & 1) == 0) SetPixel(dc, x, y, c);
}

void dottedH(HDC dc, int x0, int x1, int y, COLORREF c) {
    for (int x = x0; x < x1; ++x)
        if (((x + y) & 1) == 0) SetPixel(dc, x, y, c);
}

void fillRect(HDC dc, const RECT& r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void frameRect(HDC dc, const RECT& r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FrameRect(dc, &r, b);
    DeleteObject(b);
}

// The x of the middle of the indent column where an item of `level` has its
// button and its connecting lines.
int columnCentre(Tree& t, int level, bool linesAtRoot) {
    int indent = indentOf(t);
    return indent * (linesAtRoot ? level : level - 1) - t.scrollX + indent / 2;
}

void drawLines(Tree& t, HDC dc, Item* it, const RECT& row, bool linesAtRoot) {
    COLORREF c = GetSysColor(COLOR_GRAYTEXT);
    int mid = row.top + (row.bottom - row.top) / 2;
    for (Item* a = it->parent; a && a->level >= 0; a = a->parent) {
        if (!a->next || (!linesAtRoot && a->level == 0)) continue;
        dottedV(dc, columnCentre(t, a->level, linesAtRoot), row.top, row.bottom, c);
    }
    if (!linesAtRoot && it->level == 0) return;
    int cx = columnCentre(t, it->level, linesAtRoot);
    bool hasAbove = it->prev || it->parent->level >= 0;
    if (hasAbove) dottedV(dc, cx, row.top, mid, c);
    if (it->next) dottedV(dc, cx, mid, row.bottom, c);
    dottedH(dc, cx, cx + indentOf(t) / 2 + 1, mid, c);
}

void drawButton(Tree& t, HDC dc, Item* it, const RECT& row, bool linesAtRoot) {
    int size = scaled(9) | 1;  // odd, so the sign sits in the middle
    int half = size / 2;
    int cx = columnCentre(t, it->level, linesAtRoot);
    int cy = row.top + (row.bottom - row.top) / 2;
    RECT box{cx - half, cy - half, cx + half + 1, cy + half + 1};
    fillRect(dc, box, backgroundColor(t));
    frameRect(dc, box, GetSysColor(COLOR_BTNSHADOW));
    COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    int arm = half - 2;
    for (int x = cx - arm; x <= cx + arm; ++x) SetPixel(dc, x, cy, sign);
    if (!(it->state & TVIS_EXPANDED))
        for (int y = cy - arm; y <= cy + arm; ++y) SetPixel(dc, cx, y, sign);
}

// The control's own check boxes for TVS_CHECKBOXES without a state image
// list: image 1 empty, image 2 ticked.
void drawCheckBox(HDC dc, int x, int y, int size, bool checked) {
    RECT box{x, y, x + size, y + size};
    fillRect(dc, box, GetSysColor(COLOR_WINDOW));
    frameRect(dc, box, GetSysColor(COLOR_WINDOWTEXT));
    if (!checked) return;
    COLORREF c = GetSysColor(COLOR_WINDOWTEXT);
    int n = size - 6;
    for (int i = 0; i <= n; ++i) {
        // A short stroke down to the bottom third, then a long one up.
        int yy = i < n / 3 ? y + 3 + n / 2 + i : y + 3 + n / 2 + n / 3 - (i - n / 3);
        SetPixel(dc, x + 3 + i, yy, c);
        SetPixel(dc, x + 3 + i, yy + 1, c);
    }
}

}  // namespace

void itemColors(Tree& t, const Item* it, bool highlighted, COLORREF& text, COLORREF& textBk) {
    if (highlighted) {
        bool active = t.hasFocus || it == t.dropHilite;
        text = active ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT);
        textBk = active ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNFACE);
        return;
    }
    text = t.textColor != (COLORREF)-1 ? t.textColor : GetSysColor(COLOR_WINDOWTEXT);
    if (it->state & TVIS_CUT) text = GetSysColor(COLOR_GRAYTEXT);
    textBk = backgroundColor(t);
}

void drawItem(Tree& t, HDC dc, Item* it, const RECT& row, const ItemLook& look) {
    DWORD style = styleOf(t);
    bool linesAtRoot = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    Offsets o = offsetsOf(t, it);
    int h = row.bottom - row.top;

    if (style & TVS_HASLINES) drawLines(t, dc, it, row, linesAtRoot);
    if ((style & TVS_HASBUTTONS) && hasChildrenFlag(it) && (linesAtRoot || it->level > 0))
        drawButton(t, dc, it, row, linesAtRoot);

    UINT stateIndex = STATEIMAGEINDEX(it->state);
    if (stateIndex && o.image > o.state) {
        int cx = 0, cy = 0;
        if (t.stateList && imageSize(t.stateList, cx, cy)) {
            drawImage(t.stateList, (int)stateIndex, dc, o.state, row.top + (h - cy) / 2, false);
        } else if (style & TVS_CHECKBOXES) {
            int size = scaled(13);
            int width = o.image - o.state;
            drawCheckBox(dc, o.state + (width - size) / 2, row.top + (h - size) / 2, size, stateIndex == 2);
        }
    }
    if (t.normalList && o.text > o.image) {
        int index = (it == t.selected) ? it->selectedImage : it->image;
        int cx = 0, cy = 0;
        if (index >= 0 && imageSize(t.normalList, cx, cy))
            drawImage(t.normalList, index, dc, o.image, row.top + (h - cy) / 2, false);
    }

    RECT label{o.text, row.top, o.right, row.bottom};
    if (look.highlighted || look.textBk != backgroundColor(t)) fillRect(dc, label, look.textBk);
    if (it != t.editItem) {
        if (!look.parentFont) SelectObject(dc, fontForItem(t, it));
        std::u16string text = itemText(t, it);
        int oldMode = SetBkMode(dc, TRANSPARENT);
        COLORREF oldColor = SetTextColor(dc, look.text);
        RECT inner{label.left + 2, label.top, label.right, label.bottom};
        DrawTextW(dc, text.c_str(), (int)text.size(), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
        if (!look.parentFont) SelectObject(dc, fontOf(t));
    }
    if (it == t.selected && t.hasFocus) DrawFocusRect(dc, &label);
}

}  // namespace tv
