// Start-up to the first painted screen, headless: the main window with its
// children, fonts, pictures and menu bar, the remembered database opened and
// its active (empty) list loaded, and every message handled until the
// device is idle. Shutdown after each round is not timed.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/host/host_main.h"
#include "platform/window/headless_host.h"
#include "resources/program_resources.h"
#include "shell/app_state.h"
#include "shell/startup.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"

namespace {

const WCHAR* kDatabase = u"\\Program Files\\Quillet Pro\\quillet.qu2";

void pumpUntilIdle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A device root whose settings name a database with one empty active list,
// so a start opens it without a question.
bool prepareDevice(std::string& root) {
    char pattern[] = "/tmp/qp_bench_startup_XXXXXX";
    if (!mkdtemp(pattern)) return false;
    root = pattern;
    std::filesystem::create_directories(root + "/card");
    device::HostOptions options;
    options.rootDir = root;
    options.cardDir = root + "/card";
    options.headless = true;
    std::string error;
    if (!device::hostPrepareDevice(options, error)) return false;
    device::useHeadlessHost();
    sqlite3* db = openListDatabase(kDatabase);
    if (!db) return false;
    bool ok = createItemTable(db, "Bench") && writeListAttributes(db, "Bench", defaultListAttributes()) &&
              setActiveList(db, "Bench");
    closeDatabaseFile(db);
    return ok && setSettingText(SETTING_CURRENTDBFILE, kDatabase) == 0;
}

void BM_StartToFirstScreenWithAnEmptyList(benchmark::State& state) {
    std::string root;
    if (!prepareDevice(root)) {
        state.SkipWithError("cannot prepare the device root");
        return;
    }
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000));
    registerProgramResources();
    registerWindowClasses(instance);
    WCHAR noCommandLine[1] = {0};
    for (auto _ : state) {
        HWND hwnd = initInstance(instance, noCommandLine, SW_SHOW);
        pumpUntilIdle();
        benchmark::DoNotOptimize(hwnd);
        state.PauseTiming();
        if (hwnd) SendMessageW(hwnd, WM_CLOSE, 0, 0);
        pumpUntilIdle();
        state.ResumeTiming();
    }
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}
BENCHMARK(BM_StartToFirstScreenWithAnEmptyList)->Unit(benchmark::kMillisecond);

}  // namespace
