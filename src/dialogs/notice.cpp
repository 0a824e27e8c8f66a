// The first-start "Notice": three centred paragraphs and "Ok" in the framed
// look. Unlike the message dialog it also closes on the platform's OK and
// cancel commands, since it asks nothing.
#include "dialogs/notice.h"

#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

constexpr const WCHAR* kNoticeCaption = u"Notice";

DialogLook* lookOf(HWND hwnd) { return (DialogLook*)GetWindowLongW(hwnd, DWL_USER); }

void onPaint(HWND hwnd, DialogLook* look) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paintDialogFrame(dc, hwnd, kNoticeCaption, look->hfontCaption.get(), look->hbrBand.get(),
                     2 * look->intCaptionHeight);
    EndPaint(hwnd, &ps);
}

INT_PTR CALLBACK noticeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        DialogLook* look = (DialogLook*)lParam;
        SetWindowLongW(hwnd, DWL_USER, (LONG_PTR)look);
        createDialogLook(hwnd, look);
        applyRoundedShape(hwnd);
        return TRUE;
    }
    DialogLook* look = lookOf(hwnd);
    if (!look) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(hwnd, look); return TRUE;
        case WM_ERASEBKGND: return TRUE;
        case WM_CTLCOLORSTATIC:
            SetTextColor((HDC)wParam, 0x000000);
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)GetStockObject(WHITE_BRUSH);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case res::kIdOk:
                case IDOK:
                case IDCANCEL: EndDialog(hwnd, IDOK); return TRUE;
                default: return FALSE;
            }
        case WM_DESTROY: destroyDialogLook(look); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

void showNotice(HWND owner) {
    DialogLook look;
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgNotice), owner, noticeProc, (LPARAM)&look);
    destroyDialogLook(&look);
}
