// The information window: a framed dialog whose text is wrapped at any
// character to the width of its text area, and which grows or shrinks so
// that "OK" sits one line below the text. Only "OK" closes it.
#include "dialogs/info_window.h"

#include <string>

#include "common/wide_text.h"
#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

constexpr UINT kTextFormat = DT_CENTER | DT_NOPREFIX;

struct InfoState {
    WCHAR text[INFO_TEXT_CHARS];
    WCHAR caption[INFO_TEXT_CHARS];
    DialogLook look;
};

BOOL onInit(HWND hwnd, InfoState* s) {
    SetWindowLongW(hwnd, DWL_USER, (LONG_PTR)s);
    createDialogLook(hwnd, &s->look);
    SetWindowTextW(hwnd, s->caption);
    HWND text = GetDlgItem(hwnd, res::kIdMessageText);
    HWND ok = GetDlgItem(hwnd, res::kIdOk);
    RECT textRect = dialogItemRect(hwnd, res::kIdMessageText);
    RECT okRect = dialogItemRect(hwnd, res::kIdOk);
    int textWidth = textRect.right - textRect.left;
    wrapTextToWidth(s->text, INFO_TEXT_CHARS, textWidth, kTextFormat, s->look.hfontText.get());
    // Shown in the font it was wrapped and measured in, so the lines break
    // where the wrapping put them and the last one is not cut off.
    SendMessageW(text, WM_SETFONT, (WPARAM)s->look.hfontText.get(), FALSE);
    SetWindowTextW(text, s->text);

    RECT measured = {0, 0, textWidth, 0};
    HDC dc = GetDC(hwnd);
    {
        SelectedObject selected(dc, s->look.hfontText.get());
        DrawTextW(dc, s->text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | kTextFormat);
    }
    ReleaseDC(hwnd, dc);
    int H = measured.bottom - measured.top;
    int h = s->look.intTextHeight;
    SetWindowPos(text, nullptr, 0, 0, textWidth, H, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    SetWindowPos(ok, nullptr, okRect.left, textRect.top + H + h, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT frame;
    GetWindowRect(hwnd, &frame);
    int height = textRect.top + H + h + (okRect.bottom - okRect.top) + h;
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    applyRoundedShape(hwnd);
    return TRUE;
}

void onPaint(HWND hwnd, InfoState* s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paintDialogFrame(dc, hwnd, s->caption, s->look.hfontCaption.get(), s->look.hbrBand.get(),
                     2 * s->look.intTextHeight);
    EndPaint(hwnd, &ps);
}

INT_PTR CALLBACK infoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInit(hwnd, (InfoState*)lParam);
    InfoState* s = (InfoState*)GetWindowLongW(hwnd, DWL_USER);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(hwnd, s); return TRUE;
        case WM_ERASEBKGND: return TRUE;
        case WM_CTLCOLORSTATIC:
            SetTextColor((HDC)wParam, 0x000000);
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)GetStockObject(WHITE_BRUSH);
        case WM_COMMAND:
            if (LOWORD(wParam) == res::kIdOk) EndDialog(hwnd, IDOK);
            return TRUE;  // the platform's OK and cancel are not acted on
        case WM_DESTROY: destroyDialogLook(&s->look); return FALSE;
        default: return FALSE;
    }
}

// Width of `text` laid out in lines split only at line feeds.
int measureWidth(HDC dc, const std::u16string& text, UINT format) {
    RECT rc = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), (int)text.size(), &rc, DT_CALCRECT | (format & ~(UINT)(DT_WORDBREAK | DT_SINGLELINE)));
    return rc.right - rc.left;
}

}  // namespace

void wrapTextToWidth(WCHAR* text, int capacity, int width, UINT format, HFONT font) {
    if (!text || capacity <= 0 || !text[0]) return;
    HDC dc = GetDC(nullptr);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, font);
    std::u16string result;
    for (const WCHAR* p = text; *p; ++p) {
        result.push_back(*p);
        if (*p != u'\n' && measureWidth(dc, result, format) > width) {
            result.back() = u'\n';
            result.push_back(*p);
        }
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    copyText(text, capacity, result.c_str());
}

int showInfoWindow(HWND owner, LPCWSTR text, LPCWSTR caption) {
    InfoState state;
    copyText(state.text, INFO_TEXT_CHARS, text);
    copyText(state.caption, INFO_TEXT_CHARS, caption);
    INT_PTR result =
        DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgInformation), owner, infoProc, (LPARAM)&state);
    destroyDialogLook(&state.look);
    return result == -1 ? -1 : 1;
}

LRESULT onCheckOutlineVisible(HWND hwnd, int, HWND, int) {
    bool visible = hwndMainTV && IsWindowVisible(hwndMainTV);
    MessageBoxW(hwnd, visible ? u"hwndMainTV is visible" : u"hwndMainTV is Not visible", u"Info", 0);
    return 0;
}
