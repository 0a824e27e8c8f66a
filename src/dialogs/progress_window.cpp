// The progress window: modeless, yellow, framed, with a bold blue main label,
// a black sub label and a bar. Its drawing objects live with the window and
// go when it is destroyed.
#include "dialogs/progress_window.h"

#include "commctrl.h"
#include "common/dialog_state.h"
#include "common/gdi_owner.h"
#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

struct ProgressState {
    GdiObject<HBRUSH> hbrYellow;
    GdiObject<HFONT> hfontBold;  // 10 points
};

ProgressState* stateOf(HWND hwnd) { return dialogState<ProgressState>(hwnd); }

// The import that shows this window runs without a message loop, so every
// change is painted at once: the window first, then its three controls
// (the window clips them, so its painting never covers them again).
void paintNow(HWND hwnd) {
    UpdateWindow(hwnd);
    UpdateWindow(GetDlgItem(hwnd, res::kIdProgressMain));
    UpdateWindow(GetDlgItem(hwnd, res::kIdProgressSub));
    UpdateWindow(GetDlgItem(hwnd, res::kIdProgressBar));
}

void onPaint(HWND hwnd, ProgressState* s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, s->hbrYellow.get());
    drawDialogBorder(dc, client);
    EndPaint(hwnd, &ps);
}

INT_PTR CALLBACK progressProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        ProgressState* s = attachDialogState(hwnd, std::make_unique<ProgressState>());
        s->hbrYellow.reset(CreateSolidBrush(kProgressYellow));
        s->hfontBold.reset(createDialogFont(10, 700));
        SendDlgItemMessageW(hwnd, res::kIdProgressMain, WM_SETFONT, (WPARAM)s->hfontBold.get(), FALSE);
        SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
        applyRoundedShape(hwnd);
        return TRUE;
    }
    ProgressState* s = stateOf(hwnd);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(hwnd, s); return TRUE;
        case WM_ERASEBKGND: return TRUE;
        case WM_CTLCOLORSTATIC:
            SetTextColor((HDC)wParam, (HWND)lParam == GetDlgItem(hwnd, res::kIdProgressMain) ? kDialogBandColour : 0);
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)s->hbrYellow.get();
        case WM_DESTROY: detachDialogState<ProgressState>(hwnd); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

HWND openProgressWindow(HWND owner) {
    HWND hwnd = CreateDialogParamW(hInstance, MAKEINTRESOURCEW(res::kDlgProgress), owner, progressProc, 0);
    if (!hwnd) return nullptr;
    BringWindowToTop(hwnd);
    return hwnd;
}

void startProgressWindow(HWND hwnd, LPCWSTR mainText, LPCWSTR subText, int low, int high, int show) {
    if (!hwnd || !IsWindow(hwnd)) return;
    SetDlgItemTextW(hwnd, res::kIdProgressMain, mainText ? mainText : u"");
    UpdateWindow(GetDlgItem(hwnd, res::kIdProgressMain));
    SetDlgItemTextW(hwnd, res::kIdProgressSub, subText ? subText : u"");
    UpdateWindow(GetDlgItem(hwnd, res::kIdProgressSub));
    ShowWindow(hwnd, show == 1 ? SW_SHOW : SW_HIDE);
    SendDlgItemMessageW(hwnd, res::kIdProgressBar, PBM_SETRANGE32, (WPARAM)low, (LPARAM)high);
    SendDlgItemMessageW(hwnd, res::kIdProgressBar, PBM_SETPOS, 0, 0);
    paintNow(hwnd);
}

void stepProgressWindow(HWND hwnd, LPCWSTR subText, int position) {
    if (!hwnd || !IsWindow(hwnd)) return;
    SetDlgItemTextW(hwnd, res::kIdProgressSub, subText ? subText : u"");
    UpdateWindow(GetDlgItem(hwnd, res::kIdProgressSub));
    SendDlgItemMessageW(hwnd, res::kIdProgressBar, PBM_SETPOS, (WPARAM)position, 0);
    paintNow(hwnd);
}

void closeProgressWindow(HWND hwnd) {
    if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}
