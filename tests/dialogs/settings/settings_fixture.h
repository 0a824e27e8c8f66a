// The settings tests' device: the program started on a database with the
// list "Groceries" (its rows and attributes set up beforehand), the Settings
// command run while a list of steps plays, and the steps a person takes on
// the sheet: tapping its controls, dropping a list down and tapping an
// entry, tapping the navigation bar's ok or pressing Escape.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialogs_fixture.h"
#include "platform/window/headless_host.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "shell/shell_fixture.h"
#include "storage/storage_test_util.h"

namespace settingstest {

using Step = std::function<void()>;

// The window in front: the sheet, or the colour picker over it.
inline HWND front() { return GetActiveWindow(); }
// The sheet's current page and a control on it.
inline HWND page() { return PropSheet_GetCurrentPageHwnd(front()); }
inline HWND control(int id) { return GetDlgItem(page(), id); }

inline void tapAt(int x, int y) {
    device::penDown(x, y);
    device::penUp(x, y);
}
inline Step tapControl(int id) {
    return [id] { dlgs::tap(control(id)); };
}
// A tab of the sheet: the pages are made as their tab is chosen.
inline Step showPage(int index) {
    return [index] { SendMessageW(front(), PSM_SETCURSEL, (WPARAM)index, 0); };
}
// The "ok" at the right end of the navigation bar.
inline Step tapOk() {
    return [] {
        RECT bar{};
        GetWindowRect(device::navBarWindow(), &bar);
        tapAt(bar.right - 16 * device::screenConfig().scale, (bar.top + bar.bottom) / 2);
    };
}
inline Step pressEscape() {
    return [] { dlgs::press(VK_ESCAPE); };
}

// Two steps: tap the drop-down button of combo box `id`, then the entry.
inline std::vector<Step> choose(int id, int index) {
    Step drop = [id] {
        RECT r{};
        GetWindowRect(control(id), &r);
        int half = (r.bottom - r.top) / 2;
        tapAt(r.right - half, r.top + half);
    };
    Step pick = [id, index] {
        HWND box = control(id);
        ASSERT_TRUE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0));
        if (SendMessageW(box, CB_GETTOPINDEX, 0, 0) > index) SendMessageW(box, CB_SETTOPINDEX, (WPARAM)index, 0);
        RECT list{};
        SendMessageW(box, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
        const int height = (int)SendMessageW(box, CB_GETITEMHEIGHT, 0, 0);
        const int row = index - (int)SendMessageW(box, CB_GETTOPINDEX, 0, 0);
        tapAt((list.left + list.right) / 2, list.top + 1 + row * height + height / 2);
    };
    return {drop, pick};
}

// Taps entry `index` of list box `id`.
inline Step tapListEntry(int id, int index) {
    return [id, index] {
        HWND list = control(id);
        RECT row{};
        SendMessageW(list, LB_GETITEMRECT, (WPARAM)index, (LPARAM)&row);
        MapWindowPoints(list, nullptr, (POINT*)&row, 2);
        tapAt((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    };
}

// Three steps of the colour picker opened by swatch `id`: open it, tap
// preset `preset` (1021..1044) and its "Ok".
inline std::vector<Step> pickPreset(int id, int preset) {
    return {tapControl(id), [preset] { dlgs::tap(GetDlgItem(front(), preset)); },
            [] { dlgs::tap(GetDlgItem(front(), 1000)); }};
}

inline std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline std::vector<Step> operator+(std::vector<Step> a, const Step& b) {
    a.push_back(b);
    return a;
}

inline const char* kList = "Groceries";
// Rows of the list: "Milk" (expanded) with "Skim" (checked) and "Whole".
inline const std::string kMilkWithChildren =
    "INSERT INTO 'Groceries' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,bNodeExpand,"
    "strNoteText,intNumChild) VALUES (1,0,1,'Milk',0,1,0,1,'',2),(2,1,1,'Skim',1,1,0,0,'',0),"
    "(3,1,2,'Whole',0,1,0,0,'',0);";

class SettingsTest : public shelltest::ShellDevice {
protected:
    // The database, changed by `sql` (attributes, rows) before the program
    // starts on it.
    void startWith(const std::string& sql = "") {
        makeDatabase({kList});
        if (!sql.empty()) {
            sqlite3* db = openListDatabase(shelltest::kDatabase);
            ASSERT_NE(db, nullptr);
            char* error = nullptr;
            ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
            closeDatabaseFile(db);
        }
        start();
    }
    // Options > "Settings..." with `steps` played while the sheet is up;
    // every step must have run and the sheet be gone afterwards.
    void runSettings(std::vector<Step> steps) {
        steps_ = dlgs::Steps{};
        steps_.list = std::move(steps);
        device::headlessHost().setIdleDriver(std::ref(steps_));
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(res::kCmdSettings, 0), 0);
        device::headlessHost().setIdleDriver({});
        EXPECT_EQ(steps_.next, steps_.list.size()) << "the sheet closed before every step ran";
        EXPECT_EQ(GetActiveWindow(), hwnd_);
        shelltest::pump();
    }
    // A column of the list's attribute row as stored.
    std::string stored(const std::string& column) {
        return storage_test::scalar(dbCurrent, "SELECT " + column + " FROM ListAttributes WHERE strListName='" +
                                                   std::string(kList) + "';");
    }
    static std::string setting(LPCWSTR key) {
        int value = 0;
        return getSettingInt(key, &value) ? std::to_string(value) : "<none>";
    }

    dlgs::Steps steps_;
};

}  // namespace settingstest
