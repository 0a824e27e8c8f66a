// List database files: the schema a new file gets, the files that are
// refused (and left exactly as they were), completion of older files, the
// purge of parked items across lists, and the index every item table gets.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "device_root.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/list_attributes.h"
#include "storage/statements.h"
#include "storage_test_util.h"

using storage_test::column;
using storage_test::itemsOf;
using storage_test::scalar;

namespace {

class DatabaseFiles : public storage_test::DeviceRoot {
protected:
    // A valid version-1 list database with one list of `items` items,
    // written by the program itself.
    void makeListDatabase(const char16_t* path, int items) {
        sqlite3* db = openListDatabase(path);
        ASSERT_NE(db, nullptr);
        ASSERT_EQ(createItemTable(db, "Groceries"), 1);
        ASSERT_EQ(writeListAttributes(db, "Groceries", defaultListAttributes()), 1);
        char error[200];
        executeSql(db, "BEGIN TRANSACTION;", error, sizeof error);
        for (int i = 1; i <= items; ++i) {
            std::string sql = "INSERT INTO 'Groceries' VALUES (" + std::to_string(i) + ",0," + std::to_string(i) +
                              ",'item number " + std::to_string(i) + " with some text to fill pages',0,1,0,0,'',0);";
            ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), 101);
        }
        executeSql(db, "COMMIT;", error, sizeof error);
        closeDatabaseFile(db);
    }
    // Opening must fail and leave the file byte for byte as it was.
    void expectRefusedUnchanged(const char16_t* path, const std::string& host) {
        std::vector<char> before = bytesOf(host);
        sqlite3* db = openListDatabase(path);
        EXPECT_EQ(db, nullptr);
        if (db) closeDatabaseFile(db);
        EXPECT_TRUE(bytesOf(host) == before) << host << " was modified";
    }
};

TEST_F(DatabaseFiles, ANewFileGetsVersionDataAndListAttributes) {
    sqlite3* db = openListDatabase(u"\\My Documents\\new.qu2");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(column(db, "SELECT SchemaVersion FROM VersionData;"), "1");
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM ListAttributes;"), "0");
    EXPECT_EQ(readSchemaVersion(db), 1);
    EXPECT_EQ(column(db, "SELECT sql FROM sqlite_master ORDER BY rowid;"),
              "CREATE TABLE 'VersionData' (SchemaVersion INTEGER),"
              "CREATE TABLE 'ListAttributes' ( strListName TEXT,strBitmapFile TEXT,strPassword TEXT,"
              "crBackground INTEGER,crListName INTEGER,crNoteBackground INTEGER,crNoteText INTEGER,"
              "intButtonType INTEGER,intCompletionShow INTEGER,crItemLevel0 INTEGER,crItemLevel1 INTEGER,"
              "crItemLevel2 INTEGER,crItemLevel3 INTEGER,crItemLine INTEGER,crItemCheck INTEGER,crItemHidden INTEGER,"
              "bUseBitmapFile BOOLEAN,bPassword BOOLEAN,bCheckbox BOOLEAN,bHideChecked BOOLEAN,bAlphaSort BOOLEAN,"
              "bCheckSort BOOLEAN,bRootBold BOOLEAN,bStrikeCheck BOOLEAN,bColorChecked BOOLEAN,bAutoCheck BOOLEAN,"
              "bShowHiddenItems BOOLEAN,bHiliteHiddenItems BOOLEAN,bActive BOOLEAN)");
    // The cipher functions are there.
    EXPECT_EQ(scalar(db, "SELECT bfencrypt(NULL);"), "<null>");
    EXPECT_EQ(closeDatabaseFile(db), SQLITE_OK);
    EXPECT_EQ(bytesOf(documents("new.qu2")).size() % 1024, 0u);

    // Opened again, nothing is added.
    db = openListDatabase(u"\\my documents\\NEW.qu2");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(countTables(db), 2);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM VersionData;"), "1");
    closeDatabaseFile(db);
}

TEST_F(DatabaseFiles, ListsSurviveCloseAndReopen) {
    makeListDatabase(u"\\My Documents\\lists.qu2", 20);
    sqlite3* db = openListDatabase(u"\\My Documents\\lists.qu2");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(countItems(itemsOf(db, "Groceries")), 20);
    char name[40];
    EXPECT_EQ(readFirstListName(db, name, sizeof name), 1);
    EXPECT_STREQ(name, "Groceries");
    closeDatabaseFile(db);
}

