// The list-name bar: a static control showing the current list's name in
// bold, with a small drop-down mark at its right end. Tapping it opens the
// list combo box hidden behind it (or, without lists, the New List command).
#include <algorithm>
#include <vector>

#include "common/gdi_owner.h"
#include "outline/outline_paint.h"
#include "resources/resource_ids.h"
#include "shell/layout.h"
#include "shell/shell_state.h"
#include "state/app_state.h"

namespace {

enum { LIST_NAME_TEXT_CHARS = 200 };

LRESULT onButtonDown(HWND hwnd) {
    if (intListCount > 0) {
        ShowWindow(hwndListCombo, SW_SHOW);
        SendMessageW(hwndListCombo, CB_SHOWDROPDOWN, TRUE, 0);
    } else {
        // A database without lists: the tap asks for the first list instead.
        SendMessageW(hwndMain, WM_COMMAND, MAKEWPARAM(res::kCmdNewList, 0), 0);
    }
    return 0;
}

void paintBackground(HWND hwnd, HDC dc, const RECT& client) {
    if (attrCurrentList.bUseBitmapFile == 1 && bBackgroundLoaded && hdcBackground) {
        // The part of the background picture that lies behind the bar.
        POINT origin{0, 0};
        MapWindowPoints(hwnd, hwndMain, &origin, 1);
        BitBlt(dc, 0, 0, client.right, client.bottom, hdcBackground, origin.x, origin.y, SRCCOPY);
    } else {
        FillRect(dc, &client, hbrBackground);
    }
}

// A small filled triangle pointing down near the right end; returns its
// inset u, which the text leaves free.
int paintDropDownMark(HDC dc, const RECT& client) {
    int h = bHiRes ? 8 : 3;
    int u = h * 3 / 2;
    int right = client.right;
    int top = (client.bottom - h) / 2 - 2;
    POINT corners[3] = {{right - u - h, top}, {right - u + h, top}, {right - u, top + h}};
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, attrCurrentList.crListName));
    GdiObject<HBRUSH> brush(CreateSolidBrush(attrCurrentList.crListName));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, brush.get());
    Polygon(dc, corners, 3);
    return u;
}

void paintName(HWND hwnd, HDC dc, const RECT& client, int markInset) {
    WCHAR text[LIST_NAME_TEXT_CHARS] = {};
    int length = GetWindowTextW(hwnd, text, LIST_NAME_TEXT_CHARS);
    if (length <= 0) return;
    HGDIOBJ oldFont = SelectObject(dc, (HFONT)SendMessageW(hwnd, WM_GETFONT, 0, 0));
    SetTextColor(dc, attrCurrentList.crListName);
    SetBkMode(dc, TRANSPARENT);
    int available = client.right - (bHiRes ? 16 : 6) - markInset;
    std::vector<int> widths((size_t)length, 0);
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, text, length, 0x7FFFFFFF, &fit, widths.data(), &size);
    FittedName shown = fitListName(widths.data(), length, available);
    if (shown.ellipsis) std::fill(text + shown.count - 3, text + shown.count, u'.');
    RECT rc = client;
    DrawTextW(dc, text, shown.count, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
}

LRESULT onPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    paintBackground(hwnd, dc, client);
    int inset = paintDropDownMark(dc, client);
    paintName(hwnd, dc, client, inset);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

LRESULT CALLBACK listNameBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ENABLE: return 0;
        case WM_LBUTTONDOWN: return onButtonDown(hwnd);
        case WM_PAINT: return onPaint(hwnd);
    }
    return CallWindowProcW(listNameBarProc, hwnd, msg, wParam, lParam);
}
