// Small surfaces and display DCs for pixel tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/gdi/display_dc.h"
#include "platform/gdi/surface.h"
#include "windows.h"

namespace gditest {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// A surface with a display DC over all of it.
struct Screen {
    gdi::Surface surf;
    HDC dc;
    Screen(int w, int h, uint32_t fill = kWhite) : surf(w, h, fill) {
        dc = gdi::createDisplayDC(&surf, POINT{0, 0}, gdi::Region(RECT{0, 0, w, h}));
    }
    ~Screen() { gdi::deleteDisplayDC(dc); }
    uint32_t at(int x, int y) const { return surf.row(y)[x]; }
    int count(uint32_t px) const {
        int n = 0;
        for (uint32_t p : surf.pixels) n += p == px;
        return n;
    }
};

// A memory DC holding a colour bitmap of the given size, filled.
struct MemDC {
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    MemDC(HDC screen, int w, int h, COLORREF fill) {
        dc = CreateCompatibleDC(screen);
        bmp = CreateCompatibleBitmap(screen, w, h);
        old = SelectObject(dc, bmp);
        HBRUSH b = CreateSolidBrush(fill);
        RECT r{0, 0, w, h};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    ~MemDC() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

}  // namespace gditest
