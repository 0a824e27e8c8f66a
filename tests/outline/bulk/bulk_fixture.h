// The outline fixture with what the Options menu's commands also touch: the
// program's menu bar (for the marks and the "Hide On"/"Hide Off" text), a
// splitter, a recorder for the message dialog, a list that is counted as
// present, and the list's attribute row.
#pragma once

#include <string>
#include <vector>

#include "aygshell.h"
#include "common/message_dialog.h"
#include "outline/bulk_commands.h"
#include "outline/item_clipboard.h"
#include "outline/tree_checks.h"
#include "outline/undo.h"
#include "platform/system/code_page.h"
#include "resources/resource_ids.h"
#include "shell/command_table.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "storage/list_attributes.h"
#include "outline/tree/outline_fixture.h"

namespace bulktest {

struct Dialogs {
    std::vector<std::string> shown;  // "caption|text|style"
    int answer = 1;
};

inline Dialogs& dialogs() {
    static Dialogs d;
    return d;
}

inline int recordDialog(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    dialogs().shown.push_back(device::wideToUtf8(caption) + "|" + device::wideToUtf8(text) + "|" +
                              std::to_string(style));
    return dialogs().answer;
}

class BulkTest : public outline_test::OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        if (HasFatalFailure()) return;
        dialogs() = Dialogs{};
        previousDialog_ = setMessageDialogHandler(recordDialog);
        hwndMenuBar = createMenuBar(hwndMain);
        ASSERT_NE(hwndMenuBar, nullptr);
        hwndSplitter = CreateWindowExW(0, u"static", u"", WS_CHILD, 0, intTreeTop + 180, intWorkWidth, 6, hwndMain,
                                       nullptr, nullptr, nullptr);
        intListCount = 1;
        bWarningMessage = 0;
        emptyItemClipboard();
        ASSERT_EQ(writeListAttributes(dbCurrent, strCurrentList, attrCurrentList), 1);
    }

    void TearDown() override {
        setMessageDialogHandler(previousDialog_);
        // The clipboard is emptied without the menu bar, which goes with the
        // windows; everything else is reset by the outline fixture.
        hwndMenuBar = hwndSplitter = nullptr;
        emptyItemClipboard();
        OutlineTest::TearDown();
    }

    // Loads the list and shows the panes, as a list switch leaves them.
    void open() {
        load();
        for (HWND pane : {hwndMainTV, hwndNotes, hwndSplitter}) ShowWindow(pane, SW_SHOW);
        device::runUntilIdle();
    }

    // Sends the command through the main window's command table, as a menu
    // choice does.
    static void command(UINT id) {
        EXPECT_NE(findCommandHandler((int)id), nullptr) << id;
        EXPECT_EQ(dispatchCommand(hwndMain, (int)id, nullptr, 0), 0);
        device::runUntilIdle();
    }

    HMENU menu() const { return (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0); }
    bool checked(UINT id) const { return (GetMenuState(menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    bool enabled(UINT id) const { return !(GetMenuState(menu(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); }
    // The text of the last item of Options > Hidden.
    std::u16string lastHiddenItem() const {
        HMENU hidden = GetSubMenu(optionsMenu(), res::kOptionsPosHidden);
        int count = GetMenuItemCount(hidden);
        WCHAR text[40] = {};
        GetMenuStringW(hidden, (UINT)(count - 1), text, 40, MF_BYPOSITION);
        return text;
    }
    static void select(LONG id) { SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(id)); }
    // The list's attribute row as stored.
    ListAttributes stored() {
        ListAttributes a = defaultListAttributes();
        readListAttributes(dbCurrent, strCurrentList, &a);
        return a;
    }
    std::string rows(const std::string& where = "1") {
        return column("SELECT longID FROM '" + std::string(strCurrentList) + "' WHERE " + where + " ORDER BY longID;");
    }

    MessageDialogHandler previousDialog_ = nullptr;
};

}  // namespace bulktest
