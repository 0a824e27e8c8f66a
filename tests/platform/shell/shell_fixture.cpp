#include "shell_fixture.h"

namespace shelltest {

Record& rec() {
    static Record r;
    return r;
}

namespace {

LRESULT CALLBACK recordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record& r = rec();
    switch (msg) {
        case WM_COMMAND:
            r.commands.push_back(LOWORD(wParam));
            r.commandFrom.push_back(lParam);
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETSIPINFO) ++r.settingChanges;
            return 0;
        case WM_HIBERNATE: ++r.hibernates; return 0;
        case WM_NOTIFY: {
            const NMRGINFO* nm = (const NMRGINFO*)lParam;
            r.notifyCodes.push_back(nm->hdr.code);
            r.notifyPoints.push_back(nm->ptAction);
            r.notifyIds.push_back(nm->hdr.idFrom);
            return 77;
        }
        case WM_CHAR: r.chars += (char16_t)wParam; return 0;
        case WM_KEYDOWN: r.keys.push_back((UINT)wParam); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK gestureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record& r = rec();
    if (msg == WM_LBUTTONDOWN) {
        SHRGINFO info{};
        info.cbSize = sizeof(info);
        info.hwndClient = hwnd;
        info.ptDown = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        info.dwFlags = r.gestureFlags;
        r.gestures.push_back(SHRecognizeGesture(&info));
        r.gestureTimes.push_back(device::clockNowMs());
        return 0;
    }
    if (msg == WM_LBUTTONUP) {
        ++r.penUps;
        return 0;
    }
    return recordProc(hwnd, msg, wParam, lParam);
}

device::MenuTemplate& testMenu() {
    static device::MenuTemplate m{{
        {0, u"&File", MF_POPUP, {
            {101, u"&New List..."},
            {102, u"&Delete List", MF_GRAYED},
            {0, nullptr, MF_SEPARATOR},
            {103, u"E&xit"},
        }},
        {0, u"&Edit", MF_POPUP, {
            {201, u"Cu&t"},
            {202, u"&Copy"},
            {203, u"&Paste", MF_GRAYED},
        }},
        {0, u"&Options", MF_POPUP, {
            {0, u"&Sort", MF_POPUP, {
                {311, u"&Alphabetic", MF_CHECKED},
                {312, u"&None"},
            }},
            {301, u"&Settings..."},
        }},
    }};
    return m;
}

device::MenuBarTemplate& testBar() {
    static device::MenuBarTemplate b{200, {
        {device::MenuBarButton::kMenu, 40002, u"&File", 0},
        {device::MenuBarButton::kMenu, 40003, u"&Edit", 1},
        {device::MenuBarButton::kMenu, 40004, u"&Options", 2},
        {device::MenuBarButton::kSeparator},
        {device::MenuBarButton::kPicture, 501, nullptr, 0, 0, TBSTATE_ENABLED},
        {device::MenuBarButton::kPicture, 502, nullptr, 0, 1, 0},
    }};
    return b;
}

device::MenuTemplate& contextMenu() {
    static device::MenuTemplate m{{
        {0, u"Item_Popup", MF_POPUP, {
            {601, u"&Edit"},
            {602, u"&Delete"},
            {603, u"Delete &Note", MF_GRAYED},
        }},
    }};
    return m;
}

// A 32 x 16 strip of two 16 x 16 pictures: a red square and a blue one on
// the transparent magenta.
const std::vector<unsigned char>& stripBmp() {
    static std::vector<unsigned char> bmp = [] {
        const int w = 32, h = 16, rowBytes = w * 3;
        std::vector<unsigned char> b(54 + rowBytes * h, 0);
        auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) b[at + (size_t)i] = (unsigned char)(v >> (8 * i));
        };
        b[0] = 'B';
        b[1] = 'M';
        put32(2, (uint32_t)b.size());
        put32(10, 54);
        put32(14, 40);
        put32(18, w);
        put32(22, h);
        b[26] = 1;
        b[28] = 24;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                unsigned char* p = &b[54 + (size_t)(y * rowBytes + x * 3)];
                bool inside = (x % 16) >= 3 && (x % 16) < 13 && y >= 3 && y < 13;
                if (!inside) {
                    p[0] = 255, p[1] = 0, p[2] = 255;
                } else if (x < 16) {
                    p[0] = 0, p[1] = 0, p[2] = 220;
                } else {
                    p[0] = 220, p[1] = 0, p[2] = 0;
                }
            }
        }
        return b;
    }();
    return bmp;
}

}  // namespace

void registerTestResources() {
    device::resourceRegister(device::kResMenu, 200, &testMenu(), 0);
    device::resourceRegister(device::kResMenuBar, 201, &testBar(), 0);
    device::resourceRegister(device::kResMenu, 202, &contextMenu(), 0);
    device::resourceRegister(device::kResBitmap, 203, stripBmp().data(), stripBmp().size());
}

void ShellTest::SetUp() {
    device::windowSystemReset();
    device::shellReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::headlessHost().resetCounters();
    rec() = Record{};
    steps_.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = recordProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"shellrec";
    ASSERT_NE(RegisterClassW(&wc), 0);
    wc.lpfnWndProc = gestureProc;
    wc.lpszClassName = u"gesture";
    ASSERT_NE(RegisterClassW(&wc), 0);
    registerTestResources();
}

void ShellTest::TearDown() {
    device::headlessHost().setIdleDriver({});
    EXPECT_TRUE(device::windowTreeConsistent());
    device::windowSystemReset();
    device::shellReset();
}

HWND ShellTest::makeMain() {
    const device::ScreenConfig& sc = device::screenConfig();
    int top = device::navBarHeight();
    int bottom = sc.height - GetSystemMetrics(SM_CYMENU);
    HWND h = CreateWindowExW(0, u"shellrec", u"Main", WS_POPUP | WS_VISIBLE, 0, top, sc.width, bottom - top, nullptr,
                             nullptr, nullptr, nullptr);
    SetActiveWindow(h);
    SetFocus(h);
    device::runUntilIdle();
    return h;
}

HWND ShellTest::makeGestureChild(HWND parent, int id, int x, int y, int w, int h) {
    return CreateWindowExW(0, u"gesture", u"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, (HMENU)(intptr_t)id,
                           nullptr, nullptr);
}

void ShellTest::drive(std::vector<std::function<void()>> steps) {
    steps_.assign(steps.begin(), steps.end());
    device::headlessHost().setIdleDriver([this] {
        if (steps_.empty()) return false;
        auto step = steps_.front();
        steps_.pop_front();
        step();
        return true;
    });
}

void ShellTest::stopDriving() {
    device::headlessHost().setIdleDriver({});
    steps_.clear();
}

COLORREF screenPixel(int x, int y) {
    const gdi::Surface& s = device::screenSurface();
    return gdi::colorrefFromPixel(s.row(y)[x]);
}

RECT screenRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

}  // namespace shelltest
