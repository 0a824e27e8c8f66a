// What a list password costs: checking an entered password against the
// verifier (a key setup, with the key in force saved and put back), and
// protecting then unprotecting a whole list in place, texts and notes, in
// one transaction, as Set List Password does.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstring>
#include <string>

#include "crypto/cipher.h"
#include "lists/list_passwords.h"
#include "lists/list_transaction.h"
#include "outline/current_items.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"

namespace {

void BM_passwordMatchesVerifier(benchmark::State& state) {
    setCipherKey("correct horse");
    WCHAR verifier[PASSWORD_RECORD_CHARS];
    makePasswordVerifier(verifier);
    setCipherKey("the open list");
    for (auto _ : state) benchmark::DoNotOptimize(passwordMatchesVerifier(u"correct horse", verifier));
}
BENCHMARK(BM_passwordMatchesVerifier);

// A list database in memory with `items` rows of a typical text and note.
sqlite3* makeList(int items) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    registerSqlFunctions(db);
    createItemTable(db, "Groceries");
    char error[200];
    executeSql(db, "BEGIN TRANSACTION;", error, sizeof error);
    for (int i = 1; i <= items; ++i) {
        std::string sql = "INSERT INTO 'Groceries' VALUES (" + std::to_string(i) + ",0," + std::to_string(i) +
                          ",'Item number " + std::to_string(i) +
                          " with a label of ordinary length',0,1,1,0,'A note of a few words for item " +
                          std::to_string(i) + ", about as long as people write them.',0);";
        executeSql(db, sql.c_str(), error, sizeof error);
    }
    executeSql(db, "COMMIT;", error, sizeof error);
    return db;
}

void BM_protectAndUnprotectList(benchmark::State& state) {
    dbCurrent = makeList(int(state.range(0)));
    WCHAR verifier[PASSWORD_RECORD_CHARS];
    for (auto _ : state) {
        beginListTransaction(dbCurrent);
        encipherListWithPassword("Groceries", u"correct horse", verifier);
        decipherItemTable(itemTableOf(dbCurrent, "Groceries"));
        commitListTransaction(dbCurrent);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
    sqlite3_close(dbCurrent);
    dbCurrent = nullptr;
}
BENCHMARK(BM_protectAndUnprotectList)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
