// Menus: menu handles and their items, loading a menu from the program's
// resources, and tracking a popup menu on the screen. Constant values are
// those of the device.
//
// Sections: flags | functions | the menu resource format
#pragma once

#include <utility>
#include <vector>

#include "windef.h"

// --------------------------------------------------------------------- flags
#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_STRING 0x00000000L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_HILITE 0x00000080L
#define MF_UNHILITE 0x00000000L
#define MF_OWNERDRAW 0x00000100L
#define MF_DEFAULT 0x00001000L

#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L

typedef struct tagTPMPARAMS {
    UINT cbSize;
    RECT rcExclude;
} TPMPARAMS, *LPTPMPARAMS;

// ----------------------------------------------------------------- functions
HMENU WINAPI CreateMenu();
HMENU WINAPI CreatePopupMenu();
// Destroys the menu and every submenu it still holds.
BOOL WINAPI DestroyMenu(HMENU menu);
BOOL WINAPI IsMenu(HMENU menu);
// `idOrSubmenu` is the command id, or the submenu's handle with MF_POPUP.
BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
BOOL WINAPI InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
// RemoveMenu keeps a removed submenu alive; DeleteMenu destroys it.
BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags);
// Both return the item's previous state (MF_GRAYED/MF_DISABLED, MF_CHECKED),
// or (DWORD)-1 when the item does not exist.
DWORD WINAPI EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD WINAPI CheckMenuItem(HMENU menu, UINT item, UINT flags);
HMENU WINAPI GetSubMenu(HMENU menu, int position);
int WINAPI GetMenuItemCount(HMENU menu);
// The command id; (UINT)-1 for a submenu or a missing item.
UINT WINAPI GetMenuItemID(HMENU menu, int position);
// The item's flags (a submenu's item count in the high byte), or (UINT)-1.
UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags);
int WINAPI GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int cchMax, UINT flags);
// A menu resource (kResMenu) of the program, as a menu bar whose items are
// the resource's top-level entries.
HMENU WINAPI LoadMenuW(HINSTANCE instance, LPCWSTR name);
// Shows the popup and lets the user choose from it, by pen or keys. The
// choice is posted to `owner` as WM_COMMAND, or returned with TPM_RETURNCMD
// (0 when nothing was chosen).
BOOL WINAPI TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

// ---------------------------------------------------- the menu resource format
// The program writes its menus as MenuTemplate values and registers them with
// device::resourceRegister(device::kResMenu, id, &tmpl, 0); LoadMenuW builds a
// menu from them. Example:
//
//   static const device::MenuTemplate kItemPopup{{
//       {0, u"Item_Popup", MF_POPUP, {
//           {40071, u"&Edit"},
//           {0, nullptr, MF_SEPARATOR},
//           {40079, u"Delete Note", MF_GRAYED},
//       }},
//   }};
namespace device {

struct MenuItemTemplate {
    UINT id = 0;                      // command id (0 for separators and submenus)
    const char16_t* text = nullptr;   // "&" marks the mnemonic; nullptr for a separator
    UINT flags = 0;                   // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
    std::vector<MenuItemTemplate> items;  // the submenu's items (MF_POPUP)

    // A constructor rather than aggregate initialisation, so short entries
    // such as {40071, u"&Edit"} need no trailing fields.
    MenuItemTemplate(UINT id_ = 0, const char16_t* text_ = nullptr, UINT flags_ = 0,
                     std::vector<MenuItemTemplate> items_ = {})
        : id(id_), text(text_), flags(flags_), items(std::move(items_)) {}
};

struct MenuTemplate {
    std::vector<MenuItemTemplate> items;  // the top level (usually popups)
};

}  // namespace device
