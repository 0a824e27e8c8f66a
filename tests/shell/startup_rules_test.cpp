// Start-up and shutdown rules that need no window: the command line, the
// Font Size item of a setting, and the backup folder test of Exit.
#include <gtest/gtest.h>

#include <string>

#include "common/message_dialog.h"
#include "outline/bulk_commands.h"
#include "shell/shutdown.h"
#include "shell/startup.h"

namespace {

std::u16string parsed(const std::u16string& line) {
    WCHAR out[200];
    out[0] = u'x';
    parseCommandLine(line.c_str(), out, 200);
    return out;
}

TEST(CommandLine, AQuotedPathEndingInQu2IsTakenWithoutItsQuotes) {
    EXPECT_EQ(parsed(u"\"\\My Documents\\lists.qu2\""), u"\\My Documents\\lists.qu2");
    EXPECT_EQ(parsed(u"\"\\a b.qu2\""), u"\\a b.qu2");  // blanks inside stay
}

TEST(CommandLine, AnythingElseIsIgnored) {
    EXPECT_EQ(parsed(u"\\My Documents\\lists.qu2"), u"");  // not quoted: the ending is off by one
    EXPECT_EQ(parsed(u"\"\\lists.QU2\""), u"");            // the test is case-sensitive
    EXPECT_EQ(parsed(u"\"\\lists.txt\""), u"");
    EXPECT_EQ(parsed(u".qu2\""), u"");                     // fewer than six characters
    EXPECT_EQ(parsed(u""), u"");
    WCHAR out[4] = u"abc";
    parseCommandLine(nullptr, out, 4);
    EXPECT_EQ(out[0], 0);
}

TEST(CommandLine, APathTooLongForTheStateIsRefusedNotCut) {
    std::u16string longPath = u"\"\\" + std::u16string(250, u'a') + u".qu2\"";
    EXPECT_EQ(parsed(longPath), u"");
    WCHAR small[12];
    parseCommandLine(u"\"\\abcdef.qu2\"", small, 12);  // 11 characters and the terminator
    EXPECT_EQ(std::u16string(small), u"\\abcdef.qu2");
    parseCommandLine(u"\"\\abcdefg.qu2\"", small, 12);
    EXPECT_EQ(small[0], 0);
}

TEST(CommandLine, AQuoteOnlyAtTheEndLeavesTheRestAsItIs) {
    // Trimming happens after the quotes go: blanks inside the quotes go too.
    EXPECT_EQ(parsed(u"\" x.qu2 \""), u"");  // ".qu2 " is not the ending
    EXPECT_EQ(parsed(u"\"  x.qu2\""), u"x.qu2");
}

TEST(FontSizeMenu, NinePointSizesHaveItemsAndOthersNone) {
    EXPECT_EQ(fontSizeMenuId(8), 40045u);
    EXPECT_EQ(fontSizeMenuId(12), 40049u);
    EXPECT_EQ(fontSizeMenuId(16), 40053u);
    EXPECT_EQ(fontSizeMenuId(7), 0u);
    EXPECT_EQ(fontSizeMenuId(17), 0u);
    EXPECT_EQ(fontSizeMenuId(-3), 0u);
}

TEST(BackupFolder, TheDatabaseLiesThereWhenItsFolderMatchesIgnoringCase) {
    EXPECT_EQ(databaseInBackupFolder(u"\\My Documents\\lists.qu2", u"\\My Documents"), 1);
    EXPECT_EQ(databaseInBackupFolder(u"\\my documents\\lists.qu2", u"\\MY DOCUMENTS"), 1);
    EXPECT_EQ(databaseInBackupFolder(u"\\My Documents\\old\\lists.qu2", u"\\My Documents"), 0);
    EXPECT_EQ(databaseInBackupFolder(u"\\Program Files\\Quillet Pro\\quillet.qu2", u"\\My Documents"), 0);
    EXPECT_EQ(databaseInBackupFolder(u"", u""), 0);  // no database open
}

}  // namespace
