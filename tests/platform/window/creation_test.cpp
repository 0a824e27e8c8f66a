// Creation and destruction order, the tree calls, window longs, subclassing
// and window text.
#include "wm_fixture.h"

using namespace wmtest;
using Lines = std::vector<std::string>;

namespace {

class Creation : public WindowTest {};

int createRefusals = 0;
LRESULT CALLBACK refuseCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    rec().record(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        ++createRefusals;
        return -1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

CREATESTRUCTW seenCreate;
LRESULT CALLBACK keepCreateStruct(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) seenCreate = *(CREATESTRUCTW*)lParam;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

WNDPROC previousProc = nullptr;
int subclassSeen = 0;
LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        ++subclassSeen;
        return 42;  // handled here, the original never sees it
    }
    return CallWindowProcW(previousProc, hwnd, msg, wParam, lParam);
}

}  // namespace

TEST_F(Creation, VisibleChildGetsTheCreationSequenceInOrder) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    rec().take();
    HWND child = makeChild(top, "child", 7, 10, 20, 50, 40);
    ASSERT_TRUE(child);
    EXPECT_EQ(rec().take(), (Lines{"child:WM_NCCREATE", "child:WM_CREATE", "child:WM_SIZE", "child:WM_MOVE",
                                   "child:WM_SHOWWINDOW(1)"}));
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    EXPECT_EQ(GetDlgItem(top, 7), child);
    EXPECT_TRUE(IsChild(top, child));
}

TEST_F(Creation, CreateStructCarriesTheArguments) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = keepCreateStruct;
    wc.lpszClassName = u"keepcs";
    ASSERT_TRUE(RegisterClassW(&wc));
    int param = 5;
    HWND h = CreateWindowExW(WS_EX_TOPMOST, u"keepcs", u"Title", WS_POPUP, 3, 40, 50, 60, nullptr, nullptr, nullptr,
                             &param);
    ASSERT_TRUE(h);
    EXPECT_EQ(seenCreate.lpCreateParams, &param);
    EXPECT_EQ(seenCreate.x, 3);
    EXPECT_EQ(seenCreate.y, 40);
    EXPECT_EQ(seenCreate.cx, 50);
    EXPECT_EQ(seenCreate.cy, 60);
    EXPECT_EQ(seenCreate.dwExStyle, (DWORD)WS_EX_TOPMOST);
    WCHAR text[16];
    EXPECT_EQ(GetWindowTextW(h, text, 16), 5);
    EXPECT_EQ(std::u16string(text), u"Title");
    WCHAR cls[16];
    EXPECT_EQ(GetClassNameW(h, cls, 16), 6);
    EXPECT_EQ(std::u16string(cls), u"keepcs");
}

