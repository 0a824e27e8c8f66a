// The device's system colours: a light pocket-device scheme (white windows,
// dark blue highlight and captions, light grey buttons) and one stock brush
// for each colour.
#include "platform/gdi/canvas.h"

namespace gdi {
namespace {

constexpr int kColors = C_SYS_COLOR_TYPES;

const COLORREF kScheme[kColors] = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(255, 255, 255),  // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(255, 255, 255),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(224, 224, 224),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(255, 255, 255),  // COLOR_STATIC
    RGB(0, 0, 0),        // COLOR_STATICTEXT
    RGB(0, 0, 128),      // COLOR_GRADIENTACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_GRADIENTINACTIVECAPTION
};

// The colour number without the device's index flag, or -1.
int colorIndex(int n) {
    n &= ~SYS_COLOR_INDEX_FLAG;
    return n >= 0 && n < kColors ? n : -1;
}

}  // namespace

BrushKind resolveBrush(HBRUSH h, COLORREF* color) {
    uintptr_t v = (uintptr_t)h;
    // COLOR_* + 1, with or without the index flag, stands for that colour.
    if ((v >= 1 && v <= (uintptr_t)kColors) ||
        (v > SYS_COLOR_INDEX_FLAG && v <= (uintptr_t)SYS_COLOR_INDEX_FLAG + kColors)) {
        *color = kScheme[colorIndex((int)v - 1)];
        return BrushKind::Solid;
    }
    BrushObj* b = brushOf((HGDIOBJ)h);
    if (!b) return BrushKind::Invalid;
    if (b->style == BS_NULL) return BrushKind::Hollow;
    *color = b->color;
    return BrushKind::Solid;
}

}  // namespace gdi

using namespace gdi;

DWORD GetSysColor(int nIndex) {
    int i = colorIndex(nIndex);
    return i < 0 ? 0 : kScheme[i];
}

HBRUSH GetSysColorBrush(int nIndex) {
    static HBRUSH brushes[kColors] = {};
    int i = colorIndex(nIndex);
    if (i < 0) return nullptr;
    if (!brushes[i]) {
        auto b = std::make_unique<BrushObj>();
        b->color = kScheme[i];
        b->stock = true;  // system colour brushes are never freed
        brushes[i] = (HBRUSH)addObject(std::move(b));
    }
    return brushes[i];
}
