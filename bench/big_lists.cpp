// Big lists (bench/shaped_list.h at 1,000, 10,000 and 100,000 items): each
// of a person's steps that touches the whole list, timed in the running
// program, beside the plain SQLite statement that makes the same change on a
// copy of the same file in the same run. The counter "ratio" (program time
// over SQLite time) is the number that matters; absolute times move with the
// machine's load.
//
// Every case starts the program headless on a fresh copy of the list, with
// the delete warning off. The program's step is timed until the device is
// idle again, the repaint included.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/quillet_identity.h"
#include "exchange/text_export.h"
#include "exchange/text_import.h"
#include "outline/current_items.h"
#include "outline/find.h"
#include "outline/tree_ops.h"
#include "platform/host/host_main.h"
#include "platform/window/headless_host.h"
#include "program_start.h"
#include "shaped_list.h"
#include "state/app_state.h"
#include "storage/item_table.h"
#include "storage/settings.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char* const kList = "Big";
const WCHAR* const kDatabase = u"\\Program Files\\Quillet Pro\\quillet.qu2";

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

using bench::pumpUntilIdle;
using bench::programInstance;

struct Device {
    std::string root;
    std::string database;  // host path of kDatabase
    std::string scratch;   // templates and SQLite's copies
};

void removeScratch();

Device& device() {
    static Device d = [] {
        Device made;
        char pattern[] = "/tmp/qp_bench_big_XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        made.scratch = pattern;
        made.root = made.scratch + "/root";
        fs::create_directories(made.root + "/card");
        device::setProgramIdentity(quilletIdentity());
        device::HostOptions options;
        options.rootDir = made.root;
        options.cardDir = made.root + "/card";
        options.headless = true;
        std::string error;
        if (!device::hostPrepareDevice(options, error)) std::abort();
        device::useHeadlessHost();
        made.database = made.root + "/Program Files/Quillet Pro/quillet.qu2";
        std::atexit(removeScratch);
        return made;
    }();
    return d;
}

void removeScratch() {
    std::error_code ignored;
    fs::remove_all(device().scratch, ignored);
}

// The list of `items` items, made once per size.
const bench::ShapedList& templateOf(long items, std::string* file) {
    static std::map<long, bench::ShapedList> made;
    *file = device().scratch + "/template_" + std::to_string(items) + ".qu2";
    if (!made.count(items)) {
        bench::ShapedList shape;
        if (!bench::makeShapedDatabase(file->c_str(), items, kList, &shape)) std::abort();
        made[items] = shape;
    }
    return made[items];
}

// The device holds a fresh copy of the list and its settings name it.
const bench::ShapedList& freshList(long items) {
    std::string file;
    const bench::ShapedList& shape = templateOf(items, &file);
    fs::copy_file(file, device().database, fs::copy_options::overwrite_existing);
    setSettingText(SETTING_CURRENTDBFILE, kDatabase);
    setSettingInt(SETTING_WARNINGMESSAGE, 0);
    return shape;
}

HWND startProgram() {
    WCHAR noCommandLine[1] = {0};
    HWND hwnd = initInstance(programInstance(), noCommandLine, SW_SHOW);
    pumpUntilIdle();
    return hwnd;
}

void closeProgram(HWND hwnd) {
    if (hwnd && IsWindow(hwnd)) SendMessageW(hwnd, WM_CLOSE, 0, 0);
    pumpUntilIdle();
}

void command(UINT id) {
    SendMessageW(hwndMain, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pumpUntilIdle();
}

HTREEITEM selectItem(LONG id) {
    HTREEITEM node = findItemById(hwndMainTV, nullptr, id);
    if (!node) return nullptr;
    SendMessageW(hwndMainTV, TVM_ENSUREVISIBLE, 0, (LPARAM)node);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
    pumpUntilIdle();
    return node;
}

// The selected item: the one a case's preparation chose, found without a
// walk of the tree inside the timed step.
HTREEITEM selectedItem() { return (HTREEITEM)SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_CARET, 0); }

// Taps the check box in front of the item's label, as the pen does.
void tapCheckBox(HTREEITEM node) {
    RECT label{};
    std::memcpy(&label, &node, sizeof node);
    SendMessageW(hwndMainTV, TVM_GETITEMRECT, TRUE, (LPARAM)&label);
    LPARAM at = MAKELPARAM(label.left - (intTreeFontHeight + intUnit) / 2, (label.top + label.bottom) / 2);
    SendMessageW(hwndMainTV, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwndMainTV, WM_LBUTTONUP, 0, at);
    pumpUntilIdle();
}