TEST_F(DatabaseFiles, OpenDatabaseFileDoesNoSchemaWork) {
    sqlite3* db = openDatabaseFile(u"\\My Documents\\plain.qux");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(countTables(db), 0);
    EXPECT_EQ(scalar(db, "SELECT bfencrypt('x');"), "<error>");
    closeDatabaseFile(db);
    EXPECT_EQ(openDatabaseFile(u""), nullptr);
    EXPECT_EQ(openDatabaseFile(nullptr), nullptr);
    EXPECT_EQ(openListDatabase(u""), nullptr);
    // A path too long to convert whole is refused rather than cut to name
    // another file.
    std::u16string longPath = u"\\My Documents\\" + std::u16string(190, u'x') + u".qu2";
    EXPECT_EQ(openDatabaseFile(longPath.c_str()), nullptr);
    EXPECT_EQ(openListDatabase(u"\\No such folder\\x.qu2"), nullptr);
}

TEST_F(DatabaseFiles, AnotherSchemaVersionIsRefusedUntouched) {
    hostSql(documents("v2.qu2"),
            "CREATE TABLE VersionData (SchemaVersion INTEGER); INSERT INTO VersionData VALUES (2);"
            "CREATE TABLE Junk (a); INSERT INTO Junk VALUES (1); DELETE FROM Junk;");
    expectRefusedUnchanged(u"\\My Documents\\v2.qu2", documents("v2.qu2"));
}

TEST_F(DatabaseFiles, AFileWithoutVersionDataIsCompletedAndKeepsItsLists) {
    hostSql(documents("old.qu2"),
            std::string("CREATE TABLE 'ListAttributes' (") + LIST_ATTRIBUTES_COLUMNS +
                "); INSERT INTO ListAttributes (strListName, bActive) VALUES ('Old list', 1);"
                "CREATE TABLE 'Old list' (" + ITEM_TABLE_COLUMNS + "); INSERT INTO 'Old list' (longID, strText) VALUES (1, 'kept');");
    sqlite3* db = openListDatabase(u"\\My Documents\\old.qu2");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(column(db, "SELECT SchemaVersion FROM VersionData;"), "1");
    EXPECT_EQ(scalar(db, "SELECT strText FROM 'Old list';"), "kept");
    char name[40];
    EXPECT_EQ(readActiveListName(db, name, sizeof name), 1);
    EXPECT_STREQ(name, "Old list");
    closeDatabaseFile(db);
}

TEST_F(DatabaseFiles, AFileThatCannotBeCompletedIsLeftAsItWas) {
    // A view holds the name ListAttributes: VersionData could be added, the
    // list table could not; neither is kept.
    hostSql(documents("view.qu2"), "CREATE TABLE Other (a); CREATE VIEW ListAttributes AS SELECT a FROM Other;");
    expectRefusedUnchanged(u"\\My Documents\\view.qu2", documents("view.qu2"));
}

TEST_F(DatabaseFiles, AnEmptyVersionTableCountsAsVersionOne) {
    hostSql(documents("empty.qu2"), "CREATE TABLE VersionData (SchemaVersion INTEGER);");
    sqlite3* db = openListDatabase(u"\\My Documents\\empty.qu2");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(readSchemaVersion(db), 1);
    EXPECT_EQ(tableExists(db, "ListAttributes"), 1);
    closeDatabaseFile(db);
    EXPECT_EQ(readSchemaVersion(nullptr), -1);
    sqlite3* bare = openDatabaseFile(u"\\My Documents\\bare.qu2");
    EXPECT_EQ(readSchemaVersion(bare), -1);
    closeDatabaseFile(bare);
}

TEST_F(DatabaseFiles, ATextFileIsRefusedUntouched) {
    writeBytes(documents("notes.qu2"), std::vector<char>(5000, 'z'));
    expectRefusedUnchanged(u"\\My Documents\\notes.qu2", documents("notes.qu2"));
    std::string header = "SQLite format 3";
    std::vector<char> fake(header.begin(), header.end());
    fake.resize(300, '\x01');
    writeBytes(documents("fake.qu2"), fake);
    expectRefusedUnchanged(u"\\My Documents\\fake.qu2", documents("fake.qu2"));
}

