// Painting and fonts shared by the list-name and password dialogs.
#include "lists/list_dialog_look.h"

#include "shell/app_state.h"

HFONT createDialogFont(int points, int weight, int* height) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    if (dpi <= 0) dpi = 96;
    LOGFONTW lf = {};
    // A positive height asks for the cell height, which is what the band
    // and the layout are measured in.
    lf.lfHeight = points * dpi / 72;
    lf.lfWeight = weight;
    lf.lfCharSet = 255;
    lf.lfQuality = bClearType == 1 ? 5 : 0;
    lf.lfPitchAndFamily = 0x10;
    const char16_t face[] = u"Tahoma";
    for (int i = 0; face[i] != 0 && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
    if (height) *height = lf.lfHeight;
    return CreateFontIndirectW(&lf);
}

void drawBevelledBorder(HDC dc, int l, int t, int r, int b) {
    const POINT points[37] = {
        {l + 5, t},     {l + 5, t + 1}, {l + 3, t + 1}, {l + 3, t + 2}, {l + 2, t + 2}, {l + 2, t + 3},
        {l + 1, t + 3}, {l + 1, t + 5}, {l, t + 5},     {l, b - 6},     {l + 1, b - 6}, {l + 1, b - 4},
        {l + 2, b - 4}, {l + 2, b - 3}, {l + 3, b - 3}, {l + 3, b - 2}, {l + 5, b - 2}, {l + 5, b - 1},
        {r - 5, b - 1}, {r - 6, b - 2}, {r - 4, b - 2}, {r - 4, b - 3}, {r - 3, b - 3}, {r - 3, b - 4},
        {r - 2, b - 4}, {r - 2, b - 6}, {r - 1, b - 6}, {r - 1, t + 5}, {r - 2, t + 5}, {r - 2, t + 3},
        {r - 3, t + 3}, {r - 3, t + 2}, {r - 4, t + 2}, {r - 4, t + 1}, {r - 6, t + 1}, {r - 6, t},
        {l + 5, t}};
    Polyline(dc, points, 37);
}

void paintListDialog(HWND dialog, HDC dc, LPCWSTR title, HFONT titleFont, int bandHeight) {
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    RECT band = client;
    band.bottom = band.top + bandHeight;
    HBRUSH bandBrush = CreateSolidBrush(kDialogBandColor);
    if (bandBrush) {
        FillRect(dc, &band, bandBrush);
        DeleteObject(bandBrush);
    }
    if (title && title[0]) {
        HGDIOBJ oldFont = titleFont ? SelectObject(dc, titleFont) : nullptr;
        int oldMode = SetBkMode(dc, TRANSPARENT);
        COLORREF oldColor = SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, title, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
        if (oldFont) SelectObject(dc, oldFont);
    }

    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = pen ? SelectObject(dc, pen) : nullptr;
    int rings = bHiRes == 1 ? 3 : 2;
    for (int i = 0; i < rings; ++i)
        drawBevelledBorder(dc, client.left + i, client.top + i, client.right - i, client.bottom - i);
    if (oldPen) SelectObject(dc, oldPen);
    if (pen) DeleteObject(pen);
}

void raiseInputPanelForText(HWND owner) {
    if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(owner, SIP_UP);
}
