// The main window's WM_PAINT and the outline's background.
//
// The main window shows through wherever the panes leave room: the band of
// the list name (with the padlock of a protected list), the edit bar, and,
// when the outline is hidden, the whole window with the "Password
// Protected" screen or one of the notices.
#include "outline/outline_paint.h"

#include <algorithm>

#include "common/app_font.h"
#include "common/gdi_owner.h"
#include "dialogs/background_image.h"
#include "state/app_state.h"
// The buttons are drawn where the pen input looks for them.
#include "outline/edit_bar_geometry.h"

namespace {

constexpr COLORREF kEditBarFill = 0xFFB7B7;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kTransparent = 0xFF00FF;
constexpr int kNoticePoints = 13;

void deleteBitmap(HBITMAP* bitmap) {
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = nullptr;
}

HBITMAP loadBitmap(int id) { return LoadBitmapW(hInstance, MAKEINTRESOURCEW(id)); }

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

// Copies a piece of `bitmap` to (x, y), optionally leaving 0xFF00FF out.
void copyBitmap(HDC hdc, HBITMAP bitmap, int x, int y, int sx, int sy, int width, int height, bool transparent) {
    if (!bitmap || width <= 0 || height <= 0) return;
    MemoryDC source(hdc);
    if (!source) return;
    SelectedObject selected(source.get(), bitmap);
    if (transparent)
        TransparentBlt(hdc, x, y, width, height, source.get(), sx, sy, width, height, kTransparent);
    else
        BitBlt(hdc, x, y, width, height, source.get(), sx, sy, SRCCOPY);
}

// A black line `intScale` thick whose top edge is `y`.
void blackLine(HDC hdc, int y) {
    RECT band{0, y, intWorkWidth, y + intScale};
    GdiObject<HBRUSH> brush(CreateSolidBrush(kBlack));
    FillRect(hdc, &band, brush.get());
}

void separatorLine(HDC hdc) { blackLine(hdc, intListBarBottom); }

// Draws `text` with the bold 13-point notice font; `format` and the band
// are the caller's.
void noticeText(HDC hdc, LPCWSTR text, COLORREF colour, int top, int lines, UINT format, int clientWidth) {
    int fontHeight = 0;
    GdiObject<HFONT> font(createAppFont(kNoticePoints, 700, 0, bClearType, &fontHeight));
    SelectedObject selected(hdc, font.get());
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(hdc, colour);
    RECT band{0, top + (lines == 1 ? fontHeight / 2 : fontHeight / 2), clientWidth, 0};
    band.bottom = band.top + fontHeight * lines;
    DrawTextW(hdc, text, -1, &band, format);
    SetTextColor(hdc, oldColour);
    SetBkMode(hdc, oldMode);
}

bool outlineVisible() { return hwndMainTV && IsWindowVisible(hwndMainTV); }

}  // namespace

// --- resources ----------------------------------------------------------------

