// Label editing: the editor over the label, the parent's say at the start
// and at the end, and the ways an edit ends (Enter, Escape, focus, message).
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class LabelEdit : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS);
        a = add(TVI_ROOT, "Milk");
        b = add(TVI_ROOT, "Bread");
        parent().take();
    }
    HWND begin(HTREEITEM item) {
        HWND edit = (HWND)send(TVM_EDITLABELW, 0, (LPARAM)item);
        device::runUntilIdle();
        return edit;
    }
    std::u16string editText(HWND edit) {
        WCHAR buffer[64] = {0};
        GetWindowTextW(edit, buffer, 64);
        return buffer;
    }
    HTREEITEM a, b;
};

TEST_F(LabelEdit, TheEditorHoldsTheTextOverTheLabelAndHasTheFocus) {
    HWND edit = begin(a);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(parent().take(), (Lines{"BEGINEDIT(Milk)"}));
    EXPECT_EQ((HWND)send(TVM_GETEDITCONTROL), edit);
    EXPECT_EQ(GetParent(edit), tree);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(editText(edit), u"Milk");
    RECT er;
    GetWindowRect(edit, &er);
    RECT label = itemRect(a, true);
    POINT origin{label.left, label.top};
    ClientToScreen(tree, &origin);
    EXPECT_EQ(er.left, origin.x);
    EXPECT_EQ(er.top, origin.y);
}

TEST_F(LabelEdit, TheParentCanRefuseTheEdit) {
    parent().answers[TVN_BEGINLABELEDITW] = 1;
    EXPECT_EQ(begin(a), nullptr);
    EXPECT_EQ(send(TVM_GETEDITCONTROL), 0);
    EXPECT_EQ(parent().take(), (Lines{"BEGINEDIT(Milk)"}));
}

TEST_F(LabelEdit, EnterCommitsAndTheParentsAnswerDecidesTheText) {
    HWND edit = begin(a);
    SetWindowTextW(edit, u"Oat milk");
    parent().answers[TVN_ENDLABELEDITW] = 1;
    parent().take();
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    device::runUntilIdle();
    EXPECT_EQ(parent().take()[0], "ENDEDIT(Milk,Oat milk)");
    EXPECT_EQ(textOf(a), u"Oat milk");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(send(TVM_GETEDITCONTROL), 0);
    EXPECT_EQ(GetFocus(), tree);
    // Answer 0: the text stays as it was.
    edit = begin(a);
    SetWindowTextW(edit, u"Cream");
    parent().answers[TVN_ENDLABELEDITW] = 0;
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(textOf(a), u"Oat milk");
}

TEST_F(LabelEdit, EscapeCancelsWithANullText) {
    HWND edit = begin(b);
    SetWindowTextW(edit, u"Toast");
    parent().answers[TVN_ENDLABELEDITW] = 1;
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(parent().lastEndNull);
    EXPECT_EQ(textOf(b), u"Bread");
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(LabelEdit, LosingTheFocusOrEndingNowCommits) {
    HWND edit = begin(a);
    SetWindowTextW(edit, u"Butter");
    parent().answers[TVN_ENDLABELEDITW] = 1;
    SetFocus(top);
    EXPECT_EQ(textOf(a), u"Butter");
    EXPECT_FALSE(IsWindow(edit));
    edit = begin(b);
    SetWindowTextW(edit, u"Rolls");
    EXPECT_TRUE(send(TVM_ENDEDITLABELNOW, FALSE));
    EXPECT_EQ(textOf(b), u"Rolls");
    EXPECT_FALSE(send(TVM_ENDEDITLABELNOW, FALSE));  // nothing to end
    edit = begin(b);
    EXPECT_TRUE(send(TVM_ENDEDITLABELNOW, TRUE));
    EXPECT_TRUE(parent().lastEndNull);
}

TEST_F(LabelEdit, TheParentMayRewriteTheBufferOrDeleteTheItemWhileTold) {
    HWND edit = begin(a);
    SetWindowTextW(edit, u"Eggs [2/3]");
    parent().hook = [&](NMHDR* h) -> LRESULT {
        if (h->code != TVN_ENDLABELEDITW) return -1;
        auto* di = reinterpret_cast<NMTVDISPINFOW*>(h);
        di->item.pszText[4] = 0;  // keeps "Eggs"
        return 1;
    };
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(textOf(a), u"Eggs");
    // An item the parent deletes (or a whole reload) while the edit ends.
    edit = begin(b);
    SetWindowTextW(edit, u"");
    parent().hook = [&](NMHDR* h) -> LRESULT {
        if (h->code != TVN_ENDLABELEDITW) return -1;
        SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        return 1;
    };
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    device::runUntilIdle();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(send(TVM_GETCOUNT), 0);
}

TEST_F(LabelEdit, DeletingTheEditedItemClosesTheEditorSilently) {
    HWND edit = begin(a);
    parent().take();
    send(TVM_DELETEITEM, 0, (LPARAM)a);
    EXPECT_FALSE(IsWindow(edit));
    // The focus goes back to the tree before the item goes.
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS", "DELETE(Milk)"}));
}

TEST_F(LabelEdit, ASecondTapOnTheSelectedLabelOpensTheEditorAfterTheDoubleTapTime) {
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)a);
    RECT label = itemRect(a, true);
    tap(label.left + 3, label.top + 3);
    EXPECT_EQ(send(TVM_GETEDITCONTROL), 0);
    device::advanceClock(GetDoubleClickTime() + 10);
    EXPECT_NE(send(TVM_GETEDITCONTROL), 0);
}

}  // namespace
