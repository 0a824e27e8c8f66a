// The harness's own pieces that need no program run: the dump reader and the
// database queries that every scenario's checks rest on.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "e2e_run.h"

namespace e2e {
namespace {

TEST(HarnessJson, ReadsNestedDumpsAndFindsWindowsDepthFirst) {
    Json v;
    ASSERT_TRUE(parseJson(R"({"windows":[{"class":"quillet pro","text":"Quillet Pro","children":[
        {"class":"static","id":6001,"text":"Caf\u00e9 \"A\"","visible":true,"children":[]}]}],
        "screen":{"width":240,"dpi":96.0e0},"menubar":null})",
                          v));
    EXPECT_EQ(v["screen"]["width"].n, 240);
    EXPECT_EQ(v["screen"]["dpi"].n, 96);
    EXPECT_EQ(v["menubar"].kind, Json::Null);
    const Json* bar = findWindow(v["windows"], "class", "static");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ((*bar)["text"].s, "Caf\xc3\xa9 \"A\"");
    EXPECT_TRUE((*bar)["visible"].b);
    EXPECT_EQ(findWindow(v["windows"], "class", "edit"), nullptr);
    // Missing keys and indexes read as null instead of throwing.
    EXPECT_EQ(v["nothing"][3]["deeper"].kind, Json::Null);
}

TEST(HarnessJson, RefusesTextThatIsNotOneValue) {
    Json v;
    EXPECT_FALSE(parseJson("", v));
    EXPECT_FALSE(parseJson("{\"a\":1", v));
    EXPECT_FALSE(parseJson("[1,]", v));
    EXPECT_FALSE(parseJson("{} {}", v));
    EXPECT_FALSE(parseJson(std::string(1000, '['), v));  // too deep, not a crash
}

TEST(HarnessQuery, ReadsRowsAndReportsFailures) {
    e2e::Run run;
    std::string file = run.path("t.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE AppSettings(strKey TEXT, strValue TEXT);"
                           "INSERT INTO AppSettings VALUES('fontsizeTV','12'),('it''s',NULL);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    EXPECT_EQ(setting(file, "fontsizeTV"), "12");
    EXPECT_EQ(setting(file, "it's"), "<null>");
    EXPECT_EQ(setting(file, "missing"), "<none>");
    auto rows = query(file, "SELECT strKey, strValue FROM AppSettings ORDER BY strKey;");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "fontsizeTV");
    std::string error;
    query(file, "SELECT nope FROM AppSettings;", &error);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(queryOne(run.path("absent.db"), "SELECT 1;").rfind("<error:", 0), 0u);
    EXPECT_FALSE(fileExists(run.path("absent.db")));  // a query never creates the file
}

}  // namespace
}  // namespace e2e