// --- SQLite alone, on a copy of the program's file -----------------------------------------

class RawCopy {
public:
    RawCopy() {
        path_ = device().scratch + "/raw.qu2";
        fs::copy_file(device().database, path_, fs::copy_options::overwrite_existing);
        sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, "unix");
    }
    ~RawCopy() { sqlite3_close(db_); }
    RawCopy(const RawCopy&) = delete;
    RawCopy& operator=(const RawCopy&) = delete;

    // Runs `sql` to its end (every row read); its time in seconds.
    double time(const std::string& sql, long bound = 0) {
        sqlite3_stmt* st = nullptr;
        auto start = Clock::now();
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) std::abort();
        if (bound) sqlite3_bind_int64(st, 1, bound);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c) benchmark::DoNotOptimize(sqlite3_column_text(st, c));
        sqlite3_finalize(st);
        return secondsSince(start);
    }
    sqlite3* db() const { return db_; }

private:
    std::string path_;
    sqlite3* db_ = nullptr;
};

const std::string kAllRows = "SELECT * FROM 'Big' WHERE longID >= 0;";

std::string branchCte(const char* change) {
    return std::string("WITH RECURSIVE b(id) AS (SELECT ?1 UNION ALL SELECT t.longID FROM 'Big' t JOIN b ON "
                       "t.longParentID = b.id WHERE t.longID >= 0) ") +
           change + " WHERE longID IN b;";
}

void report(benchmark::State& state, double program, double raw) {
    state.SetIterationTime(program);
    state.counters["program_ms"] = program * 1000;
    state.counters["sqlite_ms"] = raw * 1000;
    state.counters["ratio"] = raw > 0 ? program / raw : 0;
}

// One case: the program started on a fresh list, `prepare` untimed, `step`
// timed, then SQLite's own form timed on a copy of the file as it was
// before the step.
void runCase(benchmark::State& state, const std::function<void(const bench::ShapedList&)>& prepare,
             const std::function<void(const bench::ShapedList&)>& step,
             const std::function<double(RawCopy&, const bench::ShapedList&)>& raw, bool closeAfter = true) {
    for (auto _ : state) {
        const bench::ShapedList& shape = freshList(state.range(0));
        HWND hwnd = startProgram();
        prepare(shape);
        double sqlite = 0;
        {
            RawCopy copy;
            sqlite = raw(copy, shape);
        }
        auto start = Clock::now();
        step(shape);
        double program = secondsSince(start);
        if (closeAfter) closeProgram(hwnd);
        report(state, program, sqlite);
        state.counters["items"] = double(shape.items);
    }
}

void nothing(const bench::ShapedList&) {}

#define BIG_LIST_CASE(name) \
    BENCHMARK(name)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond)

// --- the cases -----------------------------------------------------------------------------

void BM_CheckBranchAutoCheck(benchmark::State& state) {
    runCase(
        state,
        [](const bench::ShapedList& shape) {
            attrCurrentList.bAutoCheck = 1;
            selectItem(shape.branchRoot);
        },
        [](const bench::ShapedList&) { tapCheckBox(selectedItem()); },
        [](RawCopy& raw, const bench::ShapedList& shape) {
            return raw.time(branchCte("UPDATE 'Big' SET bChecked = 1"), shape.branchRoot);
        });
}
BIG_LIST_CASE(BM_CheckBranchAutoCheck);

// Taps and keys on single items, which should not grow with the list: the
// check box of the last item with auto check on (its ancestors follow), and
// the Down key from the branch. SQLite's form is the one-row update.
void BM_TapCheckLastItem(benchmark::State& state) {
    runCase(
        state,
        [](const bench::ShapedList& shape) {
            attrCurrentList.bAutoCheck = 1;
            selectItem(shape.lastItem);
        },
        [](const bench::ShapedList&) { tapCheckBox(selectedItem()); },
        [](RawCopy& raw, const bench::ShapedList& shape) {
            return raw.time("UPDATE 'Big' SET bChecked=1 WHERE longID = ?1;", shape.lastItem);
        });
}
BIG_LIST_CASE(BM_TapCheckLastItem);

