// The find bar: a strip in its own colour under the notes pane with the
// label "Find:", the search field and the "Next" button, created hidden and
// disabled at start-up and shown by the "Find" picture button.
#include "aygshell.h"
#include "common/app_font.h"
#include "common/gdi_owner.h"
#include "outline/find.h"
#include "outline/notes.h"
#include "state/app_state.h"

namespace {

HFONT hfontFind = nullptr;
HFONT hfontFindBold = nullptr;

SIZE measure(HWND hwnd, HFONT font, LPCWSTR text) {
    SIZE size{};
    HDC dc = GetDC(hwnd);
    int n = 0;
    while (text[n]) ++n;
    {
        SelectedObject selected(dc, font);
        GetTextExtentPoint32W(dc, text, n, &size);
    }
    ReleaseDC(hwnd, dc);
    return size;
}

// The label's height when its text wraps within twice its width.
int wrappedHeight(HWND hwnd, HFONT font, LPCWSTR text, int width) {
    HDC dc = GetDC(hwnd);
    RECT r{0, 0, 2 * width, 1};
    {
        SelectedObject selected(dc, font);
        DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    }
    ReleaseDC(hwnd, dc);
    return r.bottom - r.top;
}

HWND child(HWND parent, LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExW(0, cls, text, WS_CHILD | style, x, y, w, h, parent, (HMENU)(intptr_t)id, hInstance,
                           nullptr);
}

LRESULT onCreate(HWND hwnd) {
    const int m = intUnit;
    const int width = intWorkWidth;
    int normalHeight = 0;
    hfontFind = createAppFont(10, 400, 0, bClearType, &normalHeight);
    hfontFindBold = createAppFont(10, 700, 0, bClearType);

    HWND field = child(hwnd, u"edit", u"", WS_VISIBLE | WS_BORDER, 10, m, 200, normalHeight + 2 * m, ID_FIND_FIELD);
    SendMessageW(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    SendMessageW(field, EM_LIMITTEXT, FIND_TEXT_CHARS - 1, 0);
    RECT fr{};
    GetWindowRect(field, &fr);
    int h = fr.bottom - fr.top;

    int t = measure(hwnd, hfontFind, u"Find:").cx;
    int v = wrappedHeight(hwnd, hfontFind, u"Find:", t);
    HWND label = child(hwnd, u"static", u"Find:", WS_VISIBLE, h / 2, (2 * m + h - v) / 2, t, v, ID_FIND_LABEL);
    SendMessageW(label, WM_SETFONT, (WPARAM)hfontFind, FALSE);

    int b = measure(hwnd, hfontFindBold, u"   Next   ").cx;
    HWND next = child(hwnd, u"button", u"Next", WS_VISIBLE | WS_BORDER, width - b - h, m, b, h, ID_FIND_NEXT);
    SendMessageW(next, WM_SETFONT, (WPARAM)hfontFindBold, FALSE);

    int fieldX = m + h / 2 + t;
    int fieldWidth = (width - b - h) - 4 * m - fieldX;
    MoveWindow(field, fieldX, m, fieldWidth > 0 ? fieldWidth : 1, h, FALSE);
    ShowWindow(field, SW_SHOW);

    RECT mainRect{};
    GetWindowRect(GetParent(hwnd), &mainRect);
    POINT bottom{0, mainRect.bottom};
    ScreenToClient(GetParent(hwnd), &bottom);
    int barHeight = 3 * m + h;
    SetWindowPos(hwnd, nullptr, 0, bottom.y - barHeight - 1, width, barHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    resetFind();
    CreateWindowExW(0, WC_SIPPREF, u"", WS_CHILD, 0, 0, 0, 0, hwnd, (HMENU)(intptr_t)-1, hInstance, nullptr);
    return 0;
}

void releaseFonts() {
    if (hfontFind) DeleteObject(hfontFind);
    if (hfontFindBold) DeleteObject(hfontFindBold);
    hfontFind = nullptr;
    hfontFindBold = nullptr;
}

LRESULT onCommand(HWND hwnd, WPARAM wParam) {
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (id == ID_FIND_NEXT && code == BN_CLICKED) {
        WCHAR text[FIND_TEXT_CHARS] = {};
        GetDlgItemTextW(hwnd, ID_FIND_FIELD, text, FIND_TEXT_CHARS);
        findNext(text);
    } else if (id == ID_FIND_FIELD && code == EN_SETFOCUS) {
        if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(hwnd, SIP_UP);
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK findBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: return onCreate(hwnd);
        case WM_ERASEBKGND: {
            if (!hbrFindBar) break;
            RECT rc{};
            GetClientRect(hwnd, &rc);
            FillRect((HDC)wParam, &rc, hbrFindBar);
            return 1;
        }
        case WM_CTLCOLORSTATIC:
            if ((HWND)lParam == GetDlgItem(hwnd, ID_FIND_LABEL) && hbrFindBar) {
                SetTextColor((HDC)wParam, RGB(0, 0, 0));
                SetBkMode((HDC)wParam, TRANSPARENT);
                return (LRESULT)hbrFindBar;
            }
            break;
        case WM_COMMAND: return onCommand(hwnd, wParam);
        case WM_DESTROY: releaseFonts(); break;
        default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT onToggleFind(HWND, int, HWND, int) {
    if (!hwndFind) return 0;
    if (IsWindowVisible(hwndFind)) {
        ShowWindow(hwndFind, SW_HIDE);
        EnableWindow(hwndFind, FALSE);
        if (noteHighlightIndex() >= 0) {
            clearNoteHighlight();
            if (hwndNotes) {
                InvalidateRect(hwndNotes, nullptr, TRUE);
                UpdateWindow(hwndNotes);
            }
        }
        if (hwndMainTV) SetFocus(hwndMainTV);
    } else {
        ShowWindow(hwndFind, SW_SHOW);
        EnableWindow(hwndFind, TRUE);
        SetFocus(GetDlgItem(hwndFind, ID_FIND_FIELD));
    }
    SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    return 0;
}
