// Shared pieces of the tree view tests: a parent window that records the
// notifications it gets (and answers them as a test asks), a tree inside it,
// and helpers to add items and tap as a person would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls/treeview/treeview_control.h"
#include "platform/controls/treeview/treeview_query.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace tvtest {

using Lines = std::vector<std::string>;

struct Parent {
    Lines log;                                   // notifications, one line each
    bool logCustomDraw = false;                  // NM_CUSTOMDRAW lines too
    std::map<UINT, LRESULT> answers;             // result per notification code
    std::map<DWORD, LRESULT> drawAnswers;        // result per custom-draw stage
    std::function<LRESULT(NMHDR*)> hook;         // runs first; -1 means "no opinion"
    std::map<HTREEITEM, std::string> names;
    std::vector<NMTVCUSTOMDRAW> draws;
    std::u16string lastEndText;                  // pszText of the last TVN_ENDLABELEDITW
    bool lastEndNull = false;
    POINT lastGesturePt{0, 0};

    std::string nameOf(HTREEITEM h) const;
    Lines take();
};

Parent& parent();

class TreeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible tree at (x, y) of the parent's client area.
    HWND makeTree(DWORD style, int x = 0, int y = 0, int w = 200, int h = 160);
    HTREEITEM add(HTREEITEM parentItem, const std::string& text, LPARAM param = 0,
                  HTREEITEM after = TVI_LAST, int children = -100);
    // Client point of the tree to the screen, then pen down and up.
    void tap(int x, int y);
    void penDownAt(int x, int y);
    void penMoveTo(int x, int y);
    void penUpAt(int x, int y);
    RECT itemRect(HTREEITEM item, bool textOnly);
    UINT hit(int x, int y, HTREEITEM* item = nullptr);
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(tree, msg, w, l); }
    std::u16string textOf(HTREEITEM item);
    UINT stateOf(HTREEITEM item);

    HWND top = nullptr;
    HWND tree = nullptr;
};

COLORREF screenPixel(int x, int y);

}  // namespace tvtest
