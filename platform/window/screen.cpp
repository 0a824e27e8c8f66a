// The screen: configuration, framebuffer, input panel height and dirty areas.
#include "platform/window/screen.h"

#include <algorithm>

#include "platform/gdi/device_caps.h"
#include "platform/gdi/region.h"
#include "platform/window/wm_internal.h"

namespace device {
namespace {

struct ScreenState {
    ScreenConfig config;
    gdi::Surface surface{240, 320, 0xFFFFFF};
    int sipHeight = 0;
    gdi::Region dirty;
};

ScreenState& state() {
    static ScreenState s;
    return s;
}

}  // namespace

const ScreenConfig& screenConfig() { return state().config; }

void screenConfigure(bool hires) {
    ScreenState& s = state();
    s.config.hires = hires;
    s.config.scale = hires ? 2 : 1;
    s.config.width = 240 * s.config.scale;
    s.config.height = 320 * s.config.scale;
    s.config.dpi = 96 * s.config.scale;
    s.surface = gdi::Surface(s.config.width, s.config.height, 0xFFFFFF);
    gdi::setScreenDpi(s.config.dpi);
    gdi::setScreenSize(s.config.width, s.config.height);
    s.sipHeight = 0;
    screenMarkAllDirty();
    wm::screenChanged();
}

void screenResize(int width, int height) {
    ScreenState& s = state();
    s.config.width = width;
    s.config.height = height;
    s.surface = gdi::Surface(width, height, 0xFFFFFF);
    gdi::setScreenSize(width, height);
    s.sipHeight = std::clamp(s.sipHeight, 0, height - navBarHeight());
    screenMarkAllDirty();
    wm::screenChanged();
}

gdi::Surface& screenSurface() { return state().surface; }

int navBarHeight() { return 26 * state().config.scale; }

void screenSetSipHeight(int pixels) {
    ScreenState& s = state();
    s.sipHeight = std::clamp(pixels, 0, s.config.height - navBarHeight());
}

int screenSipHeight() { return state().sipHeight; }

RECT screenWorkArea() {
    const ScreenState& s = state();
    return RECT{0, navBarHeight(), s.config.width, s.config.height - s.sipHeight};
}

namespace {
void (*g_overlay)() = nullptr;
}

void screenSetOverlay(void (*redraw)()) { g_overlay = redraw; }

void screenRedrawOverlay() {
    if (g_overlay) g_overlay();
}

void screenMarkDirty(const RECT& r) {
    ScreenState& s = state();
    RECT c{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, s.config.width),
           std::min<LONG>(r.bottom, s.config.height)};
    if (c.right <= c.left || c.bottom <= c.top) return;
    s.dirty.unite(gdi::Region(c));
}

void screenMarkAllDirty() {
    ScreenState& s = state();
    s.dirty.setRect(RECT{0, 0, s.config.width, s.config.height});
}

bool screenHasDirty() { return !state().dirty.empty(); }

std::vector<RECT> screenTakeDirty() {
    ScreenState& s = state();
    std::vector<RECT> out = s.dirty.rects();
    s.dirty.setEmpty();
    return out;
}

void screenResetState() {
    ScreenState& s = state();
    s.sipHeight = 0;
    std::fill(s.surface.pixels.begin(), s.surface.pixels.end(), 0xFFFFFFu);
    screenMarkAllDirty();
}

}  // namespace device
