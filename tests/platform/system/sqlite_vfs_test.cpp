// SQLite opened on device paths, as the program opens its files.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "device_fixture.h"
#include "platform/system/sqlite_vfs.h"
#include "platform/system/storage_limit.h"
#include "windows.h"

namespace {

using testing_device::DeviceTest;

class SqliteOnDevice : public DeviceTest {
protected:
    static int exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    static std::string one(sqlite3* db, const char* sql) {
        sqlite3_stmt* st = nullptr;
        std::string out;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            out = (const char*)sqlite3_column_text(st, 0);
        sqlite3_finalize(st);
        return out;
    }
};

TEST_F(SqliteOnDevice, OpensDevicePathsInAnyCaseAndWritesJournalsBeside) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open("\\Program Files\\Test Program\\settings.qux", &db));
    EXPECT_EQ(SQLITE_OK, exec(db, "CREATE TABLE AppSettings(k TEXT, v TEXT);"));
    EXPECT_EQ(SQLITE_OK, exec(db, "BEGIN TRANSACTION; INSERT INTO AppSettings VALUES('a','1');"));
    // The rollback journal lies beside the database while the transaction runs.
    EXPECT_TRUE(hostExists(root + "/Program Files/Test Program/settings.qux-journal"));
    EXPECT_EQ(SQLITE_OK, exec(db, "COMMIT;"));
    EXPECT_FALSE(hostExists(root + "/Program Files/Test Program/settings.qux-journal"));
    // The program sees only the device path.
    EXPECT_STREQ("\\Program Files\\Test Program\\settings.qux", sqlite3_db_filename(db, "main"));
    sqlite3_close(db);
    EXPECT_TRUE(hostExists(root + "/Program Files/Test Program/settings.qux"));

    ASSERT_EQ(SQLITE_OK, sqlite3_open("/program files/TEST PROGRAM/Settings.QUX", &db));
    EXPECT_EQ("1", one(db, "SELECT v FROM AppSettings WHERE k='a';"));
    EXPECT_EQ(SQLITE_OK, exec(db, "BEGIN; UPDATE AppSettings SET v='2'; COMMIT; VACUUM;"));
    sqlite3_close(db);
    EXPECT_FALSE(hostExists(root + "/Program Files/Test Program/Settings.QUX-journal"));
}

TEST_F(SqliteOnDevice, SystemCodePageNamesAndTheCard) {
    sqlite3* db = nullptr;
    // "Lëst.qu2" in Windows-1252 bytes.
    ASSERT_EQ(SQLITE_OK, sqlite3_open("\\My Documents\\L\xEBst.qu2", &db));
    EXPECT_EQ(SQLITE_OK, exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(7);"));
    sqlite3_close(db);
    EXPECT_TRUE(hostExists(root + "/My Documents/L\xC3\xABst.qu2"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\My Documents\\L\u00CBST.qu2"));
    ASSERT_EQ(SQLITE_OK, sqlite3_open("\\My Documents\\L\xCBST.QU2", &db));
    EXPECT_EQ("7", one(db, "SELECT x FROM t;"));
    sqlite3_close(db);

    ASSERT_EQ(SQLITE_OK, sqlite3_open("\\Storage Card\\copy.qu2", &db));
    EXPECT_EQ(SQLITE_OK, exec(db, "CREATE TABLE t(x);"));
    sqlite3_close(db);
    EXPECT_TRUE(hostExists(card + "/copy.qu2"));
}

TEST_F(SqliteOnDevice, WriteAheadLogAndUriParametersWork) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open_v2("file:/My%20Documents/wal.qu2?cache=private", &db,
                                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr));
    EXPECT_EQ("wal", one(db, "PRAGMA journal_mode=WAL;"));
    EXPECT_EQ(SQLITE_OK, exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);"));
    EXPECT_TRUE(hostExists(root + "/My Documents/wal.qu2-wal"));
    EXPECT_TRUE(hostExists(root + "/My Documents/wal.qu2-shm"));
    EXPECT_STREQ("private", sqlite3_uri_parameter(sqlite3_db_filename(db, "main"), "cache"));
    sqlite3_close(db);
    EXPECT_FALSE(hostExists(root + "/My Documents/wal.qu2-wal"));
}

TEST_F(SqliteOnDevice, BadDevicePathsFailToOpen) {
    sqlite3* db = nullptr;
    EXPECT_NE(SQLITE_OK, sqlite3_open("\\No Folder\\x.qu2", &db));
    sqlite3_close(db);
    db = nullptr;
    EXPECT_NE(SQLITE_OK, sqlite3_open("\\My Documents\\..\\..\\escape.qu2", &db));
    sqlite3_close(db);
    EXPECT_FALSE(hostExists(base + "/escape.qu2"));
    // Installing again changes nothing.
    EXPECT_TRUE(device::installSqliteVfs());
    EXPECT_STREQ(device::kDeviceVfsName, sqlite3_vfs_find(nullptr)->zName);
}

TEST_F(SqliteOnDevice, AFullStoreIsSqliteFullAndTheDatabaseStaysWhole) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open("\\My Documents\\lists.qu2", &db));
    ASSERT_EQ(SQLITE_OK, exec(db, "CREATE TABLE t(x TEXT); INSERT INTO t VALUES('kept');"));
    SetLastError(ERROR_SUCCESS);
    device::fsSetStorageLimit(device::fsStorageUsed() + 3000);
    // One transaction too big for the room: nothing of it stays.
    EXPECT_EQ(SQLITE_FULL, exec(db, "BEGIN; INSERT INTO t SELECT hex(randomblob(2000)) FROM "
                                    "(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<20) "
                                    "SELECT i FROM n); COMMIT;"));
    // The file system's word outlives the rollback's own result.
    exec(db, "ROLLBACK;");
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    EXPECT_EQ("1", one(db, "SELECT COUNT(*) FROM t;"));
    EXPECT_EQ("ok", one(db, "PRAGMA integrity_check;"));
    EXPECT_LE(device::fsStorageUsed(), device::fsStorageLimit());
    // Room made later is usable at once.
    device::fsSetStorageLimit(0);
    EXPECT_EQ(SQLITE_OK, exec(db, "INSERT INTO t VALUES('later');"));
    sqlite3_close(db);
}

}  // namespace
