// The list-name box over a real combo box: what storage fills and walks
// through it arrives in the box, sorted, and comes back whole or cut.
#include "lists/list_name_combo.h"
#include "lists_fixture.h"
#include "storage/database.h"

using namespace liststest;

namespace {

class ListNameComboTest : public ListsTest {};

TEST_F(ListNameComboTest, AddCountReadAndResetGoThroughTheComboBox) {
    ListNameCombo box(hwndListCombo);
    EXPECT_EQ(box.count(), 0);
    EXPECT_TRUE(box.add(u"Work"));
    EXPECT_TRUE(box.add(u"groceries"));
    EXPECT_TRUE(box.add(u"Books"));
    EXPECT_EQ(box.count(), 3);
    // The box sorts ignoring case.
    EXPECT_EQ(boxEntries(), "Books,groceries,Work");

    WCHAR out[40];
    ASSERT_TRUE(box.textAt(1, out, 40));
    EXPECT_EQ(std::u16string(out), u"groceries");
    // Cut to the room given, and always terminated.
    ASSERT_TRUE(box.textAt(1, out, 4));
    EXPECT_EQ(std::u16string(out), u"gro");
    EXPECT_FALSE(box.textAt(3, out, 40));
    EXPECT_EQ(out[0], 0);
    EXPECT_FALSE(box.textAt(-1, out, 40));
    EXPECT_FALSE(box.textAt(0, out, 0));

    box.reset();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(boxEntries(), "");
}

TEST_F(ListNameComboTest, WithoutAWindowNothingIsClaimed) {
    ListNameCombo box(nullptr);
    EXPECT_LT(box.count(), 0);
    EXPECT_FALSE(box.add(u"x"));
    WCHAR out[8] = {u'z', 0};
    EXPECT_FALSE(box.textAt(0, out, 8));
    EXPECT_EQ(out[0], 0);
    box.reset();  // no crash
    ListNameCombo destroyed(hwndListCombo);
    DestroyWindow(hwndListCombo);
    hwndListCombo = nullptr;
    EXPECT_LT(destroyed.count(), 0);
    EXPECT_FALSE(destroyed.add(u"x"));
}

TEST_F(ListNameComboTest, StorageFillsTheBoxFromEveryAttributeRowIncludingEveryCodePageCharacter) {
    addList("Zebra");
    addList("apples");
    // Every character of the code page above ASCII, save the quote, in one
    // name: it must come back into the box as the same wide text.
    std::string high;
    for (int c = 0xA0; c <= 0xC6; ++c) high.push_back(char(c));
    addList(high);
    ListNameCombo box(hwndListCombo);
    EXPECT_EQ(fillListNameBox(db, box), 3);
    EXPECT_EQ(box.count(), 3);
    WCHAR expected[40];
    codePageToWide(high.c_str(), expected, 40);
    EXPECT_NE(SendMessageW(hwndListCombo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(expected)), CB_ERR);
    EXPECT_NE(SendMessageW(hwndListCombo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(u"ZEBRA")), CB_ERR);
}

TEST_F(ListNameComboTest, PurgeWalksTheBoxAndDropsOnlyParkedRows) {
    addList("One", {"a", "b"});
    addList("Two", {"c"});
    exec("UPDATE 'One' SET longID = -2 WHERE longID = 2;");
    exec("UPDATE 'Two' SET longID = -1 WHERE longID = 1;");
    ListNameCombo box(hwndListCombo);
    fillListNameBox(db, box);
    purgeAllLists(db, box);
    EXPECT_EQ(col("SELECT longID FROM 'One' ORDER BY longID;"), "1");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Two';"), "0");
}

}  // namespace
