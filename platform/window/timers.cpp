// Timers on the device clock. A due timer becomes WM_TIMER only when the
// queue has nothing else, and at most one is pending per timer: a slow
// handler sees fewer ticks, never a burst.
#include <algorithm>
#include <vector>

#include "platform/system/device_clock.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"
#include "platform/window/wm_queue.h"

namespace wm {
namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    TIMERPROC proc = nullptr;
    uint64_t due = 0;
    uint64_t seq = 0;  // creation order breaks ties between equally due timers
};

struct TimerState {
    std::vector<Timer> timers;
    uint64_t nextSeq = 1;
    UINT_PTR nextThreadId = 0x7FFF0000;
};

TimerState& ts() {
    static TimerState s;
    return s;
}

constexpr UINT kMinimumPeriod = 10;

}  // namespace

bool takeDueTimer(HWND filter, bool remove, MSG& out) {
    uint64_t now = device::clockNowMs();
    Timer* best = nullptr;
    for (Timer& t : ts().timers) {
        if (t.due > now || !passesWindowFilter(t.hwnd, filter)) continue;
        if (!best || t.due < best->due || (t.due == best->due && t.seq < best->seq)) best = &t;
    }
    if (!best) return false;
    out = MSG{best->hwnd, WM_TIMER, (WPARAM)best->id, (LPARAM)best->proc, (DWORD)now, POINT{0, 0}};
    if (remove) best->due = now + best->period;
    return true;
}

std::optional<uint64_t> msUntilNextTimer() {
    auto& v = ts().timers;
    if (v.empty()) return std::nullopt;
    uint64_t now = device::clockNowMs();
    uint64_t due = std::min_element(v.begin(), v.end(), [](const Timer& a, const Timer& b) {
                       return a.due < b.due;
                   })->due;
    return due > now ? due - now : 0;
}

bool isTimerProc(LPARAM proc, HWND hwnd, UINT_PTR id) {
    for (const Timer& t : ts().timers) {
        if (t.hwnd == hwnd && t.id == id && (LPARAM)t.proc == proc) return true;
    }
    return false;
}

void killTimersOf(HWND hwnd) {
    auto& v = ts().timers;
    v.erase(std::remove_if(v.begin(), v.end(), [&](const Timer& t) { return t.hwnd == hwnd; }), v.end());
}

void resetTimers() {
    ts().timers.clear();
    ts().nextSeq = 1;
}

}  // namespace wm

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    if (hwnd && !wm::get(hwnd)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    auto& s = wm::ts();
    if (!hwnd) id = s.nextThreadId++;
    UINT period = std::max(elapseMs, wm::kMinimumPeriod);
    uint64_t due = device::clockNowMs() + period;
    for (wm::Timer& t : s.timers) {
        if (t.hwnd == hwnd && t.id == id) {  // resetting an existing timer restarts it
            t.period = period;
            t.proc = proc;
            t.due = due;
            return id ? id : 1;
        }
    }
    s.timers.push_back(wm::Timer{hwnd, id, period, proc, due, s.nextSeq++});
    return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
    auto& v = wm::ts().timers;
    auto it = std::find_if(v.begin(), v.end(), [&](const wm::Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == v.end()) {
        wm::fail(wm::kErrInvalidParameter);
        return FALSE;
    }
    v.erase(it);
    return TRUE;
}
