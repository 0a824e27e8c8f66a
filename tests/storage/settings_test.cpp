// The settings store on a device root: defaults, typed reads and writes,
// the rules on long values and quotes, and the one-character folder rule.
#include <gtest/gtest.h>

#include <string>

#include "device_root.h"
#include "state/app_state.h"
#include "state/settings_load.h"
#include "storage/database.h"
#include "storage/settings.h"
#include "storage_test_util.h"

using storage_test::scalar;

namespace {

class Settings : public storage_test::DeviceRoot {
protected:
    std::string settingsFile() const { return programFolder("settings.qux"); }
    std::u16string text(LPCWSTR key) {
        WCHAR value[SETTING_TEXT_CHARS] = u"<absent>";
        getSettingText(key, value);
        return value;
    }
};

TEST_F(Settings, FirstStartAppliesEveryDefaultAndStoresTheNotesHeight) {
    intWorkHeight = 294;
    intSplitterHeight = 6;
    intFontSizeTV = 77;
    bBackupDatabase = 0;
    attrCurrentList.crBackground = 0;
    strBackupFolder[0] = 0;

    EXPECT_EQ(settingsFileExists(), 0);
    EXPECT_EQ(loadSettings(), 1);
    EXPECT_EQ(intSplitterTop, 288);
    EXPECT_EQ(intListIndex, 0);
    EXPECT_EQ(bBackupDatabase, 1);
    EXPECT_EQ(bWarningMessage, 1);
    EXPECT_EQ(bClearType, 0);
    EXPECT_EQ(bEditBarVisible, 0);
    EXPECT_EQ(intFontSizeTV, 10);
    EXPECT_EQ(intFontSizeNotes, 10);
    EXPECT_EQ(intFontSizeName, 10);
    EXPECT_EQ(intTimeStamp, 0);
    EXPECT_EQ(bNotesOpen, 0);
    EXPECT_EQ(bKeyboardSip, 1);
    EXPECT_EQ(std::u16string(strBackupFolder), u"\\My Documents");
    EXPECT_EQ(attrCurrentList.crBackground, 0xD7FFFFu);

    // The only write of a first start creates the file and its table.
    EXPECT_EQ(settingsFileExists(), 1);
    int height = 0;
    EXPECT_EQ(getSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, &height), 1);
    EXPECT_EQ(height, 58);
    EXPECT_EQ(text(SETTING_BACKUPFOLDER), u"<absent>");
}

TEST_F(Settings, StoredValuesOverrideTheDefaults) {
    ASSERT_EQ(setSettingInt(SETTING_SETBARTOP, 150), 0);
    ASSERT_EQ(setSettingInt(SETTING_FONTSIZETV, 12), 0);
    ASSERT_EQ(setSettingInt(SETTING_KEYBOARDSIP, 0), 0);
    ASSERT_EQ(setSettingInt(SETTING_LISTINDEX, 3), 0);
    ASSERT_EQ(setSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, 80), 0);
    ASSERT_EQ(setSettingText(SETTING_BACKUPFOLDER, u"\\Storage Card\\Backups"), 0);
    intWorkHeight = 500;
    loadSettings();
    EXPECT_EQ(intSplitterTop, 150);
    EXPECT_EQ(intFontSizeTV, 12);
    EXPECT_EQ(bKeyboardSip, 0);
    EXPECT_EQ(intListIndex, 3);
    EXPECT_EQ(std::u16string(strBackupFolder), u"\\Storage Card\\Backups");
    int height = 0;
    getSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, &height);
    EXPECT_EQ(height, 80);
}

TEST_F(Settings, WritesInsertThenUpdateOneRow) {
    int value = -1;
    EXPECT_EQ(getSettingInt(SETTING_FONTSIZETV, &value), 0);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(setSettingInt(SETTING_FONTSIZETV, 11), 0);
    EXPECT_EQ(setSettingInt(SETTING_FONTSIZETV, 12), 0);
    EXPECT_EQ(getSettingInt(SETTING_FONTSIZETV, &value), 1);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(setSettingInt(SETTING_TIMESTAMP, -3), 0);
    EXPECT_EQ(getSettingInt(SETTING_TIMESTAMP, &value), 1);
    EXPECT_EQ(value, -3);
    // Text that is not a number reads as 0.
    EXPECT_EQ(setSettingText(SETTING_CLEARTYPE, u"yes"), 0);
    EXPECT_EQ(getSettingInt(SETTING_CLEARTYPE, &value), 1);
    EXPECT_EQ(value, 0);

    sqlite3* db = openDatabaseFile(u"\\Program Files\\Quillet Pro\\settings.qux");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(scalar(db, "SELECT sql FROM sqlite_master;"), "CREATE TABLE 'AppSettings' (strKey TEXT, strValue TEXT)");
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM AppSettings WHERE strKey='fontsizeTV';"), "1");
    EXPECT_EQ(scalar(db, "SELECT strValue FROM AppSettings WHERE strKey='fontsizeTV';"), "12");
    sqlite3_close(db);
}

