// The framed look of the program's dialogs: rounded window, white client,
// dark blue caption band, bevelled border.
#include "dialogs/dialog_look.h"

#include "common/app_font.h"
#include "common/gdi_owner.h"
#include "state/app_state.h"

HFONT createDialogFont(int points, int weight, int* height) {
    return createAppFont(points, weight, 0, bClearType, height);
}

namespace {

// The font's cell height as the screen measures it.
int cellHeight(HWND hwnd, HFONT font) {
    HDC dc = GetDC(hwnd);
    if (!dc) return 0;
    TEXTMETRICW tm = {};
    {
        SelectedObject selected(dc, font);
        GetTextMetricsW(dc, &tm);
    }
    ReleaseDC(hwnd, dc);
    return tm.tmHeight;
}

}  // namespace

void createDialogLook(HWND hwnd, DialogLook* look) {
    destroyDialogLook(look);
    look->hfontCaption.reset(createDialogFont(10, 700));
    look->hfontText.reset(createDialogFont(10, 400));
    look->hbrWhite.reset(CreateSolidBrush(kDialogWhite));
    look->hbrBand.reset(CreateSolidBrush(kDialogBandColour));
    look->intCaptionHeight = cellHeight(hwnd, look->hfontCaption.get());
    look->intTextHeight = cellHeight(hwnd, look->hfontText.get());
}

void destroyDialogLook(DialogLook* look) { *look = DialogLook{}; }

void bevelPoints(int l, int t, int r, int b, POINT out[kBevelPointCount]) {
    // Clockwise from the top of the left edge's upper bevel; the last point
    // closes the outline. The lower-right corner starts one pixel further
    // left on the bottom row, as the frame has always been drawn.
    const POINT p[kBevelPointCount] = {
        {l + 5, t},     {l + 5, t + 1}, {l + 3, t + 1}, {l + 3, t + 2}, {l + 2, t + 2}, {l + 2, t + 3},
        {l + 1, t + 3}, {l + 1, t + 5}, {l, t + 5},     {l, b - 6},     {l + 1, b - 6}, {l + 1, b - 4},
        {l + 2, b - 4}, {l + 2, b - 3}, {l + 3, b - 3}, {l + 3, b - 2}, {l + 5, b - 2}, {l + 5, b - 1},
        {r - 5, b - 1}, {r - 6, b - 2}, {r - 4, b - 2}, {r - 4, b - 3}, {r - 3, b - 3}, {r - 3, b - 4},
        {r - 2, b - 4}, {r - 2, b - 6}, {r - 1, b - 6}, {r - 1, t + 5}, {r - 2, t + 5}, {r - 2, t + 3},
        {r - 3, t + 3}, {r - 3, t + 2}, {r - 4, t + 2}, {r - 4, t + 1}, {r - 6, t + 1}, {r - 6, t},
        {l + 5, t},
    };
    for (int i = 0; i < kBevelPointCount; ++i) out[i] = p[i];
}

void drawBevelBorder(HDC hdc, const RECT& rc, int penWidth) {
    POINT points[kBevelPointCount];
    bevelPoints(rc.left, rc.top, rc.right, rc.bottom, points);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, penWidth, 0x000000));
    SelectedObject selected(hdc, pen.get());
    Polyline(hdc, points, kBevelPointCount);
}

void drawDialogBorder(HDC hdc, const RECT& client) {
    drawBevelBorder(hdc, client, 1);
    RECT in = {client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    drawBevelBorder(hdc, in, 1);
    if (bHiRes == 1) {
        RECT in2 = {client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
        drawBevelBorder(hdc, in2, 1);
    }
}

HRGN createRoundedRegion(int width, int height) {
    HRGN shape = CreateRectRgn(0, 0, width, height);
    if (!shape) return nullptr;
    static const int cut[5] = {5, 3, 2, 1, 1};
    GdiObject<HRGN> corner(CreateRectRgn(0, 0, 0, 0));
    for (int row = 0; row < 5; ++row) {
        const RECT corners[4] = {
            {0, row, cut[row], row + 1},
            {width - cut[row], row, width, row + 1},
            {0, height - 1 - row, cut[row], height - row},
            {width - cut[row], height - 1 - row, width, height - row},
        };
        for (const RECT& c : corners) {
            SetRectRgn(corner.get(), c.left, c.top, c.right, c.bottom);
            CombineRgn(shape, shape, corner.get(), RGN_DIFF);
        }
    }
    return shape;
}

void applyRoundedShape(HWND hwnd) {
    RECT rc;
    if (!GetWindowRect(hwnd, &rc)) return;
    GdiObject<HRGN> shape(createRoundedRegion(rc.right - rc.left, rc.bottom - rc.top));
    // Once set, the window owns the region.
    if (shape && SetWindowRgn(hwnd, shape.get(), TRUE)) shape.release();
}

void paintDialogFrame(HDC hdc, HWND hwnd, LPCWSTR caption, HFONT captionFont, HBRUSH bandBrush, int bandHeight) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    RECT band = {client.left, client.top, client.right, client.top + bandHeight};
    FillRect(hdc, &band, bandBrush);
    if (caption && *caption) {
        HGDIOBJ oldFont = SelectObject(hdc, captionFont);
        COLORREF oldColour = SetTextColor(hdc, kDialogWhite);
        int oldMode = SetBkMode(hdc, TRANSPARENT);
        DrawTextW(hdc, caption, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetBkMode(hdc, oldMode);
        SetTextColor(hdc, oldColour);
        SelectObject(hdc, oldFont);
    }
    drawDialogBorder(hdc, client);
}

RECT dialogItemRect(HWND dialog, int id) {
    RECT rc = {};
    HWND child = GetDlgItem(dialog, id);
    if (!child) return rc;
    GetWindowRect(child, &rc);
    POINT corners[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
    for (POINT& p : corners) ScreenToClient(dialog, &p);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}
