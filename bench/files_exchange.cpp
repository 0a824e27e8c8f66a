// Export and import of the 10,000-item list (bench/big_list.h) as a text
// file of 11,001 lines (with its notes), on a database file in a device
// root of its own: the whole import is one transaction.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/quillet_identity.h"
#include "big_list.h"
#include "exchange/text_export.h"
#include "exchange/text_import.h"
#include "outline/current_items.h"
#include "platform/system/system_startup.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/item_table.h"

namespace {

std::string rootDir;

void removeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(rootDir, ignored);
}

// The database with the big list "Bench", opened once for all benchmarks.
sqlite3* benchDatabase() {
    static sqlite3* db = [] {
        char pattern[] = "/tmp/qp_bench_files_XXXXXX";
        rootDir = mkdtemp(pattern);
        std::filesystem::create_directories(rootDir + "/card");
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = rootDir + "/device";
        config.cardDir = rootDir + "/card";
        device::systemStartup(config);
        atexit(removeRoot);
        sqlite3* opened = openListDatabase(u"\\My Documents\\bench.qu2");
        createItemTable(opened, "Bench");
        bench::buildBigList(opened, "Bench");
        return opened;
    }();
    return db;
}

void useList(const char* name) {
    std::char_traits<char>::copy(strCurrentList, name, std::char_traits<char>::length(name) + 1);
}

void BM_ExportBigList(benchmark::State& state) {
    dbCurrent = benchDatabase();
    useList("Bench");
    for (auto _ : state) benchmark::DoNotOptimize(exportList(nullptr, u"\\My Documents\\big.txt"));
}
BENCHMARK(BM_ExportBigList)->Unit(benchmark::kMillisecond);

void BM_ImportBigList(benchmark::State& state) {
    dbCurrent = benchDatabase();
    useList("Bench");
    exportList(nullptr, u"\\My Documents\\big.txt");
    for (auto _ : state) {
        state.PauseTiming();
        char error[200];
        executeSql(dbCurrent, "DROP TABLE IF EXISTS 'Imported';", error, sizeof error);
        createItemTable(dbCurrent, "Imported");
        useList("Imported");
        state.ResumeTiming();
        benchmark::DoNotOptimize(importList(nullptr, nullptr, u"\\My Documents\\big.txt", IMPORT_LINE_CHARS));
    }
    state.counters["items"] = double(countItems(itemTableOf(dbCurrent, "Imported")));
}
BENCHMARK(BM_ImportBigList)->Unit(benchmark::kMillisecond);

}  // namespace
