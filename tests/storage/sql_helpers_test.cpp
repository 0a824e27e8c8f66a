// The one-statement helpers, the registered cipher functions and quote
// doubling, on in-memory connections.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "crypto/cipher.h"
#include "storage/statements.h"
#include "storage_test_util.h"
#include "support/temp_folder.h"

using storage_test::scalar;

namespace {

class SqlHelpers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK); }
    void TearDown() override { sqlite3_close(db); }
    sqlite3* db = nullptr;
    char error[200] = {};
};

TEST_F(SqlHelpers, ExecuteSqlReportsTheStepOrThePreparation) {
    EXPECT_EQ(executeSql(db, "CREATE TABLE t (a INTEGER);", error, sizeof error), 101);
    EXPECT_EQ(executeSql(db, "INSERT INTO t VALUES (1);", error, sizeof error), 101);
    // A query is stepped once: its first row is the result.
    EXPECT_EQ(executeSql(db, "SELECT a FROM t;", error, sizeof error), 100);
    // Only the first statement of a text runs.
    EXPECT_EQ(executeSql(db, "INSERT INTO t VALUES (2); INSERT INTO t VALUES (3);", error, sizeof error), 101);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM t;"), "2");

    std::memset(error, 'x', sizeof error);
    EXPECT_EQ(executeSql(db, "SELEC nonsense;", error, sizeof error), SQLITE_ERROR);
    EXPECT_NE(std::strstr(error, "syntax error"), nullptr) << error;
    EXPECT_EQ(executeSql(db, "INSERT INTO missing VALUES (1);", error, sizeof error), SQLITE_ERROR);
    EXPECT_NE(std::strstr(error, "no such table"), nullptr) << error;
}

// SQLite ends a transaction itself on a full disk or an I/O error; the
// command's later statements must not then be committed one by one.
TEST_F(SqlHelpers, ACommandWhoseTransactionSQLiteEndedRunsNoMoreAndDoesNotCommit) {
    ASSERT_EQ(executeSql(db, "CREATE TABLE t (a INTEGER);", error, sizeof error), 101);
    {
        CommandTransaction change(db);
        ASSERT_TRUE(change.begun());
        EXPECT_EQ(Statement(db, "INSERT INTO t VALUES (1);").run(), SQLITE_DONE);
        sqlite3_exec(db, "ROLLBACK;", nullptr, nullptr, nullptr);  // as SQLite does after SQLITE_FULL
        EXPECT_EQ(Statement(db, "INSERT INTO t VALUES (2);").run(), SQLITE_ABORT);
        EXPECT_EQ(executeSql(db, "INSERT INTO t VALUES (3);", error, sizeof error), SQLITE_ABORT);
        EXPECT_FALSE(change.commit());
    }
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM t;"), "0");
    // The next command runs as usual.
    CommandTransaction next(db);
    EXPECT_EQ(Statement(db, "INSERT INTO t VALUES (4);").run(), SQLITE_DONE);
    EXPECT_TRUE(next.commit());
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM t;"), "1");
}

TEST_F(SqlHelpers, ErrorTextIsCutToTheBufferAndTerminated) {
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(executeSql(db, "SELEC nonsense;", small, sizeof small), SQLITE_ERROR);
    EXPECT_EQ(std::strlen(small), 7u);
    EXPECT_EQ(small[7], 0);
    // A step failure fills the buffer too.
    ASSERT_EQ(executeSql(db, "CREATE TABLE u (a INTEGER UNIQUE);", error, sizeof error), 101);
    ASSERT_EQ(executeSql(db, "INSERT INTO u VALUES (1);", error, sizeof error), 101);
    EXPECT_NE(executeSql(db, "INSERT INTO u VALUES (1);", error, sizeof error), 101);
}

TEST_F(SqlHelpers, QueryIntReadsTheFirstColumnOfTheFirstRow) {
    int value = -5;
    EXPECT_EQ(queryInt(db, "SELECT 42, 7;", error, sizeof error, &value), 1);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(queryInt(db, "SELECT '-17abc';", error, sizeof error, &value), 1);
    EXPECT_EQ(value, -17);
    EXPECT_EQ(queryInt(db, "SELECT NULL;", error, sizeof error, &value), 1);
    EXPECT_EQ(value, 0);

    value = 99;
    ASSERT_EQ(executeSql(db, "CREATE TABLE t (a INTEGER);", error, sizeof error), 101);
    EXPECT_EQ(queryInt(db, "SELECT a FROM t;", error, sizeof error, &value), 0);
    EXPECT_EQ(value, 99);
    EXPECT_EQ(queryInt(db, "SELECT a FROM nowhere;", error, sizeof error, &value), 0);
    EXPECT_EQ(value, 99);
    EXPECT_NE(std::strstr(error, "no such table"), nullptr);
}

