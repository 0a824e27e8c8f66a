// The message queue's internal interface: raw input waiting to be routed,
// timers and the idle step shared by GetMessageW, WaitMessage, the modal
// loop and the host helpers.
#pragma once

#include <cstdint>
#include <optional>

#include "winuser.h"

namespace wm {

// Pen and key events as the host injected them. They wait in the queue in
// order with posted messages and are routed (to the capture, the window under
// the pen, or the focus) only when the queue reaches them.
struct RawInput {
    enum Kind { kPenDown, kPenMove, kPenUp, kKeyDown, kKeyUp, kChar, kWheel } kind = kPenMove;
    POINT pt{};  // screen coordinates (pen, wheel)
    UINT code = 0;  // virtual key, character, or the wheel's turn (a signed delta)
    DWORD time = 0;
};

void postRaw(const RawInput& in);
// Turns a raw event into the message it becomes (false: it goes nowhere).
bool routeRawInput(const RawInput& in, MSG& out);
// Translation of a key to its character, from the key state (0: none).
WCHAR charForKey(UINT vk);

// Timers (timers.cpp).
// The first due timer whose window passes the filter; `remove` restarts it.
bool takeDueTimer(HWND filter, bool remove, MSG& out);
// Milliseconds until the next timer is due (nullopt: no timer).
std::optional<uint64_t> msUntilNextTimer();
bool isTimerProc(LPARAM proc, HWND hwnd, UINT_PTR id);

// One idle step: draws what the host must show, then waits for input or the
// next timer through the host. Returns false when nothing can ever arrive
// (the headless host with nothing to do): the caller then gets WM_QUIT.
// The filter is the caller's: messages it would not take don't end the wait.
bool idleWait(HWND filter, UINT filterMin, UINT filterMax);

// True when the window passes a GetMessage/PeekMessage window filter.
bool passesWindowFilter(HWND msgHwnd, HWND filter);
// Remembers the pen position for GetMessagePos.
void noteMessagePos(POINT pt);

}  // namespace wm
