// Set List Password and the unlock check on a list database: the dialog's
// messages in each mode, the texts and notes enciphered and deciphered in
// place, the verifier, the key in force, and a failed change that leaves
// everything as it was.
#include <cstring>
#include <memory>
#include <string>

#include "crypto/cipher.h"
#include "lists/list_passwords.h"
#include "lists_fixture.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

using namespace liststest;

namespace {

const std::string kAllHigh = [] {
    std::string s;
    for (int c = 0x80; c <= 0xFF; ++c) s.push_back(char(c));
    return s;
}();

class ListPasswordTest : public ListsTest {
protected:
    void SetUp() override {
        ListsTest::SetUp();
        addList("Secrets", {"Milk", "It's mine", "", kAllHigh.substr(0, 60), kAllHigh.substr(60)});
        makeCurrent("Secrets");
    }
    // One dialog step: fill the named fields, then press `button`.
    std::function<void()> step(std::vector<std::pair<int, std::string>> fields, int button = res::kIdOk) {
        return [this, fields, button] {
            if (!dialog) dialog = activeDialog();
            for (auto& f : fields) setField(dialog, f.first, f.second);
            click(dialog, button);
        };
    }
    void runCommand(std::vector<std::function<void()>> list) {
        dialog = nullptr;
        Steps steps{list};
        play(steps);
        onSetListPassword(hwndMain, 40085, nullptr, 0);
        EXPECT_EQ(steps.next, list.size()) << "the dialog closed early";
    }
    int runAsk(std::vector<std::function<void()>> list) {
        dialog = nullptr;
        Steps steps{list};
        play(steps);
        return askListPassword();
    }
    void setPassword(const std::string& p) {
        runCommand({step({{res::kIdPwdNew, p}, {res::kIdPwdConfirm, p}})});
    }
    // The texts as stored, and as deciphered with the key in force.
    std::string stored() { return col("SELECT strText || '/' || strNoteText FROM 'Secrets' ORDER BY longID;"); }
    std::string deciphered() {
        return col("SELECT bfdecrypt(strText) || '/' || bfdecrypt(strNoteText) FROM 'Secrets' ORDER BY longID;");
    }
    HWND dialog = nullptr;
};

TEST_F(ListPasswordTest, SettingAPasswordEnciphersEveryTextAndNoteInPlace) {
    const std::string before = stored();
    setPassword("  abab  ");
    EXPECT_TRUE(messages().shown.empty());
    EXPECT_EQ(attrCurrentList.bPassword, 1);
    EXPECT_EQ(q("SELECT bPassword FROM ListAttributes WHERE strListName='Secrets';"), "1");
    std::string verifier = q("SELECT strPassword FROM ListAttributes WHERE strListName='Secrets';");
    EXPECT_EQ(verifier.size(), 32u);
    EXPECT_EQ(verifier.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(utf8(attrCurrentList.strPassword), verifier);
    // Nothing readable is left, the empty text stays empty, and the key in
    // force is that of the trimmed password.
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Secrets' WHERE strText LIKE '%Milk%' OR strNoteText LIKE '%Milk%';"), "0");
    EXPECT_EQ(q("SELECT strText FROM 'Secrets' WHERE longID = 3;"), "");
    EXPECT_EQ(deciphered(), before);
    EXPECT_EQ(passwordMatchesVerifier(u"abab", attrCurrentList.strPassword), 1);
}

TEST_F(ListPasswordTest, SetModeRefusesEachBadEntryInTurn) {
    runCommand({step({{res::kIdPwdNew, ""}, {res::kIdPwdConfirm, ""}}),
                step({{res::kIdPwdNew, "abc"}, {res::kIdPwdConfirm, "abc"}}),
                step({{res::kIdPwdNew, "zzzz"}, {res::kIdPwdConfirm, "zzzz"}}),
                step({{res::kIdPwdNew, "wxyz"}, {res::kIdPwdConfirm, "wxyZ"}}),
                step({{res::kIdPwdNew, "wxyz"}, {res::kIdPwdConfirm, "wxyz "}})});
    const char* notAcceptable =
        "Warning Message|New password needs to be greater than 4 characters, and have at least two unique "
        "characters|48";
    EXPECT_EQ(messages().shown, (std::vector<std::string>{
                                    "Warning Message|Need to enter a new password!|48",
                                    notAcceptable,
                                    notAcceptable,
                                    "Warning Message|New password and confirmation password do not match!|48",
                                }));
    EXPECT_EQ(attrCurrentList.bPassword, 1);
}

TEST_F(ListPasswordTest, CancellingTheSetDialogChangesNothing) {
    const std::string before = stored();
    runCommand({step({{res::kIdPwdNew, "abcd"}, {res::kIdPwdConfirm, "abcd"}}, res::kIdCancel)});
    EXPECT_EQ(attrCurrentList.bPassword, 0);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(q("SELECT bPassword FROM ListAttributes WHERE strListName='Secrets';"), "0");
}

TEST_F(ListPasswordTest, ChangingRecipersUnderTheNewKey) {
    const std::string before = stored();
    setPassword("first");
    const std::string firstForm = stored();
    runCommand({step({{res::kIdPwdOld, ""}}),
                step({{res::kIdPwdOld, "fir"}}),
                step({{res::kIdPwdOld, "First"}}),
                step({{res::kIdPwdOld, " first "}, {res::kIdPwdNew, "qq"}, {res::kIdPwdConfirm, "qq"}}),
                step({{res::kIdPwdNew, "second"}, {res::kIdPwdConfirm, "secnod"}}),
                step({{res::kIdPwdNew, "second"}, {res::kIdPwdConfirm, "second"}})});
    const char* mismatch = "Warning Message|Old password entered doesn't match the list password!|48";
    EXPECT_EQ(messages().shown,
              (std::vector<std::string>{
                  "Warning Message|Need to enter the old password!|48", mismatch, mismatch,
                  "Warning Message|New password needs to be greater than 4 characters, and have at least two unique "
                  "characters|48",
                  "Warning Message|New password and confirm password do not match!|48"}));
    EXPECT_EQ(attrCurrentList.bPassword, 1);
    EXPECT_NE(stored(), firstForm);
    EXPECT_EQ(deciphered(), before);
    EXPECT_EQ(passwordMatchesVerifier(u"second", attrCurrentList.strPassword), 1);
    EXPECT_EQ(passwordMatchesVerifier(u"first", attrCurrentList.strPassword), 0);
    EXPECT_EQ(utf8(attrCurrentList.strPassword),
              q("SELECT strPassword FROM ListAttributes WHERE strListName='Secrets';"));
}

TEST_F(ListPasswordTest, EmptyNewPasswordRemovesItAndDeciphersEverything) {
    const std::string before = stored();
    setPassword("abcd");
    runCommand({step({{res::kIdPwdOld, "abcd"}, {res::kIdPwdNew, ""}, {res::kIdPwdConfirm, ""}})});
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Information|List Password has been removed|48"});
    EXPECT_EQ(attrCurrentList.bPassword, 0);
    EXPECT_EQ(attrCurrentList.strPassword[0], 0);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(q("SELECT bPassword || '/' || strPassword FROM ListAttributes WHERE strListName='Secrets';"), "0/");
}

TEST_F(ListPasswordTest, AlphabeticSortingFollowsThePasswordOnAndOff) {
    attrCurrentList.bAlphaSort = 1;
    std::strcpy(strOrderClause, "ORDER BY strText");
    setPassword("abcd");
    EXPECT_STREQ(strOrderClause, "ORDER BY strTextForSort");
    runCommand({step({{res::kIdPwdOld, "abcd"}, {res::kIdPwdNew, ""}, {res::kIdPwdConfirm, ""}})});
    EXPECT_STREQ(strOrderClause, "ORDER BY strText");
}

TEST_F(ListPasswordTest, AWrongOldPasswordThenCancelKeepsTheKeyInForce) {
    setPassword("abcd");
    const std::string before = stored();
    const std::string readable = deciphered();
    runCommand({step({{res::kIdPwdOld, "wxyz"}}), step({}, res::kIdCancel)});
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(deciphered(), readable);
    EXPECT_EQ(attrCurrentList.bPassword, 1);
}

TEST_F(ListPasswordTest, AChangeThatCannotBeStoredIsUndoneWhole) {
    const std::string before = stored();
    exec("CREATE TRIGGER refuse BEFORE UPDATE ON ListAttributes BEGIN SELECT RAISE(ABORT, 'no'); END;");
    setPassword("abcd");
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Error|The list password could not be changed!|48"});
    EXPECT_EQ(attrCurrentList.bPassword, 0);
    EXPECT_EQ(attrCurrentList.strPassword[0], 0);
    EXPECT_EQ(stored(), before);
}

TEST_F(ListPasswordTest, AFailedRemovalKeepsTheListProtected) {
    setPassword("abcd");
    const std::string before = stored();
    const std::string readable = deciphered();
    messages().shown.clear();
    exec("CREATE TRIGGER refuse BEFORE UPDATE ON ListAttributes BEGIN SELECT RAISE(ABORT, 'no'); END;");
    runCommand({step({{res::kIdPwdOld, "abcd"}, {res::kIdPwdNew, ""}, {res::kIdPwdConfirm, ""}})});
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Error|The list password could not be changed!|48"});
    EXPECT_EQ(attrCurrentList.bPassword, 1);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(deciphered(), readable);
}

TEST_F(ListPasswordTest, ALockedListOrNoListIsLeftAlone) {
    bListLocked = 1;
    onSetListPassword(hwndMain, 40086, nullptr, 0);
    bListLocked = 0;
    strCurrentList[0] = 0;
    onSetListPassword(hwndMain, 40086, nullptr, 0);
    EXPECT_EQ(q("SELECT bPassword FROM ListAttributes WHERE strListName='Secrets';"), "0");
}

TEST_F(ListPasswordTest, AskReturnsAtOnceForAnUnprotectedList) {
    EXPECT_EQ(askListPassword(), 0);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
}

TEST_F(ListPasswordTest, AskRefusesWrongPasswordsAndCancelLocks) {
    setPassword("abcd");
    const std::string readable = deciphered();
    ASSERT_EQ(setCipherKey("someone else"), 0);
    int locked = runAsk({step({{res::kIdPwdOld, ""}}), step({{res::kIdPwdOld, "abc"}}),
                         step({{res::kIdPwdOld, "abce"}}), step({}, res::kIdCancel)});
    EXPECT_EQ(locked, 1);
    EXPECT_EQ(messages().shown, (std::vector<std::string>{"Warning Message|Need to enter a password!|48",
                                                          "Warning Message|Password does not match! |48",
                                                          "Warning Message|Password does not match! |48"}));
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndNotes));
    EXPECT_NE(deciphered(), readable);
}

