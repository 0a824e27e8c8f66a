// One settings read and one settings write as the program makes them: each
// opens settings.qux, runs its statements, compacts the file and closes it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/quillet_identity.h"
#include "platform/system/system_startup.h"
#include "state/settings_load.h"
#include "storage/settings.h"

namespace {

std::string rootDir;

void removeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(rootDir, ignored);
}

void startDevice() {
    static bool started = [] {
        char pattern[] = "/tmp/qp_bench_settings_XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        rootDir = pattern;
        std::atexit(removeRoot);
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = rootDir;
        config.cardDir = rootDir;
        if (!device::systemStartup(config)) std::abort();
        // A settings file as it is after a few days of use.
        const char16_t* keys[] = {SETTING_BACKUPFOLDER, SETTING_BACKUPDATABASE, SETTING_WARNINGMESSAGE,
                                  SETTING_CLEARTYPE,    SETTING_TIMESTAMP,      SETTING_KEYBOARDSIP,
                                  SETTING_FONTSIZETV,   SETTING_FONTSIZENOTES,  SETTING_FONTSIZENAME,
                                  SETTING_SETBARTOP,    SETTING_NOTESEBOPEN,    SETTING_NOTEEBHEIGHTPREVIOUS};
        for (const char16_t* key : keys) setSettingInt(key, 1);
        return true;
    }();
    (void)started;
}

void BM_GetSettingInt(benchmark::State& state) {
    startDevice();
    int value = 0;
    for (auto _ : state) benchmark::DoNotOptimize(getSettingInt(SETTING_FONTSIZETV, &value));
}
BENCHMARK(BM_GetSettingInt)->Unit(benchmark::kMicrosecond);

void BM_SetSettingInt(benchmark::State& state) {
    startDevice();
    int size = 8;
    for (auto _ : state) {
        benchmark::DoNotOptimize(setSettingInt(SETTING_FONTSIZETV, size));
        size = size == 16 ? 8 : size + 1;
    }
}
BENCHMARK(BM_SetSettingInt)->Unit(benchmark::kMicrosecond);

// Start-up reads every key: about twenty opens, compactions and closes.
void BM_LoadSettings(benchmark::State& state) {
    startDevice();
    for (auto _ : state) benchmark::DoNotOptimize(loadSettings());
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

}  // namespace
