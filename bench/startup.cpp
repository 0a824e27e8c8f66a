// Start-up to the first painted screen, headless: the main window with its
// children, fonts, pictures and menu bar, the remembered database opened and
// its active list (empty, or the 10,000 items of big_list.h) loaded, and
// every message handled until the device is idle; and switching from the
// empty list to the big one through the list-name box, as a person does.
// Shutdown after each round is not timed.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/quillet_identity.h"
#include "big_list.h"
#include "platform/host/host_main.h"
#include "platform/window/headless_host.h"
#include "program_start.h"
#include "resources/program_resources.h"
#include "shell/startup.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"

namespace {

const WCHAR* kDatabase = u"\\Program Files\\Quillet Pro\\quillet.qu2";

using bench::pumpUntilIdle;
using bench::programInstance;

const char* const kEmptyList = "Bench";
const char* const kBigList = "Big";

// A device root whose settings name a database with an empty list and the
// big list, so a start opens it without a question.
bool prepareDevice(std::string& root) {
    char pattern[] = "/tmp/qp_bench_startup_XXXXXX";
    if (!mkdtemp(pattern)) return false;
    root = pattern;
    std::filesystem::create_directories(root + "/card");
    device::setProgramIdentity(quilletIdentity());
    device::HostOptions options;
    options.rootDir = root;
    options.cardDir = root + "/card";
    options.headless = true;
    std::string error;
    if (!device::hostPrepareDevice(options, error)) return false;
    device::useHeadlessHost();
    sqlite3* db = openListDatabase(kDatabase);
    if (!db) return false;
    bool ok = true;
    for (const char* list : {kEmptyList, kBigList})
        ok = ok && createItemTable(db, list) && writeListAttributes(db, list, defaultListAttributes());
    if (ok) bench::buildBigList(db, kBigList);
    closeDatabaseFile(db);
    return ok && setSettingText(SETTING_CURRENTDBFILE, kDatabase) == 0;
}

bool makeActive(const char* list) {
    sqlite3* db = openListDatabase(kDatabase);
    if (!db) return false;
    bool ok = setActiveList(db, list);
    closeDatabaseFile(db);
    return ok;
}

void closeProgram(HWND hwnd) {
    if (hwnd) SendMessageW(hwnd, WM_CLOSE, 0, 0);
    pumpUntilIdle();
}

void startToFirstScreen(benchmark::State& state, const char* list) {
    std::string root;
    if (!prepareDevice(root) || !makeActive(list)) {
        state.SkipWithError("cannot prepare the device root");
        return;
    }
    HINSTANCE instance = programInstance();
    WCHAR noCommandLine[1] = {0};
    for (auto _ : state) {
        HWND hwnd = initInstance(instance, noCommandLine, SW_SHOW);
        pumpUntilIdle();
        benchmark::DoNotOptimize(hwnd);
        state.PauseTiming();
        state.counters["items"] = (double)SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0);
        closeProgram(hwnd);
        makeActive(list);
        state.ResumeTiming();
    }
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

// Chooses `list` in the list-name box as the drop-down does.
void chooseList(const char* list) {
    WCHAR wide[40];
    for (int i = 0; i < 40; ++i)
        if (!(wide[i] = (unsigned char)list[i])) break;
    LRESULT index = SendMessageW(hwndListCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)wide);
    SendMessageW(hwndListCombo, CB_SETCURSEL, (WPARAM)index, 0);
    SendMessageW(hwndMain, WM_COMMAND, MAKEWPARAM(6000, CBN_SELCHANGE), (LPARAM)hwndListCombo);
    pumpUntilIdle();
}

void BM_StartToFirstScreenWithAnEmptyList(benchmark::State& state) { startToFirstScreen(state, kEmptyList); }
BENCHMARK(BM_StartToFirstScreenWithAnEmptyList)->Unit(benchmark::kMillisecond);

void BM_StartToFirstScreenWithTheBigList(benchmark::State& state) { startToFirstScreen(state, kBigList); }
BENCHMARK(BM_StartToFirstScreenWithTheBigList)->Unit(benchmark::kMillisecond);

void BM_SwitchToTheBigList(benchmark::State& state) {
    std::string root;
    if (!prepareDevice(root) || !makeActive(kEmptyList)) {
        state.SkipWithError("cannot prepare the device root");
        return;
    }
    WCHAR noCommandLine[1] = {0};
    HWND hwnd = initInstance(programInstance(), noCommandLine, SW_SHOW);
    pumpUntilIdle();
    for (auto _ : state) {
        chooseList(kBigList);
        state.PauseTiming();
        state.counters["items"] = (double)SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0);
        chooseList(kEmptyList);
        state.ResumeTiming();
    }
    closeProgram(hwnd);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}
BENCHMARK(BM_SwitchToTheBigList)->Unit(benchmark::kMillisecond);

}  // namespace
