// The About box: name, version and the program's picture over a thin grey
// rule, full-screen with the shell's done button, which closes it.
#include "dialogs/about.h"

#include "aygshell.h"
#include "common/gdi_owner.h"
#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

constexpr int kBmpProgram = 111;       // 32 x 32
constexpr int kBmpProgramHiRes = 112;  // 64 x 64
constexpr COLORREF kNameColour = 0x780000;
constexpr COLORREF kRuleColour = 0xC1C1C1;

struct AboutState {
    GdiObject<HFONT> hfontName;     // 12 points bold
    GdiObject<HFONT> hfontVersion;  // 10 points
    GdiObject<HBITMAP> hbmProgram;
    int intPictureWidth = 0;
    int intPictureHeight = 0;
};

// The dialog's controls use the fonts until it is gone.
void release(AboutState* s) { *s = AboutState{}; }

BOOL onInit(HWND hwnd, AboutState* s) {
    SetWindowLongW(hwnd, DWL_USER, (LONG_PTR)s);
    SHINITDLGINFO shidi = {SHIDIM_FLAGS, hwnd, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
    SHInitDialog(&shidi);
    s->hfontName.reset(createDialogFont(12, 700));
    s->hfontVersion.reset(createDialogFont(10, 400));
    SendDlgItemMessageW(hwnd, res::kIdAboutName, WM_SETFONT, (WPARAM)s->hfontName.get(), FALSE);
    SendDlgItemMessageW(hwnd, res::kIdAboutVersion, WM_SETFONT, (WPARAM)s->hfontVersion.get(), FALSE);
    SetDlgItemTextW(hwnd, res::kIdAboutName, u"Quillet Pro");
    SetDlgItemTextW(hwnd, res::kIdAboutVersion, kProgramVersion);
    int id = bHiRes == 1 ? kBmpProgramHiRes : kBmpProgram;
    s->hbmProgram.reset((HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    BITMAP bm = {};
    if (s->hbmProgram && GetObjectW(s->hbmProgram.get(), sizeof(bm), &bm)) {
        s->intPictureWidth = bm.bmWidth;
        s->intPictureHeight = bm.bmHeight;
    }
    return TRUE;
}

void onPaint(HWND hwnd, AboutState* s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    int width = client.right - client.left;
    int d = width / 20;
    RECT rule = dialogItemRect(hwnd, res::kIdAboutSeparator);
    {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, intUnit, kRuleColour));
        SelectedObject selected(dc, pen.get());
        MoveToEx(dc, d, rule.top, nullptr);
        LineTo(dc, width - d, rule.top);
    }
    if (s->hbmProgram) {
        RECT name = dialogItemRect(hwnd, res::kIdAboutName);
        int x = name.right + (width - name.right - s->intPictureWidth) / 2;
        MemoryDC mem(dc);
        SelectedObject picture(mem.get(), s->hbmProgram.get());
        BitBlt(dc, x, name.top, s->intPictureWidth, s->intPictureHeight, mem.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

INT_PTR CALLBACK aboutProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInit(hwnd, (AboutState*)lParam);
    AboutState* s = (AboutState*)GetWindowLongW(hwnd, DWL_USER);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(hwnd, s); return TRUE;
        case WM_CTLCOLORSTATIC:
            if ((HWND)lParam == GetDlgItem(hwnd, res::kIdAboutName)) SetTextColor((HDC)wParam, kNameColour);
            SetBkMode((HDC)wParam, TRANSPARENT);
            return (INT_PTR)GetStockObject(WHITE_BRUSH);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(hwnd, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY: release(s); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

LRESULT onAbout(HWND hwnd, int, HWND, int) {
    AboutState state;
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgAbout), hwnd, aboutProc, (LPARAM)&state);
    release(&state);
    return 0;
}
