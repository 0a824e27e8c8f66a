// Shared pieces of the small-control tests: a top window that records the
// WM_COMMAND notifications of its children, and pen and key helpers that go
// through the device's input path as a person would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace ctltest {

struct Log {
    std::vector<std::string> lines;  // "id:code" per WM_COMMAND notification
    HBRUSH brush = nullptr;          // answer to WM_CTLCOLORSTATIC when set
    int drawItems = 0;
};

inline Log& log() {
    static Log l;
    return l;
}

inline LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (lParam) log().lines.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string((short)HIWORD(wParam)));
            return 0;
        case WM_CTLCOLORSTATIC:
            if (log().brush) return (LRESULT)log().brush;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_DRAWITEM: ++log().drawItems; return TRUE;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        device::windowSystemReset();
        device::useHeadlessHost();
        device::headlessHost().setIdleDriver({});
        log() = Log{};
        WNDCLASSW wc{};
        wc.lpfnWndProc = parentProc;
        wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
        wc.lpszClassName = u"ctlparent";
        ASSERT_NE(RegisterClassW(&wc), 0);
        top = CreateWindowExW(0, u"ctlparent", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                              nullptr, nullptr);
        ASSERT_NE(top, nullptr);
        device::runUntilIdle();
    }
    void TearDown() override { device::windowSystemReset(); }

    HWND make(const char16_t* cls, const char16_t* text, DWORD style, int id, int x, int y, int w, int h) {
        HWND h1 = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, top,
                                  (HMENU)(intptr_t)id, nullptr, nullptr);
        EXPECT_NE(h1, nullptr);
        // Keep creation order as the tab order, as the dialog manager does.
        SetWindowPos(h1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        device::runUntilIdle();
        return h1;
    }
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(log().lines);
        return out;
    }
    static POINT screenOf(HWND h, int x, int y) {
        POINT p{x, y};
        ClientToScreen(h, &p);
        return p;
    }
    static void down(HWND h, int x, int y) {
        POINT p = screenOf(h, x, y);
        device::penDown(p.x, p.y);
        device::runUntilIdle();
    }
    static void move(HWND h, int x, int y) {
        POINT p = screenOf(h, x, y);
        device::penMove(p.x, p.y);
        device::runUntilIdle();
    }
    static void up(HWND h, int x, int y) {
        POINT p = screenOf(h, x, y);
        device::penUp(p.x, p.y);
        device::runUntilIdle();
    }
    static void tap(HWND h, int x, int y) {
        down(h, x, y);
        up(h, x, y);
    }
    static void key(unsigned vk) {
        device::keyDown(vk);
        device::keyUp(vk);
        device::runUntilIdle();
    }
    static COLORREF pixel(HWND h, int x, int y) {
        POINT p = screenOf(h, x, y);
        return gdi::colorrefFromPixel(device::screenSurface().row(p.y)[p.x]);
    }

    HWND top = nullptr;
};

}  // namespace ctltest
