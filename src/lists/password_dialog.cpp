// The password dialog: hides the fields a mode does not need, checks what
// was typed against the rules and the list's verifier, and hands the new or
// entered password back in the caller's record.
//
// Sections: per-dialog state | opening and layout | the OK checks | procedure
#include "lists/password_dialog.h"

#include <memory>

#include "common/dialog_state.h"
#include "common/gdi_owner.h"
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "common/wide_text.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_look.h"
#include "lists/list_passwords.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

// --- per-dialog state ---------------------------------------------------------

struct PasswordDialogState {
    PasswordDialogRecord* record = nullptr;
    WCHAR verifier[PASSWORD_RECORD_CHARS] = {};
    HFONT font = nullptr;       // the dialog's own font (owned by the dialog)
    int fontHeight = 13;
    GdiObject<HBRUSH> bandBrush;
    DWORD sipFlags = 0;         // the input panel's flags before the dialog
    bool sipFlagsSaved = false;
};

PasswordDialogState* stateOf(HWND dialog) { return dialogState<PasswordDialogState>(dialog); }

bool sameText(const WCHAR* a, const WCHAR* b) {
    int i = 0;
    for (; a[i] != 0 && a[i] == b[i]; ++i) {
    }
    return a[i] == b[i];
}

// --- opening and layout ---------------------------------------------------------

// Word completion would offer typed passwords back as suggestions, so it is
// off while the dialog is open and put back as it was when it closes.
void switchCompletionOff(PasswordDialogState& state) {
    SIPINFO sip = {};
    sip.cbSize = sizeof sip;
    if (!SipGetInfo(&sip)) return;
    state.sipFlags = sip.fdwFlags;
    state.sipFlagsSaved = true;
    sip.fdwFlags |= SIPF_DISABLECOMPLETION;
    SipSetInfo(&sip);
}

void restoreCompletion(PasswordDialogState& state) {
    if (!state.sipFlagsSaved) return;
    SIPINFO sip = {};
    sip.cbSize = sizeof sip;
    if (!SipGetInfo(&sip)) return;
    sip.fdwFlags = (sip.fdwFlags & ~DWORD(SIPF_DISABLECOMPLETION)) | (state.sipFlags & SIPF_DISABLECOMPLETION);
    SipSetInfo(&sip);
    state.sipFlagsSaved = false;
}

// Moves control `id` up by `dy` pixels.
void moveUp(HWND dialog, int id, int dy) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(control, r.left, r.top - dy, r.right - r.left, r.bottom - r.top, FALSE);
}

void hide(HWND dialog, int id) {
    if (HWND control = GetDlgItem(dialog, id)) ShowWindow(control, SW_HIDE);
}

// Dialog units to pixels, vertically.
int unitsToPixels(HWND dialog, int units) {
    RECT r = {0, 0, 0, units};
    MapDialogRect(dialog, &r);
    return r.bottom;
}

void shrinkBy(HWND dialog, int dy) {
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left, r.bottom - r.top - dy, SWP_NOMOVE | SWP_NOZORDER);
}

// The template lays out mode 1; the other modes drop fields and close up.
// The offsets are those of the template: the old field's label sits 24
// units above the new one's; in mode 3 the buttons come up 43 units, to
// 10 units below the only field.
void arrangeForMode(HWND dialog, int mode) {
    if (mode == PASSWORD_MODE_SET) {
        hide(dialog, res::kIdPwdOldLabel);
        hide(dialog, res::kIdPwdOld);
        int dy = unitsToPixels(dialog, 24);
        for (int id : {res::kIdPwdNewLabel, res::kIdPwdNew, res::kIdPwdConfirmLabel, res::kIdPwdConfirm, res::kIdOk,
                       res::kIdCancel})
            moveUp(dialog, id, dy);
        shrinkBy(dialog, dy);
    } else if (mode == PASSWORD_MODE_ENTER) {
        for (int id : {res::kIdPwdNewLabel, res::kIdPwdNew, res::kIdPwdConfirmLabel, res::kIdPwdConfirm})
            hide(dialog, id);
        SetDlgItemTextW(dialog, res::kIdPwdOldLabel, u"Password :");
        int dy = unitsToPixels(dialog, 43);
        moveUp(dialog, res::kIdOk, dy);
        moveUp(dialog, res::kIdCancel, dy);
        shrinkBy(dialog, dy);
    }
}

