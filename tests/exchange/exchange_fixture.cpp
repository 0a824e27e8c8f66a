#include "exchange_fixture.h"


#include <cstring>

#include "common/codepage.h"
#include "crypto/cipher.h"
#include "platform/host/register_controls.h"
#include "platform/system/code_page.h"
#include "platform/window/headless_host.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "shell/app_reset.h"
#include "state/app_state.h"
#include "storage/list_attributes.h"

namespace exchangetest {
namespace {

std::string utf8Of(const unsigned char* text) {
    WCHAR wide[1000];
    codePageToWide(reinterpret_cast<const char*>(text), wide, 1000);
    return device::wideToUtf8(wide);
}

void walk(sqlite3* db, const std::string& list, long parent, int depth, std::string& out) {
    bool cipher = attrCurrentList.bPassword == 1;
    std::string sql = std::string("SELECT longID,") + (cipher ? "bfdecrypt(strText)" : "strText") + ",bChecked," +
                      (cipher ? "bfdecrypt(strNoteText)" : "strNoteText") + ",bNote,intNumChild FROM '" + list +
                      "' WHERE longParentID=" + std::to_string(parent) + " AND longID > 0 ORDER BY longOrder;";
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
    std::vector<std::pair<long, std::string>> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::string note = sqlite3_column_int(st, 4) ? utf8Of(sqlite3_column_text(st, 3)) : "";
        std::string line = std::to_string(depth) + "|" + utf8Of(sqlite3_column_text(st, 1)) + "|" +
                           std::to_string(sqlite3_column_int(st, 2)) + "|" + note;
        rows.push_back({sqlite3_column_int(st, 5) > 0 ? long(sqlite3_column_int(st, 0)) : 0L, line});
    }
    sqlite3_finalize(st);
    for (const auto& row : rows) {
        out += row.second + "\n";
        if (row.first) walk(db, list, row.first, depth + 1, out);
    }
}

}  // namespace

void ExchangeTest::SetUp() {
    files.create();
    device::windowSystemReset();
    device::screenConfigure(false);
    device::useHeadlessHost();
    device::registerDeviceClasses();
    messages.install();
    resetAppState();
    dbCurrent = db;
    useList("Groceries");
}

void ExchangeTest::TearDown() {
    device::windowSystemReset();
    messages.uninstall();
    resetAppState();
    releaseCipherBuffer();
}

void ExchangeTest::useList(const std::string& name) {
    if (!tableExists(db, name.c_str())) {
        ASSERT_EQ(createItemTable(db, name.c_str()), 1);
        ListAttributes a = defaultListAttributes();
        codePageToWide(name.c_str(), a.strListName, LIST_NAME_CHARS);
        ASSERT_EQ(writeListAttributes(db, name.c_str(), a), 1);
    }
    std::memcpy(strCurrentList, name.c_str(), name.size() + 1);
}

void ExchangeTest::addRow(long id, long parent, long order, const std::string& text, int checked, int display,
                          const std::string& note, int children) {
    // Texts are given in UTF-8 and stored in the code page, as the program stores them.
    char stored[1000], storedNote[1000];
    wideToCodePage(device::utf8ToWide(text).c_str(), stored, 1000);
    wideToCodePage(device::utf8ToWide(note).c_str(), storedNote, 1000);
    std::string sql = "INSERT INTO '" + quoteSql(strCurrentList) + "' VALUES (" + std::to_string(id) + "," +
                      std::to_string(parent) + "," + std::to_string(order) + ",'" + quoteSql(stored) + "'," +
                      std::to_string(checked) + "," + std::to_string(display) + "," + (note.empty() ? "0" : "1") +
                      ",1,'" + quoteSql(storedNote) + "'," + std::to_string(children) + ");";
    char error[200];
    ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), SQLITE_DONE) << sql << ": " << error;
}

std::string ExchangeTest::outline(const std::string& list) {
    std::string out;
    walk(db, list, 0, 0, out);
    return out;
}

}  // namespace exchangetest
