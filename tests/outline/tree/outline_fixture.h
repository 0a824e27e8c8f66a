// Shared set-up of the outline tests: a fresh device root with a list
// database, a main window that hands its WM_NOTIFY and WM_PAINT to the
// outline code as the program's main window does, a real tree view
// subclassed with the outline's procedure, a notes pane, fonts and
// pictures, and helpers to add rows and read them back.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "outline/item_draw.h"
#include "outline/outline_paint.h"
#include "outline/tree_input.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "platform/host/register_controls.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "shell/app_reset.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/device_root.h"
#include "storage/item_table.h"
#include "storage/storage_test_util.h"
#include "windows.h"

namespace outline_test {

struct MainLog {
    std::vector<int> commands;  // WM_COMMAND ids the main window got
};

inline MainLog& mainLog() {
    static MainLog log;
    return log;
}

inline LRESULT CALLBACK testMainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY: return onOutlineNotify(hwnd, msg, wParam, lParam);
    case WM_PAINT: return onMainPaint(hwnd, msg, wParam, lParam);
    case WM_COMMAND: mainLog().commands.push_back(LOWORD(wParam)); return 0;
    case WM_ERASEBKGND: {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        if (hbrBackground) FillRect((HDC)wParam, &rc, hbrBackground);
        return 1;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

inline HFONT makeFont(int points, int weight, int strike, int* height) {
    LOGFONTW lf{};
    lf.lfHeight = points * 96 / 72;
    lf.lfWeight = weight;
    lf.lfStrikeOut = (BYTE)strike;
    lf.lfCharSet = 255;
    lf.lfPitchAndFamily = 0x10;
    std::memcpy(lf.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
    if (height) *height = lf.lfHeight;
    return CreateFontIndirectW(&lf);
}

class OutlineTest : public storage_test::DeviceRoot {
protected:
    void SetUp() override {
        DeviceRoot::SetUp();
        device::windowSystemReset();
        device::useHeadlessHost();
        device::headlessHost().setIdleDriver({});
        device::registerDeviceClasses();
        registerProgramResources();
        mainLog() = MainLog{};
        resetState();

        WNDCLASSW wc{};
        wc.lpfnWndProc = testMainProc;
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = u"outline test main";
        RegisterClassW(&wc);
        RECT work = device::screenWorkArea();
        intWorkWidth = work.right - work.left;
        intMenuHeight = GetSystemMetrics(SM_CYMENU);
        intWorkHeight = work.bottom - work.top - intMenuHeight;
        hwndMain = CreateWindowExW(0, u"outline test main", u"Quillet Pro", WS_VISIBLE, work.left, work.top,
                                   intWorkWidth, intWorkHeight, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(hwndMain, nullptr);
        intListBarHeight = 20;
        intListBarBottom = 1 + 20;
        intTreeTop = intListBarBottom + 1;

        hfontTree = makeFont(10, 400, 0, &intTreeFontHeight);
        hfontTreeBold = makeFont(10, 700, 0, nullptr);
        hfontTreeStrike = makeFont(10, 400, 1, nullptr);
        hfontTreeBoldStrike = makeFont(10, 700, 1, nullptr);
        hbrBackground = CreateSolidBrush(attrCurrentList.crBackground);
        hbrNoteBackground = CreateSolidBrush(attrCurrentList.crNoteBackground);
        createBackBuffers(hwndMain);
        loadPaintBitmaps();
        loadButtonPictures(1);
        makeItemPictures(intTreeFontHeight);

        hwndMainTV = CreateWindowExW(0, WC_TREEVIEWW, u"TreeView", WS_CHILD | WS_TABSTOP | 0x12f, 0, intTreeTop,
                                     intWorkWidth, 180, hwndMain, (HMENU)(intptr_t)6002, nullptr, nullptr);
        ASSERT_NE(hwndMainTV, nullptr);
        SendMessageW(hwndMainTV, WM_SETFONT, (WPARAM)hfontTree, 0);
        createStateImageList(hwndMainTV, intTreeFontHeight);
        installOutlineProc(hwndMainTV);
        hwndNotes = CreateWindowExW(0, u"edit", u"", WS_CHILD | WS_BORDER | WS_VSCROLL | ES_MULTILINE, 0,
                                    intTreeTop + 186, intWorkWidth, 60, hwndMain, (HMENU)(intptr_t)6003, nullptr,
                                    nullptr);

        dbCurrent = openListDatabase(u"\\My Documents\\outline.qu2");
        ASSERT_NE(dbCurrent, nullptr);
        setList("Groceries");
        bNoDatabase = 0;
        bStarting = 0;
        device::runUntilIdle();
    }

    void TearDown() override {
        if (dbCurrent) sqlite3_close(dbCurrent);
        releaseStateImageList(hwndMainTV);
        releaseItemPictures();
        releaseItemDrawContext();
        releasePaintResources();
        for (HFONT font : {hfontTree, hfontTreeBold, hfontTreeStrike, hfontTreeBoldStrike})
            if (font) DeleteObject(font);
        if (hbrBackground) DeleteObject(hbrBackground);
        if (hbrNoteBackground) DeleteObject(hbrNoteBackground);
        device::windowSystemReset();
        resetState();
        DeviceRoot::TearDown();
    }

    static void resetState() {
        resetAppState();
        bHasKeyboard = 1;
        bKeyboardSip = 0;
    }

    void setList(const char* name) {
        std::snprintf(strCurrentList, sizeof strCurrentList, "%s", name);
        createItemTable(dbCurrent, name);
    }

    // Adds a row with explicit fields (texts in UTF-8, stored in the code page).
    void addRow(LONG id, LONG parent, LONG order, const std::string& text, int checked = 0, int numChild = 0,
                int expand = 0, int display = 1, int note = 0, const std::string& noteText = "") {
        std::string sql = "INSERT INTO '" + std::string(strCurrentList) +
                          "' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,bNodeExpand,strNoteText,"
                          "intNumChild) VALUES (" +
                          std::to_string(id) + "," + std::to_string(parent) + "," + std::to_string(order) + ",'" +
                          quote(text) + "'," + std::to_string(checked) + "," + std::to_string(display) + "," +
                          std::to_string(note) + "," + std::to_string(expand) + ",'" + quote(noteText) + "'," +
                          std::to_string(numChild) + ");";
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(dbCurrent, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    }

    // Many rows go in faster inside one transaction.
    void begin() { sqlite3_exec(dbCurrent, "BEGIN;", nullptr, nullptr, nullptr); }
    void commit() { sqlite3_exec(dbCurrent, "COMMIT;", nullptr, nullptr, nullptr); }

    static std::string quote(const std::string& text) {
        std::string out;
        for (char c : text) {
            out += c;
            if (c == '\'') out += '\'';
        }
        return out;
    }

    void load() {
        buildOrderClause(strOrderClause, ORDER_CLAUSE_BYTES, attrCurrentList.bAlphaSort, attrCurrentList.bCheckSort,
                         attrCurrentList.bPassword);
        buildFilterClause(strFilterClause, FILTER_CLAUSE_BYTES, attrCurrentList.bHideChecked,
                          attrCurrentList.bShowHiddenItems);
        reloadOutline();
        device::runUntilIdle();
    }

    std::string sql(const std::string& query) { return storage_test::scalar(dbCurrent, query); }
    std::string column(const std::string& query) { return storage_test::column(dbCurrent, query); }
    std::string field(LONG id, const char* name) {
        return sql("SELECT " + std::string(name) + " FROM '" + strCurrentList + "' WHERE longID=" +
                   std::to_string(id) + ";");
    }

    static std::string textOf(HTREEITEM item) {
        WCHAR buffer[TREE_COPY_CHARS];
        getItemText(hwndMainTV, item, buffer, TREE_COPY_CHARS);
        char narrow[TREE_COPY_CHARS * 2];
        wideToCodePage(buffer, narrow, sizeof narrow);
        return narrow;
    }
    static HTREEITEM byId(LONG id) { return findItemById(hwndMainTV, nullptr, id); }

    // The tree as text: one line per item, indented two blanks per level,
    // with "[x]" for checked items and "+" for expanded parents.
    static std::string dump() {
        std::string out;
        for (HTREEITEM at = treeRoot(hwndMainTV); at; at = nextItemPreorder(hwndMainTV, at)) {
            out += std::string((size_t)itemDepth(hwndMainTV, at) * 2, ' ');
            out += isItemChecked(hwndMainTV, at) ? "[x] " : "[ ] ";
            out += textOf(at);
            UINT state = (UINT)SendMessageW(hwndMainTV, TVM_GETITEMSTATE, (WPARAM)at, TVIS_EXPANDED);
            if (hasChildren(hwndMainTV, at) && (state & TVIS_EXPANDED)) out += " +";
            out += "\n";
        }
        return out;
    }

    // A pen tap at a client point of the outline, through the device's
    // input; the clock then moves on, so the next tap is not a double tap.
    static void tapTree(int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwndMainTV, &p);
        device::penDown(p.x, p.y);
        device::penUp(p.x, p.y);
        device::runUntilIdle();
        device::advanceClock(1000);
    }
    static RECT labelOf(HTREEITEM item) {
        RECT rc{};
        std::memcpy(&rc, &item, sizeof item);
        SendMessageW(hwndMainTV, TVM_GETITEMRECT, TRUE, (LPARAM)&rc);
        return rc;
    }
};

}  // namespace outline_test
