// Shared pieces of the edit control tests: a parent window that records the
// notifications it gets and answers colour requests as a test asks, an edit
// inside it, and helpers to type, press keys and use the pen as a person
// would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/edit/edit_control.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace edittest {

using Lines = std::vector<std::string>;

struct Parent {
    Lines log;                  // "CHANGE", "UPDATE", "MAXTEXT", ... one per notification
    HBRUSH colorBrush = nullptr;  // answer to WM_CTLCOLOREDIT / STATIC (nullptr: default)
    COLORREF textColor = 0;
    bool transparent = false;
    int colorRequests = 0;
    UINT lastColorMessage = 0;
    WORD destroyOn = 0;           // destroys the edit when this notification arrives
    Lines take();
};

Parent& parent();

class EditTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND make(DWORD style, int x = 10, int y = 10, int w = 120, int h = 20, const char16_t* text = u"");
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(edit, msg, w, l); }
    std::u16string text();
    void setText(const std::u16string& s) { SetWindowTextW(edit, s.c_str()); }
    // Selection as "start,end".
    std::string sel();
    void type(const std::u16string& s);          // WM_CHAR through the input path
    void key(unsigned vk, bool shift = false, bool ctrl = false);  // a key press and release
    void penDownAt(int x, int y);                 // client coordinates of the edit
    void penMoveTo(int x, int y);
    void penUpAt(int x, int y);
    void tap(int x, int y);
    POINT posOf(int index);                       // EM_POSFROMCHAR
    void putClipboard(const std::u16string& s);
    std::u16string clipboard();

    HWND top = nullptr;
    HWND edit = nullptr;
};

COLORREF screenPixel(int x, int y);
// Pixels of a client rectangle of a window that differ from `background`.
int inkIn(HWND hwnd, RECT r, COLORREF background);

}  // namespace edittest
