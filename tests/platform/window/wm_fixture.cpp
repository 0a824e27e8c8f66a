#include "wm_fixture.h"

namespace wmtest {

std::string messageName(UINT msg) {
    switch (msg) {
        case WM_CREATE: return "WM_CREATE";
        case WM_DESTROY: return "WM_DESTROY";
        case WM_MOVE: return "WM_MOVE";
        case WM_SIZE: return "WM_SIZE";
        case WM_ACTIVATE: return "WM_ACTIVATE";
        case WM_SETFOCUS: return "WM_SETFOCUS";
        case WM_KILLFOCUS: return "WM_KILLFOCUS";
        case WM_ENABLE: return "WM_ENABLE";
        case WM_SETTEXT: return "WM_SETTEXT";
        case WM_PAINT: return "WM_PAINT";
        case WM_CLOSE: return "WM_CLOSE";
        case WM_ERASEBKGND: return "WM_ERASEBKGND";
        case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
        case WM_NCCREATE: return "WM_NCCREATE";
        case WM_NCDESTROY: return "WM_NCDESTROY";
        case WM_NCPAINT: return "WM_NCPAINT";
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_CHAR: return "WM_CHAR";
        case WM_COMMAND: return "WM_COMMAND";
        case WM_TIMER: return "WM_TIMER";
        case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
        case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP: return "WM_LBUTTONUP";
        case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
        case WM_NCLBUTTONDOWN: return "WM_NCLBUTTONDOWN";
        case WM_CAPTURECHANGED: return "WM_CAPTURECHANGED";
        case WM_USER: return "WM_USER";
        case WM_USER + 1: return "WM_USER+1";
        default: return "";
    }
}

std::string Recorder::nameOf(HWND h) const {
    if (!h) return "0";
    auto it = names.find(h);
    return it == names.end() ? "?" : it->second;
}

void Recorder::record(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!pending.empty() && !names.count(h)) {
        names[h] = pending;
        pending.clear();
    }
    std::string n = messageName(msg);
    if (n.empty()) return;
    std::string line = nameOf(h) + ":" + n;
    bool params = withParams;
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) line += "(" + nameOf((HWND)wParam) + ")";
    if (msg == WM_ACTIVATE) line += "(" + std::to_string(LOWORD(wParam)) + "," + nameOf((HWND)lParam) + ")";
    if (msg == WM_SHOWWINDOW || msg == WM_ENABLE) line += "(" + std::to_string(wParam) + ")";
    if (msg == WM_TIMER || msg == WM_KEYDOWN || msg == WM_KEYUP) line += "(" + std::to_string(wParam) + ")";
    if (msg == WM_CHAR) line += "(" + std::string(1, (char)wParam) + ")";
    if (params && (msg == WM_SIZE || msg == WM_MOVE || (msg >= WM_MOUSEMOVE && msg <= WM_LBUTTONDBLCLK)))
        line += "(" + std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam)) + ")";
    lines.push_back(line);
}

std::vector<std::string> Recorder::take() {
    std::vector<std::string> out;
    out.swap(lines);
    return out;
}

Recorder& rec() {
    static Recorder r;
    return r;
}

LRESULT CALLBACK recordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    rec().record(hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void WindowTest::SetUp() {
    device::windowSystemReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::headlessHost().resetCounters();
    rec() = Recorder{};
    WNDCLASSW wc{};
    wc.lpfnWndProc = recordProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"rec";
    ASSERT_NE(RegisterClassW(&wc), 0);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = u"recdbl";
    ASSERT_NE(RegisterClassW(&wc), 0);
}

void WindowTest::TearDown() {
    EXPECT_TRUE(device::windowTreeConsistent());
    device::windowSystemReset();
}

HWND WindowTest::makeTop(const std::string& name, int x, int y, int w, int h, DWORD style, const wchar_t*) {
    rec().pending = name;
    HWND hwnd = CreateWindowExW(0, u"rec", u"", WS_POPUP | style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    rec().name(hwnd, name);
    return hwnd;
}

HWND WindowTest::makeChild(HWND parent, const std::string& name, int id, int x, int y, int w, int h, DWORD style) {
    rec().pending = name;
    HWND hwnd = CreateWindowExW(0, u"rec", u"", WS_CHILD | style, x, y, w, h, parent, (HMENU)(intptr_t)id, nullptr,
                                nullptr);
    rec().name(hwnd, name);
    return hwnd;
}

COLORREF screenPixel(int x, int y) {
    const gdi::Surface& s = device::screenSurface();
    return gdi::colorrefFromPixel(s.row(y)[x]);
}

}  // namespace wmtest
