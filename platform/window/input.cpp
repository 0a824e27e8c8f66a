// Routing of injected pen and key events, the key state, and the translation
// of keys to characters (a US keyboard layout).
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/system/device_clock.h"
#include "platform/window/input.h"
#include "platform/window/wm_internal.h"
#include "platform/window/wm_queue.h"

namespace wm {
namespace {

struct InputState {
    BYTE keys[256] = {};  // 0x80 down, 0x01 toggled
    device::PenDownInfo pen;
    HWND lastClickHwnd = nullptr;
    uint64_t lastClickTime = 0;
    POINT lastClickPt{};
    bool lastWasDouble = false;
};

InputState& is() {
    static InputState s;
    return s;
}

void queue(RawInput::Kind kind, POINT pt, UINT code) {
    RawInput in;
    in.kind = kind;
    in.pt = pt;
    in.code = code;
    in.time = (DWORD)device::clockNowMs();
    postRaw(in);
}

bool disabledChain(const Window* w) {
    for (const Window* a = w; a; a = a->parent) {
        if (a->style & WS_DISABLED) return true;
    }
    return false;
}

void setKey(UINT vk, bool down) {
    BYTE& k = is().keys[vk & 0xFF];
    if (down && !(k & 0x80)) k ^= 0x01;
    k = (BYTE)(down ? (k | 0x80) : (k & ~0x80));
    // The generic shift and control keys follow their left and right keys.
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) setKey(VK_SHIFT, down);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) setKey(VK_CONTROL, down);
    if (vk == VK_LMENU || vk == VK_RMENU) setKey(VK_MENU, down);
}

bool routePen(const RawInput& in, MSG& out) {
    InputState& s = is();
    noteMessagePos(in.pt);
    if (in.kind == RawInput::kPenDown) setKey(VK_LBUTTON, true);
    if (in.kind == RawInput::kPenUp) setKey(VK_LBUTTON, false);
    Window* target = get(captureWindow());
    LRESULT hit = HTCLIENT;
    // A window that answers HTTRANSPARENT (a group box) lets the pen through
    // to the windows under it.
    std::vector<Window*> passedOver;
    while (!target) {
        target = windowAt(desktop(), in.pt, &passedOver);
        if (!target || target == desktop()) return false;
        if (disabledChain(target)) return false;
        if (in.kind == RawInput::kPenDown) {
            Window* top = topLevelOf(target);
            if (top && !top->platformOwned && !top->noActivate && activeWindow() != top->hwnd) {
                HWND h = target->hwnd;
                activate(top, WA_CLICKACTIVE);
                target = get(h);
                if (!target) return false;
            }
        }
        hit = send(target, WM_NCHITTEST, 0, MAKELPARAM(in.pt.x, in.pt.y));
        if (!(target = get(target->hwnd))) return false;
        if (hit == HTTRANSPARENT && passedOver.size() < 16) {
            passedOver.push_back(target);
            target = nullptr;
            continue;
        }
        if (hit == HTNOWHERE || hit == HTERROR || hit == HTTRANSPARENT) return false;
    }
    UINT msg = WM_MOUSEMOVE;
    WPARAM keys = (s.keys[VK_LBUTTON] & 0x80) ? MK_LBUTTON : 0;
    if (s.keys[VK_SHIFT] & 0x80) keys |= MK_SHIFT;
    if (s.keys[VK_CONTROL] & 0x80) keys |= MK_CONTROL;
    if (in.kind == RawInput::kPenDown) {
        msg = WM_LBUTTONDOWN;
        int dx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, dy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        bool isDouble = (target->cls->style & CS_DBLCLKS) && !s.lastWasDouble && s.lastClickHwnd == target->hwnd &&
                        in.time - s.lastClickTime <= GetDoubleClickTime() &&
                        std::abs(in.pt.x - s.lastClickPt.x) <= dx && std::abs(in.pt.y - s.lastClickPt.y) <= dy;
        if (isDouble) msg = WM_LBUTTONDBLCLK;
        s.lastWasDouble = isDouble;
        s.lastClickHwnd = target->hwnd;
        s.lastClickTime = in.time;
        s.lastClickPt = in.pt;
        s.pen = device::PenDownInfo{true, in.pt, in.time, target->hwnd};
    } else if (in.kind == RawInput::kPenUp) {
        msg = WM_LBUTTONUP;
        s.pen.down = false;
    }
    if (hit != HTCLIENT) {
        UINT nc = msg == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                  : msg == WM_LBUTTONDBLCLK ? WM_NCLBUTTONDBLCLK
                  : msg == WM_LBUTTONUP ? WM_NCLBUTTONUP : WM_NCMOUSEMOVE;
        out = MSG{target->hwnd, nc, (WPARAM)hit, MAKELPARAM(in.pt.x, in.pt.y), in.time, in.pt};
        return true;
    }
    POINT origin = clientOriginOnScreen(target);
    out = MSG{target->hwnd, msg, keys, MAKELPARAM(in.pt.x - origin.x, in.pt.y - origin.y), in.time, in.pt};
    return true;
}

bool routeWheel(const RawInput& in, MSG& out) {
    InputState& s = is();
    noteMessagePos(in.pt);
    Window* target = windowAt(desktop(), in.pt);
    if (!target || target == desktop() || disabledChain(target)) return false;
    WPARAM keys = (s.keys[VK_LBUTTON] & 0x80) ? MK_LBUTTON : 0;
    if (s.keys[VK_SHIFT] & 0x80) keys |= MK_SHIFT;
    if (s.keys[VK_CONTROL] & 0x80) keys |= MK_CONTROL;
    // The point stays in screen coordinates, as for every WM_MOUSEWHEEL.
    out = MSG{target->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(keys, (WORD)(short)(int)in.code),
              MAKELPARAM(in.pt.x, in.pt.y), in.time, in.pt};
    return true;
}

}  // namespace

