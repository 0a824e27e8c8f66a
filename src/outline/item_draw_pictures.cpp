// The outline's small pictures: check boxes and the note marker drawn pixel
// by pixel at the tree font's size, the expand/collapse buttons from the
// program's bitmaps, and the image of an item being dragged.
#include <algorithm>

#include "common/gdi_owner.h"
#include "outline/item_draw.h"
#include "state/app_state.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kTransparent = 0xFF00FF;
constexpr COLORREF kMarkerFill = 0x52DEFF;
constexpr COLORREF kMarkerLine = 0x002973;
constexpr COLORREF kDragBox = 0xD2D2D2;
constexpr COLORREF kDragText = 0x0000FF;

// A blank bitmap of the screen's format selected into a memory context.
struct Canvas {
    GdiObject<HBITMAP> bitmap;
    MemoryDC memory;
    SelectedObject selected;
    HDC dc;  // the memory context, to draw into

    Canvas(int width, int height) : Canvas(GetDC(nullptr), width, height) {}
    Canvas(HDC screen, int width, int height)
        : bitmap(CreateCompatibleBitmap(screen, std::max(1, width), std::max(1, height))),
          memory(screen),
          selected(memory.get(), bitmap.get()),
          dc(memory.get()) {
        ReleaseDC(nullptr, screen);
    }
    bool ok() const { return memory && bitmap && selected.selected(); }
    // Hands the bitmap over; the canvas no longer deletes it.
    HBITMAP take() {
        selected.restore();
        return bitmap.release();
    }
    void fill(int left, int top, int right, int bottom, COLORREF colour) {
        if (right <= left || bottom <= top) return;
        RECT rc{left, top, right, bottom};
        GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
        FillRect(dc, &rc, brush.get());
    }
};

void deleteBitmap(HBITMAP* bitmap) {
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = nullptr;
}

int tickStroke(int size) {
    if (size < 24) return 3;
    if (size < 30) return 4;
    if (size < 36) return 5;
    if (size < 42) return 6;
    return 7;
}

HBITMAP loadBitmap(int id) { return LoadBitmapW(hInstance, MAKEINTRESOURCEW(id)); }

}  // namespace

HBITMAP makeCheckBoxPicture(int size, int checked) {
    if (size <= 0) return nullptr;
    Canvas c(size, size);
    if (!c.ok()) return nullptr;
    c.fill(0, 0, size, size, kBlack);
    c.fill(intUnit, intUnit, size - intUnit, size - intUnit, kWhite);
    if (checked) {
        int m = intScale + intUnit;
        int n = size - 2 * m;
        int t = tickStroke(size);
        if (n > 0) {
            int g = (n - 1) / 3;
            int h = n - g - t;
            // Short leg going down to the right, then the long leg going up.
            for (int i = 0; i <= g; ++i) c.fill(m + i, m + h + i, m + i + 1, m + h + i + t, kBlack);
            for (int j = g + 1; j <= n - 1; ++j) {
                int y = m + (n - t - 1) - (j - g - 1);
                c.fill(m + j, y, m + j + 1, y + t, kBlack);
            }
        }
    }
    return c.take();
}

HBITMAP makeNoteMarker(int size) {
    if (size <= 0) return nullptr;
    Canvas c(size, size);
    if (!c.ok()) return nullptr;
    int n = 2 * size / 3;
    int k = size - n;
    c.fill(0, 0, size, size, kMarkerFill);
    // The folded corner: cut away (transparent) above the diagonal.
    for (int i = 0; i < k; ++i) c.fill(n + i, i, size, i + 1, kTransparent);
    c.fill(0, 0, 1, size, kMarkerLine);                 // left edge
    c.fill(0, size - 1, size, size, kMarkerLine);       // bottom edge
    c.fill(size - 1, k, size, size, kMarkerLine);       // right edge below the corner
    c.fill(0, 0, n + 1, 1, kMarkerLine);                // top edge up to the fold
    for (int i = 0; i < k; ++i) c.fill(n + i, i, n + i + 1, i + 1, kMarkerLine);  // diagonal
    c.fill(n, k, n + k, k + 1, kMarkerLine);            // fold, across
    c.fill(n, 0, n + 1, k, kMarkerLine);                // fold, down
    return c.take();
}

