#include "files_fixture.h"

#include <filesystem>

#include "crypto/cipher.h"
#include "lists/list_name_combo.h"
#include "outline/item_clipboard.h"
#include "platform/controls/treeview/treeview_query.h"
#include "platform/system/code_page.h"
#include "platform/window/input.h"
#include "platform/window/window_system.h"
#include "resources/resource_ids.h"
#include "shell/app_reset.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"

namespace filestest {
namespace {

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND child(LPCWSTR cls, DWORD style, int id, int y, int height) {
    return CreateWindowExW(0, cls, u"", WS_CHILD | WS_VISIBLE | style, 0, y, 240, height, hwndMain,
                           (HMENU)(intptr_t)id, nullptr, nullptr);
}

void resetState() {
    if (dbCurrent) sqlite3_close(dbCurrent);
    resetAppState();
    releaseCipherBuffer();
}

}  // namespace

void FilesTest::SetUp() {
    files.create();
    testsupport::startHeadlessScreen();
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.lpszClassName = u"filesmain";
    ASSERT_NE(RegisterClassW(&wc), 0);
    resetState();
    bHiRes = 0;
    intUnit = 2;
    intScale = 1;
    intWorkWidth = 240;
    messages.install();
    hwndMain = CreateWindowExW(0, u"filesmain", u"Quillet Pro", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                               nullptr, nullptr, nullptr);
    hwndListName = child(u"static", 0, 6001, 0, 18);
    hwndListCombo = child(u"combobox", WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 6000, 0, 120);
    ShowWindow(hwndListCombo, SW_HIDE);
    hwndMainTV = child(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 6002, 20, 160);
    hwndSplitter = child(u"static", 0, 0, 180, 6);
    hwndNotes = child(u"edit", ES_MULTILINE, 6003, 186, 80);
    device::runUntilIdle();
}

void FilesTest::TearDown() {
    testsupport::stopSteps();
    device::windowSystemReset();
    messages.uninstall();
    resetState();
    std::error_code ignored;
    std::filesystem::permissions(files.root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
}

void FilesTest::hostSql(const std::string& devicePath, const std::string& sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(host(devicePath).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, "unix"),
              SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string FilesTest::hostQuery(const std::string& devicePath, const std::string& sql) const {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(host(devicePath).c_str(), &db, SQLITE_OPEN_READONLY, "unix") != SQLITE_OK) {
        sqlite3_close(db);
        return "<no file>";
    }
    sqlite3_stmt* st = nullptr;
    std::string out = "<error>";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        out = "<none>";
        if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
            out = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

void FilesTest::openAsCurrent(const std::u16string& devicePath) {
    dbCurrent = openListDatabase(devicePath.c_str());
    ASSERT_NE(dbCurrent, nullptr);
    std::char_traits<WCHAR>::copy(strCurrentDbFile, devicePath.c_str(), devicePath.size() + 1);
    bNoDatabase = 0;
    ListNameCombo box(hwndListCombo);
    intListCount = fillListNameBox(dbCurrent, box);
}

void FilesTest::play(std::vector<std::function<void()>> list) {
    steps = testsupport::StepList{std::move(list)};
    testsupport::playSteps(steps);
}

void pickInChooser(const std::u16string& labels) {
    HWND tree = GetDlgItem(GetActiveWindow(), res::kIdChooserTree);
    ASSERT_NE(tree, nullptr);
    for (size_t end = labels.find(u'/'); end != std::u16string::npos; end = labels.find(u'/', end + 1))
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)device::treeview::findByPath(tree, labels.substr(0, end)));
    HTREEITEM item = device::treeview::findByPath(tree, labels);
    ASSERT_NE(item, nullptr) << device::treeview::dumpText(tree);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
}

void tapChooser(int id) {
    HWND dialog = GetActiveWindow();
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

}  // namespace filestest
