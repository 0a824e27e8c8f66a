// The image lists the tree shows (normal images, state images) and the drag
// image it can make of an item, through the image list calls.
#include "platform/controls/treeview/treeview_internal.h"

namespace tv {

#ifdef ILD_NORMAL

bool imageSize(HIMAGELIST list, int& cx, int& cy) {
    return list && ImageList_GetIconSize(list, &cx, &cy);
}

void drawImage(HIMAGELIST list, int index, HDC dc, int x, int y, bool selected) {
    if (!list || index < 0 || index >= ImageList_GetImageCount(list)) return;
    ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT | (selected ? ILD_SELECTED : 0));
}

HIMAGELIST createDragImage(Tree& t, Item* it) {
    if (!it) return nullptr;
    // The item's normal image and its label, as the tree shows it.
    std::u16string text = itemText(t, it);
    int textWidth = measureText(t, it);
    int cx = 0, cy = 0;
    bool withImage = t.normalList && imageSize(t.normalList, cx, cy);
    int imageWidth = withImage ? cx + 2 : 0;
    int height = rowHeight(t);
    int width = imageWidth + textWidth + 4;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!dc || !bitmap) {
        if (dc) DeleteDC(dc);
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, fontForItem(t, it));
    RECT all{0, 0, width, height};
    HBRUSH bk = CreateSolidBrush(backgroundColor(t));
    FillRect(dc, &all, bk);
    DeleteObject(bk);
    if (withImage) drawImage(t.normalList, it->image, dc, 0, (height - cy) / 2, false);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, t.textColor != (COLORREF)-1 ? t.textColor : GetSysColor(COLOR_WINDOWTEXT));
    RECT label{imageWidth + 2, 0, width, height};
    DrawTextW(dc, text.c_str(), (int)text.size(), &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR16 | ILC_MASK, 1, 1);
    if (list && ImageList_AddMasked(list, bitmap, backgroundColor(t)) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bitmap);
    return list;
}

#else

// Built before the image lists exist: the tree shows no images.
bool imageSize(HIMAGELIST, int&, int&) { return false; }
void drawImage(HIMAGELIST, int, HDC, int, int, bool) {}
HIMAGELIST createDragImage(Tree&, Item*) { return nullptr; }

#endif

}  // namespace tv
