// System metrics and parameters of the device's screen.
#include "platform/window/screen.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

int WINAPI GetSystemMetrics(int index) {
    const device::ScreenConfig& sc = device::screenConfig();
    int s = sc.scale;
    switch (index) {
        case SM_CXSCREEN: return sc.width;
        case SM_CYSCREEN: return sc.height;
        case SM_CXVSCROLL: return 13 * s;
        case SM_CYHSCROLL: return 13 * s;
        case SM_CYVSCROLL: return 13 * s;
        case SM_CXHSCROLL: return 13 * s;
        case SM_CYVTHUMB: return 13 * s;
        case SM_CXHTHUMB: return 13 * s;
        case SM_CYCAPTION: return 26 * s;
        case SM_CYMENU: return 26 * s;
        case SM_CXBORDER: return 1;
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME: return s;
        case SM_CYDLGFRAME: return s;
        case SM_CXEDGE: return 2;
        case SM_CYEDGE: return 2;
        case SM_CXICON: return 32 * s;
        case SM_CYICON: return 32 * s;
        case SM_CXSMICON: return 16 * s;
        case SM_CYSMICON: return 16 * s;
        case SM_CXCURSOR: return 32 * s;
        case SM_CYCURSOR: return 32 * s;
        case SM_CXFULLSCREEN: return sc.width;
        case SM_CYFULLSCREEN: return sc.height - device::navBarHeight();
        case SM_CXDOUBLECLK: return 8 * s;
        case SM_CYDOUBLECLK: return 8 * s;
        case SM_CXDRAG: return 4 * s;
        case SM_CYDRAG: return 4 * s;
        case SM_CXICONSPACING: return 64 * s;
        case SM_CYICONSPACING: return 64 * s;
        case SM_CXMENUCHECK: return 13 * s;
        case SM_CYMENUCHECK: return 13 * s;
        case SM_MOUSEPRESENT: return 0;  // a pen, not a mouse
        case SM_DEBUG: return 0;
        case SM_SWAPBUTTON: return 0;
    }
    return 0;
}

BOOL WINAPI SystemParametersInfoW(UINT action, UINT, PVOID pvParam, UINT) {
    switch (action) {
        case SPI_GETWORKAREA:
            if (!pvParam) break;
            *(RECT*)pvParam = device::screenWorkArea();
            return TRUE;
    }
    wm::fail(wm::kErrInvalidParameter);
    return FALSE;
}
