// The message queue: posting and retrieval order, quitting, paint and timer
// generation only when nothing else is queued, and key translation.
#include "wm_fixture.h"

using namespace wmtest;
using Lines = std::vector<std::string>;

namespace {

class Queue : public WindowTest {};

std::vector<UINT_PTR> procTicks;
VOID CALLBACK tickProc(HWND, UINT, UINT_PTR id, DWORD) { procTicks.push_back(id); }

}  // namespace

TEST_F(Queue, PostedMessagesComeInOrderAndPeekCanLeaveThem) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    device::runUntilIdle();  // the navigation bar's first paint
    PostMessageW(h, WM_USER, 1, 0);
    PostMessageW(h, WM_USER + 1, 2, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, (UINT)WM_USER);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));  // filtered past the first
    EXPECT_EQ(m.wParam, 2u);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageW((HWND)(uintptr_t)0x99990, WM_USER, 0, 0));
}

TEST_F(Queue, QuitComesAfterPostedMessagesWithItsCode) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    PostQuitMessage(3);
    PostMessageW(h, WM_USER, 0, 0);
    MSG m;
    EXPECT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, (UINT)WM_USER);
    EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, (UINT)WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_TRUE(device::headlessHost().quitCalled());
}

TEST_F(Queue, PaintWaitsForAnEmptyQueueAndComesOncePerWindow) {
    HWND a = makeTop("a", 0, 30, 50, 50, WS_VISIBLE);
    HWND b = makeTop("b", 100, 30, 50, 50, WS_VISIBLE);
    device::runUntilIdle();
    rec().take();
    InvalidateRect(a, nullptr, TRUE);
    InvalidateRect(a, nullptr, TRUE);
    InvalidateRect(b, nullptr, FALSE);
    PostMessageW(a, WM_USER, 0, 0);
    device::runUntilIdle();
    // b was created last, so it is above a in z-order and paints first; the
    // posted message comes before both.
    EXPECT_EQ(rec().take(), (Lines{"a:WM_USER", "b:WM_PAINT", "a:WM_PAINT", "a:WM_ERASEBKGND"}));
}

TEST_F(Queue, TimersFireOnTheVirtualClockInOrder) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    EXPECT_EQ(SetTimer(h, 1, 100, nullptr), 1u);
    EXPECT_EQ(SetTimer(h, 2, 250, nullptr), 2u);
    rec().take();
    device::advanceClock(99);
    EXPECT_TRUE(rec().take().empty());
    device::advanceClock(1);
    EXPECT_EQ(rec().take(), (Lines{"t:WM_TIMER(1)"}));
    device::advanceClock(200);
    EXPECT_EQ(rec().take(), (Lines{"t:WM_TIMER(1)", "t:WM_TIMER(2)", "t:WM_TIMER(1)"}));
    EXPECT_TRUE(KillTimer(h, 1));
    EXPECT_FALSE(KillTimer(h, 1));
    device::advanceClock(250);
    EXPECT_EQ(rec().take(), (Lines{"t:WM_TIMER(2)"}));
}

TEST_F(Queue, ResettingATimerRestartsItAndDestroyKillsIt) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    SetTimer(h, 6, 1000, nullptr);
    device::advanceClock(600);
    SetTimer(h, 6, 1000, nullptr);
    device::advanceClock(600);
    rec().take();
    device::advanceClock(400);
    EXPECT_EQ(rec().take(), (Lines{"t:WM_TIMER(6)"}));
    DestroyWindow(h);
    rec().take();
    device::advanceClock(5000);
    EXPECT_TRUE(rec().take().empty());
}

TEST_F(Queue, TimerProcIsCalledByDispatch) {
    procTicks.clear();
    UINT_PTR id = SetTimer(nullptr, 0, 50, tickProc);
    ASSERT_NE(id, 0u);
    device::advanceClock(120);
    EXPECT_EQ(procTicks, (std::vector<UINT_PTR>{id, id}));
    KillTimer(nullptr, id);
    // A forged WM_TIMER naming a procedure that is no timer's is not called.
    MSG fake{nullptr, WM_TIMER, 77, (LPARAM)tickProc, 0, {0, 0}};
    DispatchMessageW(&fake);
    EXPECT_EQ(procTicks.size(), 2u);
}

