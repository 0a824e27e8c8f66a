// The Settings command and its property sheet.
#include "dialogs/settings_sheet.h"

#include "dialogs/settings_pages.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/list_attributes.h"

namespace {

// The sheet asks which version of the common controls the program was
// written for: the device's own, whose sheets have their tabs at the bottom.
int CALLBACK sheetCallback(HWND, UINT msg, LPARAM) { return msg == PSCB_GETVERSION ? COMCTL32_VERSION : 0; }

}  // namespace

INT_PTR runSettingsSheet(HWND owner) {
    const struct {
        int templateId;
        DLGPROC proc;
    } kPages[] = {{res::kDlgSettingsDisplay, displayPageProc},
                  {res::kDlgSettingsColor, colorPageProc},
                  {res::kDlgSettingsOther, otherPageProc}};
    PROPSHEETPAGEW pages[3] = {};
    for (int i = 0; i < 3; ++i) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].dwFlags = PSP_DEFAULT;  // the tab shows the template's caption
        pages[i].hInstance = hInstance;
        pages[i].pszTemplate = MAKEINTRESOURCEW(kPages[i].templateId);
        pages[i].pfnDlgProc = kPages[i].proc;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_MAXIMIZE | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = hInstance;
    header.pszCaption = u"Settings";
    header.nPages = 3;
    header.nStartPage = 0;
    header.ppsp = pages;
    header.pfnCallback = sheetCallback;
    return PropertySheetW(&header);
}

LRESULT onSettings(HWND hwnd, int, HWND, int) {
    SHSipPreference(hwnd, SIP_DOWN);
    if (runSettingsSheet(hwnd) == -1) MessageBoxW(hwnd, u"error in PropertySheet()", u"error", 0);
    // Whatever took effect at once (the background, the button picture) is
    // the list's now, so the record is stored however the sheet closed.
    if (storeShownListAttributes()) showListAttributes(attrCurrentList);
    if (hwndMain) {
        InvalidateRect(hwndMain, nullptr, TRUE);
        UpdateWindow(hwndMain);
    }
    updateMenus();
    return 0;
}