TEST_F(SqlHelpers, CountTablesAndTableExistsSeeOnlyTables) {
    EXPECT_EQ(countTables(db), 0);
    ASSERT_EQ(createTable(db, "My List", "a INTEGER", error, sizeof error), 1);
    ASSERT_EQ(executeSql(db, "CREATE VIEW v AS SELECT a FROM 'My List';", error, sizeof error), 101);
    ASSERT_EQ(executeSql(db, "CREATE INDEX ix ON 'My List' (a);", error, sizeof error), 101);
    EXPECT_EQ(countTables(db), 1);
    EXPECT_EQ(tableExists(db, "My List"), 1);
    EXPECT_EQ(tableExists(db, "v"), 0);
    EXPECT_EQ(tableExists(db, "ix"), 0);
    EXPECT_EQ(tableExists(db, "Other"), 0);
    EXPECT_EQ(countTables(nullptr), -1);
    EXPECT_EQ(tableExists(nullptr, "My List"), 0);
}

TEST_F(SqlHelpers, CountTablesIsMinusOneWhenTheSchemaCannotBeRead) {
    std::string folder = testsupport::makeTempFolder("qp_storage_notdb_");
    ASSERT_FALSE(folder.empty());
    std::string file = folder + "/notdb";
    const char* path = file.c_str();
    int fd = open(path, O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const char junk[] = "this is certainly not an SQLite database, just some text to read.........";
    ASSERT_EQ(write(fd, junk, sizeof junk), static_cast<ssize_t>(sizeof junk));
    close(fd);
    sqlite3* bad = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path, &bad, SQLITE_OPEN_READWRITE, "unix"), SQLITE_OK);
    EXPECT_EQ(countTables(bad), -1);
    EXPECT_EQ(tableExists(bad, "VersionData"), 0);
    sqlite3_close(bad);
    unlink(path);
    rmdir(folder.c_str());
}

TEST_F(SqlHelpers, CreateDropAndRenameTables) {
    std::strcpy(error, "untouched");
    EXPECT_EQ(createTable(db, "", "a INTEGER", error, sizeof error), 0);
    EXPECT_EQ(createTable(db, "t", "", error, sizeof error), 0);
    EXPECT_STREQ(error, "untouched");

    ASSERT_EQ(createTable(db, "Groceries", "a INTEGER", error, sizeof error), 1);
    // The statement is stored as it was run, table name in single quotes.
    EXPECT_EQ(scalar(db, "SELECT sql FROM sqlite_master WHERE name='Groceries';"), "CREATE TABLE 'Groceries' (a INTEGER)");
    EXPECT_EQ(createTable(db, "Groceries", "b TEXT", error, sizeof error), 0);
    EXPECT_NE(std::strstr(error, "already exists"), nullptr) << error;

    EXPECT_EQ(renameTable(db, "Groceries", "Shopping list"), 1);
    EXPECT_EQ(tableExists(db, "Shopping list"), 1);
    EXPECT_EQ(tableExists(db, "Groceries"), 0);
    EXPECT_EQ(renameTable(db, "Groceries", "X"), 0);
    EXPECT_EQ(renameTable(db, "", "X"), 0);
    EXPECT_EQ(renameTable(db, "Shopping list", ""), 0);

    EXPECT_EQ(dropTable(db, "Shopping list"), 1);
    EXPECT_EQ(dropTable(db, "Shopping list"), 0);
    EXPECT_EQ(dropTable(db, ""), 0);
    EXPECT_EQ(countTables(db), 0);
}

TEST_F(SqlHelpers, NamesWithQuotesStayNamesNeverSql) {
    // The program never makes such names, but a foreign file can hold them;
    // they must name a table and nothing more.
    const char* name = "x' OR '1'='1";
    ASSERT_EQ(createTable(db, "real", "a INTEGER", error, sizeof error), 1);
    EXPECT_EQ(tableExists(db, name), 0);
    ASSERT_EQ(createTable(db, name, "a INTEGER", error, sizeof error), 1);
    EXPECT_EQ(tableExists(db, name), 1);
    EXPECT_EQ(dropTable(db, name), 1);
    EXPECT_EQ(tableExists(db, "real"), 1);
}

// --- the cipher functions ------------------------------------------------------

class CipherFunctions : public SqlHelpers {
protected:
    void SetUp() override {
        SqlHelpers::SetUp();
        ASSERT_EQ(setCipherKey("password"), 0);
        registerSqlFunctions(db);
    }
    void TearDown() override {
        releaseCipherBuffer();
        SqlHelpers::TearDown();
    }
};

