// Dialog boxes: the dialog class, dialogs made from templates (modal and
// modeless), the dialog keyboard, and the helpers that reach a dialog's
// controls by id. The templates themselves are the program's resources
// (platform/dialogs/dialog_template.h describes their form); the binary
// DLGTEMPLATE form is accepted by the *Indirect calls.
//
// Sections: styles | messages and codes | binary templates | creation |
// dialog procedure and keyboard | controls by id | geometry and navigation |
// the dialog resource format
#pragma once

#include <vector>

#include "windef.h"
#include "winuser.h"

// -------------------------------------------------------------------- styles
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// The dialog window class.
#define WC_DIALOG u"#32770"

// ------------------------------------------------------- messages and codes
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
// High word of a DM_GETDEFID answer that carries an id.
#define DC_HASDEFID 0x534B

// WM_GETDLGCODE answers.
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// ---------------------------------------------------------- binary templates
// In memory: DLGTEMPLATE, then menu, class and caption (each a WORD array:
// 0x0000 none, 0xFFFF and an ordinal, or a NUL-terminated string), then with
// DS_SETFONT the point size (WORD) and face name; then each item DWORD
// aligned: DLGITEMTEMPLATE, class (string or 0xFFFF + atom 0x0080..0x0085),
// title (string or 0xFFFF + ordinal), a WORD count of creation data bytes
// and those bytes.
#pragma pack(push, 2)
typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATE;
typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
} DLGITEMTEMPLATE;
#pragma pack(pop)
typedef DLGTEMPLATE* LPDLGTEMPLATEW;
typedef const DLGTEMPLATE* LPCDLGTEMPLATEW;
typedef LPCDLGTEMPLATEW LPCDLGTEMPLATE;
typedef DLGITEMTEMPLATE* LPDLGITEMTEMPLATEW;

// ------------------------------------------------------------------ creation
// Modal: runs its own message loop with the owner disabled and returns the
// EndDialog value, or -1 when the template is missing or creation failed.
INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam);
INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam);
// Modeless: returns the dialog (shown when its template has WS_VISIBLE).
HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam);
HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam);
#define DialogBoxW(i, t, p, f) DialogBoxParamW(i, t, p, f, 0)
#define DialogBoxIndirectW(i, t, p, f) DialogBoxIndirectParamW(i, t, p, f, 0)
#define CreateDialogW(i, t, p, f) CreateDialogParamW(i, t, p, f, 0)
#define CreateDialogIndirectW(i, t, p, f) CreateDialogIndirectParamW(i, t, p, f, 0)
#define DialogBox DialogBoxW
#define DialogBoxParam DialogBoxParamW
#define DialogBoxIndirect DialogBoxIndirectW
#define DialogBoxIndirectParam DialogBoxIndirectParamW
#define CreateDialog CreateDialogW
#define CreateDialogParam CreateDialogParamW
#define CreateDialogIndirect CreateDialogIndirectW
#define CreateDialogIndirectParam CreateDialogIndirectParamW

// Marks the dialog finished with this result and hides it; a modal dialog's
// loop then ends and DialogBoxParamW returns the result.
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult);

// ---------------------------------------------- dialog procedure and keyboard
// The dialog class's window procedure: calls the dialog procedure and does
// the default work for what it leaves (returns FALSE for).
LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
#define DefDlgProc DefDlgProcW
// Dialog keyboard (Tab, arrows, Enter, Escape) for a message of the dialog
// or its controls; TRUE when the message was handled (and dispatched).
BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg);
#define IsDialogMessage IsDialogMessageW

// ---------------------------------------------------------- controls by id
BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString);
UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax);
BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned);
BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton);
BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
#define SetDlgItemText SetDlgItemTextW
#define GetDlgItemText GetDlgItemTextW
#define SendDlgItemMessage SendDlgItemMessageW

// ---------------------------------------------------- geometry and navigation
// Dialog units of this dialog's font to pixels (x * baseX / 4, y * baseY / 8).
BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect);
// Base units of the system dialog font: width in the low word, height high.
LONG WINAPI GetDialogBaseUnits();
HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);

// -------------------------------------------------- the dialog resource format
// A template is plain constant data the program writes once and registers
// at start-up under kResDialog (winres.h):
//
//   static const device::DialogTemplate kNameDialog{
//       DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 124, 60,
//       u"", u"Tahoma", 8,
//       {{u"edit", u"", 1119, WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER, 0, 7, 20, 110, 12},
//        {u"button", u"OK", 1000, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 10, 40, 45, 14}}};
//   device::resourceRegister(device::kResDialog, 145, &kNameDialog, 0);
//
// Positions and sizes are in dialog units of the template's font (x units
// are a quarter of the font's average character width, y units an eighth of
// its height). The dialog's x, y and cx, cy give its client area; a popup is
// placed relative to its owner's client area (DS_ABSALIGN: to the screen,
// DS_CENTER: centred in the work area). Every item becomes a child window
// (WS_CHILD is added) with its id, in template order, which is also the tab
// order and the order of GetWindow(GW_CHILD)/GW_HWNDNEXT.
namespace device {

struct DialogItemTemplate {
    // A class name ("button", "edit", "static", "listbox", "scrollbar",
    // "combobox", "SysTreeView32", ...) or one of the predefined atoms
    // MAKEINTRESOURCEW(0x0080) button ... MAKEINTRESOURCEW(0x0085) combobox.
    LPCWSTR className = nullptr;
    // The window text; MAKEINTRESOURCEW(n) passes a resource number (a
    // picture static's bitmap) through to the control's creation.
    LPCWSTR text = nullptr;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    LPCWSTR caption = nullptr;
    // With DS_SETFONT: the face and point size of the dialog's font, which
    // every control gets through WM_SETFONT; without it the system's dialog
    // font gives the units and controls keep their own font.
    LPCWSTR fontFace = nullptr;
    int pointSize = 0;
    std::vector<DialogItemTemplate> items;
};

}  // namespace device
