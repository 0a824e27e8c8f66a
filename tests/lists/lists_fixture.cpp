#include "lists_fixture.h"

#include <cstring>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "crypto/cipher.h"
#include "lists/list_name_combo.h"
#include "outline/item_clipboard.h"
#include "platform/host/register_controls.h"
#include "platform/system/code_page.h"
#include "platform/window/headless_host.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "shell/app_reset.h"
#include "state/app_state.h"

namespace liststest {

Messages& messages() {
    static Messages m;
    return m;
}

bool Steps::operator()() {
    if (next >= list.size()) return false;
    list[next++]();
    return true;
}

std::u16string wide(const std::string& utf8text) { return device::utf8ToWide(utf8text); }
std::string utf8(const std::u16string& text) { return device::wideToUtf8(text.c_str()); }

namespace {

int recordMessage(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    Messages& m = messages();
    m.shown.push_back(device::wideToUtf8(caption) + "|" + device::wideToUtf8(text) + "|" + std::to_string(style));
    if (!m.answers.empty()) {
        int answer = m.answers.front();
        m.answers.erase(m.answers.begin());
        return answer;
    }
    return m.answer;
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void resetState() {
    resetAppState();
    releaseCipherBuffer();
}

}  // namespace

void ListsTest::SetUp() {
    device::windowSystemReset();
    device::screenConfigure(false);
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::registerDeviceClasses();
    registerProgramResources();
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = u"listsmain";
    ASSERT_NE(RegisterClassW(&wc), 0);

    resetState();
    messages() = Messages{};
    setMessageDialogHandler(recordMessage);

    hwndMain = CreateWindowExW(0, u"listsmain", u"Quillet Pro", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(hwndMain, nullptr);
    hwndListName = CreateWindowExW(0, u"static", u"", WS_CHILD | WS_VISIBLE, 0, 0, 240, 18, hwndMain,
                                   (HMENU)(intptr_t)6001, nullptr, nullptr);
    hwndListCombo = CreateWindowExW(0, u"combobox", u"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 240,
                                    120, hwndMain, (HMENU)(intptr_t)6000, nullptr, nullptr);
    hwndMainTV = CreateWindowExW(0, WC_TREEVIEWW, u"",
                                 WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 20, 240,
                                 160, hwndMain, (HMENU)(intptr_t)6002, nullptr, nullptr);
    hwndSplitter = CreateWindowExW(0, u"static", u"", WS_CHILD | WS_VISIBLE, 0, 180, 240, 6, hwndMain, nullptr,
                                   nullptr, nullptr);
    hwndNotes = CreateWindowExW(0, u"edit", u"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 186, 240, 80, hwndMain,
                                (HMENU)(intptr_t)6003, nullptr, nullptr);
    ASSERT_NE(hwndListCombo, nullptr);
    ASSERT_NE(hwndMainTV, nullptr);
    ASSERT_NE(hwndNotes, nullptr);
    dbCurrent = db;
    device::runUntilIdle();
}

void ListsTest::TearDown() {
    device::headlessHost().setIdleDriver({});
    device::windowSystemReset();
    setMessageDialogHandler(nullptr);
    resetState();
}

void ListsTest::exec(const std::string& sql) {
    char error[200];
    ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), SQLITE_DONE) << sql << ": " << error;
}

void ListsTest::addList(const std::string& name, const std::vector<std::string>& rows,
                        const ListAttributes* attributes) {
    ASSERT_EQ(createItemTable(db, name.c_str()), 1) << name;
    ListAttributes a = attributes ? *attributes : defaultListAttributes();
    codePageToWide(name.c_str(), a.strListName, LIST_NAME_CHARS);
    ASSERT_EQ(writeListAttributes(db, name.c_str(), a), 1);
    long id = 1;
    for (const std::string& row : rows) {
        exec("INSERT INTO '" + quoteSql(name.c_str()) + "' VALUES (" + std::to_string(id) + ",0," +
             std::to_string(id) + ",'" + quoteSql(row.c_str()) + "',0,1,1,0,'note of " + quoteSql(row.c_str()) +
             "',0);");
        ++id;
    }
}

void ListsTest::makeCurrent(const std::string& name) {
    ASSERT_LT(name.size(), size_t(CURRENT_LIST_BYTES));
    std::memcpy(strCurrentList, name.c_str(), name.size() + 1);
    ASSERT_EQ(setActiveList(db, strCurrentList), 1);
    ASSERT_EQ(readListAttributes(db, strCurrentList, &attrCurrentList), 1);
    ListNameCombo box(hwndListCombo);
    intListCount = fillListNameBox(db, box);
    WCHAR w[LIST_NAME_CHARS];
    codePageToWide(strCurrentList, w, LIST_NAME_CHARS);
    intListIndex = int(SendMessageW(hwndListCombo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(w)));
    SendMessageW(hwndListCombo, CB_SETCURSEL, WPARAM(intListIndex), 0);
    SetWindowTextW(hwndListName, w);
}

void ListsTest::play(Steps& steps) { device::headlessHost().setIdleDriver(std::ref(steps)); }

std::string ListsTest::boxEntries() {
    std::string out;
    int n = int(SendMessageW(hwndListCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        WCHAR entry[100] = {};
        SendMessageW(hwndListCombo, CB_GETLBTEXT, WPARAM(i), LPARAM(entry));
        if (!out.empty()) out += ",";
        out += device::wideToUtf8(entry);
    }
    return out;
}

std::string ListsTest::text(HWND hwnd) {
    WCHAR buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return device::wideToUtf8(buffer);
}

HWND activeDialog() { return GetActiveWindow(); }

void setField(HWND dialog, int id, const std::string& value) {
    SetDlgItemTextW(dialog, id, wide(value).c_str());
}

void click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

}  // namespace liststest