TEST_F(Creation, DestroyingSendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND top = makeTop("top", 0, 30, 200, 200, 0);
    HWND a = makeChild(top, "a", 1, 0, 0, 10, 10);
    makeChild(a, "a1", 2, 0, 0, 5, 5);
    makeChild(top, "b", 3, 20, 0, 10, 10);
    rec().take();
    ASSERT_TRUE(DestroyWindow(top));
    // Children go in z-order, which is their creation order: a before b.
    EXPECT_EQ(rec().take(), (Lines{"top:WM_DESTROY", "a:WM_DESTROY", "a1:WM_DESTROY", "b:WM_DESTROY",
                                   "a1:WM_NCDESTROY", "a:WM_NCDESTROY", "b:WM_NCDESTROY", "top:WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(DestroyWindow(top));
}

TEST_F(Creation, RefusedCreationDestroysTheWindowAndFails) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = refuseCreate;
    wc.lpszClassName = u"refuse";
    ASSERT_TRUE(RegisterClassW(&wc));
    rec().pending = "r";
    HWND h = CreateWindowExW(0, u"refuse", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(rec().take(), (Lines{"r:WM_NCCREATE", "r:WM_CREATE", "r:WM_DESTROY", "r:WM_NCDESTROY"}));
    EXPECT_TRUE(UnregisterClassW(u"refuse", nullptr));  // no window of the class is left
}

TEST_F(Creation, BadArgumentsFailCleanly) {
    EXPECT_EQ(CreateWindowExW(0, u"no such class", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowExW(0, u"rec", u"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateWindowExW(0, u"rec", u"", WS_CHILD, 0, 0, 1, 1, (HWND)(uintptr_t)0x12344, nullptr, nullptr,
                              nullptr),
              nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = recordProc;
    wc.lpszClassName = u"REC";  // class names ignore case
    EXPECT_EQ(RegisterClassW(&wc), 0);
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_EQ(GetWindowLongW((HWND)(uintptr_t)0x4444, GWL_STYLE), 0);
    EXPECT_EQ(GetWindow(nullptr, GW_CHILD), nullptr);
}

TEST_F(Creation, ClassInUseCannotBeUnregistered) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    EXPECT_FALSE(UnregisterClassW(u"rec", nullptr));
    DestroyWindow(h);
    EXPECT_TRUE(UnregisterClassW(u"rec", nullptr));
}

TEST_F(Creation, GetWindowWalksSiblingsInZOrder) {
    HWND top = makeTop("top", 0, 30, 100, 100, 0);
    HWND a = makeChild(top, "a", 1, 0, 0, 10, 10);
    HWND b = makeChild(top, "b", 2, 0, 0, 10, 10);
    HWND c = makeChild(top, "c", 3, 0, 0, 10, 10);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);  // children keep their creation order
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
    ASSERT_TRUE(SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
    ASSERT_TRUE(SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    // A new top-level window still comes to the top of its band.
    HWND second = makeTop("second", 0, 30, 50, 50, 0);
    EXPECT_EQ(GetWindow(top, GW_HWNDPREV), second);
    ASSERT_TRUE(SetWindowPos(a, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    EXPECT_TRUE(device::windowTreeConsistent());
}

TEST_F(Creation, TopmostWindowsStayAboveOthers) {
    HWND normal = makeTop("n", 0, 30, 10, 10, 0);
    HWND pinned = makeTop("p", 0, 30, 10, 10, 0);
    ASSERT_TRUE(SetWindowPos(pinned, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    HWND later = makeTop("l", 0, 30, 10, 10, 0);
    EXPECT_TRUE(GetWindowLongW(pinned, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // A new normal window goes to the top of the normal band, under the topmost ones.
    HWND w = GetWindow(later, GW_HWNDPREV);
    bool pinnedAbove = false;
    for (; w; w = GetWindow(w, GW_HWNDPREV)) pinnedAbove |= w == pinned;
    EXPECT_TRUE(pinnedAbove);
    EXPECT_EQ(GetWindow(later, GW_HWNDNEXT), normal);
    EXPECT_TRUE(device::windowTreeConsistent());
}

TEST_F(Creation, OwnedPopupIsDestroyedWithItsOwner) {
    HWND owner = makeTop("owner", 0, 30, 100, 100, 0);
    rec().pending = "popup";
    HWND popup = CreateWindowExW(0, u"rec", u"", WS_POPUP, 0, 30, 10, 10, owner, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetParent(popup), owner);
    rec().take();
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(rec().take(), (Lines{"popup:WM_DESTROY", "popup:WM_NCDESTROY", "owner:WM_DESTROY", "owner:WM_NCDESTROY"}));
}

TEST_F(Creation, FindWindowMatchesClassAndTitle) {
    HWND a = CreateWindowExW(0, u"rec", u"Quill", WS_POPUP, 0, 30, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExW(0, u"recdbl", u"Quill", WS_POPUP, 0, 30, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindWindowW(u"REC", u"Quill"), a);
    EXPECT_EQ(FindWindowW(u"recdbl", nullptr), b);
    EXPECT_EQ(FindWindowW(u"rec", u"quill"), nullptr);  // titles are compared exactly
    EXPECT_EQ(FindWindowW(u"unknown", nullptr), nullptr);
}

TEST_F(Creation, SubclassingThroughTheWindowProcedure) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    previousProc = (WNDPROC)SetWindowLongW(h, GWL_WNDPROC, (LONG_PTR)subclassProc);
    EXPECT_EQ(previousProc, recordProc);
    rec().take();
    EXPECT_EQ(SendMessageW(h, WM_USER, 0, 0), 42);
    EXPECT_EQ(subclassSeen, 1);
    SendMessageW(h, WM_USER + 1, 0, 0);  // passed on to the original procedure
    EXPECT_EQ(rec().take(), (Lines{"t:WM_USER+1"}));
    EXPECT_EQ((WNDPROC)GetWindowLongW(h, GWL_WNDPROC), subclassProc);
}

TEST_F(Creation, WindowLongsAndExtraBytes) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = u"dlgish";
    ASSERT_TRUE(RegisterClassW(&wc));
    HWND h = CreateWindowExW(0, u"dlgish", u"", WS_POPUP, 0, 30, 10, 10, nullptr, nullptr, nullptr, nullptr);
    int marker = 0;
    SetWindowLongW(h, DWL_MSGRESULT, 11);
    SetWindowLongW(h, DWL_DLGPROC, (LONG_PTR)&marker);
    SetWindowLongW(h, DWL_USER, -3);
    EXPECT_EQ(GetWindowLongW(h, DWL_MSGRESULT), 11);
    EXPECT_EQ(GetWindowLongW(h, DWL_DLGPROC), (LONG_PTR)&marker);  // pointers survive whole
    EXPECT_EQ(GetWindowLongW(h, DWL_USER), -3);
    EXPECT_EQ(GetWindowLongW(h, DLGWINDOWEXTRA), 0);  // past the extra bytes
    EXPECT_EQ(SetWindowLongW(h, GWL_USERDATA, 99), 0);
    EXPECT_EQ(GetWindowLongW(h, GWL_USERDATA), 99);
    SetWindowLongW(h, GWL_STYLE, WS_POPUP | WS_BORDER | WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(h));  // visibility changes only through ShowWindow
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_BORDER);
}

TEST_F(Creation, WindowTextRoundTripsAndTruncates) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    EXPECT_TRUE(SetWindowTextW(h, u"Groceries"));
    EXPECT_EQ(GetWindowTextLengthW(h), 9);
    WCHAR buf[5];
    EXPECT_EQ(GetWindowTextW(h, buf, 5), 4);
    EXPECT_EQ(std::u16string(buf), u"Groc");
    EXPECT_TRUE(SetWindowTextW(h, nullptr));
    EXPECT_EQ(GetWindowTextLengthW(h), 0);
}

TEST_F(Creation, SetParentMovesTheWindowBetweenParents) {
    HWND p1 = makeTop("p1", 0, 30, 100, 100, 0);
    HWND p2 = makeTop("p2", 0, 30, 100, 100, 0);
    HWND c = makeChild(p1, "c", 1, 0, 0, 10, 10);
    EXPECT_EQ(SetParent(c, p2), p1);
    EXPECT_EQ(GetParent(c), p2);
    EXPECT_EQ(GetWindow(p1, GW_CHILD), nullptr);
    EXPECT_EQ(SetParent(p2, c), nullptr);  // a window can't go under its own child
    EXPECT_TRUE(device::windowTreeConsistent());
}

TEST_F(Creation, DestroyFromInsideItsOwnHandlerIsSafe) {
    struct Local {
        static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_USER) {
                DestroyWindow(h);
                return GetWindowLongW(h, GWL_STYLE);  // a stale handle: fails, no crash
            }
            return DefWindowProcW(h, m, w, l);
        }
    };
    WNDCLASSW wc{};
    wc.lpfnWndProc = Local::proc;
    wc.lpszClassName = u"selfdestroy";
    ASSERT_TRUE(RegisterClassW(&wc));
    HWND h = CreateWindowExW(0, u"selfdestroy", u"", WS_POPUP | WS_VISIBLE, 0, 30, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    PostMessageW(h, WM_USER, 0, 0);
    device::runUntilIdle();
    EXPECT_FALSE(IsWindow(h));
}
