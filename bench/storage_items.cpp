// The item statements on a list of 10,000 items in a database file, each run
// as the program runs it: one prepared, stepped and finalized statement per
// call, every statement outside a transaction committing on its own.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/quillet_identity.h"
#include "outline/current_items.h"
#include "platform/system/system_startup.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"

namespace {

const char* const LIST = "Bench";
const int ITEMS = 10000;
// Item 1 has 10 children with 99 children each: a subtree of 1,000 items.
// Item 2 has 1,000 children in a row: the siblings that are renumbered.
const LONG SUBTREE = 1;
const LONG SIBLINGS_PARENT = 2;

std::string rootDir;

void removeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(rootDir, ignored);
}

ItemRecord newItem(LONG parent, LONG order, const char16_t* text, int children) {
    ItemRecord r{};
    r.longParentID = parent;
    r.longOrder = order;
    std::u16string t = text;
    std::char_traits<char16_t>::copy(r.strText, t.c_str(), t.size() + 1);
    r.bDisplay = 1;
    r.intNumChild = children;
    r.fieldMask = ITEM_ALL;
    return r;
}

// The open list database, built once: 10,000 items in the shape above.
sqlite3* listDatabase() {
    static sqlite3* db = [] {
        char pattern[] = "/tmp/qp_bench_storage_XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        rootDir = pattern;
        std::atexit(removeRoot);
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = rootDir;
        config.cardDir = rootDir;
        if (!device::systemStartup(config)) std::abort();
        sqlite3* opened = openListDatabase(u"\\My Documents\\bench.qu2");
        if (!opened || !createItemTable(opened, LIST)) std::abort();
        char error[200];
        executeSql(opened, "BEGIN TRANSACTION;", error, sizeof error);
        writeItem(itemTableOf(opened, LIST), newItem(0, 1, u"Subtree of a thousand", 10));
        writeItem(itemTableOf(opened, LIST), newItem(0, 2, u"A thousand siblings", 1000));
        int made = 2;
        for (int c = 0; c < 10; ++c) {
            LONG child = writeItem(itemTableOf(opened, LIST), newItem(SUBTREE, c + 1, u"Child", 99));
            ++made;
            for (int g = 0; g < 99; ++g, ++made) writeItem(itemTableOf(opened, LIST), newItem(child, g + 1, u"Grandchild", 0));
        }
        for (int s = 0; s < 1000; ++s, ++made) writeItem(itemTableOf(opened, LIST), newItem(SIBLINGS_PARENT, s * 2 + 1, u"Sibling", 0));
        for (int order = 3; made < ITEMS; ++made, ++order)
            writeItem(itemTableOf(opened, LIST), newItem(0, order, u"Top-level item with an ordinary length of text", 0));
        executeSql(opened, "COMMIT;", error, sizeof error);
        return opened;
    }();
    return db;
}

void BM_WriteNewItem(benchmark::State& state) {
    sqlite3* db = listDatabase();
    ItemRecord r = newItem(0, 20000, u"A new item typed by the user", 0);
    for (auto _ : state) benchmark::DoNotOptimize(writeItem(itemTableOf(db, LIST), r));
    // Keep the list at its size for the other benchmarks.
    char error[200];
    executeSql(db, "DELETE FROM 'Bench' WHERE longOrder = 20000;", error, sizeof error);
}
BENCHMARK(BM_WriteNewItem)->Unit(benchmark::kMicrosecond);

void BM_ReadItemAll(benchmark::State& state) {
    sqlite3* db = listDatabase();
    LONG id = 5000;
    for (auto _ : state) {
        ItemRecord r{};
        r.longID = id;
        benchmark::DoNotOptimize(readItem(itemTableOf(db, LIST), &r, ITEM_ALL));
        id = id % 9000 + 1;
    }
}
BENCHMARK(BM_ReadItemAll)->Unit(benchmark::kMicrosecond);

void BM_CollectDescendantsOf1000(benchmark::State& state) {
    sqlite3* db = listDatabase();
    for (auto _ : state) {
        LONG* ids = nullptr;
        int count = 0;
        collectDescendants(itemTableOf(db, LIST), SUBTREE, &ids, &count);
        if (count != 1000) state.SkipWithError("the subtree is not 1,000 items");
        std::free(ids);
    }
}
BENCHMARK(BM_CollectDescendantsOf1000)->Unit(benchmark::kMillisecond);

// Renumbering 1,000 siblings: one transaction around 1,000 updates.
void BM_SequenceOrderRenumber1000(benchmark::State& state) {
    sqlite3* db = listDatabase();
    for (auto _ : state) sequenceOrder(itemTableOf(db, LIST), SIBLINGS_PARENT, 0);
}
BENCHMARK(BM_SequenceOrderRenumber1000)->Unit(benchmark::kMillisecond);

// Making room for an inserted sibling: one update of the later siblings.
void BM_SequenceOrderMakeRoom(benchmark::State& state) {
    sqlite3* db = listDatabase();
    LONG* ids = nullptr;
    int count = 0;
    collectDescendants(itemTableOf(db, LIST), SIBLINGS_PARENT, &ids, &count);
    LONG middle = count ? ids[count / 2] : 0;
    std::free(ids);
    for (auto _ : state) sequenceOrder(itemTableOf(db, LIST), SIBLINGS_PARENT, middle);
    sequenceOrder(itemTableOf(db, LIST), SIBLINGS_PARENT, 0);
}
BENCHMARK(BM_SequenceOrderMakeRoom)->Unit(benchmark::kMillisecond);

// A bulk change of 1,000 check marks with writeItem: each statement on its
// own (every one a commit of the file), and the same inside one transaction.
void checkSiblings(sqlite3* db, bool oneTransaction) {
    char error[200];
    if (oneTransaction) executeSql(db, "BEGIN TRANSACTION;", error, sizeof error);
    LONG first = 3 + 10 * 100;  // the first sibling's identifier
    for (LONG id = first; id < first + 1000; ++id) {
        ItemRecord r{};
        r.longID = id;
        r.bChecked = 1;
        r.fieldMask = ITEM_CHECK;
        writeItem(itemTableOf(db, LIST), r);
    }
    if (oneTransaction) executeSql(db, "COMMIT;", error, sizeof error);
}

void BM_Bulk1000ChecksEachCommitting(benchmark::State& state) {
    sqlite3* db = listDatabase();
    for (auto _ : state) checkSiblings(db, false);
}
BENCHMARK(BM_Bulk1000ChecksEachCommitting)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Bulk1000ChecksInOneTransaction(benchmark::State& state) {
    sqlite3* db = listDatabase();
    for (auto _ : state) checkSiblings(db, true);
}
BENCHMARK(BM_Bulk1000ChecksInOneTransaction)->Unit(benchmark::kMillisecond);

}  // namespace
