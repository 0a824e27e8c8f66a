#include "notes_fixture.h"

#include <cstring>

#include "common/message_dialog.h"
#include "outline/notes.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "platform/controls/edit/edit_control.h"
#include "platform/controls/static/static_control.h"
#include "platform/controls/treeview/treeview_control.h"
#include "platform/shell/shell_system.h"
#include "platform/system/code_page.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "shell/app_reset.h"
#include "storage/item_table.h"

namespace notestest {

std::vector<std::string>& dialogsShown() {
    static std::vector<std::string> shown;
    return shown;
}

bool Steps::operator()() {
    if (next >= list.size()) return false;
    list[next++]();
    return true;
}

namespace {

int recordDialog(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    dialogsShown().push_back(device::wideToUtf8(caption) + "|" + device::wideToUtf8(text) + "|" +
                             std::to_string(style));
    return IDOK;
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == 6003) return onNotesNotify(hwnd, 6003, (HWND)lParam, HIWORD(wParam));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void resetState() {
    resetAppState();
    bNotesOpen = 1;
    bHasKeyboard = 1;
    bKeyboardSip = 0;
}

}  // namespace

void NotesTest::SetUp() {
    files.create();
    device::windowSystemReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    ASSERT_TRUE(device::registerTreeViewControl());
    ASSERT_TRUE(device::registerEditControl());
    ASSERT_TRUE(device::registerStaticControl());
    registerProgramResources();
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = u"notesmain";
    ASSERT_NE(RegisterClassW(&wc), 0);

    resetState();
    dialogsShown().clear();
    setMessageDialogHandler(recordDialog);
    hwndMain = CreateWindowExW(0, u"notesmain", u"Quillet Pro", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(hwndMain, nullptr);
    hwndMainTV = CreateWindowExW(0, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                     TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                                 0, 0, 240, 160, hwndMain, (HMENU)(intptr_t)6002, nullptr, nullptr);
    hwndSplitter = CreateWindowExW(0, u"static", u"", WS_CHILD | WS_VISIBLE, 0, 160, 240, 6, hwndMain, nullptr,
                                   nullptr, nullptr);
    hwndNotes = CreateWindowExW(0, u"edit", u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                0, 166, 240, 80, hwndMain, (HMENU)(intptr_t)6003, nullptr, nullptr);
    ASSERT_NE(hwndMainTV, nullptr);
    ASSERT_NE(hwndNotes, nullptr);
    SendMessageW(hwndNotes, EM_LIMITTEXT, 999, 0);
    subclassNotesPane(hwndNotes);

    dbCurrent = db;
    std::strcpy(strCurrentList, "Groceries");
    ASSERT_EQ(createItemTable(db, strCurrentList), 1);
    std::strcpy(strOrderClause, "ORDER BY longOrder");
    strFilterClause[0] = 0;
    device::runUntilIdle();
}

void NotesTest::TearDown() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    clearNoteHighlight();
    device::headlessHost().setIdleDriver({});
    device::windowSystemReset();
    setMessageDialogHandler(nullptr);
    resetState();
}

void NotesTest::row(long id, long parent, long order, const std::string& text, const std::string& note) {
    char error[200];
    std::string sql = "INSERT INTO '" + quoteSql(strCurrentList) + "' VALUES (" + std::to_string(id) + "," +
                      std::to_string(parent) + "," + std::to_string(order) + ",'" + text + "',0,1," +
                      (note.empty() ? "0" : "1") + ",0,'" + note + "',0);";
    ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), SQLITE_DONE) << error;
}

void NotesTest::load() {
    reloadOutline();
    device::runUntilIdle();
}

void NotesTest::select(long id) {
    HTREEITEM item = findItemById(hwndMainTV, nullptr, id);
    ASSERT_NE(item, nullptr) << id;
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
    loadItemNote(id);
    device::runUntilIdle();
}

void NotesTest::type(const std::u16string& text) {
    SetFocus(hwndNotes);
    for (char16_t c : text) device::typeChar(c);
    device::runUntilIdle();
}

std::u16string NotesTest::paneText() {
    WCHAR buffer[1200] = {};
    GetWindowTextW(hwndNotes, buffer, 1200);
    return buffer;
}

std::string NotesTest::stored(long id) {
    return q("SELECT bNote FROM 'Groceries' WHERE longID = " + std::to_string(id) + ";") + "|" +
           q("SELECT strNoteText FROM 'Groceries' WHERE longID = " + std::to_string(id) + ";");
}

void NotesTest::holdOnPane(int x, int y, std::function<void()> inMenu) {
    POINT at{x, y};
    ClientToScreen(hwndNotes, &at);
    Steps steps;
    steps.list = {inMenu};
    device::headlessHost().setIdleDriver(std::ref(steps));
    device::penHold(at.x, at.y);  // the right button: a hold without the wait
    device::runUntilIdle();
    device::headlessHost().setIdleDriver({});
}

}  // namespace notestest