// The edit a mode starts in: the old (or only) field, or the new one.
int firstField(int mode) {
    return mode == PASSWORD_MODE_SET ? res::kIdPwdNew : res::kIdPwdOld;
}

BOOL onInitDialog(HWND dialog, PasswordDialogRecord* record) {
    PasswordDialogState* state = attachDialogState(dialog, std::make_unique<PasswordDialogState>());
    state->record = record;
    copyText(state->verifier, PASSWORD_RECORD_CHARS, record ? record->password : nullptr);
    int mode = record ? record->mode : PASSWORD_MODE_ENTER;

    useProgramFrame(dialog);
    // The navigation bar shows the title of the window in front.
    if (record) SetWindowTextW(dialog, record->title);
    state->font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (HDC dc = GetDC(dialog)) {
        HGDIOBJ old = state->font ? SelectObject(dc, state->font) : nullptr;
        TEXTMETRICW tm = {};
        if (GetTextMetricsW(dc, &tm) && tm.tmHeight > 0) state->fontHeight = tm.tmHeight;
        if (old) SelectObject(dc, old);
        ReleaseDC(dialog, dc);
    }
    state->bandBrush.reset(CreateSolidBrush(kDialogBandColour));
    for (int id : {res::kIdPwdOld, res::kIdPwdNew, res::kIdPwdConfirm}) {
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, PASSWORD_MAX_CHARS, 0);
        if (state->font) SendDlgItemMessageW(dialog, id, WM_SETFONT, WPARAM(state->font), FALSE);
    }
    arrangeForMode(dialog, mode);

    applyRoundedShape(dialog);  // again, for the size of this mode
    switchCompletionOff(*state);
    SHSipPreference(dialog, SIP_UP);
    placeAboveInputPanel(dialog);
    SetFocus(GetDlgItem(dialog, firstField(mode)));
    // The focus was placed here, so the dialog must not move it.
    return FALSE;
}

// --- the OK checks ---------------------------------------------------------------

// The field's text, trimmed: passwords with blanks around them are the same
// password without.
void readField(HWND dialog, int id, WCHAR* out, int capacity) {
    out[0] = 0;
    GetDlgItemTextW(dialog, id, out, capacity);
    trimSpaces(out);
}

// Tells the user what is wrong with the dialog out of the way, then gives
// the dialog back with the focus (and, when asked, the whole text selected)
// in the field that needs attention.
void complain(HWND dialog, LPCWSTR text, int focusId, bool selectText) {
    ShowWindow(dialog, SW_HIDE);
    HWND owner = GetParent(dialog);
    messageDialog(owner ? owner : dialog, text, u"Warning Message", MD_STYLE_WARNING);
    ShowWindow(dialog, SW_SHOW);
    raiseInputPanelForText(dialog);
    HWND field = GetDlgItem(dialog, focusId);
    if (selectText && field) SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}

const WCHAR kNotAcceptable[] =
    u"New password needs to be greater than 4 characters, and have at least two unique characters";

void finish(HWND dialog, PasswordDialogState& state, INT_PTR result) {
    restoreCompletion(state);
    SHSipPreference(dialog, SIP_DOWN);
    EndDialog(dialog, result);
}

void onOkChange(HWND dialog, PasswordDialogState& state) {
    WCHAR old[PASSWORD_RECORD_CHARS], fresh[PASSWORD_RECORD_CHARS], confirm[PASSWORD_RECORD_CHARS];
    readField(dialog, res::kIdPwdOld, old, PASSWORD_RECORD_CHARS);
    if (old[0] == 0) return complain(dialog, u"Need to enter the old password!", res::kIdPwdOld, false);
    if (textLength(old) < 4 || !passwordMatchesVerifier(old, state.verifier))
        return complain(dialog, u"Old password entered doesn't match the list password!", res::kIdPwdOld, true);
    readField(dialog, res::kIdPwdNew, fresh, PASSWORD_RECORD_CHARS);
    readField(dialog, res::kIdPwdConfirm, confirm, PASSWORD_RECORD_CHARS);
    if (fresh[0] != 0 && !isPasswordAcceptable(fresh)) return complain(dialog, kNotAcceptable, res::kIdPwdNew, false);
    if (!sameText(fresh, confirm))
        return complain(dialog, u"New password and confirm password do not match!", res::kIdPwdNew, false);
    // Both new fields empty: the caller removes the password.
    copyText(state.record->password, PASSWORD_RECORD_CHARS, fresh);
    finish(dialog, state, 1);
}

