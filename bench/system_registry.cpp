// The registry's costs: a value set and read back on an open key, and the
// program's remembering of a path (open, set, close, reopen, flush to disk).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/system/system_startup.h"
#include "windows.h"

namespace {

struct Device {
    std::string dir;
    Device() {
        dir = (std::filesystem::temp_directory_path() / "qp-bench-registry-XXXXXX").string();
        if (!mkdtemp(dir.data())) abort();
        device::SystemConfig config;
        config.rootDir = dir;
        config.cardDir = dir;
        device::systemStartup(config);
        HKEY key;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, nullptr, 0, 0, nullptr, &key, nullptr);
        RegCloseKey(key);
    }
    ~Device() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Device& device() {
    static Device d;
    return d;
}

const std::u16string kPath = u"\\Storage Card\\Lists\\Groceries export.txt";

void BM_registrySetAndQuery(benchmark::State& state) {
    device();
    HKEY key;
    RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, 0, &key);
    WCHAR buf[512];
    for (auto _ : state) {
        RegSetValueExW(key, u"previousexportfile", 0, REG_SZ, (const BYTE*)kPath.c_str(),
                       (DWORD)((kPath.size() + 1) * sizeof(WCHAR)));
        DWORD size = sizeof buf, type = 0;
        benchmark::DoNotOptimize(RegQueryValueExW(key, u"previousexportfile", nullptr, &type, (LPBYTE)buf, &size));
    }
    RegCloseKey(key);
}
BENCHMARK(BM_registrySetAndQuery);

void BM_rememberPathOnDisk(benchmark::State& state) {
    device();
    for (auto _ : state) {
        HKEY key;
        RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, 0, &key);
        RegSetValueExW(key, u"previousexportfile", 0, REG_SZ, (const BYTE*)kPath.c_str(),
                       (DWORD)((kPath.size() + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
        RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, 0, &key);
        RegFlushKey(key);
        RegCloseKey(key);
    }
}
BENCHMARK(BM_rememberPathOnDisk)->Unit(benchmark::kMicrosecond);

}  // namespace
