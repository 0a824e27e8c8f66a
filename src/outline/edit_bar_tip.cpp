// The edit bar's tip window (dialog 165): shown modally while the pen is
// still down on the button, it takes the pen shortly after it appears, and
// the pen-up (or losing the focus) closes it. That pen-up never reaches the
// main window, so the held button's command does not run. The tip is never
// active, so the outline keeps the focus and its selection stays highlighted.
#include "outline/edit_bar_tip.h"

#include "common/app_font.h"
#include "common/gdi_owner.h"
#include "outline/edit_bar_geometry.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/main_window_ids.h"
#include "state/shell_calls.h"

namespace {

constexpr int kTipPoints = 10;
constexpr UINT_PTR kCaptureTimer = 1;
constexpr UINT kCaptureDelayMs = 100;
constexpr COLORREF kTipBackground = 0x00FFFFFF;
constexpr COLORREF kTipText = 0x00000000;

const LPCWSTR kTipTexts[EDIT_BAR_BUTTON_COUNT] = {u"Cut Item",  u"Copy Item", u"Paste Item",
                                                  u"Delete Item", u"Duplicate Item", u"Move Down",
                                                  u"Move Up",   u"Move Left", u"Move Right"};

struct TipState {
    int button = 0;
    GdiObject<HFONT> font;
    GdiObject<HBRUSH> brush;
};

bool penIsDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

// The tip's size in its font: the text's width and the font's cell height,
// each with some room around.
SIZE tipSize(HFONT font, LPCWSTR text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{0, 0};
    int length = 0;
    while (text[length]) ++length;
    GetTextExtentPoint32W(dc, text, length, &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{(LONG)(extent.cx * 1.2), (LONG)(metrics.tmHeight * 1.3)};
}

BOOL onInitTip(HWND hwnd, TipState* state) {
    SetWindowLongW(hwnd, DWL_USER, (LONG_PTR)state);
    state->font.reset(createAppFont(kTipPoints, 400, 0, bClearType));
    state->brush.reset(CreateSolidBrush(kTipBackground));
    LPCWSTR text = editBarTipText(state->button);
    SIZE size = tipSize(state->font.get(), text);
    RECT main{};
    GetWindowRect(hwndMain, &main);
    int x = editBarTipLeft(state->button, size.cx, bHiRes, intWorkWidth);
    int y = main.top + intListBarBottom - size.cy;
    HWND label = GetDlgItem(hwnd, res::kIdTipText);
    MoveWindow(label, 0, 0, size.cx, size.cy, FALSE);
    SendMessageW(label, WM_SETFONT, (WPARAM)state->font.get(), FALSE);
    SetWindowTextW(label, text);
    SetWindowPos(hwnd, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_SHOWWINDOW);
    SetTimer(hwnd, kCaptureTimer, kCaptureDelayMs, nullptr);
    return TRUE;
}

void closeTip(HWND hwnd) {
    KillTimer(hwnd, kCaptureTimer);
    if (GetCapture() == hwnd) ReleaseCapture();
    EndDialog(hwnd, IDOK);
}

INT_PTR CALLBACK tipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInitTip(hwnd, (TipState*)lParam);
    TipState* state = (TipState*)GetWindowLongW(hwnd, DWL_USER);
    if (!state) return FALSE;
    switch (msg) {
    case WM_TIMER:
        if (wParam != kCaptureTimer) return FALSE;
        KillTimer(hwnd, kCaptureTimer);
        // A pen lifted before the tip could take it went to no window (the
        // main window is disabled under the tip); it still ends the tip.
        if (!penIsDown()) {
            closeTip(hwnd);
            return TRUE;
        }
        SetCapture(hwnd);
        return TRUE;
    case WM_LBUTTONUP: closeTip(hwnd); return TRUE;
    case WM_KILLFOCUS: closeTip(hwnd); return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) closeTip(hwnd);
        return FALSE;
    case WM_ERASEBKGND: {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        FillRect((HDC)wParam, &rc, state->brush.get());
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        SetTextColor((HDC)wParam, kTipText);
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (INT_PTR)state->brush.get();
    default: return FALSE;
    }
}

void showTip(HWND owner, int button) {
    // The tip only names the button: the window that had the focus (the
    // outline, with its selection shown) has it again afterwards.
    HWND focus = GetFocus();
    TipState state;
    state.button = button;
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgTip), owner, tipProc, (LPARAM)&state);
    if (focus && IsWindow(focus) && IsWindowVisible(focus)) SetFocus(focus);
}

}  // namespace

LPCWSTR editBarTipText(int index) {
    return index >= 0 && index < EDIT_BAR_BUTTON_COUNT ? kTipTexts[index] : nullptr;
}

int editBarTipLeft(int index, int tipWidth, int hiRes, int workWidth) {
    int x = editBarButtonLeft(index, hiRes) + (editBarHitWidth(hiRes) - tipWidth) / 2;
    if (x + tipWidth > workWidth) x = workWidth - tipWidth;
    if (x < 0) x = 0;
    return x;
}

void onEditBarTipTimer(HWND hwnd) {
    KillTimer(hwnd, TIMER_EDIT_BAR_TIP);
    ReleaseCapture();
    // Only a button the pen still holds has its tip shown; a press whose
    // pen-up went to another window leaves nothing to name.
    if (intPressedEditButton >= 0 && penIsDown()) showTip(hwnd, intPressedEditButton);
    // The press is over: the command does not run, and nothing stays held
    // for a later pen-move to press again.
    intPressedEditButton = -1;
    updateEditBar();
}
