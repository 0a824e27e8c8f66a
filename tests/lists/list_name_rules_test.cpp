// The rules of list names as the name dialogs apply them: trimming, the
// quote, uniqueness ignoring case (and in the form the table is named with),
// and the messages of the New and Rename dialogs.
#include "lists/list_management.h"
#include "lists/list_name_combo.h"
#include "lists_fixture.h"

using namespace liststest;

namespace {

class ListNameRules : public ListsTest {
protected:
    void SetUp() override {
        ListsTest::SetUp();
        ListNameCombo box(hwndListCombo);
        box.add(u"Groceries");
        box.add(u"Caf\u00e9");
    }
    ListNameProblem check(std::u16string name, std::u16string* trimmed = nullptr) {
        WCHAR buffer[80] = {};
        for (size_t i = 0; i < name.size() && i < 79; ++i) buffer[i] = name[i];
        ListNameProblem p = checkListName(buffer, hwndListCombo);
        if (trimmed) *trimmed = buffer;
        return p;
    }
};

TEST_F(ListNameRules, BlanksAreTrimmedAndBlanksOnlyIsEmpty) {
    std::u16string t;
    EXPECT_EQ(check(u"   Work  ", &t), LIST_NAME_OK);
    EXPECT_EQ(t, u"Work");
    EXPECT_EQ(check(u""), LIST_NAME_EMPTY);
    EXPECT_EQ(check(u"      "), LIST_NAME_EMPTY);
    // Only the blank is trimmed: a tab is part of the name.
    EXPECT_EQ(check(u"\tTabbed", &t), LIST_NAME_OK);
    EXPECT_EQ(t, u"\tTabbed");
}

TEST_F(ListNameRules, QuotesAnywhereAreRefused) {
    EXPECT_EQ(check(u"Bob's"), LIST_NAME_QUOTE);
    EXPECT_EQ(check(u"'"), LIST_NAME_QUOTE);
    EXPECT_EQ(check(u"  end'  "), LIST_NAME_QUOTE);
    // Double quotes and other punctuation are fine in a quoted table name.
    EXPECT_EQ(check(u"\"Quoted\" ; DROP TABLE x; --"), LIST_NAME_OK);
}

TEST_F(ListNameRules, NamesDifferingOnlyInCaseAreTheSameList) {
    EXPECT_EQ(check(u"Groceries"), LIST_NAME_NOT_UNIQUE);
    EXPECT_EQ(check(u"GROCERIES"), LIST_NAME_NOT_UNIQUE);
    EXPECT_EQ(check(u"  groceries "), LIST_NAME_NOT_UNIQUE);
    EXPECT_EQ(check(u"Groceries2"), LIST_NAME_OK);
    EXPECT_EQ(check(u"Caf\u00e9"), LIST_NAME_NOT_UNIQUE);
}

TEST_F(ListNameRules, NamesThatWouldNameTheSameTableAreNotUnique) {
    // Outside the code page both become "?x" once stored.
    ListNameCombo box(hwndListCombo);
    box.add(u"?x");
    EXPECT_EQ(check(u"\u03a9x"), LIST_NAME_NOT_UNIQUE);
    EXPECT_EQ(check(u"\u03a9y"), LIST_NAME_OK);
}

TEST_F(ListNameRules, EveryCodePageCharacterButTheQuoteMakesAName) {
    for (int c = 0x20; c <= 0xFF; ++c) {
        if (c == '\'' || c == ' ' || c == 0x7F) continue;
        char stored[2] = {char(c), 0};
        WCHAR w[4];
        codePageToWide(stored, w, 4);
        std::u16string name = u"L";
        name += w;
        EXPECT_EQ(check(name), LIST_NAME_OK) << "byte " << c;
    }
}

TEST_F(ListNameRules, MessagesOfTheTwoDialogs) {
    EXPECT_EQ(std::u16string(listNameMessage(LIST_NAME_EMPTY, 0)), u"Need to enter a valid list name!");
    EXPECT_EQ(std::u16string(listNameMessage(LIST_NAME_EMPTY, 1)), u"Need to enter a valid list name!");
    EXPECT_EQ(std::u16string(listNameMessage(LIST_NAME_QUOTE, 0)),
              u"List name cannot contain single quote characters.");
    EXPECT_EQ(std::u16string(listNameMessage(LIST_NAME_QUOTE, 1)), u"List name cannot contain quote characters.");
    EXPECT_EQ(std::u16string(listNameMessage(LIST_NAME_NOT_UNIQUE, 1)), u"List name is not unique");
    EXPECT_EQ(listNameMessage(LIST_NAME_OK, 0), nullptr);
}

}  // namespace