TEST_F(Queue, GetMessageLetsTimeRunToTheNextTimerWhenIdle) {
    HWND h = makeTop("t", 0, 30, 10, 10, 0);
    SetTimer(h, 1, 500, nullptr);
    device::runUntilIdle();
    uint64_t start = device::clockNowMs();
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, (UINT)WM_TIMER);
    EXPECT_EQ(device::clockNowMs() - start, 500u);
}

TEST_F(Queue, GetMessageQuitsWhenNothingCanEverHappen) {
    makeTop("t", 0, 30, 10, 10);
    device::runUntilIdle();
    MSG m;
    EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, (UINT)WM_QUIT);
}

TEST_F(Queue, FilteredGetMessageWaitsForItsOwnMessagesAndAlwaysSeesQuit) {
    HWND a = makeTop("a", 0, 30, 10, 10, 0);
    HWND b = makeTop("b", 0, 30, 10, 10, 0);
    device::runUntilIdle();
    PostMessageW(b, WM_USER, 0, 0);
    SetTimer(a, 3, 100, nullptr);
    uint64_t start = device::clockNowMs();
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, a, 0, 0));  // b's message does not count
    EXPECT_EQ(m.hwnd, a);
    EXPECT_EQ(m.message, (UINT)WM_TIMER);
    EXPECT_EQ(device::clockNowMs() - start, 100u);
    KillTimer(a, 3);
    PostQuitMessage(9);
    EXPECT_FALSE(GetMessageW(&m, a, WM_KEYFIRST, WM_KEYLAST));
    EXPECT_EQ(m.wParam, 9u);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, b);
}

TEST_F(Queue, IdleDriverFeedsTheLoop) {
    HWND h = makeTop("t", 0, 30, 10, 10, WS_VISIBLE);
    int steps = 0;
    device::headlessHost().setIdleDriver([&] {
        if (steps++ == 0) {
            PostMessageW(h, WM_USER, 0, 0);
            return true;
        }
        return false;
    });
    MSG m;
    int users = 0;
    while (GetMessageW(&m, nullptr, 0, 0)) users += m.message == WM_USER, DispatchMessageW(&m);
    EXPECT_EQ(users, 1);
    EXPECT_EQ(steps, 2);
}

TEST_F(Queue, TranslateMessageMakesCharactersFromKeys) {
    HWND h = makeTop("t", 0, 30, 10, 10, WS_VISIBLE);
    SetFocus(h);
    device::runUntilIdle();
    rec().take();
    device::keyDown('A');
    device::keyUp('A');
    device::keyDown(VK_SHIFT);
    device::keyDown('2');
    device::keyUp('2');
    device::keyUp(VK_SHIFT);
    device::keyDown(VK_LEFT);  // not a character
    device::keyDown(VK_RETURN);
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"t:WM_KEYDOWN(65)", "t:WM_CHAR(a)", "t:WM_KEYUP(65)", "t:WM_KEYDOWN(16)",
                                   "t:WM_KEYDOWN(50)", "t:WM_CHAR(@)", "t:WM_KEYUP(50)", "t:WM_KEYUP(16)",
                                   "t:WM_KEYDOWN(37)", "t:WM_KEYDOWN(13)", "t:WM_CHAR(\r)"}));
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_NE(GetKeyState(VK_LEFT) & 0x8000, 0);
}

TEST_F(Queue, TypedCharactersGoToTheFocus) {
    HWND top = makeTop("t", 0, 30, 100, 100, WS_VISIBLE);
    HWND edit = makeChild(top, "e", 1, 0, 0, 50, 20);
    SetFocus(edit);
    device::runUntilIdle();
    rec().take();
    device::typeChar(u'x');
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"e:WM_CHAR(x)"}));
}
