// Saving and loading notes: what every change of the pane writes, what
// selecting an item shows, and what Delete Note and Add Note do.
#include <cstring>

#include "crypto/cipher.h"
#include "notes_fixture.h"
#include "outline/notes.h"
#include "outline/tree_ops.h"
#include "platform/window/host_port.h"
#include "resources/resource_ids.h"

using namespace notestest;

namespace {

class NotesSave : public NotesTest {
protected:
    void SetUp() override {
        NotesTest::SetUp();
        row(1, 0, 1, "Milk");
        row(2, 0, 2, "Bread", "Wholemeal, sliced");
        load();
    }
};

}  // namespace

TEST_F(NotesSave, TypingSavesEveryChangeTrimmedWithItsFlag) {
    select(1);
    type(u"  two  litres\tsemi\rskimmed  ");
    EXPECT_EQ(stored(1), "1|two  litres\tsemi\r\nskimmed");
    EXPECT_TRUE(dialogsShown().empty());
    // The pane keeps what was typed; only the stored copy is trimmed.
    EXPECT_EQ(paneText(), u"  two  litres\tsemi\r\nskimmed  ");
}

TEST_F(NotesSave, ANoteOfBlanksIsStoredEmptyWithoutItsFlag) {
    select(2);
    SendMessageW(hwndNotes, EM_SETSEL, 0, -1);
    type(u"   ");
    EXPECT_EQ(stored(2), "0|");
}

TEST_F(NotesSave, ApostrophesAreStoredAndReadBackUnchanged) {
    select(1);
    type(u"Don't forget Mum's 'special'");
    EXPECT_EQ(stored(1), "1|Don't forget Mum's 'special'");
    select(2);
    select(1);
    EXPECT_EQ(paneText(), u"Don't forget Mum's 'special'");
}

TEST_F(NotesSave, APastedTextOf1200CharactersIsStoredAsItsFirst999) {
    std::u16string big;
    for (int i = 0; i < 1200; ++i) big += (char16_t)(u'a' + i % 26);
    ASSERT_TRUE(OpenClipboard(hwndMain));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (big.size() + 1) * sizeof(WCHAR));
    std::memcpy(GlobalLock(block), big.c_str(), (big.size() + 1) * sizeof(WCHAR));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    select(1);
    SetFocus(hwndNotes);
    SendMessageW(hwndNotes, WM_PASTE, 0, 0);
    device::runUntilIdle();
    std::string expected(999, ' ');
    for (int i = 0; i < 999; ++i) expected[i] = (char)('a' + i % 26);
    EXPECT_EQ(stored(1), "1|" + expected);
}

TEST_F(NotesSave, WithoutASelectedItemEachChangeWarnsAndNothingIsSaved) {
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    type(u"ab");
    ASSERT_EQ(dialogsShown().size(), 2u);
    EXPECT_EQ(dialogsShown()[0],
              "Warning|You need to select an item in the list to have entered notes text attached|48");
    EXPECT_EQ(paneText(), u"ab");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries' WHERE bNote = 1;"), "1");
}

TEST_F(NotesSave, SelectingAnItemShowsItsNoteWithoutWritingAnything) {
    storage_test::StatementLog log(db);
    select(2);
    EXPECT_EQ(paneText(), u"Wholemeal, sliced");
    select(1);
    EXPECT_EQ(paneText(), u"");
    for (const std::string& s : log.statements()) EXPECT_EQ(s.find("UPDATE"), std::string::npos) << s;
    loadItemNote(0);
    EXPECT_EQ(paneText(), u"");
    loadItemNote(77);  // a row that is not there
    EXPECT_EQ(paneText(), u"");
}

TEST_F(NotesSave, InAProtectedListTheNoteIsStoredEncipheredAndShownPlain) {
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    select(1);
    type(u"PIN 1234");
    std::string raw = q("SELECT strNoteText FROM 'Groceries' WHERE longID = 1;");
    EXPECT_NE(raw, "PIN 1234");
    EXPECT_EQ(raw.find("1234"), std::string::npos);
    EXPECT_EQ(q("SELECT bfdecrypt(strNoteText) FROM 'Groceries' WHERE longID = 1;"), "PIN 1234");
    SetWindowTextW(hwndNotes, u"");
    loadItemNote(1);
    EXPECT_EQ(paneText(), u"PIN 1234");
    attrCurrentList.bPassword = 0;
    releaseCipherBuffer();
}

TEST_F(NotesSave, DeleteNoteClearsTheNoteAndThePaneAndTheSecondTimeDoesNothing) {
    select(2);
    storage_test::StatementLog log(db);
    onDeleteNote(hwndMain, res::kCmdItemDeleteNote, nullptr, 0);
    EXPECT_EQ(stored(2), "0|");
    EXPECT_EQ(paneText(), u"");
    log.clear();
    onDeleteNote(hwndMain, res::kCmdItemDeleteNote, nullptr, 0);
    for (const std::string& s : log.statements()) EXPECT_EQ(s.find("UPDATE"), std::string::npos) << s;
    // Without a selected item nothing is read or written.
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    log.clear();
    onDeleteNote(hwndMain, res::kCmdItemDeleteNote, nullptr, 0);
    EXPECT_TRUE(log.statements().empty());
}

TEST_F(NotesSave, AddNoteMovesTheFocusIntoTheOpenPaneAndNeedsASelectedItem) {
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    onAddNote(hwndMain, res::kCmdItemAddNote, nullptr, 0);
    EXPECT_NE(GetFocus(), hwndNotes);
    select(1);
    SetFocus(hwndMainTV);
    onAddNote(hwndMain, res::kCmdItemAddNote, nullptr, 0);
    EXPECT_EQ(GetFocus(), hwndNotes);
    EXPECT_EQ(bNotesOpen, 1);
    EXPECT_EQ(bTextEditActive, 1);
    SetFocus(hwndMainTV);
    EXPECT_EQ(bTextEditActive, 0);
}

TEST_F(NotesSave, OtherNotificationsOfThePaneAreIgnored) {
    select(1);
    SetWindowTextW(hwndNotes, u"not typed");
    onNotesNotify(hwndMain, 6003, hwndNotes, EN_UPDATE);
    onNotesNotify(hwndMain, 6003, hwndNotes, EN_SETFOCUS);
    EXPECT_EQ(stored(1), "0|");
    onNotesNotify(hwndMain, 6003, hwndNotes, EN_CHANGE);
    EXPECT_EQ(stored(1), "1|not typed");
}
