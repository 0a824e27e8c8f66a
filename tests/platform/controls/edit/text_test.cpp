// The text model through messages: notifications, the text limit, the
// selection rules, EM_REPLACESEL, undo, the clipboard, the character styles
// and password edits.
#include "edit_fixture.h"

using namespace edittest;

namespace {

using Notifications = EditTest;

TEST_F(Notifications, ChangeFollowsUserEditsButNotWholeTextReplacement) {
    make(ES_MULTILINE | WS_VSCROLL | WS_BORDER, 10, 10, 200, 80);
    setText(u"Loaded note");
    EXPECT_EQ(parent().take(), Lines{});
    EXPECT_EQ(text(), u"Loaded note");
    EXPECT_EQ(sel(), "0,0");
    EXPECT_FALSE(send(EM_GETMODIFY));

    SetFocus(edit);
    EXPECT_EQ(parent().take(), Lines{"SETFOCUS"});
    type(u"A");
    EXPECT_EQ(parent().take(), (Lines{"UPDATE", "CHANGE"}));
    EXPECT_EQ(text(), u"ALoaded note");
    EXPECT_TRUE(send(EM_GETMODIFY));

    send(EM_REPLACESEL, FALSE, (LPARAM)u" 10:42");
    EXPECT_EQ(parent().take(), (Lines{"UPDATE", "CHANGE"}));
    SetFocus(top);
    EXPECT_EQ(parent().take(), Lines{"KILLFOCUS"});
    // The whole-text replacement also clears the modified flag.
    setText(u"Other");
    EXPECT_FALSE(send(EM_GETMODIFY));
    EXPECT_EQ(parent().take(), Lines{});
}

TEST_F(Notifications, NothingIsSentWhenAnEditChangesNothing) {
    make(ES_AUTOHSCROLL);
    SetFocus(edit);
    parent().take();
    key(VK_BACK);
    key(VK_DELETE);
    send(WM_CLEAR);
    send(EM_REPLACESEL, TRUE, (LPARAM)u"");
    EXPECT_EQ(parent().take(), Lines{});
    EXPECT_EQ(text(), u"");
}

TEST_F(Notifications, AParentMayDestroyTheEditInItsAnswer) {
    for (WORD code : {(WORD)EN_MAXTEXT, (WORD)EN_UPDATE, (WORD)EN_CHANGE}) {
        make(ES_AUTOHSCROLL);
        send(EM_LIMITTEXT, 2);
        parent().destroyOn = code;
        putClipboard(u"abc");
        send(WM_PASTE);
        EXPECT_FALSE(IsWindow(edit)) << code;
        parent().destroyOn = 0;
    }
    make(ES_AUTOHSCROLL, 10, 10, 120, 20, u"undo me");
    send(EM_SETSEL, 0, -1);
    send(WM_CLEAR);
    parent().destroyOn = EN_UPDATE;
    send(EM_UNDO);
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(Notifications, PastingIntoAFixedWidthLineTakesWhatFits) {
    make(0, 10, 10, 40, 20);
    putClipboard(std::u16string(3000, u'm'));
    send(WM_PASTE);
    size_t n = text().size();
    EXPECT_GT(n, 0u);
    EXPECT_LT(n, 40u);
    Lines log = parent().take();
    EXPECT_EQ(log.front(), "MAXTEXT");
}

using Limit = EditTest;

TEST_F(Limit, DefaultIsThirtyThousandAndZeroMeansAsLargeAsPossible) {
    make(ES_AUTOHSCROLL);
    EXPECT_EQ(send(EM_GETLIMITTEXT), 30000);
    send(EM_LIMITTEXT, 999);
    EXPECT_EQ(send(EM_GETLIMITTEXT), 999);
    send(EM_SETLIMITTEXT, 0);
    EXPECT_EQ(send(EM_GETLIMITTEXT), 0x7FFFFFFE);
}

TEST_F(Limit, TypingStopsAtTheLimitWithMaxText) {
    make(ES_AUTOHSCROLL);
    send(EM_LIMITTEXT, 3);
    SetFocus(edit);
    parent().take();
    type(u"abcd");
    EXPECT_EQ(text(), u"abc");
    Lines got = parent().take();
    EXPECT_EQ(got.back(), "MAXTEXT");
    EXPECT_EQ(std::count(got.begin(), got.end(), "CHANGE"), 3);
    // Replacing a selection still works at the limit.
    send(EM_SETSEL, 1, 2);
    type(u"X");
    EXPECT_EQ(text(), u"aXc");
}

TEST_F(Limit, PastingTakesWhatFitsAndTheWholeTextIgnoresTheLimit) {
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 200, 100);
    send(EM_LIMITTEXT, 999);
    std::u16string big(1200, u'x');
    putClipboard(big);
    SetFocus(edit);
    parent().take();
    send(WM_PASTE);
    EXPECT_EQ(text().size(), 999u);
    EXPECT_EQ(parent().take(), (Lines{"MAXTEXT", "UPDATE", "CHANGE"}));
    setText(big);
    EXPECT_EQ(text().size(), 1200u);
}

TEST_F(Limit, ALineBreakIsNeverCutInHalf) {
    make(ES_MULTILINE, 10, 10, 200, 100);
    send(EM_LIMITTEXT, 4);
    send(EM_REPLACESEL, TRUE, (LPARAM)u"abc\r\ndef");
    EXPECT_EQ(text(), u"abc");
}

using Selection = EditTest;

TEST_F(Selection, SetSelClampsOrdersAndHandlesMinusOne) {
    make(ES_AUTOHSCROLL, 10, 10, 120, 20, u"Groceries");
    send(EM_SETSEL, 0, -1);
    EXPECT_EQ(sel(), "0,9");
    send(EM_SETSEL, 6, 2);
    EXPECT_EQ(sel(), "2,6");
    EXPECT_EQ(send(EM_GETSEL), MAKELONG(2, 6));
    send(EM_SETSEL, 3, 100);
    EXPECT_EQ(sel(), "3,9");
    // -1 as the start drops the selection where the caret was.
    send(EM_SETSEL, 4, 7);
    send(EM_SETSEL, (WPARAM)-1, 0);
    EXPECT_EQ(sel(), "7,7");
    // Typing replaces a backwards selection from its start.
    send(EM_SETSEL, 5, 1);
    SetFocus(edit);
    type(u"-");
    EXPECT_EQ(text(), u"G-ries");
}

TEST_F(Selection, TheCaretNeverSplitsALineBreak) {
    make(ES_MULTILINE, 10, 10, 200, 100, u"ab\r\ncd");
    send(EM_SETSEL, 3, 3);
    EXPECT_EQ(sel(), "2,2");
    SetFocus(edit);
    key(VK_RIGHT);
    EXPECT_EQ(sel(), "4,4");
    key(VK_BACK);
    EXPECT_EQ(text(), u"abcd");
}

using ReplaceSel = EditTest;

TEST_F(ReplaceSel, InsertsAtTheCaretAndLeavesTheCaretAfterIt) {
    make(ES_MULTILINE, 10, 10, 200, 100, u"Note: ");
    send(EM_SETSEL, 6, 6);
    send(EM_REPLACESEL, FALSE, (LPARAM)u"10:42 9/12/26");
    EXPECT_EQ(text(), u"Note: 10:42 9/12/26");
    EXPECT_EQ(sel(), "19,19");
    // With its can-undo argument false nothing can be undone afterwards.
    EXPECT_FALSE(send(EM_CANUNDO));
    send(EM_SETSEL, 0, 4);
    send(EM_REPLACESEL, TRUE, (LPARAM)u"Memo");
    EXPECT_TRUE(send(EM_CANUNDO));
}

TEST_F(ReplaceSel, ASingleLineEditTakesOnlyTheFirstLine) {
    make(ES_AUTOHSCROLL);
    send(EM_REPLACESEL, TRUE, (LPARAM)u"first\r\nsecond");
    EXPECT_EQ(text(), u"first");
}

using Undo = EditTest;

TEST_F(Undo, UndoesARunOfTypingAndUndoAgainRedoes) {
    make(ES_AUTOHSCROLL, 10, 10, 120, 20, u"Milk");
    send(EM_SETSEL, 4, 4);
    SetFocus(edit);
    type(u" and eggs");
    EXPECT_TRUE(send(EM_CANUNDO));
    parent().take();
    EXPECT_TRUE(send(EM_UNDO));
    EXPECT_EQ(text(), u"Milk");
    EXPECT_EQ(parent().take(), (Lines{"UPDATE", "CHANGE"}));
    send(WM_UNDO);
    EXPECT_EQ(text(), u"Milk and eggs");
    EXPECT_EQ(sel(), "4,13");  // what came back is selected
}

TEST_F(Undo, BackspacesGrowOneRecordAndTypingOverASelectionRestoresIt) {
    make(ES_AUTOHSCROLL, 10, 10, 120, 20, u"Bread");
    send(EM_SETSEL, 5, 5);
    SetFocus(edit);
    key(VK_BACK);
    key(VK_BACK);
    EXPECT_EQ(text(), u"Bre");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"Bread");
    send(EM_SETSEL, 0, 5);
    type(u"Rye");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"Bread");
    send(EM_EMPTYUNDOBUFFER);
    EXPECT_FALSE(send(EM_CANUNDO));
    EXPECT_FALSE(send(EM_UNDO));
    setText(u"x");
    EXPECT_FALSE(send(EM_CANUNDO));
}