bool routeRawInput(const RawInput& in, MSG& out) {
    if (in.kind == RawInput::kWheel) return routeWheel(in, out);
    if (in.kind == RawInput::kPenDown || in.kind == RawInput::kPenMove || in.kind == RawInput::kPenUp)
        return routePen(in, out);
    InputState& s = is();
    HWND target = GetFocus();
    if (!target) target = GetActiveWindow();
    if (in.kind == RawInput::kKeyDown) {
        bool wasDown = (s.keys[in.code & 0xFF] & 0x80) != 0;
        setKey(in.code, true);
        if (!target) return false;
        out = MSG{target, WM_KEYDOWN, (WPARAM)in.code, (LPARAM)(1 | (wasDown ? 1L << 30 : 0)), in.time, s.pen.screenPt};
        return true;
    }
    if (in.kind == RawInput::kKeyUp) {
        setKey(in.code, false);
        if (!target) return false;
        out = MSG{target, WM_KEYUP, (WPARAM)in.code, (LPARAM)(1 | (1L << 30) | (1L << 31)), in.time, s.pen.screenPt};
        return true;
    }
    if (!target) return false;
    out = MSG{target, WM_CHAR, (WPARAM)in.code, 1, in.time, s.pen.screenPt};
    return true;
}

WCHAR charForKey(UINT vk) {
    const BYTE* k = is().keys;
    bool shift = (k[VK_SHIFT] & 0x80) != 0;
    bool ctrl = (k[VK_CONTROL] & 0x80) != 0;
    bool caps = (k[VK_CAPITAL] & 0x01) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return (WCHAR)(vk - 'A' + 1);
        return (WCHAR)((shift != caps) ? vk : vk + 32);
    }
    if (ctrl) return 0;
    if (vk >= '0' && vk <= '9') return shift ? (WCHAR)u")!@#$%^&*("[vk - '0'] : (WCHAR)vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return (WCHAR)(u'0' + (vk - VK_NUMPAD0));
    switch (vk) {
        case VK_SPACE: return u' ';
        case VK_RETURN: return u'\r';
        case VK_BACK: return 0x08;
        case VK_TAB: return u'\t';
        case VK_ESCAPE: return 0x1B;
        case VK_MULTIPLY: return u'*';
        case VK_ADD: return u'+';
        case VK_SUBTRACT: return u'-';
        case VK_DECIMAL: return u'.';
        case VK_DIVIDE: return u'/';
        case VK_OEM_1: return shift ? u':' : u';';
        case VK_OEM_PLUS: return shift ? u'+' : u'=';
        case VK_OEM_COMMA: return shift ? u'<' : u',';
        case VK_OEM_MINUS: return shift ? u'_' : u'-';
        case VK_OEM_PERIOD: return shift ? u'>' : u'.';
        case VK_OEM_2: return shift ? u'?' : u'/';
        case VK_OEM_3: return shift ? u'~' : u'`';
        case VK_OEM_4: return shift ? u'{' : u'[';
        case VK_OEM_5: return shift ? u'|' : u'\\';
        case VK_OEM_6: return shift ? u'}' : u']';
        case VK_OEM_7: return shift ? u'"' : u'\'';
    }
    return 0;
}

void resetInput() { is() = InputState{}; }

}  // namespace wm

namespace device {

void penDown(int x, int y) { wm::queue(wm::RawInput::kPenDown, POINT{x, y}, 0); }
void penMove(int x, int y) { wm::queue(wm::RawInput::kPenMove, POINT{x, y}, 0); }
void penUp(int x, int y) { wm::queue(wm::RawInput::kPenUp, POINT{x, y}, 0); }
void keyDown(unsigned vk) { wm::queue(wm::RawInput::kKeyDown, POINT{0, 0}, vk & 0xFF); }
void keyUp(unsigned vk) { wm::queue(wm::RawInput::kKeyUp, POINT{0, 0}, vk & 0xFF); }
void typeChar(char16_t ch) { wm::queue(wm::RawInput::kChar, POINT{0, 0}, ch); }
void wheel(int x, int y, int notches) {
    int delta = std::clamp(notches, -273, 273) * WHEEL_DELTA;  // within a short
    wm::queue(wm::RawInput::kWheel, POINT{x, y}, (UINT)delta);
}
PenDownInfo lastPenDown() { return wm::is().pen; }

void passPenDownOn(HWND spent) {
    wm::InputState& s = wm::is();
    if (!s.pen.down) return;
    HWND under = WindowFromPoint(s.pen.screenPt);
    if (!under || under == spent || IsChild(spent, under)) return;
    wm::RawInput in;
    in.kind = wm::RawInput::kPenDown;
    in.pt = s.pen.screenPt;
    in.time = (DWORD)s.pen.timeMs;
    s.lastClickHwnd = nullptr;  // the same pen down is no second tap
    MSG m;
    if (wm::routePen(in, m)) DispatchMessageW(&m);
}

}  // namespace device

SHORT WINAPI GetKeyState(int vk) {
    BYTE k = wm::is().keys[vk & 0xFF];
    return (SHORT)(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT WINAPI GetAsyncKeyState(int vk) { return (SHORT)((wm::is().keys[vk & 0xFF] & 0x80) ? 0x8000 : 0); }

UINT WINAPI GetDoubleClickTime() { return 500; }
