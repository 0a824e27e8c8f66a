// The item popup on tap-and-hold and the label editor's own procedure.
#include "outline/tree/outline_fixture.h"
#include "platform/shell/popup_menu.h"

namespace outline_test {
namespace {

struct Seen {
    std::vector<std::string> items;  // "text:enabled"
    bool opened = false;
};

class ItemMenu : public OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        ShowWindow(hwndMainTV, SW_SHOW);
    }
    // Sends the outline's tap-and-hold notification for the selected item,
    // notes what the popup offers while it is open, and dismisses it.
    Seen holdOnSelection() {
        Seen seen;
        device::headlessHost().setIdleDriver([&seen] {
            if (!shell::popupOpen()) return false;
            HMENU menu = shell::popupLevelMenu(0);
            seen.opened = true;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                WCHAR text[64] = {};
                GetMenuStringW(menu, (UINT)i, text, 64, MF_BYPOSITION);
                UINT state = GetMenuState(menu, (UINT)i, MF_BYPOSITION);
                char narrow[128];
                wideToCodePage(text, narrow, sizeof narrow);
                seen.items.push_back(std::string(narrow) + ":" + ((state & MF_GRAYED) ? "0" : "1"));
            }
            shell::cancelPopup();
            return true;
        });
        NMRGINFO info{};
        info.hdr.hwndFrom = hwndMainTV;
        info.hdr.idFrom = 6002;
        info.hdr.code = GN_CONTEXTMENU;
        info.ptAction = POINT{60, 80};
        SendMessageW(hwndMain, WM_NOTIFY, 6002, (LPARAM)&info);
        device::headlessHost().setIdleDriver({});
        return seen;
    }
    static bool has(const Seen& seen, const std::string& entry) {
        for (const std::string& s : seen.items)
            if (s == entry) return true;
        return false;
    }
};

TEST_F(ItemMenu, OffersHideOrShowAndEnablesByTheItem) {
    hInstance = nullptr;
    addRow(1, 0, 1, "Shown with note", 0, 0, 0, 1, 1, "n");
    addRow(2, 0, 2, "Hidden", 0, 0, 0, 0);
    attrCurrentList.bShowHiddenItems = 0;
    load();
    // Nothing selected: no menu.
    EXPECT_FALSE(holdOnSelection().opened);

    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(1));
    Seen shown = holdOnSelection();
    ASSERT_TRUE(shown.opened);
    ASSERT_GE(shown.items.size(), 4u);
    EXPECT_EQ(shown.items[3], "Hide:1");
    EXPECT_TRUE(has(shown, "Delete Note:1"));
    EXPECT_TRUE(has(shown, "Cut:1"));
    EXPECT_TRUE(has(shown, "Copy:1"));
    EXPECT_TRUE(has(shown, "Duplicate:1"));
    EXPECT_TRUE(has(shown, "Paste:0"));

    longClipboardID = 1;
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(2));
    Seen hidden = holdOnSelection();
    ASSERT_GE(hidden.items.size(), 4u);
    EXPECT_EQ(hidden.items[3], "Show:1");
    EXPECT_TRUE(has(hidden, "Delete Note:0"));
    EXPECT_TRUE(has(hidden, "Paste:1"));
}

TEST_F(ItemMenu, LabelEditorMarksTextEditingWhileItHasTheFocus) {
    addRow(1, 0, 1, "Milk");
    load();
    bLabelEditAllowed = 1;
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(1));
    POINT p{labelOf(byId(1)).left + 3, (labelOf(byId(1)).top + labelOf(byId(1)).bottom) / 2};
    SendMessageW(hwndMainTV, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(hwndMainTV, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(hwndMainTV, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    device::runUntilIdle();
    HWND edit = (HWND)SendMessageW(hwndMainTV, TVM_GETEDITCONTROL, 0, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(bTextEditActive, 1);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 99);
    SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, TRUE, 0);
    device::runUntilIdle();
    EXPECT_EQ(bTextEditActive, 0);
}

TEST_F(ItemMenu, ArrowKeysShowTheNoteOfTheNewSelection) {
    addRow(1, 0, 1, "First", 0, 0, 0, 1, 1, "first note");
    addRow(2, 0, 2, "Second", 0, 0, 0, 1, 1, "second note");
    load();
    ShowWindow(hwndNotes, SW_SHOW);
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(1));
    device::keyDown(VK_DOWN);
    device::keyUp(VK_DOWN);
    device::runUntilIdle();
    EXPECT_EQ(treeSelection(hwndMainTV), byId(2));
    WCHAR note[64];
    GetWindowTextW(hwndNotes, note, 64);
    EXPECT_EQ(std::u16string(note), u"second note");
}

}  // namespace
}  // namespace outline_test
