#include "common/app_font.h"

#include "wcrt.h"

HFONT createAppFont(int points, int weight, int strikeout, int clearType, int* height) {
    HDC screen = GetDC(nullptr);
    int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW lf{};
    lf.lfHeight = points * dpiY / 72;
    lf.lfWeight = weight;
    lf.lfStrikeOut = strikeout ? 1 : 0;
    lf.lfCharSet = 255;
    lf.lfQuality = clearType == 1 ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    lf.lfPitchAndFamily = 0x10;
    wcscpy(lf.lfFaceName, u"Tahoma");
    if (height) *height = lf.lfHeight;
    return CreateFontIndirectW(&lf);
}