using Clipboard = EditTest;

TEST_F(Clipboard, CutCopyPasteRoundTrip) {
    make(ES_AUTOHSCROLL, 10, 10, 200, 20, u"Apples, pears");
    send(EM_SETSEL, 0, 6);
    send(WM_COPY);
    EXPECT_EQ(clipboard(), u"Apples");
    EXPECT_EQ(text(), u"Apples, pears");
    send(EM_SETSEL, 8, 13);
    send(WM_CUT);
    EXPECT_EQ(clipboard(), u"pears");
    EXPECT_EQ(text(), u"Apples, ");
    send(EM_SETSEL, 0, 0);
    send(WM_PASTE);
    EXPECT_EQ(text(), u"pearsApples, ");
    // Keys: Ctrl+A selects everything, Ctrl+C copies, Ctrl+V pastes, Ctrl+Z undoes.
    SetFocus(edit);
    key('A', false, true);
    EXPECT_EQ(sel(), "0,13");
    key('C', false, true);
    EXPECT_EQ(clipboard(), u"pearsApples, ");
    key(VK_END);
    key('V', false, true);
    EXPECT_EQ(text(), u"pearsApples, pearsApples, ");
    key('Z', false, true);
    EXPECT_EQ(text(), u"pearsApples, ");
    send(EM_SETSEL, 0, 5);
    key('X', false, true);
    EXPECT_EQ(text(), u"Apples, ");
    EXPECT_EQ(clipboard(), u"pears");
}

