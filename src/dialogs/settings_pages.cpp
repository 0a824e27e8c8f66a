// The look and the plumbing the settings pages share.
#include "dialogs/settings_pages.h"

#include "aygshell.h"
#include "common/gdi_owner.h"
#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

constexpr int kTitlePoints = 9;

void drawFrame(HDC hdc, const RECT& rc) {
    const int corner = 2 * intUnit;
    GdiObject<HPEN> black(CreatePen(PS_SOLID, intScale, 0x000000));
    GdiObject<HPEN> green(CreatePen(PS_SOLID, intScale, kPageFrameInner));
    SelectedObject hollow(hdc, GetStockObject(NULL_BRUSH));
    {
        SelectedObject outer(hdc, black.get());
        RoundRect(hdc, rc.left, rc.top, rc.right, rc.bottom, corner, corner);
    }
    SelectedObject inner(hdc, green.get());
    RoundRect(hdc, rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1, corner, corner);
}

}  // namespace

HFONT createPageTitleFont(HWND page, const int* ids, int count) {
    HFONT font = createDialogFont(kTitlePoints, 700);
    for (int i = 0; i < count; ++i) SendDlgItemMessageW(page, ids[i], WM_SETFONT, (WPARAM)font, FALSE);
    return font;
}

void drawPageFrames(HWND page, HDC hdc) {
    for (int id : {res::kIdSetFrame1, res::kIdSetFrame2})
        if (GetDlgItem(page, id)) drawFrame(hdc, dialogItemRect(page, id));
}

INT_PTR titleColours(HDC hdc) {
    SetTextColor(hdc, kPageTitleColour);
    SetBkMode(hdc, TRANSPARENT);
    return (INT_PTR)GetStockObject(WHITE_BRUSH);
}

INT_PTR plainColours(HDC hdc) {
    SetTextColor(hdc, 0x000000);
    SetBkMode(hdc, TRANSPARENT);
    return (INT_PTR)GetStockObject(WHITE_BRUSH);
}

void invalidateAround(HWND page, int id, int grow, BOOL erase) {
    RECT rc = dialogItemRect(page, id);
    InflateRect(&rc, grow, grow);
    InvalidateRect(page, &rc, erase);
}

BOOL answerSheetNotify(HWND page, LPARAM lParam, void (*apply)(HWND page)) {
    const NMHDR* header = (const NMHDR*)lParam;
    if (!header) return FALSE;
    switch (header->code) {
        case PSN_SETACTIVE:
        case PSN_KILLACTIVE:
            SHSipPreference(page, SIP_DOWN);
            SetWindowLongW(page, DWL_MSGRESULT, FALSE);
            return TRUE;
        case PSN_APPLY:
            apply(page);
            SetWindowLongW(page, DWL_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        default: return FALSE;
    }
}

void setCheck(HWND page, int id, int on) {
    SendDlgItemMessageW(page, id, BM_SETCHECK, on == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int isChecked(HWND page, int id) { return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

void fillDropList(HWND page, int id, const WCHAR* const* texts, int count, int selected) {
    HWND box = GetDlgItem(page, id);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) SendMessageW(box, CB_ADDSTRING, 0, (LPARAM)texts[i]);
    SendMessageW(box, CB_SETCURSEL, selected >= 0 && selected < count ? (WPARAM)selected : (WPARAM)-1, 0);
}

int dropListIndex(HWND page, int id, int fallback) {
    LRESULT index = SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? fallback : (int)index;
}
