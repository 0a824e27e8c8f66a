// The program's message dialog. It copies its request when it opens, lays
// itself out around the measured message (the dialog grows with the text),
// and ends only through its own buttons: the platform's OK and cancel
// commands (Enter aside, which presses the default button) are ignored so a
// question cannot be answered by accident.
#include "dialogs/message_box.h"

#include "common/gdi_owner.h"
#include "common/message_dialog.h"
#include "common/wide_text.h"
#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

constexpr int kBmpWarning = 114;       // 33 x 29
constexpr int kBmpWarningHiRes = 113;  // 68 x 57

struct MessageRequest {
    WCHAR text[MESSAGE_TEXT_CHARS];
    WCHAR caption[MESSAGE_TEXT_CHARS];
    int style;
};

// What the open dialog keeps: its decoded request and drawing objects.
struct MessageState {
    MessageRequest request;
    MessageStyle decoded;
    DialogLook look;
    GdiObject<HBITMAP> hbmWarning;
    int intPictureWidth = 0;
    int intPictureHeight = 0;
};

MessageState* stateOf(HWND hwnd) { return (MessageState*)GetWindowLongW(hwnd, DWL_USER); }

void loadWarningPicture(MessageState* s) {
    int id = bHiRes == 1 ? kBmpWarningHiRes : kBmpWarning;
    s->hbmWarning.reset((HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    BITMAP bm = {};
    if (s->hbmWarning && GetObjectW(s->hbmWarning.get(), sizeof(bm), &bm)) {
        s->intPictureWidth = bm.bmWidth;
        s->intPictureHeight = bm.bmHeight;
    }
}

// Places the buttons, the message and the dialog's height around the text.
void layoutMessage(HWND hwnd, MessageState* s) {
    HWND ok = GetDlgItem(hwnd, res::kIdOk);
    HWND cancel = GetDlgItem(hwnd, res::kIdCancel);
    HWND message = GetDlgItem(hwnd, res::kIdMessageText);
    RECT client;
    GetClientRect(hwnd, &client);
    int width = client.right - client.left;
    RECT okRect = dialogItemRect(hwnd, res::kIdOk);
    RECT cancelRect = dialogItemRect(hwnd, res::kIdCancel);
    int buttonWidth = okRect.right - okRect.left;
    int buttonHeight = okRect.bottom - okRect.top;
    if (s->decoded.buttons == MESSAGE_SET_OK) {
        okRect.left = (width - buttonWidth) / 2;
        okRect.right = okRect.left + buttonWidth;
    }

    const int w = s->look.intCaptionHeight;
    bool picture = s->decoded.warning && s->hbmWarning;
    int top = w * 5 / 2;
    int left = picture ? s->intPictureWidth + w * 3 / 2 : w / 2;
    int areaWidth = picture ? width - 2 * w - s->intPictureWidth : width - w;

    RECT measured = {0, 0, areaWidth, 800};
    int lineHeight = s->look.intTextHeight;
    HDC dc = GetDC(hwnd);
    {
        SelectedObject selected(dc, s->look.hfontText.get());
        DrawTextW(dc, s->request.text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    }
    ReleaseDC(hwnd, dc);
    int textHeight = measured.bottom - measured.top;
    int areaHeight = textHeight == lineHeight ? 2 * lineHeight : textHeight;
    SetWindowPos(message, nullptr, left, top, areaWidth, areaHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(message, SW_SHOW);

    int rowY = top + areaHeight + w;
    if (picture && rowY < s->intPictureHeight + 4 * w) rowY = s->intPictureHeight + 4 * w;
    SetWindowPos(ok, nullptr, okRect.left, rowY, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(cancel, nullptr, cancelRect.left, rowY, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);

    RECT frame;
    GetWindowRect(hwnd, &frame);
    int height = rowY + w + buttonHeight;
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    applyRoundedShape(hwnd);
}

BOOL onInit(HWND hwnd, MessageState* s) {
    SetWindowLongW(hwnd, DWL_USER, (LONG_PTR)s);
    loadWarningPicture(s);
    createDialogLook(hwnd, &s->look);
    s->decoded = decodeMessageStyle(s->request.style);
    HWND message = GetDlgItem(hwnd, res::kIdMessageText);
    SendMessageW(message, WM_SETFONT, (WPARAM)s->look.hfontText.get(), FALSE);
    SetWindowTextW(message, s->request.text);
    if (s->decoded.buttons == MESSAGE_SET_OKCANCEL || s->decoded.buttons == MESSAGE_SET_YESNO)
        ShowWindow(GetDlgItem(hwnd, res::kIdCancel), SW_SHOW);
    if (s->decoded.buttons == MESSAGE_SET_YESNO) {
        SetDlgItemTextW(hwnd, res::kIdOk, u"Yes");
        SetDlgItemTextW(hwnd, res::kIdCancel, u"No");
    }
    SetWindowTextW(hwnd, s->request.caption);
    layoutMessage(hwnd, s);
    return TRUE;
}

void onPaint(HWND hwnd, MessageState* s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const int w = s->look.intCaptionHeight;
    paintDialogFrame(dc, hwnd, s->request.caption, s->look.hfontCaption.get(), s->look.hbrBand.get(), 2 * w);
    if (s->decoded.warning && s->hbmWarning) {
        MemoryDC mem(dc);
        SelectedObject picture(mem.get(), s->hbmWarning.get());
        BitBlt(dc, w, 3 * w, s->intPictureWidth, s->intPictureHeight, mem.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

void onDestroy(MessageState* s) {
    destroyDialogLook(&s->look);
    s->hbmWarning.reset();
}

INT_PTR CALLBACK messageDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInit(hwnd, (MessageState*)lParam);
    MessageState* s = stateOf(hwnd);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(hwnd, s); return TRUE;
        case WM_ERASEBKGND: return TRUE;  // WM_PAINT covers the whole client
        case WM_CTLCOLORSTATIC:
            SetTextColor((HDC)wParam, 0x000000);
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)GetStockObject(WHITE_BRUSH);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case res::kIdOk: EndDialog(hwnd, s->decoded.buttons == MESSAGE_SET_YESNO ? IDYES : IDOK); return TRUE;
                case res::kIdCancel:
                    EndDialog(hwnd, s->decoded.buttons == MESSAGE_SET_YESNO ? IDNO : IDCANCEL);
                    return TRUE;
                default: return TRUE;  // IDOK, IDCANCEL: only the buttons answer
            }
        case WM_DESTROY: onDestroy(s); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

MessageStyle decodeMessageStyle(int style) {
    MessageStyle decoded{false, MESSAGE_SET_OK};
    if (style >= 48) {
        decoded.warning = true;
        style -= 48;
    }
    // Only the three sets exist; anything else gets the plain OK, so the
    // dialog can always be closed.
    if (style == MESSAGE_SET_OKCANCEL || style == MESSAGE_SET_YESNO) decoded.buttons = style;
    return decoded;
}

int showMessageDialog(HWND owner, LPCWSTR text, LPCWSTR caption, int style) {
    MessageState state;
    copyText(state.request.text, MESSAGE_TEXT_CHARS, text);
    copyText(state.request.caption, MESSAGE_TEXT_CHARS, caption);
    state.request.style = style;
    INT_PTR result =
        DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgMessage), owner, messageDialogProc, (LPARAM)&state);
    // A dialog that never opened still has nothing to free; one that did
    // freed its objects on WM_DESTROY.
    onDestroy(&state);
    return (int)result;
}

void installMessageDialog() { setMessageDialogHandler(showMessageDialog); }
