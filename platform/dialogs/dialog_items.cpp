// Reaching a dialog's controls by id: texts, numbers, check marks and
// radio groups, messages; and dialog units to pixels.
#include <climits>
#include <string>

#include "platform/dialogs/dialog_internal.h"
#include "platform/dialogs/dialog_state.h"

namespace {

// The number in a control's text: blanks first, a minus sign when signed,
// then decimal digits up to the first other character. Nothing to read, or
// a value out of range, is a failure.
bool parseDialogNumber(const char16_t* s, bool isSigned, UINT& out) {
    while (*s == u' ' || *s == u'\t') ++s;
    bool negative = false;
    if (isSigned && (*s == u'-' || *s == u'+')) negative = *s++ == u'-';
    if (*s < u'0' || *s > u'9') return false;
    unsigned long long v = 0;
    for (; *s >= u'0' && *s <= u'9'; ++s) {
        v = v * 10 + (unsigned)(*s - u'0');
        if (v > 0xFFFFFFFFull) return false;
    }
    if (isSigned) {
        if (negative ? v > (unsigned long long)INT_MAX + 1 : v > (unsigned long long)INT_MAX) return false;
        out = negative ? (UINT)(0u - (UINT)v) : (UINT)v;
    } else {
        out = (UINT)v;
    }
    return true;
}

}  // namespace

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SendMessageW(item, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SetWindowTextW(item, lpString ? lpString : u"") : FALSE;
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
    if (!lpString || cchMax <= 0) return 0;
    lpString[0] = 0;
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? (UINT)GetWindowTextW(item, lpString, cchMax) : 0;
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    std::string digits = bSigned ? std::to_string((int)uValue) : std::to_string(uValue);
    std::u16string text(digits.begin(), digits.end());
    return SetDlgItemTextW(hDlg, nIDDlgItem, text.c_str());
}

UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned) {
    if (lpTranslated) *lpTranslated = FALSE;
    char16_t text[64];
    if (!GetDlgItem(hDlg, nIDDlgItem)) return 0;
    GetDlgItemTextW(hDlg, nIDDlgItem, text, 64);
    UINT value = 0;
    if (!parseDialogNumber(text, bSigned != FALSE, value)) return 0;
    if (lpTranslated) *lpTranslated = TRUE;
    return value;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND item = GetDlgItem(hDlg, nIDButton);
    if (!item) return FALSE;
    SendMessageW(item, dlg::kBmSetCheck, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    return (UINT)SendDlgItemMessageW(hDlg, nIDButton, dlg::kBmGetCheck, 0, 0);
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(c);
        if (id < nIDFirstButton || id > nIDLastButton) continue;
        SendMessageW(c, dlg::kBmSetCheck, id == nIDCheckButton ? dlg::kBstChecked : 0, 0);
    }
    return TRUE;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    SIZE base = device::dialogBaseUnits(hDlg);
    if (!lpRect || !base.cx) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpRect->left = MulDiv(lpRect->left, base.cx, 4);
    lpRect->right = MulDiv(lpRect->right, base.cx, 4);
    lpRect->top = MulDiv(lpRect->top, base.cy, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, base.cy, 8);
    return TRUE;
}

LONG WINAPI GetDialogBaseUnits() {
    SIZE base = device::fontBaseUnits((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    return MAKELONG(base.cx, base.cy);
}
