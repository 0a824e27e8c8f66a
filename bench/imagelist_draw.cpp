// Image lists: drawing a 16 x 15 picture with a key colour transparently and
// blended (a tree row's picture), adding a strip of five, and moving the drag
// image across the screen.
#include <benchmark/benchmark.h>

#include "platform/window/headless_host.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

HIMAGELIST makeList() {
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 80, 15);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    RECT all{0, 0, 80, 15};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &all, green);
    DeleteObject(green);
    for (int i = 0; i < 5; ++i) {
        RECT r{i * 16 + 3, 3, i * 16 + 13, 12};
        FillRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    HIMAGELIST list = ImageList_Create(16, 15, ILC_COLOR16 | ILC_MASK, 5, 5);
    ImageList_AddMasked(list, strip, RGB(0, 255, 0));
    DeleteObject(strip);
    return list;
}

void BM_DrawTransparent(benchmark::State& state) {
    device::useHeadlessHost();
    HIMAGELIST list = makeList();
    HDC screen = GetDC(nullptr);
    UINT style = state.range(0) ? ILD_TRANSPARENT | ILD_SELECTED : ILD_TRANSPARENT;
    int i = 0;
    for (auto _ : state) {
        ImageList_Draw(list, i % 5, screen, 20, 40 + (i % 10) * 16, style);
        ++i;
    }
    ReleaseDC(nullptr, screen);
    ImageList_Destroy(list);
}
BENCHMARK(BM_DrawTransparent)->Arg(0)->Arg(1);

void BM_AddStrip(benchmark::State& state) {
    device::useHeadlessHost();
    for (auto _ : state) {
        HIMAGELIST list = makeList();
        benchmark::DoNotOptimize(ImageList_GetImageCount(list));
        ImageList_Destroy(list);
    }
}
BENCHMARK(BM_AddStrip);

void BM_DragMove(benchmark::State& state) {
    device::useHeadlessHost();
    HIMAGELIST list = ImageList_Create(120, 14, ILC_COLOR16 | ILC_MASK, 1, 1);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 14);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(list, bmp, RGB(255, 255, 255));
    DeleteObject(bmp);
    ImageList_BeginDrag(list, 0, 0, 0);
    ImageList_DragEnter(nullptr, 10, 40);
    int y = 0;
    for (auto _ : state) {
        ImageList_DragMove(10 + y % 50, 40 + y % 200);
        ++y;
    }
    ImageList_EndDrag();
    ImageList_Destroy(list);
}
BENCHMARK(BM_DragMove);

}  // namespace
