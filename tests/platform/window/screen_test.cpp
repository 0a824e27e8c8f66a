// The screen configuration, metrics, work area, navigation bar, cursor and
// string resources.
#include "platform/system/resource_table.h"
#include "wm_fixture.h"

using namespace wmtest;

namespace {
class Screen : public WindowTest {
protected:
    void TearDown() override {
        WindowTest::TearDown();
        device::screenConfigure(false);
    }
};
}  // namespace

TEST_F(Screen, NormalAndHighResolutionMetrics) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 26);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 13);
    device::screenConfigure(true);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 52);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 26);
    EXPECT_EQ(device::screenConfig().dpi, 192);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 192);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(device::screenSurface().width, 480);
    HWND bar = device::navBarWindow();
    HWND h = CreateWindowExW(0, u"rec", u"", WS_VISIBLE, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr,
                             nullptr, nullptr);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.top, 52);
    EXPECT_EQ(r.right, 480);
    GetWindowRect(bar ? bar : device::navBarWindow(), &r);
    EXPECT_EQ(r.right, 480);
    EXPECT_EQ(r.bottom, 52);
}

TEST_F(Screen, WorkAreaLiesBetweenNavigationBarAndInputPanel) {
    RECT r{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0));
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.bottom, 320);
    device::screenSetSipHeight(80);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    EXPECT_EQ(r.bottom, 240);
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
}

TEST_F(Screen, DefaultPositionAndSizeFillTheWorkArea) {
    HWND h = CreateWindowExW(0, u"rec", u"Main", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.right, 240);
    EXPECT_EQ(r.bottom, 320);
}

TEST_F(Screen, NavigationBarOkButtonSendsIdOk) {
    HWND dlg = makeTop("dlg", 0, 26, 240, 294);
    device::setNavBarOkButton(dlg, true);
    HWND bar = device::navBarWindow();
    ASSERT_TRUE(bar);
    EXPECT_EQ(FindWindowW(nullptr, nullptr), dlg);  // the platform's own windows are not found
    device::runUntilIdle();
    rec().take();
    device::penDown(230, 10);
    device::penUp(230, 10);
    device::runUntilIdle();
    std::vector<std::string> got = rec().take();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], "dlg:WM_COMMAND");
    EXPECT_EQ(GetActiveWindow(), dlg);  // tapping the bar does not activate it
}

TEST_F(Screen, AWindowInFrontWithoutATitleLeavesItsOwnersTitleOnTheBar) {
    HWND main = makeTop("main", 0, 26, 240, 268);
    SetWindowTextW(main, u"Quillet Pro");
    device::runUntilIdle();
    auto titleInk = [] {
        int n = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 120; ++x) n += screenPixel(x, y) == GetSysColor(COLOR_CAPTIONTEXT);
        return n;
    };
    int shown = titleInk();
    EXPECT_GT(shown, 20);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, u"rec", u"", WS_POPUP | WS_VISIBLE, 10, 100, 60, 20, main, nullptr,
                               nullptr, nullptr);
    SetActiveWindow(tip);
    device::runUntilIdle();
    ASSERT_EQ(GetActiveWindow(), tip);
    EXPECT_EQ(titleInk(), shown);
}

TEST_F(Screen, WaitCursorShowsBetweenShowAndHide) {
    EXPECT_FALSE(device::waitCursorShowing());
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(device::waitCursorShowing());
    EXPECT_EQ(ShowCursor(FALSE), -1);
    SetCursor(nullptr);
    EXPECT_FALSE(device::waitCursorShowing());
    EXPECT_NE(LoadCursorW(nullptr, IDC_ARROW), LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(5)), nullptr);
}

TEST_F(Screen, LoadStringCopiesTruncatesAndFails) {
    static const char16_t text[] = u"New Item";
    device::resourceRegister(device::kResString, 900, text, sizeof(text));
    WCHAR buf[32];
    EXPECT_EQ(LoadStringW(nullptr, 900, buf, 32), 8);
    EXPECT_EQ(std::u16string(buf), u"New Item");
    EXPECT_EQ(LoadStringW(nullptr, 900, buf, 4), 3);
    EXPECT_EQ(std::u16string(buf), u"New");
    EXPECT_EQ(LoadStringW(nullptr, 901, buf, 32), 0);
    EXPECT_EQ(buf[0], 0);
    const WCHAR* direct = nullptr;
    EXPECT_EQ(LoadStringW(nullptr, 900, (LPWSTR)&direct, 0), 8);
    EXPECT_EQ(direct, text);
}