TEST_F(DatabaseFiles, TruncatedAndDamagedFilesAreRefusedUntouched) {
    makeListDatabase(u"\\My Documents\\good.qu2", 400);
    std::vector<char> good = bytesOf(documents("good.qu2"));
    ASSERT_GT(good.size(), 8192u);

    std::vector<char> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    writeBytes(documents("truncated.qu2"), truncated);
    expectRefusedUnchanged(u"\\My Documents\\truncated.qu2", documents("truncated.qu2"));

    std::vector<char> damaged = good;
    for (size_t i = 4096 + 8; i < 4096 + 600; ++i) damaged[i] = static_cast<char>(i * 7);
    writeBytes(documents("damaged.qu2"), damaged);
    expectRefusedUnchanged(u"\\My Documents\\damaged.qu2", documents("damaged.qu2"));
}

TEST_F(DatabaseFiles, AReadOnlyFileIsRefusedUntouched) {
    if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
    makeListDatabase(u"\\My Documents\\readonly.qu2", 5);
    ASSERT_EQ(chmod(documents("readonly.qu2").c_str(), 0444), 0);
    expectRefusedUnchanged(u"\\My Documents\\readonly.qu2", documents("readonly.qu2"));
}

TEST_F(DatabaseFiles, AFileLockedByAnotherWriterIsRefusedUntouched) {
    makeListDatabase(u"\\My Documents\\locked.qu2", 5);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(documents("locked.qu2").c_str(), &other, SQLITE_OPEN_READWRITE, "unix"), SQLITE_OK);
    char error[200];
    ASSERT_EQ(executeSql(other, "BEGIN IMMEDIATE;", error, sizeof error), 101);
    ASSERT_EQ(executeSql(other, "UPDATE 'Groceries' SET bChecked=1;", error, sizeof error), 101);
    expectRefusedUnchanged(u"\\My Documents\\locked.qu2", documents("locked.qu2"));
    executeSql(other, "ROLLBACK;", error, sizeof error);
    sqlite3_close(other);
    sqlite3* db = openListDatabase(u"\\My Documents\\locked.qu2");
    EXPECT_NE(db, nullptr);
    closeDatabaseFile(db);
}

TEST_F(DatabaseFiles, CloseCompactsTheFile) {
    makeListDatabase(u"\\My Documents\\big.qu2", 2000);
    size_t full = bytesOf(documents("big.qu2")).size();
    sqlite3* db = openListDatabase(u"\\My Documents\\big.qu2");
    ASSERT_NE(db, nullptr);
    char error[200];
    ASSERT_EQ(executeSql(db, "DELETE FROM 'Groceries';", error, sizeof error), 101);
    EXPECT_EQ(closeDatabaseFile(db), SQLITE_OK);
    EXPECT_LT(bytesOf(documents("big.qu2")).size(), full / 4);
    EXPECT_EQ(closeDatabaseFile(nullptr), SQLITE_OK);
}

// --- the index on longParentID ------------------------------------------------------

// The rows of a table in key order, every column, as one text.
std::string rowsOf(sqlite3* db, const std::string& table) {
    return column(db, "SELECT quote(longID)||quote(longParentID)||quote(longOrder)||quote(strText)||quote(bChecked)||"
                      "quote(bDisplay)||quote(bNote)||quote(bNodeExpand)||quote(strNoteText)||quote(intNumChild) FROM '" +
                          table + "' ORDER BY longID;");
}

std::string indexesOf(sqlite3* db, const std::string& table) {
    return column(db, "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='" + table + "' ORDER BY name;");
}

TEST_F(DatabaseFiles, EveryItemTableGetsItsIndexAndNothingElseChanges) {
    // A file as the device writes it: no indexes.
    hostSql(documents("device.qu2"),
            std::string("CREATE TABLE 'VersionData' (") + VERSION_DATA_COLUMNS + "); INSERT INTO VersionData VALUES (1);"
                "CREATE TABLE 'ListAttributes' (" + LIST_ATTRIBUTES_COLUMNS + ");"
                "INSERT INTO ListAttributes (strListName, bActive) VALUES ('Tom''s', 0), ('B', 1);"
                "CREATE TABLE 'Tom''s' (" + ITEM_TABLE_COLUMNS + "); CREATE TABLE 'B' (" + ITEM_TABLE_COLUMNS + ");"
                "INSERT INTO 'B' VALUES (1,0,1,'top',0,1,1,1,'a note',1), (-2,1,1,'parked',1,0,0,0,NULL,0),"
                "(3,2,1,x'e9',0,1,0,0,'',0);");
    sqlite3* db = openDatabaseFile(u"\\My Documents\\device.qu2");
    ASSERT_NE(db, nullptr);
    const std::string before = rowsOf(db, "B");
    sqlite3_close(db);

    db = openListDatabase(u"\\My Documents\\device.qu2");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(indexesOf(db, "B"), "B' children");
    EXPECT_EQ(indexesOf(db, "Tom''s"), "Tom's' children");
    EXPECT_EQ(rowsOf(db, "B"), before);

    // A renamed list takes its index's name along, so a new list of the old
    // name gets one of its own.
    ASSERT_EQ(renameTable(db, "B", "C"), 1);
    ASSERT_EQ(renameItemIndex(db, "B", "C"), 1);
    ASSERT_EQ(createItemTable(db, "B"), 1);
    EXPECT_EQ(indexesOf(db, "B"), "B' children");
    EXPECT_EQ(indexesOf(db, "C"), "C' children");
    EXPECT_EQ(rowsOf(db, "C"), before);
    closeDatabaseFile(db);
}