TEST_F(Clipboard, PastingLinesIntoASingleLineEditKeepsTheFirst) {
    make(ES_AUTOHSCROLL);
    putClipboard(u"one\r\ntwo");
    send(WM_PASTE);
    EXPECT_EQ(text(), u"one");
}

TEST_F(Clipboard, ReadOnlyEditsCopyButDoNotChange) {
    make(ES_AUTOHSCROLL | ES_READONLY, 10, 10, 120, 20, u"fixed");
    putClipboard(u"new");
    send(EM_SETSEL, 0, -1);
    send(WM_PASTE);
    send(WM_CLEAR);
    send(WM_CUT);
    EXPECT_EQ(text(), u"fixed");
    EXPECT_EQ(clipboard(), u"fixed");
    SetFocus(edit);
    type(u"zz");
    EXPECT_EQ(text(), u"fixed");
}

using Styles = EditTest;

TEST_F(Styles, NumberEditsRefuseOtherCharactersWithABeep) {
    make(ES_NUMBER | ES_AUTOHSCROLL);
    SetFocus(edit);
    int beeps = device::beepCount();
    type(u"1a2-3");
    EXPECT_EQ(text(), u"123");
    EXPECT_EQ(device::beepCount(), beeps + 2);
}

TEST_F(Styles, CaseStylesFoldTypedAndSetText) {
    make(ES_UPPERCASE | ES_AUTOHSCROLL);
    SetFocus(edit);
    type(u"abc\u00e9");
    EXPECT_EQ(text(), u"ABC\u00c9");
    DestroyWindow(edit);
    make(ES_LOWERCASE | ES_AUTOHSCROLL, 10, 10, 120, 20, u"MiXeD");
    EXPECT_EQ(text(), u"mixed");
}

TEST_F(Styles, PasswordEditsKeepTheRealTextAndNeverCopyIt) {
    make(ES_PASSWORD | ES_AUTOHSCROLL);
    EXPECT_EQ(send(EM_GETPASSWORDCHAR), u'*');
    SetFocus(edit);
    type(u"s3cret");
    EXPECT_EQ(text(), u"s3cret");
    putClipboard(u"before");
    send(EM_SETSEL, 0, -1);
    send(WM_COPY);
    EXPECT_EQ(clipboard(), u"before");
    send(EM_SETPASSWORDCHAR, 0);
    EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
    send(WM_COPY);
    EXPECT_EQ(clipboard(), u"s3cret");
    send(EM_SETPASSWORDCHAR, u'#');
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
    EXPECT_EQ(send(EM_GETPASSWORDCHAR), u'#');
}

TEST_F(Styles, GetTextTruncatesToTheBufferAndCountsWithoutTheNul) {
    make(ES_AUTOHSCROLL, 10, 10, 120, 20, u"Tomatoes");
    WCHAR small[4] = {u'?', u'?', u'?', u'?'};
    EXPECT_EQ(GetWindowTextW(edit, small, 4), 3);
    EXPECT_EQ(std::u16string(small), u"Tom");
    EXPECT_EQ(GetWindowTextLengthW(edit), 8);
    EXPECT_EQ(send(WM_GETTEXT, 0, (LPARAM)small), 0);
}

}  // namespace
