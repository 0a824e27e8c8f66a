// The pocket shell: the menu bar, the soft input panel (SIP), tap-and-hold,
// full-screen dialogs and the activate/setting-change helpers. Values and
// structure layouts are those of the device; where a structure holds
// pointers it is larger here than the device's 32-bit one, so the shell
// accepts both the device's cbSize and sizeof.
//
// Sections: menu bar | input panel | activation and setting changes |
// dialogs | gestures | the menu-bar resource format
#pragma once

#include <vector>

#include "commctrl.h"
#include "windef.h"

// ------------------------------------------------------------------ menu bar
#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

// wParam: button id, lParam: HMENU; returns the previous submenu.
#define SHCMBM_SETSUBMENU (WM_USER + 400)
// lParam: the id of a menu button; returns its popup menu.
#define SHCMBM_GETSUBMENU (WM_USER + 401)
// Returns the whole menu the bar was loaded from.
#define SHCMBM_GETMENU (WM_USER + 402)

typedef struct tagSHMENUBARINFO {
    DWORD cbSize;  // 36 on the device, or sizeof(SHMENUBARINFO)
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;  // the menu-bar resource (kResMenuBar)
    HINSTANCE hInstRes;
    int nBmpId;       // bitmap resource with the picture buttons' images side by side
    int cBmpImages;   // how many images the bitmap holds
    HWND hwndMB;      // out: the menu bar
    COLORREF clrBk;   // with SHCMBF_COLORBK
} SHMENUBARINFO, *PSHMENUBARINFO;

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info);
// The menu bar owned by a window, or null.
HWND WINAPI SHFindMenuBar(HWND hwnd);

// --------------------------------------------------------------- input panel
#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001
#define SIPF_DOCKED 0x00000002
#define SIPF_LOCKED 0x00000004
#define SIPF_DISABLECOMPLETION 0x00000008

typedef struct tagSIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop;  // the screen not covered by the panel (or the menu bar)
    RECT rcSipRect;         // where the panel is (or would be)
    DWORD dwImDataSize;
    void* pvImData;         // input method data, kept as given to SipSetInfo
} SIPINFO, *PSIPINFO;

typedef enum tagSIPSTATE {
    SIP_UP = 0,
    SIP_DOWN,
    SIP_FORCEDOWN,
    SIP_UNCHANGED,
    SIP_INPUTDIALOG,
} SIPSTATE;

BOOL WINAPI SipGetInfo(SIPINFO* info);
BOOL WINAPI SipSetInfo(SIPINFO* info);
BOOL WINAPI SipShowIM(DWORD flags);
BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE state);

// The shell's control that keeps the panel with its dialog: it raises the
// panel while an edit control of the dialog has the focus.
#define WC_SIPPREF u"SIPPREF"
BOOL WINAPI SHInitExtraControls();

// --------------------------------------------- activation and setting changes
typedef struct tagSHACTIVATEINFO {
    DWORD cbSize;  // 12 on the device, or sizeof(SHACTIVATEINFO)
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

#define SHA_INPUTDIALOG 0x00000001

BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info, DWORD flags);
BOOL WINAPI SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);

// ------------------------------------------------------------------- dialogs
#define SHIDIM_FLAGS 0x0001

// wParam of WM_SETTINGCHANGE when the screen changed its size or orientation.
#define SETTINGCHANGE_RESET 0x3002

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
#define SHIDIF_WANTSCROLLBAR 0x0040
#define SHIDIF_CANCELBUTTON 0x0080

typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

BOOL WINAPI SHInitDialog(PSHINITDLGINFO info);

#define SHDB_SHOW 0x0001
#define SHDB_HIDE 0x0002
BOOL WINAPI SHDoneButton(HWND hwnd, DWORD state);

// ------------------------------------------------------------------ gestures
#define GN_CONTEXTMENU 1000

#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define SHRG_NOANIMATION 0x00000010

typedef struct tagSHRGI {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;  // client coordinates of hwndClient
    DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;

// Sent with WM_NOTIFY (code GN_CONTEXTMENU).
typedef struct tagNMRGINFO {
    NMHDR hdr;
    POINT ptAction;  // screen coordinates
    DWORD dwItemSpec;
} NMRGINFO, *PNMRGINFO;

// Waits, on the device clock, for the pen that just went down to be held
// still: GN_CONTEXTMENU (or the WM_NOTIFY result) when it was, 0 when it
// lifted or moved away first.
DWORD WINAPI SHRecognizeGesture(SHRGINFO* info);

// ------------------------------------------------ the menu-bar resource format
// The program writes each menu bar as a MenuBarTemplate and registers it with
// device::resourceRegister(device::kResMenuBar, id, &tmpl, 0). Menu buttons
// open the popups of the menu resource `menuId` by index; picture buttons send
// their command id and show image `image` of the bitmap named in
// SHMENUBARINFO. Example:
//
//   static const device::MenuBarTemplate kMainBar{103, {
//       {device::MenuBarButton::kMenu, 40002, u"File", 0},
//       {device::MenuBarButton::kSeparator},
//       {device::MenuBarButton::kPicture, 40013, nullptr, 0, 0, 0},  // disabled
//   }};
namespace device {

struct MenuBarButton {
    enum Kind { kMenu, kSeparator, kPicture };
    Kind kind = kSeparator;
    UINT id = 0;                     // button id (menu) or command id (picture)
    const char16_t* text = nullptr;  // menu button text
    int popup = 0;                   // menu button: index of its popup in the menu
    int image = 0;                   // picture button: image index in the bitmap
    BYTE state = 0x04;               // TBSTATE_ENABLED, or 0 for a disabled button

    MenuBarButton(Kind kind_ = kSeparator, UINT id_ = 0, const char16_t* text_ = nullptr, int popup_ = 0,
                  int image_ = 0, BYTE state_ = 0x04)
        : kind(kind_), id(id_), text(text_), popup(popup_), image(image_), state(state_) {}
};

struct MenuBarTemplate {
    int menuId = 0;  // the menu resource (kResMenu) the menu buttons open
    std::vector<MenuBarButton> buttons;
};

}  // namespace device
