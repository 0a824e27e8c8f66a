// The dialog manager's costs: making and destroying a dialog of twenty
// controls, a modal dialog that ends at once, measuring a font's dialog
// units, and one step of the Tab order.
#include <benchmark/benchmark.h>

#include "platform/dialogs/dialog_internal.h"
#include "platform/window/headless_host.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

LRESULT CALLBACK plainControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

INT_PTR CALLBACK initOnly(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

INT_PTR CALLBACK endAtOnce(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) EndDialog(hwnd, IDOK);
    return msg == WM_INITDIALOG;
}

const device::DialogTemplate& twentyControls() {
    static device::DialogTemplate t = [] {
        device::DialogTemplate d{DS_SETFONT | WS_POPUP, 0, 0, 0, 160, 171, u"Bench", u"Tahoma", 8, {}};
        for (int i = 0; i < 20; ++i)
            d.items.push_back({u"benchctl", u"Item", 1000 + i, WS_VISIBLE | WS_TABSTOP, 0, 5, (short)(5 + 8 * i), 100, 8});
        return d;
    }();
    return t;
}

void setUp() {
    device::windowSystemReset();
    device::useHeadlessHost();
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainControl;
    wc.lpszClassName = u"benchctl";
    RegisterClassW(&wc);
}

void BM_CreateAndDestroyTwentyControls(benchmark::State& state) {
    setUp();
    for (auto _ : state) {
        HWND d = device::createDialogFromTemplate(twentyControls(), nullptr, nullptr, initOnly, 0);
        benchmark::DoNotOptimize(d);
        DestroyWindow(d);
    }
    device::windowSystemReset();
}
BENCHMARK(BM_CreateAndDestroyTwentyControls);

void BM_ModalDialogEndedAtInitialisation(benchmark::State& state) {
    setUp();
    static const unsigned char empty[] = {0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                          100, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DialogBoxIndirectParamW(nullptr, (LPCDLGTEMPLATEW)empty, nullptr, endAtOnce, 0));
    }
    device::windowSystemReset();
}
BENCHMARK(BM_ModalDialogEndedAtInitialisation);

void BM_FontBaseUnits(benchmark::State& state) {
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    for (auto _ : state) benchmark::DoNotOptimize(device::fontBaseUnits(font));
}
BENCHMARK(BM_FontBaseUnits);

void BM_NextTabItemAmongTwenty(benchmark::State& state) {
    setUp();
    HWND d = device::createDialogFromTemplate(twentyControls(), nullptr, nullptr, initOnly, 0);
    HWND c = GetNextDlgTabItem(d, nullptr, FALSE);
    for (auto _ : state) {
        c = GetNextDlgTabItem(d, c, FALSE);
        benchmark::DoNotOptimize(c);
    }
    device::windowSystemReset();
}
BENCHMARK(BM_NextTabItemAmongTwenty);

}  // namespace
