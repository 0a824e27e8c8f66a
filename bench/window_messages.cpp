// Posting and dispatching messages through the queue, and sending them
// directly, on the headless device.
#include <benchmark/benchmark.h>

#include "platform/window/headless_host.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

long handled = 0;

LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        handled += (long)wParam;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND makeWindow() {
    device::windowSystemReset();
    device::useHeadlessHost();
    WNDCLASSW wc{};
    wc.lpfnWndProc = countingProc;
    wc.lpszClassName = u"bench";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, u"bench", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr,
                             nullptr);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);  // first paints
    return h;
}

void BM_PostAndDispatch100k(benchmark::State& state) {
    HWND h = makeWindow();
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) PostMessageW(h, WM_USER, 1, 0);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    benchmark::DoNotOptimize(handled);
    state.SetItemsProcessed(state.iterations() * 100000);
    device::windowSystemReset();
}
BENCHMARK(BM_PostAndDispatch100k)->Unit(benchmark::kMillisecond);

void BM_Send100k(benchmark::State& state) {
    HWND h = makeWindow();
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) SendMessageW(h, WM_USER, 1, 0);
    }
    benchmark::DoNotOptimize(handled);
    state.SetItemsProcessed(state.iterations() * 100000);
    device::windowSystemReset();
}
BENCHMARK(BM_Send100k)->Unit(benchmark::kMillisecond);

}  // namespace
