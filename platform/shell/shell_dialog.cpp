// Full-screen dialogs, the input-panel preference of a window, and the
// helpers a window calls from WM_ACTIVATE and WM_SETTINGCHANGE so the panel
// and the window's size follow each other.
#include <set>

#include "platform/shell/input_panel.h"
#include "platform/shell/shell_internal.h"
#include "platform/shell/shell_system.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "platform/window/wm_internal.h"

namespace shell {
namespace {

struct DialogRecords {
    std::set<HWND> noMenuBar;    // full screen down to the bottom edge
    std::set<HWND> deactivated;  // left with SHHandleWMActivate; its panel state is restored on return
};

DialogRecords& rec() {
    static DialogRecords r;
    return r;
}

// Where a full-width window's bottom edge belongs now.
int bottomFor(HWND hwnd) {
    if (sipIsOn()) return sipPanelRect().top;
    if (rec().noMenuBar.count(hwnd)) return device::screenConfig().height;
    return visibleDesktop().bottom;
}

bool activateInfoOk(const SHACTIVATEINFO* info) {
    return info && (info->cbSize == 12 || info->cbSize == sizeof(SHACTIVATEINFO));
}

}  // namespace

void dialogRecordsReset() { rec() = DialogRecords{}; }

}  // namespace shell

BOOL WINAPI SHInitDialog(PSHINITDLGINFO info) {
    using namespace shell;
    if (!info || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    device::registerShellClasses();
    HWND dlg = info->hDlg;
    DWORD f = info->dwFlags;
    if (f & SHIDIF_SIPDOWN) sipShow(false);
    const device::ScreenConfig& scr = device::screenConfig();
    bool fullScreen = (f & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) != 0;
    if (fullScreen || (f & SHIDIF_SIZEDLG)) {
        int top = device::navBarHeight();
        int bottom;
        if (f & SHIDIF_FULLSCREENNOMENUBAR) {
            rec().noMenuBar.insert(dlg);
            bottom = scr.height;
        } else if (f & SHIDIF_SIZEDLGFULLSCREEN) {
            bottom = scr.height - GetSystemMetrics(SM_CYMENU);  // regardless of the panel
        } else {
            bottom = visibleDesktop().bottom;
        }
        SetWindowPos(dlg, nullptr, 0, top, scr.width, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
        // A full-screen dialog has its own (empty) menu bar, so the band below
        // it holds the input panel's button rather than its owner's menus.
        if (!(f & SHIDIF_FULLSCREENNOMENUBAR) && !SHFindMenuBar(dlg)) {
            SHMENUBARINFO mb{};
            mb.cbSize = sizeof(mb);
            mb.hwndParent = dlg;
            mb.dwFlags = SHCMBF_EMPTYBAR;
            SHCreateMenuBar(&mb);
        }
    }
    if (f & SHIDIF_DONEBUTTON) device::setNavBarOkButton(dlg, true);
    return TRUE;
}

BOOL WINAPI SHDoneButton(HWND hwnd, DWORD state) {
    if (!IsWindow(hwnd)) return FALSE;
    if (state & SHDB_SHOW) device::setNavBarOkButton(hwnd, true);
    else if (state & SHDB_HIDE) device::setNavBarOkButton(hwnd, false);
    return TRUE;
}

BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE state) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    device::registerShellClasses();
    switch (state) {
        case SIP_UP: shell::sipShow(true); break;
        case SIP_DOWN:
        case SIP_FORCEDOWN: shell::sipShow(false); break;
        case SIP_UNCHANGED:
        case SIP_INPUTDIALOG: break;
        default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
    }
    return TRUE;
}

BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM, SHACTIVATEINFO* info, DWORD) {
    using namespace shell;
    if (!activateInfoOk(info) || !IsWindow(hwnd)) return FALSE;
    device::registerShellClasses();
    if (LOWORD(wParam) == WA_INACTIVE) {
        info->fSipOnDeactivation = sipIsOn() ? 1u : 0u;
        info->fActive = 0;
        HWND focus = GetFocus();
        info->hwndLastFocus = (focus && (focus == hwnd || IsChild(hwnd, focus))) ? focus : nullptr;
        rec().deactivated.insert(hwnd);
    } else {
        info->fActive = 1;
        // Coming back: the panel returns to how this window left it.
        if (rec().deactivated.erase(hwnd)) sipShow(info->fSipOnDeactivation != 0);
        info->fSipUp = sipIsOn() ? 1u : 0u;
    }
    return TRUE;
}

BOOL WINAPI SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM, SHACTIVATEINFO* info) {
    using namespace shell;
    if (!IsWindow(hwnd) || wParam != SPI_SETSIPINFO) return FALSE;
    if (activateInfoOk(info)) info->fSipUp = sipIsOn() ? 1u : 0u;
    wm::Window* w = wm::get(hwnd);
    if (!w || !wm::isTopLevel(w)) return FALSE;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    // Only windows across the whole screen follow the panel; small popups stay.
    if (wr.right - wr.left != device::screenConfig().width) return TRUE;
    int bottom = bottomFor(hwnd);
    if (bottom > wr.top && bottom != wr.bottom)
        SetWindowPos(hwnd, nullptr, wr.left, wr.top, wr.right - wr.left, bottom - wr.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
