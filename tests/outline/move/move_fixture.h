// The moving tests: the outline fixture with its main window answering the
// pen, the timers and the item commands as the program's main window does,
// and helpers that press the pen on the edit bar and drag outline items by
// their screen positions.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "lists/list_management.h"
#include "outline/edit_bar_geometry.h"
#include "outline/edit_bar_input.h"
#include "outline/edit_bar_tip.h"
#include "outline/item_drag.h"
#include "outline/item_move.h"
#include "outline/tree_checks.h"
#include "platform/gdi/png_io.h"
#include "platform/window/window_system.h"
#include "shell/command_table.h"
#include "shell/main_window.h"
#include "state/main_window_ids.h"
#include "state/shell_calls.h"
#include "storage/settings.h"
#include "outline/tree/outline_fixture.h"

namespace move_test {

// WM_COMMAND ids the main window received.
inline std::vector<int>& commands() {
    static std::vector<int> ids;
    return ids;
}

inline LRESULT CALLBACK movingMainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN: return onMainPenDown(hwnd, msg, wParam, lParam);
    case WM_LBUTTONUP: return onMainPenUp(hwnd, msg, wParam, lParam);
    case WM_MOUSEMOVE: return onMainPenMove(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDBLCLK: SendMessageW(hwnd, WM_LBUTTONDOWN, wParam, lParam); return 0;
    case WM_TIMER:
        if (wParam == TIMER_DRAG_SCROLL) onDragScrollTimer(hwnd);
        if (wParam == TIMER_EDIT_BAR_TIP) onEditBarTipTimer(hwnd);
        return 0;
    case WM_COMMAND:
        // The item commands run for real; New List only leaves its trace.
        commands().push_back(LOWORD(wParam));
        if (LOWORD(wParam) != 40039) return dispatchCommand(hwnd, LOWORD(wParam), (HWND)lParam, HIWORD(wParam));
        return 0;
    default: return outline_test::testMainProc(hwnd, msg, wParam, lParam);
    }
}

class MoveTest : public outline_test::OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        SetWindowLongPtrW(hwndMain, GWLP_WNDPROC, (LONG_PTR)movingMainProc);
        commands().clear();
        bWarningMessage = 0;
        SetFocus(hwndMainTV);
        baseBeeps = device::beepCount();
    }

    void TearDown() override {
        device::headlessHost().setIdleDriver({});
        if (bDragging) endItemDrag();
        OutlineTest::TearDown();
    }

    // Shows the edit bar with the outline below it, as the layout does. The
    // main window draws the bar where it has a list-name box.
    void showEditBar() {
        bEditBarVisible = 1;
        if (!hwndListCombo)
            hwndListCombo = CreateWindowExW(0, u"combobox", u"", WS_CHILD | CBS_DROPDOWNLIST, 20, 0, 200, 100, hwndMain,
                                            (HMENU)(intptr_t)6000, nullptr, nullptr);
        RECT tree{};
        GetWindowRect(hwndMainTV, &tree);
        MoveWindow(hwndMainTV, 0, intListBarBottom + intListBarHeight, intWorkWidth, tree.bottom - tree.top, TRUE);
        updateMenus();
        device::runUntilIdle();
    }

    // Stores and loads a list written as "A(B,C),D": ids 1, 2, 3 ... in that
    // order, siblings ordered 1, 2, 3 ..., parents open.
    void rows(const std::string& shape) {
        begin();
        LONG next = 1;
        size_t at = 0;
        addLevel(shape, &at, 0, &next);
        commit();
        load();
    }

    void select(LONG id) {
        SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(id));
        updateMenus();
    }
    LONG selectedId() { return getItemId(hwndMainTV, treeSelection(hwndMainTV)); }

    // "id:order" of the live children of `parent`, by order.
    std::string children(LONG parent) {
        return column("SELECT longID || ':' || longOrder FROM '" + std::string(strCurrentList) +
                      "' WHERE longParentID=" + std::to_string(parent) + " AND longID > 0 ORDER BY longOrder;");
    }

    // --- the pen on the main window -------------------------------------------

    static POINT mainToScreen(int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwndMain, &p);
        return p;
    }
    // The centre of edit bar button `i` on the screen.
    static POINT buttonPoint(int i) {
        return mainToScreen(editBarButtonLeft(i, bHiRes) + editBarHitWidth(bHiRes) / 2,
                            intListBarBottom + intListBarHeight / 2);
    }
    static void penDownAt(POINT p) {
        device::penDown(p.x, p.y);
        device::runUntilIdle();
    }
    static void penMoveTo(POINT p) {
        device::penMove(p.x, p.y);
        device::runUntilIdle();
    }
    static void penUpAt(POINT p) {
        device::penUp(p.x, p.y);
        device::runUntilIdle();
        device::advanceClock(600);  // the next press is no double tap
    }
    static void tapButton(int i) {
        penDownAt(buttonPoint(i));
        penUpAt(buttonPoint(i));
    }

    // --- dragging outline items -------------------------------------------------

    // A point on the node's text, `fraction` of the way down (0 top, 1 bottom),
    // on the screen.
    static POINT onText(LONG id, double fraction, int dx = 4) {
        RECT rc = labelOf(byId(id));
        POINT p{rc.left + dx, rc.top + (LONG)((rc.bottom - rc.top) * fraction)};
        if (fraction >= 1.0) p.y = rc.bottom - 1;
        ClientToScreen(hwndMainTV, &p);
        return p;
    }
    // Presses on `from`, moves past the drag threshold and on to `to`; the
    // pen stays down.
    static void dragTo(POINT from, POINT to) {
        penDownAt(from);
        penMoveTo(POINT{from.x, from.y + (to.y >= from.y ? 8 : -8)});
        penMoveTo(to);
    }
    static void dragAndDrop(POINT from, POINT to) {
        dragTo(from, to);
        penUpAt(to);
    }

    int beeps() const { return device::beepCount() - baseBeeps; }

    // With QP_TEST_SHOTS set, the screen goes to that folder as a PNG, to be
    // looked at.
    static void shot(const std::string& name) {
        const char* folder = std::getenv("QP_TEST_SHOTS");
        if (folder) gdi::writePng(device::screenSurface(), std::string(folder) + "/" + name + ".png");
    }

    int baseBeeps = 0;

private:
    void addLevel(const std::string& shape, size_t* at, LONG parent, LONG* next) {
        LONG order = 1;
        while (*at < shape.size() && shape[*at] != ')') {
            std::string text;
            while (*at < shape.size() && shape[*at] != ',' && shape[*at] != '(' && shape[*at] != ')') text += shape[(*at)++];
            LONG id = (*next)++;
            bool parentItem = *at < shape.size() && shape[*at] == '(';
            addRow(id, parent, order++, text, 0, parentItem ? 1 : 0, parentItem ? 1 : 0);
            if (parentItem) {
                ++*at;
                addLevel(shape, at, id, next);
                ++*at;  // ')'
            }
            if (*at < shape.size() && shape[*at] == ',') ++*at;
        }
    }
};

}  // namespace move_test
