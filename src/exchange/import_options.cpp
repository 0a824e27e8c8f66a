// The "Import Option" dialog (template 163): into a new list or into the
// current list.
#include "common/gdi_owner.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_look.h"
#include "exchange/text_import.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

struct OptionsState {
    int currentAllowed = 1;
    GdiObject<HFONT> titleFont;
    int titleHeight = 13;
    GdiObject<HBRUSH> bandBrush;
};

OptionsState* stateOf(HWND dialog) { return (OptionsState*)GetWindowLongW(dialog, DWLP_USER); }

BOOL onInitDialog(HWND dialog, OptionsState* s) {
    SetWindowLongW(dialog, DWLP_USER, (LONG_PTR)s);
    useProgramFrame(dialog);
    SetWindowTextW(dialog, u"Import Option");
    s->titleFont.reset(createDialogFont(10, 700, &s->titleHeight));
    s->bandBrush.reset(CreateSolidBrush(kDialogBandColour));
    CheckDlgButton(dialog, res::kIdImportNewList, BST_CHECKED);
    EnableWindow(GetDlgItem(dialog, res::kIdImportCurrentList), s->currentAllowed ? TRUE : FALSE);
    return TRUE;
}

void onPaint(HWND dialog, OptionsState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (dc) paintDialogFrame(dc, dialog, u"Import Option", s.titleFont.get(), s.bandBrush.get(), 2 * s.titleHeight);
    EndPaint(dialog, &ps);
}

INT_PTR onCommand(HWND dialog, int id) {
    if (id == res::kIdOk) {
        int intoNew = IsDlgButtonChecked(dialog, res::kIdImportNewList) == BST_CHECKED;
        EndDialog(dialog, intoNew ? 1 : 2);
        return TRUE;
    }
    if (id == res::kIdCancel || id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

void release(OptionsState& s) {
    s.titleFont.reset();
    s.bandBrush.reset();
}

INT_PTR CALLBACK optionsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInitDialog(dialog, (OptionsState*)lParam);
    OptionsState* s = stateOf(dialog);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(dialog, *s); return TRUE;
        case WM_ERASEBKGND: return TRUE;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)GetStockObject(WHITE_BRUSH);
        case WM_COMMAND: return onCommand(dialog, LOWORD(wParam));
        case WM_DESTROY:
            release(*s);
            SetWindowLongW(dialog, DWLP_USER, 0);
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

int runImportOptions(HWND owner, int currentAllowed) {
    OptionsState state;
    state.currentAllowed = currentAllowed;
    INT_PTR result = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgImportOption), owner, optionsProc,
                                     (LPARAM)&state);
    release(state);
    return result == 1 || result == 2 ? int(result) : 0;
}
