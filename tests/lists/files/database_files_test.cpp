// Database files and backups: the backup copy's name and place, leaving a
// database, and New and Open Database with good files and with files that
// are damaged, of another version or no database at all.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "files_fixture.h"
#include "lists/backup.h"
#include "lists/database_files.h"
#include "outline/item_clipboard.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/settings.h"

using namespace filestest;

namespace {

class Files : public FilesTest {
protected:
    const std::string kLists = "\\Program Files\\Quillet Pro\\lists.qu2";
    const std::u16string kListsWide = u"\\Program Files\\Quillet Pro\\lists.qu2";

    // A database with the lists "Groceries" (active, two items and a parked
    // one) and "Tools".
    void makeListsDatabase(const std::string& path) {
        std::remove(host(path).c_str());
        sqlite3* db = openListDatabase(std::u16string(path.begin(), path.end()).c_str());
        ASSERT_NE(db, nullptr);
        sqlite3_close(db);
        hostSql(path,
                "CREATE TABLE 'Groceries' (" + std::string(ITEM_TABLE_COLUMNS) + ");"
                "CREATE TABLE 'Tools' (" + std::string(ITEM_TABLE_COLUMNS) + ");"
                "INSERT INTO 'Groceries' VALUES (1,0,1,'Milk',0,1,0,1,'',0);"
                "INSERT INTO 'Groceries' VALUES (2,0,2,'Bread',1,1,0,1,'',0);"
                "INSERT INTO 'Groceries' VALUES (-3,0,3,'Parked',0,1,0,1,'',0);"
                "INSERT INTO ListAttributes (strListName,bActive,bPassword,bCheckbox) VALUES ('Groceries',1,0,1);"
                "INSERT INTO ListAttributes (strListName,bActive,bPassword,bCheckbox) VALUES ('Tools',0,0,1);");
    }
    void setBackupFolder(const std::u16string& folder) {
        std::char_traits<WCHAR>::copy(strBackupFolder, folder.c_str(), folder.size() + 1);
        bBackupDatabase = 1;
    }
    // Open Database with the chooser answered by picking `labels`.
    void openThroughChooser(const std::u16string& labels) {
        play({[=] { pickInChooser(labels); }, [] { tapChooser(res::kIdOk); }});
        onOpenDatabase(hwndMain, int(res::kCmdOpenDatabase), nullptr, 0);
    }
};

TEST(BackupRules, NamesAndPlacesOfTheCopy) {
    WCHAR out[MAX_PATH];
    backupFileName(u"\\My Documents\\Shopping.qu2", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"Shopping-backup.qu2");
    backupFileName(u"\\My Documents\\notes", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"notes-backup");
    backupFileName(u"\\My Documents\\a.b.txt", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"a.b-backup.qu2");
    backupPath(u"\\", u"\\My Documents\\x.qu2", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\x-backup.qu2");
    backupPath(u"\\Storage Card\\Backups", u"\\x.qu2", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\Storage Card\\Backups\\x-backup.qu2");
    EXPECT_EQ(isOutsideBackupFolder(u"\\my documents", u"\\My Documents\\x.qu2"), 0);
    EXPECT_EQ(isOutsideBackupFolder(u"\\My Documents", u"\\My Documents\\Old\\x.qu2"), 1);
    EXPECT_EQ(isOutsideBackupFolder(u"\\", u"\\x.qu2"), 0);
}

TEST_F(Files, LeavingStoresPurgesClosesAndCopiesTheCompactedFile) {
    makeListsDatabase(kLists);
    openAsCurrent(kListsWide);
    std::char_traits<char>::copy(strCurrentList, "Groceries", 10);
    attrCurrentList.bAlphaSort = 1;  // changed while the list was current
    longClipboardID = 2;
    bUndoAvailable = 2;
    setBackupFolder(u"\\My Documents");
    leaveCurrentDatabase(hwndMain, 1);
    EXPECT_EQ(dbCurrent, nullptr);
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_EQ(bUndoAvailable, 0);
    EXPECT_TRUE(shown.empty());
    const std::string backup = "\\My Documents\\lists-backup.qu2";
    EXPECT_EQ(readBytes(backup), readBytes(kLists));
    EXPECT_EQ(hostQuery(backup, "SELECT COUNT(*) FROM 'Groceries';"), "2");
    EXPECT_EQ(hostQuery(backup, "SELECT bAlphaSort FROM ListAttributes WHERE strListName='Groceries';"), "1");

    // Again, over the old copy.
    hostSql(kLists, "INSERT INTO 'Tools' VALUES (1,0,1,'Saw',0,1,0,1,'',0);");
    openAsCurrent(kListsWide);
    leaveCurrentDatabase(hwndMain, 1);
    EXPECT_EQ(hostQuery(backup, "SELECT strText FROM 'Tools';"), "Saw");
}

TEST_F(Files, NoCopyIsMadeInsideTheBackupFolderOrWhenBackupsAreOff) {
    makeListsDatabase("\\My Documents\\here.qu2");
    openAsCurrent(u"\\My Documents\\here.qu2");
    setBackupFolder(u"\\my documents");
    leaveCurrentDatabase(hwndMain, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              "Warning|The currently opened database file is in the specified backup folder location, so a backup "
              "cannot be made.|48");
    EXPECT_EQ(readBytes("\\My Documents\\here-backup.qu2"), "");

    makeListsDatabase(kLists);
    openAsCurrent(kListsWide);
    setBackupFolder(u"\\My Documents");
    ASSERT_EQ(setSettingInt(SETTING_BACKUPDATABASE, 0), 0);
    leaveCurrentDatabase(hwndMain, 1);
    EXPECT_EQ(readBytes("\\My Documents\\lists-backup.qu2"), "");
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(Files, ACopyThatCannotBeWrittenIsReportedAndTheFileIsStillClosed) {
    makeListsDatabase(kLists);
    openAsCurrent(kListsWide);
    setBackupFolder(u"\\No Such Folder");
    leaveCurrentDatabase(hwndMain, 0);
    EXPECT_EQ(dbCurrent, nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0],
              "Warning|Error in saving backup file. Please check you settings to ensure that the backup folder "
              "location is valid.|48");
}

TEST_F(Files, OpenDatabaseMakesTheActiveListCurrentAndRefusesTheOpenFileAgain) {
    makeListsDatabase("\\My Documents\\other.qu2");
    makeListsDatabase(kLists);
    openAsCurrent(kListsWide);
    setBackupFolder(u"\\Storage Card");
    openThroughChooser(u"\\/My Documents/other.qu2");
    ASSERT_NE(dbCurrent, nullptr);
    EXPECT_EQ(std::u16string(strCurrentDbFile), u"\\My Documents\\other.qu2");
    EXPECT_STREQ(strCurrentList, "Groceries");
    EXPECT_EQ(intListCount, 2);
    EXPECT_EQ(bNoDatabase, 0);
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 2);
    WCHAR remembered[SETTING_TEXT_CHARS] = {};
    ASSERT_EQ(getSettingText(SETTING_CURRENTDBFILE, remembered), 1);
    EXPECT_EQ(std::u16string(remembered), u"\\My Documents\\other.qu2");
    // The file left was backed up.
    EXPECT_EQ(hostQuery("\\Storage Card\\lists-backup.qu2", "SELECT COUNT(*) FROM ListAttributes;"), "2");

    shown.clear();
    play({[] { pickInChooser(u"\\/My Documents/other.qu2"); }, [] { tapChooser(res::kIdOk); }});
    onOpenDatabase(hwndMain, int(res::kCmdOpenDatabase), nullptr, 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning|The database file you are trying to open is already opened! |48");
    EXPECT_NE(dbCurrent, nullptr);
}

TEST_F(Files, FilesThatAreNoUsableDatabaseAreRefusedAndLeftAsTheyWere) {
    writeBytes("\\My Documents\\text.qu2", "Milk\nBread\n");
    makeListsDatabase("\\My Documents\\damaged.qu2");
    std::string damaged = readBytes("\\My Documents\\damaged.qu2");
    for (size_t i = 100; i < damaged.size(); i += 7) damaged[i] = char(0xA5);
    writeBytes("\\My Documents\\damaged.qu2", damaged);
    makeListsDatabase("\\My Documents\\version2.qu2");
    hostSql("\\My Documents\\version2.qu2", "UPDATE VersionData SET SchemaVersion=2;");
    writeBytes("\\My Documents\\empty.qu2", "");
    chmod(host("\\My Documents\\empty.qu2").c_str(), 0444);

    setBackupFolder(u"\\Storage Card");
    for (std::string name : {"text.qu2", "damaged.qu2", "version2.qu2"}) {
        std::string path = "\\My Documents\\" + name;
        std::string before = readBytes(path);
        makeListsDatabase(kLists);
        openAsCurrent(kListsWide);
        shown.clear();
        openThroughChooser(u"\\/My Documents/" + std::u16string(name.begin(), name.end()));
        EXPECT_EQ(dbCurrent, nullptr) << name;
        EXPECT_EQ(bNoDatabase, 1) << name;
        EXPECT_EQ(intListCount, 0) << name;
        EXPECT_EQ(SendMessageW(hwndListCombo, CB_GETCOUNT, 0, 0), 0) << name;
        ASSERT_EQ(shown.size(), 1u) << name;
        EXPECT_EQ(shown[0], "Error|Could not open the selected database file!|48") << name;
        EXPECT_EQ(readBytes(path), before) << name;
    }
    // A read-only file (root may write it all the same, so only when the
    // file system says no).
    if (access(host("\\My Documents\\empty.qu2").c_str(), W_OK) != 0) {
        openThroughChooser(u"\\/My Documents/empty.qu2");
        EXPECT_EQ(dbCurrent, nullptr);
        EXPECT_EQ(readBytes("\\My Documents\\empty.qu2"), "");
    }
}

TEST_F(Files, NewDatabaseMakesAFileWithNoListOrOpensAnExistingOneWithItsLists) {
    makeListsDatabase(kLists);
    openAsCurrent(kListsWide);
    std::char_traits<char>::copy(strCurrentList, "Groceries", 10);
    setBackupFolder(u"\\Storage Card");
    std::u16string proposed;
    play({[&] {
              WCHAR text[200] = {};
              GetDlgItemTextW(GetActiveWindow(), res::kIdChooserFileName, text, 200);
              proposed = text;
              SetDlgItemTextW(GetActiveWindow(), res::kIdChooserFileName, u"fresh.qu2");
          },
          [] { tapChooser(res::kIdOk); }});
    onNewDatabase(hwndMain, int(res::kCmdNewDatabase), nullptr, 0);
    EXPECT_EQ(proposed, u"quillet1.qu2");  // the first free name in the documents folder
    ASSERT_NE(dbCurrent, nullptr);
    EXPECT_EQ(std::u16string(strCurrentDbFile), u"\\My Documents\\fresh.qu2");
    EXPECT_EQ(strCurrentList[0], 0);
    EXPECT_EQ(intListCount, 0);
    EXPECT_EQ(bNoLists, 1);
    EXPECT_EQ(hostQuery("\\My Documents\\fresh.qu2", "SELECT SchemaVersion FROM VersionData;"), "1");

    // The file's own name again: it is opened with its lists, none current.
    answers = {6};
    play({[] {
              SetDlgItemTextW(GetActiveWindow(), res::kIdChooserFileName, u"lists.qu2");
              pickInChooser(u"\\/Program Files/Quillet Pro");
          },
          [] { tapChooser(res::kIdOk); }});
    onNewDatabase(hwndMain, int(res::kCmdNewDatabase), nullptr, 0);
    ASSERT_NE(dbCurrent, nullptr);
    EXPECT_EQ(std::u16string(strCurrentDbFile), kListsWide);
    EXPECT_EQ(intListCount, 2);
    EXPECT_EQ(bNoLists, 0);
    EXPECT_EQ(strCurrentList[0], 0);
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 0);
}

}  // namespace
