// Screen metrics for GetDeviceCaps and for sizing fonts in points.
#include "platform/gdi/device_caps.h"

#include "platform/gdi/objects.h"

namespace gdi {
namespace {
int g_dpi = 96;
int g_width = 240;
int g_height = 320;
}  // namespace

void setScreenDpi(int dpi) {
    int d = dpi > 0 && dpi <= 1200 ? dpi : 96;
    if (d == g_dpi) return;
    g_dpi = d;
    refreshStockFonts();
}
int screenDpi() { return g_dpi; }
void setScreenSize(int width, int height) {
    if (width > 0 && height > 0) {
        g_width = width;
        g_height = height;
    }
}
int screenWidth() { return g_width; }
int screenHeight() { return g_height; }

}  // namespace gdi

using namespace gdi;

int GetDeviceCaps(HDC hdc, int index) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return 0;
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return screenDpi();
        case HORZRES: return dc->display && dc->surface ? dc->surface->width : screenWidth();
        case VERTRES: return dc->display && dc->surface ? dc->surface->height : screenHeight();
        case BITSPIXEL: return dc->mono() ? 1 : 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;  // more than 256 colours
        case RASTERCAPS: return 0x0001 | 0x0008 | 0x0800;  // RC_BITBLT | RC_BITMAP64 | RC_STRETCHBLT
        default: return 0;
    }
}

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) return -1;
    int64_t prod = (int64_t)nNumber * nNumerator;
    int64_t den = nDenominator;
    if (den < 0) { den = -den; prod = -prod; }
    // Round half away from zero, as the device does.
    int64_t q = prod >= 0 ? (prod + den / 2) / den : -((-prod + den / 2) / den);
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return (int)q;
}