TEST_F(ListPasswordTest, AskWithTheRightPasswordPutsItsKeyInForce) {
    setPassword("abcd");
    const std::string readable = deciphered();
    ASSERT_EQ(setCipherKey("someone else"), 0);
    EXPECT_EQ(runAsk({step({{res::kIdPwdOld, "  abcd "}})}), 0);
    EXPECT_EQ(deciphered(), readable);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_TRUE(IsWindowVisible(hwndNotes));
}

TEST_F(ListPasswordTest, TheDialogShowsOnlyTheFieldsOfItsMode) {
    struct Seen {
        bool old, fresh, confirm;
        std::string label;
        int height;
    };
    auto look = [](HWND d) {
        RECT r;
        GetWindowRect(d, &r);
        return Seen{IsWindowVisible(GetDlgItem(d, res::kIdPwdOld)) != 0,
                    IsWindowVisible(GetDlgItem(d, res::kIdPwdNew)) != 0,
                    IsWindowVisible(GetDlgItem(d, res::kIdPwdConfirm)) != 0, text(GetDlgItem(d, res::kIdPwdOldLabel)),
                    int(r.bottom - r.top)};
    };
    std::vector<Seen> seen;
    for (int mode : {PASSWORD_MODE_CHANGE, PASSWORD_MODE_SET, PASSWORD_MODE_ENTER}) {
        Steps steps{{[&] {
            seen.push_back(look(activeDialog()));
            click(activeDialog(), res::kIdCancel);
        }}};
        play(steps);
        PasswordDialogRecord record = {};
        record.mode = mode;
        EXPECT_EQ(runPasswordDialog(hwndMain, &record), 0);
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_TRUE(seen[0].old && seen[0].fresh && seen[0].confirm);
    EXPECT_TRUE(!seen[1].old && seen[1].fresh && seen[1].confirm);
    EXPECT_TRUE(seen[2].old && !seen[2].fresh && !seen[2].confirm);
    EXPECT_EQ(seen[0].label, "Old Password:");
    EXPECT_EQ(seen[2].label, "Password :");
    EXPECT_GT(seen[0].height, seen[1].height);
    EXPECT_GT(seen[1].height, seen[2].height);
}

}  // namespace