void createBackBuffers(HWND hwndMainWindow) {
    HDC screen = GetDC(hwndMainWindow);
    RECT client{};
    GetClientRect(hwndMainWindow, &client);
    hdcBackBuffer = CreateCompatibleDC(screen);
    hbmBackBuffer = CreateCompatibleBitmap(screen, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
    if (hdcBackBuffer && hbmBackBuffer) hobjBackBufferOld = SelectObject(hdcBackBuffer, hbmBackBuffer);
    hdcBackground = CreateCompatibleDC(screen);
    ReleaseDC(hwndMainWindow, screen);
}

void loadPaintBitmaps() {
    deleteBitmap(&hbmEditBarEnabled);
    deleteBitmap(&hbmEditBarPressed);
    deleteBitmap(&hbmEditBarDisabled);
    deleteBitmap(&hbmPadlockLarge);
    deleteBitmap(&hbmPadlockSmall);
    hbmEditBarEnabled = loadBitmap(bHiRes ? 131 : 132);
    hbmEditBarPressed = loadBitmap(bHiRes ? 136 : 137);
    hbmEditBarDisabled = loadBitmap(bHiRes ? 160 : 161);
    hbmPadlockLarge = loadBitmap(bHiRes ? 151 : 150);
    hbmPadlockSmall = loadBitmap(bHiRes ? 167 : 169);
}

void clearBackgroundPicture() {
    if (hdcBackground && hobjBackgroundOld) SelectObject(hdcBackground, hobjBackgroundOld);
    hobjBackgroundOld = nullptr;
    deleteBitmap(&hbmBackgroundPicture);
    bBackgroundLoaded = 0;
}

int loadBackgroundPicture(LPCWSTR imageName) {
    clearBackgroundPicture();
    if (!hdcBackground) return 0;
    hbmBackgroundPicture = loadBackgroundImage(imageName);
    if (!hbmBackgroundPicture) return 0;
    hobjBackgroundOld = SelectObject(hdcBackground, hbmBackgroundPicture);
    bBackgroundLoaded = 1;
    return 1;
}

int backgroundPictureInUse() {
    return attrCurrentList.bUseBitmapFile == 1 && bBackgroundLoaded && hdcBackBuffer && hdcBackground ? 1 : 0;
}

void releasePaintResources() {
    clearBackgroundPicture();
    if (hdcBackground) DeleteDC(hdcBackground);
    hdcBackground = nullptr;
    if (hdcBackBuffer && hobjBackBufferOld) SelectObject(hdcBackBuffer, hobjBackBufferOld);
    hobjBackBufferOld = nullptr;
    deleteBitmap(&hbmBackBuffer);
    if (hdcBackBuffer) DeleteDC(hdcBackBuffer);
    hdcBackBuffer = nullptr;
    deleteBitmap(&hbmEditBarEnabled);
    deleteBitmap(&hbmEditBarPressed);
    deleteBitmap(&hbmEditBarDisabled);
    deleteBitmap(&hbmPadlockLarge);
    deleteBitmap(&hbmPadlockSmall);
}

// --- painting -------------------------------------------------------------------

void paintEditBar(HDC hdc) {
    RECT bar{0, intListBarBottom, intWorkWidth, intListBarBottom + intListBarHeight};
    GdiObject<HBRUSH> fill(CreateSolidBrush(kEditBarFill));
    FillRect(hdc, &bar, fill.get());
    if (bTextEditActive == 1) {
        SIZE strip = sizeOf(hbmEditBarDisabled);
        copyBitmap(hdc, hbmEditBarDisabled, 0, intListBarBottom, 0, 0, strip.cx, strip.cy, false);
        return;
    }
    int width = bHiRes ? kEditBarPieceWidthHiRes : kEditBarPieceWidth;
    int height = bHiRes ? kEditBarPieceHeightHiRes : kEditBarPieceHeight;
    const int pressedLook = EDIT_BAR_STATE_PRESSED | EDIT_BAR_STATE_ENABLED;
    for (int i = 0; i < EDIT_BAR_BUTTON_COUNT; ++i) {
        int state = intEditBarState[i];
        int x = editBarButtonLeft(i, bHiRes);
        HBITMAP strip = (state & pressedLook) == pressedLook     ? hbmEditBarPressed
                        : (state & EDIT_BAR_STATE_ENABLED) != 0 ? hbmEditBarEnabled
                                                                : hbmEditBarDisabled;
        copyBitmap(hdc, strip, x, intListBarBottom, x, 0, width, height, false);
    }
}

LRESULT onMainPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    bool treeShown = outlineVisible();
    int bottom = intWorkHeight;
    if (treeShown) {
        POINT origin{0, 0};
        MapWindowPoints(hwndMainTV, hwnd, &origin, 1);
        bottom = origin.y;
    }
    if (backgroundPictureInUse()) {
        BitBlt(hdc, 0, 0, intWorkWidth, bottom, hdcBackground, 0, 0, SRCCOPY);
    } else if (hbrBackground) {
        RECT upper{0, 0, intWorkWidth, bottom};
        FillRect(hdc, &upper, hbrBackground);
    }
    if (attrCurrentList.bPassword == 1) {
        SIZE lock = sizeOf(hbmPadlockSmall);
        copyBitmap(hdc, hbmPadlockSmall, intUnit, (intListBarBottom - lock.cy) / 2, 0, 0, lock.cx, lock.cy, true);
    }
    if (bListLocked == 1) {
        SIZE lock = sizeOf(hbmPadlockLarge);
        copyBitmap(hdc, hbmPadlockLarge, (intWorkWidth - lock.cx) / 2, (intWorkHeight - lock.cy) / 2, 0, 0, lock.cx,
                   lock.cy, true);
        // The list-name bar sits at the top of the window.
        noticeText(hdc, u"Password Protected", attrCurrentList.crItemLevel1, intListBarBottom, 1,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE, client.right);
        separatorLine(hdc);
    } else if (bNoDatabase == 1 && bStarting == 0) {
        noticeText(hdc, u"No databases are\ncurrently opened", kBlack, intListBarBottom, 3, DT_CENTER | DT_WORDBREAK,
                   client.right);
        separatorLine(hdc);
    } else {
        if (bEditBarVisible == 1 && hwndListCombo && treeShown) paintEditBar(hdc);
        if (treeShown) blackLine(hdc, bottom - 1);
        separatorLine(hdc);
        if (bNoLists == 1) {
            int oldMode = SetBkMode(hdc, TRANSPARENT);
            COLORREF oldColour = SetTextColor(hdc, attrCurrentList.crListName);
            RECT area{0, 3 * intListBarBottom, intWorkWidth, intWorkHeight};
            DrawTextW(hdc, u"(No lists in this database)", -1, &area, DT_CENTER | DT_SINGLELINE);
            SetTextColor(hdc, oldColour);
            SetBkMode(hdc, oldMode);
        }
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT eraseOutlineBackground(HWND tree, HDC hdc) {
    if (backgroundPictureInUse()) {
        RECT client{};
        GetClientRect(tree, &client);
        POINT origin{0, 0};
        MapWindowPoints(tree, hwndMain, &origin, 1);
        BitBlt(hdcBackBuffer, 0, 0, client.right, client.bottom, hdcBackground, 0, origin.y, SRCCOPY);
        return 1;
    }
    RECT all{0, 0, 2000, 2000};
    if (hbrBackground) FillRect(hdc, &all, hbrBackground);
    return 1;
}
