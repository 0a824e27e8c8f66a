// The navigation bar across the top of the screen: the foreground window's
// title at the left, the time at the right, and an "ok" button for
// full-screen dialogs that asked for one.
#include <algorithm>
#include <string>

#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"
#include "wingdi.h"
#include "winnls.h"

namespace wm {
namespace {

constexpr const char16_t* kClassName = u"HHTaskBar";

struct NavBarState {
    HWND hwnd = nullptr;
    bool creating = false;
    std::u16string shownTime;
};

NavBarState& nb() {
    static NavBarState s;
    return s;
}

std::u16string currentTime() {
    WCHAR buf[32] = {};
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, buf, 32) <= 0) return u"";
    return buf;
}

HWND foregroundWithOk() {
    Window* fg = get(activeWindow());
    if (!fg) return nullptr;
    return (fg->navOkButton || (fg->exStyle & WS_EX_CAPTIONOKBTN)) ? fg->hwnd : nullptr;
}

RECT okButtonRect(const RECT& bar) {
    int s = device::screenConfig().scale;
    return RECT{bar.right - 3 * s - 26 * s, bar.top + 3 * s, bar.right - 3 * s, bar.bottom - 3 * s};
}

HFONT barFont() {
    LOGFONTW lf{};
    lf.lfHeight = -12 * device::screenConfig().scale;
    lf.lfWeight = FW_BOLD;
    const char16_t face[] = u"Tahoma";
    std::copy(face, face + 7, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

// The foreground window's title; a window in front without one (a tip, a
// bare popup) leaves its owner's title showing.
const std::u16string* shownTitle() {
    Window* w = get(activeWindow());
    while (w && w->text.empty() && w->owner) w = w->owner;
    return w ? &w->text : nullptr;
}

void paintBar(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT bar;
    GetClientRect(hwnd, &bar);
    int s = device::screenConfig().scale;
    FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HFONT font = barFont();
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    RECT right = bar;
    right.right -= 4 * s;
    if (foregroundWithOk()) {
        RECT ok = okButtonRect(bar);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        HPEN pen = CreatePen(PS_SOLID, s, GetSysColor(COLOR_CAPTIONTEXT));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        RoundRect(dc, ok.left, ok.top, ok.right, ok.bottom, 8 * s, 8 * s);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DrawTextW(dc, u"ok", 2, &ok, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        right.right = ok.left - 4 * s;
    }
    std::u16string time = currentTime();
    nb().shownTime = time;
    RECT timeRect = right;
    DrawTextW(dc, time.c_str(), (int)time.size(), &timeRect, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOPREFIX);
    SIZE timeSize{0, 0};
    GetTextExtentPoint32W(dc, time.c_str(), (int)time.size(), &timeSize);
    if (const std::u16string* text = shownTitle()) {
        RECT title{bar.left + 4 * s, bar.top, right.right - timeSize.cx - 6 * s, bar.bottom};
        if (title.right > title.left)
            DrawTextW(dc, text->c_str(), (int)text->size(), &title,
                      DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

void tapped(HWND hwnd, LPARAM lParam) {
    RECT bar;
    GetClientRect(hwnd, &bar);
    RECT ok = okButtonRect(bar);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HWND dialog = foregroundWithOk();
    if (dialog && pt.x >= ok.left && pt.x < ok.right && pt.y >= ok.top && pt.y < ok.bottom)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

LRESULT CALLBACK navBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: paintBar(hwnd); return 0;
        case WM_LBUTTONUP: tapped(hwnd, lParam); return 0;
        case WM_NCDESTROY: if (nb().hwnd == hwnd) nb().hwnd = nullptr; return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void ensureNavBar() {
    NavBarState& s = nb();
    if (s.creating || get(s.hwnd)) return;
    s.creating = true;
    if (!findClass(kClassName)) {
        WNDCLASSW wc{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = navBarProc;
        wc.lpszClassName = kClassName;
        RegisterClassW(&wc);
    }
    const device::ScreenConfig& sc = device::screenConfig();
    HWND h = CreateWindowExW(WS_EX_TOPMOST, kClassName, u"", WS_POPUP, 0, 0, sc.width, device::navBarHeight(),
                             nullptr, nullptr, nullptr, nullptr);
    if (Window* w = get(h)) {
        w->platformOwned = true;
        w->noActivate = true;
        ShowWindow(h, SW_SHOWNA);
    }
    s.hwnd = h;
    s.creating = false;
}

void navBarForegroundChanged() {
    if (nb().hwnd) InvalidateRect(nb().hwnd, nullptr, TRUE);
}

void navBarTick() {
    NavBarState& s = nb();
    if (!get(s.hwnd)) return;
    if (currentTime() != s.shownTime) InvalidateRect(s.hwnd, nullptr, TRUE);
}

void resetNavBar() { nb() = NavBarState{}; }

void screenChanged() {
    const device::ScreenConfig& sc = device::screenConfig();
    Window* d = desktop();
    d->rect = RECT{0, 0, sc.width, sc.height};
    if (HWND bar = device::navBarWindow()) MoveWindow(bar, 0, 0, sc.width, device::navBarHeight(), FALSE);
    exposeScreenArea(gdi::Region(d->rect));
}

}  // namespace wm

namespace device {

void setNavBarOkButton(HWND hwnd, bool show) {
    if (wm::Window* w = wm::get(hwnd)) {
        w->navOkButton = show;
        wm::navBarForegroundChanged();
    }
}

HWND navBarWindow() { return wm::get(wm::nb().hwnd) ? wm::nb().hwnd : nullptr; }

}  // namespace device