void onOkSet(HWND dialog, PasswordDialogState& state) {
    WCHAR fresh[PASSWORD_RECORD_CHARS], confirm[PASSWORD_RECORD_CHARS];
    readField(dialog, res::kIdPwdNew, fresh, PASSWORD_RECORD_CHARS);
    if (fresh[0] == 0) return complain(dialog, u"Need to enter a new password!", res::kIdPwdNew, false);
    if (!isPasswordAcceptable(fresh)) return complain(dialog, kNotAcceptable, res::kIdPwdNew, false);
    readField(dialog, res::kIdPwdConfirm, confirm, PASSWORD_RECORD_CHARS);
    if (!sameText(fresh, confirm))
        return complain(dialog, u"New password and confirmation password do not match!", res::kIdPwdNew, false);
    copyText(state.record->password, PASSWORD_RECORD_CHARS, fresh);
    finish(dialog, state, 1);
}

void onOkEnter(HWND dialog, PasswordDialogState& state) {
    WCHAR entered[PASSWORD_RECORD_CHARS];
    readField(dialog, res::kIdPwdOld, entered, PASSWORD_RECORD_CHARS);
    if (entered[0] == 0) return complain(dialog, u"Need to enter a password!", res::kIdPwdOld, false);
    if (textLength(entered) < 4) return complain(dialog, u"Password does not match! ", res::kIdPwdOld, false);
    if (!passwordMatchesVerifier(entered, state.verifier))
        return complain(dialog, u"Password does not match! ", res::kIdPwdOld, true);
    copyText(state.record->password, PASSWORD_RECORD_CHARS, entered);
    restoreCompletion(state);
    SHSipPreference(dialog, SIP_DOWN);
    // The list opens with the outline taking all the room; the layout pulls
    // the splitter back to where the notes pane fits.
    intSplitterTop = 800;
    if (hwndMain) SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    EndDialog(dialog, 1);
}

// --- procedure ---------------------------------------------------------------------

BOOL onCommand(HWND dialog, int id) {
    PasswordDialogState* state = stateOf(dialog);
    if (!state) return FALSE;
    if (id == res::kIdOk) {
        if (!state->record) {
            finish(dialog, *state, 0);
            return TRUE;
        }
        switch (state->record->mode) {
            case PASSWORD_MODE_CHANGE: onOkChange(dialog, *state); break;
            case PASSWORD_MODE_SET: onOkSet(dialog, *state); break;
            default: onOkEnter(dialog, *state); break;
        }
        return TRUE;
    }
    if (id == res::kIdCancel || id == IDOK || id == IDCANCEL) {
        finish(dialog, *state, 0);
        return TRUE;
    }
    return FALSE;
}

BOOL onPaint(HWND dialog) {
    PasswordDialogState* state = stateOf(dialog);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (dc) {
        int fontHeight = state ? state->fontHeight : 13;
        const WCHAR* title = state && state->record ? state->record->title : u"";
        paintDialogFrame(dc, dialog, title, state ? state->font : nullptr, state ? state->bandBrush.get() : nullptr,
                         fontHeight * 3 / 2);
    }
    EndPaint(dialog, &ps);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK passwordDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return onInitDialog(dialog, reinterpret_cast<PasswordDialogRecord*>(lParam));
        case WM_COMMAND: return onCommand(dialog, LOWORD(wParam));
        case WM_PAINT: return onPaint(dialog);
        case WM_ERASEBKGND: return TRUE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        case WM_DESTROY: {
            if (PasswordDialogState* state = stateOf(dialog)) restoreCompletion(*state);
            detachDialogState<PasswordDialogState>(dialog);
            return FALSE;
        }
        default: return FALSE;
    }
}