void BM_KeyDown(benchmark::State& state) {
    runCase(
        state, [](const bench::ShapedList& shape) { selectItem(shape.branchRoot); },
        [](const bench::ShapedList&) {
            SendMessageW(hwndMainTV, WM_KEYDOWN, VK_DOWN, 0);
            SendMessageW(hwndMainTV, WM_KEYUP, VK_DOWN, 0);
            pumpUntilIdle();
        },
        [](RawCopy& raw, const bench::ShapedList& shape) {
            return raw.time("SELECT bNote FROM 'Big' WHERE longID = ?1;", shape.branchRoot);
        });
}
BIG_LIST_CASE(BM_KeyDown);

void deleteBranch(const bench::ShapedList& shape) {
    selectItem(shape.branchRoot);
    command(40072);
}

// The Delete after the branch's: it purges the parked branch.
void BM_NextDeleteAfterDeletingBranch(benchmark::State& state) {
    runCase(
        state,
        [](const bench::ShapedList& shape) {
            deleteBranch(shape);
            selectItem(shape.lastItem);
        },
        [](const bench::ShapedList&) { command(40072); },
        [](RawCopy& raw, const bench::ShapedList& shape) {
            return raw.time(branchCte("DELETE FROM 'Big'"), -shape.branchRoot);
        });
}
BIG_LIST_CASE(BM_NextDeleteAfterDeletingBranch);

// Closing the program after deleting the branch: the purge, the compaction
// and the backup copy.
void BM_CloseAfterDeletingBranch(benchmark::State& state) {
    runCase(
        state, deleteBranch, [](const bench::ShapedList&) { closeProgram(hwndMain); },
        [](RawCopy& raw, const bench::ShapedList& shape) {
            return raw.time(branchCte("DELETE FROM 'Big'"), -shape.branchRoot) + raw.time("VACUUM;");
        },
        false);
}
BIG_LIST_CASE(BM_CloseAfterDeletingBranch);

void BM_FindNextMatchInLastItem(benchmark::State& state) {
    runCase(
        state, nothing, [](const bench::ShapedList&) { findNext(u"needle"); pumpUntilIdle(); },
        [](RawCopy& raw, const bench::ShapedList&) {
            return raw.time("SELECT longID FROM 'Big' WHERE strText LIKE '%needle%' OR strNoteText LIKE '%needle%';");
        });
}
BIG_LIST_CASE(BM_FindNextMatchInLastItem);

// The peer: hnb, an outliner from Debian, reading the same export as an
// indented text outline and writing it out again; 0 when it is not
// installed. `lines` is how many lines it wrote, to show it read them all.
double peerReads(const std::string& hostFile, long* lines) {
    *lines = 0;
    if (std::system("command -v hnb >/dev/null 2>&1") != 0) return 0;
    // hnb takes the file's name into a command of its own, where a blank
    // would end it: it reads a copy in the scratch folder.
    const std::string in = device().scratch + "/peer_in.txt";
    const std::string out = device().scratch + "/peer.txt";
    fs::copy_file(hostFile, in, fs::copy_options::overwrite_existing);
    const std::string command = "cd '" + device().scratch + "' && HOME='" + device().scratch + "' hnb '" + in +
                                "' -a -ui cli -e 'export_ascii " + out + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return 0;  // its first run writes its settings
    auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return 0;
    double seconds = secondsSince(start);
    std::ifstream written(out);
    for (std::string line; std::getline(written, line);) ++*lines;
    return seconds;
}

