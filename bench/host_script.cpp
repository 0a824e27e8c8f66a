// 1,000 script steps played headless against a small program: taps on a
// button that counts, key presses, typed text and short waits that fire a
// repeating timer — the player's own cost plus the device running between
// steps (routing, painting, presenting).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/host/register_controls.h"
#include "platform/host/script_player.h"
#include "platform/shell/shell_system.h"
#include "platform/system/device_clock.h"
#include "platform/system/system_startup.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

int taps = 0;
int chars = 0;

LRESULT CALLBACK benchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONUP: ++taps; InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case WM_CHAR: ++chars; return 0;
        case WM_TIMER: return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            std::u16string text = u"Taps: " + std::u16string(1, (char16_t)(u'0' + taps % 10));
            DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CLOSE: DestroyWindow(hwnd); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

int WINAPI benchWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = benchProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"bench";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, u"bench", u"Bench", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr, nullptr);
    SetTimer(h, 1, 100, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return (int)m.wParam;
}

std::string thousandSteps() {
    std::string s;
    for (int i = 0; i < 250; ++i) {
        s += "tap " + std::to_string(20 + i % 200) + " 120\n";
        s += "key Down\n";
        s += "type \"ab\"\n";
        s += "wait 50\n";
    }
    return s;
}

void BM_ScriptThousandSteps(benchmark::State& state) {
    std::string root = (std::filesystem::temp_directory_path() / "qp_bench_host").string();
    device::SystemConfig config;
    config.rootDir = root;
    config.cardDir = root;
    device::systemStartup(config);
    device::screenConfigure(false);
    device::clockUseVirtual(true);
    std::string text = thousandSteps();
    for (auto _ : state) {
        state.PauseTiming();
        device::windowSystemReset();
        device::shellReset();
        device::registerDeviceClasses();
        device::Script script;
        std::string error;
        device::parseScript(text, script, error);
        device::ScriptPlayer player(std::move(script));
        device::setHost(&player);
        taps = chars = 0;
        state.ResumeTiming();
        benchWinMain(nullptr, nullptr, nullptr, SW_SHOW);
        if (!player.finished() || taps != 250 || chars != 500) state.SkipWithError("the script did not run through");
    }
    device::setHost(nullptr);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ScriptThousandSteps)->Unit(benchmark::kMillisecond);

}  // namespace
