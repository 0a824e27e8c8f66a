#include "items_fixture.h"

#include <cstring>

#include "common/message_dialog.h"
#include "outline/item_clipboard.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "platform/controls/edit/edit_control.h"
#include "platform/controls/static/static_control.h"
#include "platform/controls/treeview/treeview_control.h"
#include "platform/system/code_page.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/window_system.h"
#include "shell/app_reset.h"
#include "state/app_state.h"
#include "storage/item_table.h"

namespace itemtest {

Dialogs& dialogs() {
    static Dialogs d;
    return d;
}

namespace {

int recordDialog(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    dialogs().shown.push_back(device::wideToUtf8(caption) + "|" + device::wideToUtf8(text) + "|" +
                              std::to_string(style));
    return dialogs().answer;
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void resetState() {
    dbCurrent = nullptr;
    emptyItemClipboard();
    resetAppState();
    bWarningMessage = 0;
}

}  // namespace

void ItemCommandTest::SetUp() {
    device::windowSystemReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    ASSERT_TRUE(device::registerTreeViewControl());
    ASSERT_TRUE(device::registerEditControl());
    ASSERT_TRUE(device::registerStaticControl());
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"itemsmain";
    ASSERT_NE(RegisterClassW(&wc), 0);

    resetState();
    dialogs() = Dialogs{};
    setMessageDialogHandler(recordDialog);
    hwndMain = CreateWindowExW(0, u"itemsmain", u"Quillet Pro", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(hwndMain, nullptr);
    hwndMainTV = CreateWindowExW(0, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                     TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                                 0, 20, 240, 160, hwndMain, (HMENU)(intptr_t)6002, nullptr, nullptr);
    hwndSplitter = CreateWindowExW(0, u"static", u"", WS_CHILD | WS_VISIBLE, 0, 180, 240, 6, hwndMain, nullptr,
                                   nullptr, nullptr);
    hwndNotes = CreateWindowExW(0, u"edit", u"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 186, 240, 80, hwndMain,
                                (HMENU)(intptr_t)6003, nullptr, nullptr);
    ASSERT_NE(hwndMainTV, nullptr);
    ASSERT_NE(hwndNotes, nullptr);

    dbCurrent = db;
    std::strcpy(strCurrentList, "Groceries");
    ASSERT_EQ(createItemTable(db, strCurrentList), 1);
    std::strcpy(strOrderClause, "ORDER BY longOrder");
    strFilterClause[0] = 0;
    device::runUntilIdle();
}

void ItemCommandTest::TearDown() {
    if (hwndMainTV) SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, TRUE, 0);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    device::windowSystemReset();
    setMessageDialogHandler(nullptr);
    resetState();
}

void ItemCommandTest::row(long id, long parent, long order, const std::string& text, int numChild, int checked,
                          int display, int expand) {
    char error[200];
    std::string sql = "INSERT INTO '" + quoteSql(strCurrentList) + "' VALUES (" + std::to_string(id) + "," +
                      std::to_string(parent) + "," + std::to_string(order) + ",'" + text + "'," +
                      std::to_string(checked) + "," + std::to_string(display) + ",0," + std::to_string(expand) +
                      ",''," + std::to_string(numChild) + ");";
    ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), SQLITE_DONE) << error;
}

void ItemCommandTest::load() {
    reloadOutline();
    device::runUntilIdle();
}

HTREEITEM ItemCommandTest::node(long id) { return findItemById(hwndMainTV, nullptr, id); }

void ItemCommandTest::select(long id) {
    HTREEITEM item = node(id);
    ASSERT_NE(item, nullptr) << "no node " << id;
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
}

LONG ItemCommandTest::selectedId() { return getItemId(hwndMainTV, treeSelection(hwndMainTV)); }

std::string ItemCommandTest::children(long parent) {
    return col("SELECT strText||':'||longOrder FROM '" + quoteSql(strCurrentList) + "' WHERE longParentID=" +
               std::to_string(parent) + " AND longID > 0 ORDER BY longOrder, longID;");
}

std::u16string ItemCommandTest::textOf(HTREEITEM item) {
    WCHAR buffer[TREE_TEXT_CHARS] = {};
    getItemText(hwndMainTV, item, buffer, TREE_TEXT_CHARS);
    return buffer;
}

std::string ItemCommandTest::nodeTexts(HTREEITEM item) {
    std::string out;
    for (HTREEITEM child = item ? treeFirstChild(hwndMainTV, item) : treeRoot(hwndMainTV); child;
         child = treeNextSibling(hwndMainTV, child)) {
        if (!out.empty()) out += ",";
        out += device::wideToUtf8(textOf(child));
    }
    return out;
}

std::u16string ItemCommandTest::windowText(HWND window) {
    WCHAR buffer[1000] = {};
    GetWindowTextW(window, buffer, 1000);
    return buffer;
}

void ItemCommandTest::cancelEdit() {
    SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, TRUE, 0);
    bLabelEditAllowed = 0;
    device::runUntilIdle();
}

}  // namespace itemtest