TEST_F(CipherFunctions, NullAndEmptyPassThrough) {
    EXPECT_EQ(scalar(db, "SELECT bfencrypt(NULL);"), "<null>");
    EXPECT_EQ(scalar(db, "SELECT bfdecrypt(NULL);"), "<null>");
    EXPECT_EQ(scalar(db, "SELECT bfencrypt();"), "<null>");
    EXPECT_EQ(scalar(db, "SELECT bfencrypt('');"), "");
    EXPECT_EQ(scalar(db, "SELECT bfdecrypt('');"), "");
}

// A cipher that runs out of memory must not let the plain text through as
// if it were enciphered: the statement fails and nothing is stored.
TEST_F(CipherFunctions, OutOfMemoryFailsTheStatementInsteadOfStoringPlainText) {
    ASSERT_EQ(executeSql(db, "CREATE TABLE t (s TEXT);", error, sizeof error), 101);
    setCipherReallocForTest([](void*, size_t) -> void* { return nullptr; });
    int code = executeSql(db, "INSERT INTO t VALUES (bfencrypt('a secret that needs more room than the buffer has "
                              "a secret that needs more room than the buffer has'));", error, sizeof error);
    setCipherReallocForTest(nullptr);
    EXPECT_NE(code, SQLITE_DONE);  // the legacy prepare reports it as SQLITE_ERROR
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM t;"), "0");
}

TEST_F(CipherFunctions, EnciphersToLowerCaseHexAndBack) {
    EXPECT_EQ(scalar(db, "SELECT bfencrypt('abc');"), "5ea53232df9b39e8");
    EXPECT_EQ(scalar(db, "SELECT bfencrypt('abc', 'ignored');"), "5ea53232df9b39e8");
    EXPECT_EQ(scalar(db, "SELECT bfdecrypt('5ea53232df9b39e8');"), "abc");
    // A number is enciphered as its digits.
    EXPECT_EQ(scalar(db, "SELECT bfencrypt(12);"), scalar(db, "SELECT bfencrypt('12');"));
    for (const char* text : {"x", "It''s 8 bytes", "exactly16bytes!!", "\xe9t\xe9 caf\xe9 \x80 \xff", "a much longer text "
                             "that spans many blocks of the cipher, with quotes '' and digits 0123456789"}) {
        std::string sql = std::string("SELECT bfdecrypt(bfencrypt('") + text + "'));";
        std::string expected = text;
        for (size_t p = expected.find("''"); p != std::string::npos; p = expected.find("''", p + 1)) expected.erase(p, 1);
        EXPECT_EQ(scalar(db, sql), expected) << text;
    }
    EXPECT_EQ(registerSqlFunctions(nullptr), SQLITE_MISUSE);
}

// --- doubleQuotes -------------------------------------------------------------------

std::u16string doubledIn(std::u16string text, int capacity) {
    std::u16string buffer(static_cast<size_t>(capacity), u'#');
    std::char_traits<char16_t>::copy(buffer.data(), text.c_str(), text.size() + 1);
    doubleQuotes(buffer.data(), capacity);
    return std::u16string(buffer.c_str());
}

TEST(DoubleQuotes, DoublesEveryQuote) {
    EXPECT_EQ(doubledIn(u"it's", 100), u"it''s");
    EXPECT_EQ(doubledIn(u"'a' ''", 100), u"''a'' ''''");
    EXPECT_EQ(doubledIn(u"no quotes here", 100), u"no quotes here");
    EXPECT_EQ(doubledIn(u"", 100), u"");
}

TEST(DoubleQuotes, AGrownTextIsCutToTheCapacityButNeverInsideAPair) {
    // 98 letters and a quote: the pair does not fit, so it is left out whole.
    std::u16string text(98, u'a');
    EXPECT_EQ(doubledIn(text + u"'", 100), text);
    // 97 letters and a quote: the pair fits exactly, 99 characters.
    std::u16string fits(97, u'a');
    EXPECT_EQ(doubledIn(fits + u"'", 100), fits + u"''");
    // Many quotes: the result is cut to 99 characters at most and stays a
    // closed literal (an even run of quotes).
    std::u16string quotes(99, u'\'');
    std::u16string result = doubledIn(quotes, 100);
    EXPECT_EQ(result.size(), 98u);
    EXPECT_EQ(result, std::u16string(98, u'\''));
    // A note-sized field works the same way.
    std::u16string note(998, u'n');
    EXPECT_EQ(doubledIn(note + u"'", 1000), note);
}

TEST(DoubleQuotes, ReadsNoFurtherThanItsCapacity) {
    char16_t unterminated[4] = {u'a', u'\'', u'b', u'c'};
    doubleQuotes(unterminated, 4);
    EXPECT_EQ(std::u16string(unterminated), u"a''");
    doubleQuotes(nullptr, 10);
}

}  // namespace
