// The message queue: sending (direct calls), posting, retrieval with the
// order the device uses (posted messages and input, then WM_QUIT, then
// WM_PAINT, then WM_TIMER), dispatching and key translation.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "platform/system/device_clock.h"
#include "platform/window/host_port.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"
#include "platform/window/wm_queue.h"

namespace wm {
namespace {

struct Entry {
    MSG msg{};
    bool raw = false;
    RawInput input;
};

struct QueueState {
    std::deque<Entry> entries;
    bool quitPending = false;
    int quitCode = 0;
    DWORD lastTime = 0;
    POINT lastPos{};
};

QueueState& q() {
    static QueueState s;
    return s;
}

DWORD nowTime() { return (DWORD)device::clockNowMs(); }

bool passesRange(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

bool takePosted(MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove) {
    auto& e = q().entries;
    for (size_t i = 0; i < e.size();) {
        if (e[i].raw) {
            MSG m{};
            RawInput in = e[i].input;
            if (!routeRawInput(in, m)) {
                e.erase(e.begin() + (long)i);
                continue;
            }
            e[i].raw = false;
            e[i].msg = m;
        }
        const MSG& m = e[i].msg;
        if (passesWindowFilter(m.hwnd, hwnd) && passesRange(m.message, lo, hi)) {
            *out = m;
            if (remove) e.erase(e.begin() + (long)i);
            return true;
        }
        ++i;
    }
    return false;
}

bool peek(MSG* out, HWND hwnd, UINT lo, UINT hi, UINT flags) {
    bool remove = (flags & PM_REMOVE) != 0;
    QueueState& s = q();
    if (takePosted(out, hwnd, lo, hi, remove)) return true;
    // WM_QUIT comes through whatever filter the caller set, so a filtered
    // loop still ends.
    if (s.quitPending) {
        *out = MSG{nullptr, WM_QUIT, (WPARAM)s.quitCode, 0, nowTime(), s.lastPos};
        if (remove) s.quitPending = false;
        return true;
    }
    if (passesRange(WM_PAINT, lo, hi)) {
        if (Window* w = nextWindowToPaint(hwnd)) {
            *out = MSG{w->hwnd, WM_PAINT, 0, 0, nowTime(), s.lastPos};
            return true;
        }
    }
    if (passesRange(WM_TIMER, lo, hi) && takeDueTimer(hwnd, remove, *out)) return true;
    return false;
}

}  // namespace

bool passesWindowFilter(HWND msgHwnd, HWND filter) {
    if (!filter) return true;
    if (filter == (HWND)(LONG_PTR)-1) return msgHwnd == nullptr;
    return msgHwnd == filter || IsChild(filter, msgHwnd);
}

void postRaw(const RawInput& in) {
    Entry e;
    e.raw = true;
    e.input = in;
    q().entries.push_back(e);
}

void removeMessagesFor(HWND hwnd) {
    auto& e = q().entries;
    for (size_t i = 0; i < e.size();) {
        if (!e[i].raw && e[i].msg.hwnd == hwnd) e.erase(e.begin() + (long)i); else ++i;
    }
}

void resetQueue() {
    QueueState& s = q();
    s.entries.clear();
    s.quitPending = false;
    s.quitCode = 0;
}

// QP_TRACE=window (or "all") in the environment prints every message a
// window procedure receives, indented by nesting depth.
static bool tracing() {
    static const bool on = [] {
        const char* t = std::getenv("QP_TRACE");
        return t && (std::strstr(t, "window") || std::strstr(t, "all"));
    }();
    return on;
}

LRESULT send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!w || w->destroyed || !w->proc) return 0;
    static int depth = 0;
    if (tracing()) {
        std::string cls(w->cls->name.begin(), w->cls->name.end());
        std::fprintf(stderr, "%*s%p %s msg=0x%04x wp=0x%zx lp=0x%zx\n", depth * 2, "", (void*)w->hwnd, cls.c_str(),
                     msg, (size_t)wParam, (size_t)lParam);
    }
    ++depth;
    enterProc();
    LRESULT r = w->proc(w->hwnd, msg, wParam, lParam);
    leaveProc();
    --depth;
    return r;
}

}  // namespace wm

using wm::Window;

LRESULT WINAPI SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        std::vector<HWND> tops;
        for (Window* w = wm::desktop()->firstChild; w; w = w->next) tops.push_back(w->hwnd);
        for (HWND h : tops) wm::send(wm::get(h), msg, wParam, lParam);
        return 0;
    }
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    return wm::send(w, msg, wParam, lParam);
}

BOOL WINAPI PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        for (Window* w = wm::desktop()->firstChild; w; w = w->next) PostMessageW(w->hwnd, msg, wParam, lParam);
        return TRUE;
    }
    if (hwnd && !wm::get(hwnd)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    wm::Entry e;
    e.msg = MSG{hwnd, msg, wParam, lParam, wm::nowTime(), wm::q().lastPos};
    wm::q().entries.push_back(e);
    return TRUE;
}

BOOL WINAPI PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg) return FALSE;
    if (!wm::peek(msg, hwnd, filterMin, filterMax, removeFlags)) return FALSE;
    wm::q().lastTime = msg->time;
    return TRUE;
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg) {
        wm::fail(wm::kErrInvalidParameter);
        return -1;
    }
    for (;;) {
        if (PeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
            if (msg->message != WM_QUIT) return TRUE;
            if (wm::modalDepth() == 0) device::currentHost()->quit((int)msg->wParam);
            return FALSE;
        }
        if (!wm::idleWait(hwnd, filterMin, filterMax)) PostQuitMessage(0);
    }
}

BOOL WINAPI WaitMessage() {
    MSG m;
    if (wm::peek(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    if (!wm::idleWait(nullptr, 0, 0)) PostQuitMessage(0);
    return TRUE;
}

VOID WINAPI PostQuitMessage(int exitCode) {
    wm::q().quitPending = true;
    wm::q().quitCode = exitCode;
}

DWORD WINAPI GetMessagePos() {
    const POINT& p = wm::q().lastPos;
    return (DWORD)MAKELONG((WORD)(SHORT)p.x, (WORD)(SHORT)p.y);
}

LONG WINAPI GetMessageTime() { return (LONG)wm::q().lastTime; }

namespace wm {
void noteMessagePos(POINT pt) { q().lastPos = pt; }
}  // namespace wm

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    WCHAR ch = wm::charForKey((UINT)msg->wParam);
    if (!ch) return FALSE;
    // The character goes to the front of the queue, so it follows its key at once.
    wm::Entry e;
    e.msg = MSG{msg->hwnd, WM_CHAR, (WPARAM)ch, msg->lParam, msg->time, msg->pt};
    wm::q().entries.push_front(e);
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        if (!wm::isTimerProc(msg->lParam, msg->hwnd, (UINT_PTR)msg->wParam)) return 0;
        wm::enterProc();
        ((TIMERPROC)msg->lParam)(msg->hwnd, WM_TIMER, (UINT_PTR)msg->wParam, (DWORD)wm::nowTime());
        wm::leaveProc();
        return 0;
    }
    Window* w = wm::get(msg->hwnd);
    if (!w) return 0;
    if (msg->message != WM_PAINT) return wm::send(w, msg->message, msg->wParam, msg->lParam);
    // A window procedure that ignores WM_PAINT would be asked again forever;
    // the device validates what it left untouched.
    HWND h = w->hwnd;
    gdi::Region before = w->update;
    LRESULT r = wm::send(w, WM_PAINT, 0, 0);
    w = wm::get(h);
    if (w && w->update == before) wm::clearUpdate(w);
    return r;
}