TEST_F(DatabaseFiles, APurgeThatFailsHalfWayChangesNothing) {
    sqlite3* db = openListDatabase(u"\\My Documents\\fail.qu2");
    ASSERT_NE(db, nullptr);
    ASSERT_EQ(createItemTable(db, "A"), 1);
    char error[200];
    ASSERT_EQ(executeSql(db,
                         "INSERT INTO 'A' (longID, longParentID, intNumChild) VALUES (-1, 0, 3), (2, 1, 0), (3, 1, 0),"
                         " (4, 1, 0), (5, 0, 0);",
                         error, sizeof error),
              101);
    // The third row cannot go, as when the device's storage fails there.
    ASSERT_EQ(executeSql(db,
                         "CREATE TRIGGER stop BEFORE DELETE ON 'A' WHEN old.longID = 4 BEGIN "
                         "SELECT RAISE(ABORT, 'storage failed'); END;",
                         error, sizeof error),
              101);
    purgeParkedItems(db, "A");
    EXPECT_EQ(column(db, "SELECT longID FROM 'A' ORDER BY longID;"), "-1,2,3,4,5");
    EXPECT_STREQ(storageErrorText(), "storage failed");
    EXPECT_EQ(sqlite3_get_autocommit(db), 1);

    ASSERT_EQ(executeSql(db, "DROP TRIGGER stop;", error, sizeof error), 101);
    purgeParkedItems(db, "A");
    EXPECT_EQ(column(db, "SELECT longID FROM 'A' ORDER BY longID;"), "5");
    closeDatabaseFile(db);
}

// --- purge of every list in the list-name box ------------------------------------

class NameList : public ListNameBox {
public:
    std::vector<std::u16string> names;
    int failAt = -1;
    int count() override { return static_cast<int>(names.size()); }
    bool textAt(int index, WCHAR* out, int capacity) override {
        if (index < 0 || index >= count() || index == failAt) return false;
        std::u16string text = names[static_cast<size_t>(index)].substr(0, static_cast<size_t>(capacity - 1));
        std::char_traits<char16_t>::copy(out, text.c_str(), text.size() + 1);
        return true;
    }
    void reset() override { names.clear(); }
    bool add(const WCHAR* name) override {
        names.push_back(name);
        return true;
    }
};

TEST_F(DatabaseFiles, PurgeAllListsWalksTheBoxUntilATextCannotBeFetched) {
    sqlite3* db = openListDatabase(u"\\My Documents\\purge.qu2");
    ASSERT_NE(db, nullptr);
    char error[200];
    for (const char* list : {"A", "B", "C"}) {
        ASSERT_EQ(createItemTable(db, list), 1);
        ASSERT_EQ(writeListAttributes(db, list, defaultListAttributes()), 1);
        std::string sql = std::string("INSERT INTO '") + list + "' (longID, longParentID) VALUES (1, 0), (-2, 0), (3, 2);";
        ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), 101);
    }
    NameList box;
    ASSERT_EQ(fillListNameBox(db, box), 3);
    box.names.push_back(u"Not a list");
    box.failAt = 2;
    purgeAllLists(db, box);
    EXPECT_EQ(column(db, "SELECT longID FROM 'A' ORDER BY longID;"), "1");
    EXPECT_EQ(column(db, "SELECT longID FROM 'B' ORDER BY longID;"), "1");
    EXPECT_EQ(column(db, "SELECT longID FROM 'C' ORDER BY longID;"), "-2,1,3");
    box.failAt = -1;
    purgeAllLists(db, box);
    EXPECT_EQ(column(db, "SELECT longID FROM 'C' ORDER BY longID;"), "1");
    closeDatabaseFile(db);
}

}  // namespace
