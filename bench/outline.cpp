// The outline on a list of 10,000 items (1,000 top-level items, each with
// nine descendants down to depth 6, a tenth of all items with a note):
// loading the whole list into the tree view, one full repaint of the
// outline (on the list's colour and over a background picture), loading a
// photograph as background picture, checking an item by tapping its check
// box with auto check on, and the Options menu's commands on the whole list
// (each includes the reload of the outline that follows it).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/quillet_identity.h"
#include "big_list.h"
#include "dialogs/background_image.h"
#include "outline/bulk_commands.h"
#include "outline/item_draw.h"
#include "outline/outline_paint.h"
#include "outline/tree_input.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "platform/host/register_controls.h"
#include "platform/system/system_startup.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "tests/support/picture_files.h"

namespace {

const char* const LIST = "Bench";
std::string rootDir;

void removeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(rootDir, ignored);
}

LRESULT CALLBACK benchMainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) return onOutlineNotify(hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) return onMainPaint(hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HFONT font(int weight, int strike) {
    LOGFONTW lf{};
    lf.lfHeight = 13;
    lf.lfWeight = weight;
    lf.lfStrikeOut = (BYTE)strike;
    lf.lfCharSet = 255;
    std::memcpy(lf.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
    return CreateFontIndirectW(&lf);
}

// The device, the windows and the list, made once for all benchmarks.
void setUp() {
    static bool done = [] {
        char pattern[] = "/tmp/qp_bench_outline_XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        rootDir = pattern;
        std::atexit(removeRoot);
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = rootDir;
        config.cardDir = rootDir;
        if (!device::systemStartup(config)) std::abort();
        device::windowSystemReset();
        device::useHeadlessHost();
        device::headlessHost().setIdleDriver({});
        device::registerDeviceClasses();
        registerProgramResources();

        WNDCLASSW wc{};
        wc.lpfnWndProc = benchMainProc;
        wc.lpszClassName = u"outline bench main";
        RegisterClassW(&wc);
        intWorkWidth = 240;
        intWorkHeight = 268;
        intListBarHeight = 20;
        intListBarBottom = 21;
        hwndMain = CreateWindowExW(0, u"outline bench main", u"Quillet Pro", WS_VISIBLE, 0, 26, intWorkWidth,
                                   intWorkHeight, nullptr, nullptr, nullptr, nullptr);
        hfontTree = font(400, 0);
        hfontTreeBold = font(700, 0);
        hfontTreeStrike = font(400, 1);
        hfontTreeBoldStrike = font(700, 1);
        intTreeFontHeight = 13;
        attrCurrentList = defaultListAttributes();
        attrCurrentList.intCompletionShow = 1;
        hbrBackground = CreateSolidBrush(attrCurrentList.crBackground);
        createBackBuffers(hwndMain);
        loadPaintBitmaps();
        loadButtonPictures(1);
        makeItemPictures(intTreeFontHeight);
        hwndMainTV = CreateWindowExW(0, WC_TREEVIEWW, u"TreeView", WS_CHILD | WS_VISIBLE | 0x12f, 0, 22, intWorkWidth,
                                     240, hwndMain, (HMENU)(intptr_t)6002, nullptr, nullptr);
        SendMessageW(hwndMainTV, WM_SETFONT, (WPARAM)hfontTree, 0);
        createStateImageList(hwndMainTV, intTreeFontHeight);
        installOutlineProc(hwndMainTV);

        dbCurrent = openListDatabase(u"\\My Documents\\bench.qu2");
        if (!dbCurrent || !createItemTable(dbCurrent, LIST)) std::abort();
        std::strcpy(strCurrentList, LIST);
        bench::buildBigList(dbCurrent, LIST);
        buildOrderClause(strOrderClause, ORDER_CLAUSE_BYTES, 0, 0, 0);
        buildFilterClause(strFilterClause, FILTER_CLAUSE_BYTES, 0, 0);
        bNoDatabase = 0;
        bStarting = 0;
        return true;
    }();
    (void)done;
}

void load() { loadOutline(dbCurrent, hwndMainTV, strCurrentList, strOrderClause, strFilterClause); }

void BM_loadOutline(benchmark::State& state) {
    setUp();
    for (auto _ : state) load();
    state.counters["items"] = (double)SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0);
}
BENCHMARK(BM_loadOutline)->Unit(benchmark::kMillisecond);

void BM_repaintOutline(benchmark::State& state) {
    setUp();
    load();
    device::runUntilIdle();
    for (auto _ : state) {
        InvalidateRect(hwndMainTV, nullptr, TRUE);
        UpdateWindow(hwndMainTV);
    }
}
BENCHMARK(BM_repaintOutline)->Unit(benchmark::kMicrosecond);

// A 1600 x 1200 photograph in the program's folder.
void writePhoto() {
    static bool written = [] {
        auto pixel = [](int x, int y) { return (uint32_t)((x * 255 / 1600) | ((y * 255 / 1200) << 8) | 0x400000); };
        pictures::writeFile(rootDir + "/Program Files/Quillet Pro/photo.jpg", pictures::jpegBytes(1600, 1200, pixel));
        return true;
    }();
    (void)written;
}

// Items are drawn into the back buffer over the picture, which reaches the
// screen in one copy: the built-in picture, and a photograph much larger
// than the screen.
void BM_repaintOutlineOverPicture(benchmark::State& state) {
    setUp();
    writePhoto();
    attrCurrentList.bUseBitmapFile = 1;
    if (!loadBackgroundPicture(state.range(0) ? u"photo.jpg" : u"(Default)")) std::abort();
    load();
    device::runUntilIdle();
    for (auto _ : state) {
        InvalidateRect(hwndMainTV, nullptr, TRUE);
        UpdateWindow(hwndMainTV);
    }
    clearBackgroundPicture();
    attrCurrentList.bUseBitmapFile = 0;
}
BENCHMARK(BM_repaintOutlineOverPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The photograph read, decoded and made ready to draw, as when a list with
// that picture is opened.
void BM_loadPhotoBackground(benchmark::State& state) {
    setUp();
    writePhoto();
    for (auto _ : state) {
        HBITMAP picture = loadBackgroundImage(u"photo.jpg");
        if (!picture) std::abort();
        DeleteObject(picture);
    }
}
BENCHMARK(BM_loadPhotoBackground)->Unit(benchmark::kMillisecond);

// Taps the check box of the deepest item of the first chain (depth 6), so
// that automatic checking walks up six ancestors; each tap flips it.
void BM_checkItemAutoCheck(benchmark::State& state) {
    setUp();
    attrCurrentList.bAutoCheck = 1;
    load();
    device::runUntilIdle();
    HTREEITEM deepest = findItemById(hwndMainTV, nullptr, 7);
    RECT label{};
    std::memcpy(&label, &deepest, sizeof deepest);
    SendMessageW(hwndMainTV, TVM_GETITEMRECT, TRUE, (LPARAM)&label);
    LPARAM at = MAKELPARAM(label.left - (intTreeFontHeight + intUnit) / 2, (label.top + label.bottom) / 2);
    for (auto _ : state) {
        SendMessageW(hwndMainTV, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(hwndMainTV, WM_LBUTTONUP, 0, at);
    }
    state.counters["checked"] = isItemChecked(hwndMainTV, deepest);
    attrCurrentList.bAutoCheck = 0;
}
BENCHMARK(BM_checkItemAutoCheck)->Unit(benchmark::kMicrosecond);

void run(const char* sql) {
    char error[200];
    executeSql(dbCurrent, sql, error, sizeof error);
}

// Check All and Uncheck All in turn: one statement on every row, then the reload.
void BM_checkAll(benchmark::State& state) {
    setUp();
    load();
    bool check = true;
    for (auto _ : state) {
        check ? onCheckAll(hwndMain, 40058, nullptr, 0) : onUncheckAll(hwndMain, 40059, nullptr, 0);
        check = !check;
    }
    onUncheckAll(hwndMain, 40059, nullptr, 0);
}
BENCHMARK(BM_checkAll)->Unit(benchmark::kMillisecond);

// Expand All and Collapse All in turn.
void BM_expandAll(benchmark::State& state) {
    setUp();
    load();
    bool expand = true;
    for (auto _ : state) {
        expand ? onExpandAll(hwndMain, 40065, nullptr, 0) : onCollapseAll(hwndMain, 40066, nullptr, 0);
        expand = !expand;
    }
    // Back to the stored states the other benchmarks start from.
    run("DELETE FROM 'Bench';");
    bench::buildBigList(dbCurrent, LIST);
}
BENCHMARK(BM_expandAll)->Unit(benchmark::kMillisecond);

// Delete Checked with every other top-level item checked: 500 items with
// their subtrees (5,000 rows) go, the parents of the rest are recounted.
// The list is rebuilt outside the timing for each round.
void BM_deleteChecked(benchmark::State& state) {
    setUp();
    bWarningMessage = 0;
    for (auto _ : state) {
        state.PauseTiming();
        run("DELETE FROM 'Bench';");
        bench::buildBigList(dbCurrent, LIST);
        run("UPDATE 'Bench' SET bChecked = 1 WHERE longParentID = 0 AND longOrder % 2 = 0;");
        load();
        ShowWindow(hwndMainTV, SW_SHOW);
        state.ResumeTiming();
        onDeleteChecked(hwndMain, 40060, nullptr, 0);
    }
    state.counters["items_left"] = (double)SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0);
    run("DELETE FROM 'Bench';");
    bench::buildBigList(dbCurrent, LIST);
}
BENCHMARK(BM_deleteChecked)->Unit(benchmark::kMillisecond);

// Hide On/Off with automatic checking: after the reload every parent's
// check mark is decided again and stored.
void BM_hideOnOffAutoCheck(benchmark::State& state) {
    setUp();
    attrCurrentList.bAutoCheck = 1;
    intListCount = 1;
    load();
    for (auto _ : state) onHideOnOff(hwndMain, 40067, nullptr, 0);
    attrCurrentList.bAutoCheck = 0;
    attrCurrentList.bShowHiddenItems = 0;
    buildFilterClause(strFilterClause, FILTER_CLAUSE_BYTES, 0, 0);
}
BENCHMARK(BM_hideOnOffAutoCheck)->Unit(benchmark::kMillisecond);

}  // namespace