// The list's own export read into a new list (the reading alone; loading
// the new list afterwards is the start-up case's work).
void BM_ImportOwnExport(benchmark::State& state) {
    static const WCHAR* const exported = u"\\My Documents\\big.txt";
    runCase(
        state,
        [](const bench::ShapedList&) {
            exportList(nullptr, exported);
            createItemTable(dbCurrent, "Imported");
        },
        [](const bench::ShapedList& shape) {
            char kept[CURRENT_LIST_BYTES];
            std::memcpy(kept, strCurrentList, sizeof kept);
            std::strcpy(strCurrentList, "Imported");
            importList(nullptr, nullptr, exported, IMPORT_LINE_CHARS);
            if (countItems(itemTableOf(dbCurrent, "Imported")) != shape.items) std::abort();
            std::memcpy(strCurrentList, kept, sizeof kept);
        },
        [](RawCopy& raw, const bench::ShapedList&) {
            std::vector<std::vector<std::string>> rows;
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(raw.db(), "SELECT * FROM 'Big' ORDER BY longID;", -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW) {
                rows.emplace_back();
                for (int c = 0; c < 10; ++c) {
                    const unsigned char* t = sqlite3_column_text(st, c);
                    rows.back().push_back(t ? (const char*)t : "");
                }
            }
            sqlite3_finalize(st);
            auto start = Clock::now();
            char error[200];
            createItemTable(raw.db(), "Copy");
            sqlite3_exec(raw.db(), "BEGIN;", nullptr, nullptr, nullptr);
            sqlite3_prepare_v2(raw.db(),
                               "INSERT INTO 'Copy' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,"
                               "bNodeExpand,strNoteText,intNumChild) VALUES (?,?,?,?,?,?,?,?,?,?);",
                               -1, &st, nullptr);
            for (const auto& row : rows) {
                for (int c = 0; c < 10; ++c) sqlite3_bind_text(st, c + 1, row[c].c_str(), -1, SQLITE_STATIC);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
            executeSql(raw.db(), "COMMIT;", error, sizeof error);
            return secondsSince(start);
        });
    long peerLines = 0;
    double peer = peerReads(device().root + "/My Documents/big.txt", &peerLines);
    if (peer > 0) {
        state.counters["peer_lines"] = double(peerLines);
        state.counters["peer_ms"] = peer * 1000;
        state.counters["peer_ratio"] = peer / (state.counters["sqlite_ms"] / 1000);
    }
}
BIG_LIST_CASE(BM_ImportOwnExport);

// Start-up writes the registry and settings whatever the list's size, and
// on this machine each of those writes waits for the disk; the start with a
// list of one item is timed too, and "list_ratio" compares what the big
// list adds with the SELECT of all its rows. Each start is the least of
// three.
double timedStart(long items) {
    freshList(items);
    auto start = Clock::now();
    HWND hwnd = startProgram();
    double seconds = secondsSince(start);
    if ((long)SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0) != items) std::abort();
    closeProgram(hwnd);
    return seconds;
}

void BM_StartToFirstScreen(benchmark::State& state) {
    for (auto _ : state) {
        freshList(state.range(0));
        double sqlite = 0;
        {
            RawCopy copy;
            sqlite = copy.time(kAllRows);
        }
        // The least of three starts each: the disk's waits vary by far more
        // than the list's load.
        double program = timedStart(state.range(0));
        double oneItem = timedStart(1);
        for (int again = 0; again < 2; ++again) {
            program = std::min(program, timedStart(state.range(0)));
            oneItem = std::min(oneItem, timedStart(1));
        }
        report(state, program, sqlite);
        state.counters["one_item_ms"] = oneItem * 1000;
        state.counters["list_ratio"] = sqlite > 0 ? (program - oneItem) / sqlite : 0;
        state.counters["items"] = double(state.range(0));
    }
}
BIG_LIST_CASE(BM_StartToFirstScreen);

// The Options menu's whole-list commands, beside their one statement and
// the read of every row that reloading the outline needs at the least.
void bulkCase(benchmark::State& state, UINT id, const std::string& statement,
              const std::function<void(const bench::ShapedList&)>& prepare = nothing) {
    runCase(state, prepare, [id](const bench::ShapedList&) { command(id); },
            [statement](RawCopy& raw, const bench::ShapedList&) { return raw.time(statement) + raw.time(kAllRows); });
}

void BM_ExpandAll(benchmark::State& state) { bulkCase(state, 40065, "UPDATE 'Big' set bNodeExpand = 1;"); }
BIG_LIST_CASE(BM_ExpandAll);

void BM_CheckAll(benchmark::State& state) { bulkCase(state, 40058, "UPDATE 'Big' set bChecked = 1;"); }
BIG_LIST_CASE(BM_CheckAll);

// The branch checked first, so that Delete Checked removes N/10 items.
void BM_DeleteChecked(benchmark::State& state) {
    bulkCase(state, 40060, "DELETE FROM 'Big' WHERE bChecked = 1;", [](const bench::ShapedList& shape) {
        attrCurrentList.bAutoCheck = 1;
        tapCheckBox(selectItem(shape.branchRoot));
        attrCurrentList.bAutoCheck = 0;
    });
}
BIG_LIST_CASE(BM_DeleteChecked);

void BM_UndoBranchDelete(benchmark::State& state) {
    runCase(
        state, deleteBranch, [](const bench::ShapedList&) { command(40031); },
        [](RawCopy& raw, const bench::ShapedList& shape) {
            return raw.time("UPDATE 'Big' set longID = ?1 WHERE longID = -?1;", shape.branchRoot) + raw.time(kAllRows);
        });
}
BIG_LIST_CASE(BM_UndoBranchDelete);

}  // namespace