void makeItemPictures(int fontHeight) {
    deleteBitmap(&hbmCheckBoxChecked);
    deleteBitmap(&hbmCheckBoxUnchecked);
    deleteBitmap(&hbmNoteMarker);
    hbmCheckBoxChecked = makeCheckBoxPicture(fontHeight, 1);
    hbmCheckBoxUnchecked = makeCheckBoxPicture(fontHeight, 0);
    intNoteMarkerSize = fontHeight * 6 / 10;
    hbmNoteMarker = makeNoteMarker(intNoteMarkerSize);
}

void loadButtonPictures(int buttonType) {
    deleteBitmap(&hbmButtonExpanded);
    deleteBitmap(&hbmButtonCollapsed);
    if (buttonType == 1) {
        hbmButtonExpanded = loadBitmap(bHiRes ? 154 : 152);
        hbmButtonCollapsed = loadBitmap(bHiRes ? 155 : 153);
    } else {
        hbmButtonExpanded = loadBitmap(bHiRes ? 157 : 156);
        hbmButtonCollapsed = loadBitmap(bHiRes ? 159 : 158);
    }
}

void releaseItemPictures() {
    deleteBitmap(&hbmCheckBoxChecked);
    deleteBitmap(&hbmCheckBoxUnchecked);
    deleteBitmap(&hbmNoteMarker);
    deleteBitmap(&hbmButtonExpanded);
    deleteBitmap(&hbmButtonCollapsed);
    intNoteMarkerSize = 0;
    releaseItemDrawContext();
}

HIMAGELIST makeDragImage(LPCWSTR text, int checked, int isRoot, int markerFlag) {
    static const WCHAR empty[1] = {0};
    if (!text) text = empty;
    HFONT font = (isRoot && attrCurrentList.bRootBold == 1) ? hfontTreeBold : hfontTree;
    if (attrCurrentList.bStrikeCheck == 1 && checked)
        font = (isRoot && attrCurrentList.bRootBold == 1) ? hfontTreeBoldStrike : hfontTreeStrike;
    int length = 0;
    while (length < 79 && text[length]) ++length;

    HDC screen = GetDC(nullptr);
    MemoryDC measure(screen);
    ReleaseDC(nullptr, screen);
    if (!measure) return nullptr;
    RECT extent{0, 0, 0, 0};
    {
        SelectedObject selected(measure.get(), font);
        DrawTextW(measure.get(), text, length, &extent, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    }

    int stub = intMenuHeight / 2;
    int height = std::max(1, (int)(extent.bottom - extent.top));
    int width = stub + height / 4 + (int)(extent.right - extent.left);
    int middle = height / 2;
    Canvas image(width, height);
    Canvas mask(width, height);
    if (!image.ok() || !mask.ok()) return nullptr;

    image.fill(0, 0, width, height, kWhite);
    mask.fill(0, 0, width, height, kWhite);
    image.fill(stub, 0, width, height, kDragBox);
    mask.fill(stub, 0, width, height, kBlack);
    int lineTop = middle - intUnit / 2;
    image.fill(0, lineTop, stub, lineTop + intUnit, attrCurrentList.crItemLine);
    mask.fill(0, lineTop, stub, lineTop + intUnit, kBlack);
    if (markerFlag == 0) {
        // The little "has children" square at the left, with its bar.
        int side = std::max(3, height / 2);
        int top = (height - side) / 2;
        image.fill(0, top, side, top + side, kBlack);
        image.fill(1, top + 1, side - 1, top + side - 1, kWhite);
        int barTop = top + side / 2 - intScale / 2;
        image.fill(height / 6, barTop, std::max(height / 6 + 1, height / 3), barTop + intScale, kBlack);
        mask.fill(0, top, side, top + side, kBlack);
    }
    {
        SelectedObject selected(image.dc, font);
        SetBkMode(image.dc, TRANSPARENT);
        SetTextColor(image.dc, kDragText);
        RECT textRect{stub + intUnit, 0, width, height};
        DrawTextW(image.dc, text, length, &textRect, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    }

    HIMAGELIST list = ImageList_Create(width, height, ILC_MASK, 1, 0);
    if (!list) return nullptr;
    // The list keeps copies of the pictures.
    GdiObject<HBITMAP> imageBits(image.take());
    GdiObject<HBITMAP> maskBits(mask.take());
    ImageList_Add(list, imageBits.get(), maskBits.get());
    return list;
}
