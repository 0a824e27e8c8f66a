// A full repaint of the device screen (240 x 320) as the outline draws it:
// background, 20 rows of text with focus highlight and connector lines,
// check boxes and expand buttons blitted from memory bitmaps.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "platform/gdi/display_dc.h"
#include "windows.h"

namespace {

struct Scene {
    gdi::Surface screen{240, 320, 0xFFFFFF};
    HDC dc;
    HDC mem;
    HBITMAP pictures;
    HGDIOBJ oldBitmap;
    HFONT font;
    HPEN dashed;
    HBRUSH background;

    Scene() {
        dc = gdi::createDisplayDC(&screen, POINT{0, 0}, gdi::Region(RECT{0, 0, 240, 320}));
        mem = CreateCompatibleDC(dc);
        pictures = CreateCompatibleBitmap(dc, 24, 12);
        oldBitmap = SelectObject(mem, pictures);
        RECT all{0, 0, 24, 12};
        HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(mem, &all, key);
        DeleteObject(key);
        RECT box{1, 1, 11, 11};
        FillRect(mem, &box, (HBRUSH)GetStockObject(BLACK_BRUSH));
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(9, 96, 72);
        lf.lfQuality = CLEARTYPE_QUALITY;
        std::memcpy(lf.lfFaceName, u"Tahoma", sizeof u"Tahoma");
        font = CreateFontIndirectW(&lf);
        dashed = CreatePen(PS_DASH, 1, RGB(128, 128, 128));
        background = CreateSolidBrush(RGB(255, 255, 240));
    }
    ~Scene() {
        SelectObject(mem, oldBitmap);
        DeleteObject(pictures);
        DeleteDC(mem);
        DeleteObject(font);
        DeleteObject(dashed);
        DeleteObject(background);
        gdi::deleteDisplayDC(dc);
    }

    void paint(int frame) {
        RECT all{0, 0, 240, 320};
        FillRect(dc, &all, background);
        HGDIOBJ oldFont = SelectObject(dc, font);
        HGDIOBJ oldPen = SelectObject(dc, dashed);
        for (int i = 0; i < 20; ++i) {
            int top = 26 + i * 14;
            RECT text{40, top, 236, top + 14};
            std::u16string label = u"Item number " + std::u16string(1, (char16_t)(u'A' + i)) + u" [2/5]";
            RECT calc = text;
            DrawTextW(dc, label.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (i == frame % 20) {
                HBRUSH hi = CreateSolidBrush(0xB90000);
                FillRect(dc, &calc, hi);
                DeleteObject(hi);
                SetTextColor(dc, RGB(255, 255, 255));
                SetBkMode(dc, OPAQUE);
                SetBkColor(dc, 0xB90000);
            } else {
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkMode(dc, TRANSPARENT);
            }
            DrawTextW(dc, label.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (i == frame % 20) DrawFocusRect(dc, &calc);
            MoveToEx(dc, 8, top, nullptr);
            LineTo(dc, 8, top + 14);
            MoveToEx(dc, 8, top + 7, nullptr);
            LineTo(dc, 14, top + 7);
            TransparentBlt(dc, 26, top + 1, 12, 12, mem, 0, 0, 12, 12, RGB(255, 0, 255));
            BitBlt(dc, 2, top + 2, 11, 11, mem, 12, 0, SRCCOPY);
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldFont);
    }
};

void BM_FullRepaint(benchmark::State& state) {
    Scene scene;
    int frame = 0;
    for (auto _ : state) {
        scene.paint(frame++);
        benchmark::DoNotOptimize(scene.screen.pixels.data());
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