TEST_F(Settings, QuotesInKeysAndValuesAreStoredIntact) {
    EXPECT_EQ(setSettingText(SETTING_BACKUPFOLDER, u"\\My Documents\\Bob's backups"), 0);
    EXPECT_EQ(text(SETTING_BACKUPFOLDER), u"\\My Documents\\Bob's backups");
    EXPECT_EQ(setSettingText(SETTING_BACKUPFOLDER, u"'); DROP TABLE AppSettings; --"), 0);
    EXPECT_EQ(text(SETTING_BACKUPFOLDER), u"'); DROP TABLE AppSettings; --");
    EXPECT_EQ(setSettingText(u"odd'key", u"v"), 0);
    EXPECT_EQ(text(u"odd'key"), u"v");
    EXPECT_EQ(text(u"odd"), u"<absent>");
}

TEST_F(Settings, AStatementTooLongIsNotRunAndTheEarlierValueStays) {
    ASSERT_EQ(setSettingText(SETTING_CURRENTDBFILE, u"\\My Documents\\quillet.qu2"), 0);
    // "UPDATE AppSettings SET strValue='' WHERE strKey='currentdbfile';" is
    // 64 bytes: a value of 135 fits into 199, one of 136 does not.
    EXPECT_EQ(setSettingText(SETTING_CURRENTDBFILE, std::u16string(136, u'p').c_str()), -1);
    EXPECT_EQ(text(SETTING_CURRENTDBFILE), u"\\My Documents\\quillet.qu2");
    EXPECT_EQ(setSettingText(SETTING_CURRENTDBFILE, std::u16string(135, u'p').c_str()), 0);
    EXPECT_EQ(text(SETTING_CURRENTDBFILE), std::u16string(135, u'p'));
    // Doubled quotes count toward the length.
    EXPECT_EQ(setSettingText(SETTING_CURRENTDBFILE, std::u16string(68, u'\'').c_str()), -1);
}

TEST_F(Settings, ReadsAreCutToTheCallersCapacity) {
    ASSERT_EQ(setSettingText(SETTING_BACKUPFOLDER, u"\\Storage Card\\Backups"), 0);
    WCHAR small[6];
    EXPECT_EQ(getSetting(SETTING_BACKUPFOLDER, small, 6), 0);
    EXPECT_EQ(std::u16string(small), u"\\Stor");
    WCHAR untouched[4] = u"abc";
    EXPECT_EQ(getSetting(u"nosuchkey", untouched, 4), 1);
    EXPECT_EQ(std::u16string(untouched), u"abc");
}

TEST_F(Settings, AFileWithoutTablesOrWithoutAppSettings) {
    // An empty file: reads fail, the first write makes the table.
    writeBytes(settingsFile(), {});
    WCHAR value[SETTING_TEXT_CHARS];
    EXPECT_EQ(getSetting(SETTING_TIMESTAMP, value, SETTING_TEXT_CHARS), -1);
    EXPECT_EQ(setSettingInt(SETTING_TIMESTAMP, 2), 0);
    EXPECT_EQ(getSetting(SETTING_TIMESTAMP, value, SETTING_TEXT_CHARS), 0);

    // Other tables but no AppSettings: every access fails.
    std::filesystem::remove(settingsFile());
    hostSql(settingsFile(), "CREATE TABLE Other (a);");
    EXPECT_EQ(getSetting(SETTING_TIMESTAMP, value, SETTING_TEXT_CHARS), -1);
    EXPECT_EQ(setSettingInt(SETTING_TIMESTAMP, 2), -1);

    // Not a database at all.
    writeBytes(settingsFile(), std::vector<char>(3000, 'x'));
    EXPECT_EQ(getSetting(SETTING_TIMESTAMP, value, SETTING_TEXT_CHARS), -1);
    EXPECT_EQ(setSettingInt(SETTING_TIMESTAMP, 2), -1);
    int kept = 9;
    EXPECT_EQ(getSettingInt(SETTING_TIMESTAMP, &kept), 0);
    EXPECT_EQ(kept, 9);
}

TEST_F(Settings, DefaultDatabaseExists) {
    EXPECT_EQ(defaultDatabaseExists(), 0);
    writeBytes(programFolder("quillet.qu2"), {});
    EXPECT_EQ(defaultDatabaseExists(), 1);
}

TEST(SettingsPath, AOneCharacterFolderIsLeftOutOnlyForReads) {
    WCHAR path[100];
    settingsPathIn(u"\\Program Files\\Quillet Pro", u"settings.qux", true, path, 100);
    EXPECT_EQ(std::u16string(path), u"\\Program Files\\Quillet Pro\\settings.qux");
    settingsPathIn(u"", u"settings.qux", true, path, 100);
    EXPECT_EQ(std::u16string(path), u"\\settings.qux");
    settingsPathIn(u"A", u"settings.qux", true, path, 100);
    EXPECT_EQ(std::u16string(path), u"\\settings.qux");
    settingsPathIn(u"A", u"settings.qux", false, path, 100);
    EXPECT_EQ(std::u16string(path), u"A\\settings.qux");
    settingsPathIn(u"AB", u"settings.qux", true, path, 100);
    EXPECT_EQ(std::u16string(path), u"AB\\settings.qux");
    settingsPathIn(u"AB", u"settings.qux", true, path, 5);
    EXPECT_EQ(std::u16string(path), u"AB\\s");
}

}  // namespace
