// The property sheet: a full-screen modal window whose pages are child
// dialogs made from templates when first shown, with the page titles on tabs
// along the bottom edge. OK (the navigation bar's ok, or Enter) asks the
// current page to let go and then every page made so far to apply; Cancel
// (Escape) tells those pages to drop their changes.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/dialogs/dialog_internal.h"
#include "platform/window/modal_loop.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"

namespace {

constexpr LPCWSTR kSheetClass = u"qpPropertySheet";

struct Page {
    PROPSHEETPAGEW psp{};  // the caller's record, copied: WM_INITDIALOG gets its address
    const device::DialogTemplate* tmpl = nullptr;
    std::u16string title;
    HWND hwnd = nullptr;  // made when first shown
};

struct Sheet {
    HWND hwnd = nullptr;
    HINSTANCE instance = nullptr;
    std::vector<Page> pages;
    int current = -1;
    bool done = false;
    INT_PTR result = 0;
};

Sheet* sheetOf(HWND hwnd) { return reinterpret_cast<Sheet*>(GetWindowLongW(hwnd, GWL_USERDATA)); }

int scale() { return device::screenConfig().scale; }
int tabHeight() { return 20 * scale(); }

RECT pageArea(HWND sheet) {
    RECT r{};
    GetClientRect(sheet, &r);
    r.bottom = std::max(r.top, r.bottom - tabHeight());
    return r;
}

// The tabs share the bottom edge, each as wide as its title needs.
std::vector<RECT> tabRects(Sheet& s) {
    std::vector<RECT> out;
    RECT client{};
    GetClientRect(s.hwnd, &client);
    HDC dc = GetDC(s.hwnd);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int x = 0;
    for (const Page& p : s.pages) {
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, p.title.c_str(), (int)p.title.size(), &size);
        int w = size.cx + 12 * scale();
        out.push_back(RECT{x, client.bottom - tabHeight(), x + w, client.bottom});
        x += w;
    }
    SelectObject(dc, old);
    ReleaseDC(s.hwnd, dc);
    return out;
}

LRESULT notify(Sheet& s, int index, UINT code) {
    HWND page = s.pages[(size_t)index].hwnd;
    if (!IsWindow(page)) return 0;
    SetWindowLongW(page, DWL_MSGRESULT, 0);
    PSHNOTIFY n{};
    n.hdr.hwndFrom = s.hwnd;
    n.hdr.idFrom = 0;
    n.hdr.code = code;
    SendMessageW(page, WM_NOTIFY, 0, (LPARAM)&n);
    return IsWindow(page) ? GetWindowLongW(page, DWL_MSGRESULT) : 0;
}

bool createPage(Sheet& s, int index) {
    Page& p = s.pages[(size_t)index];
    if (p.hwnd) return true;
    HINSTANCE inst = p.psp.hInstance ? p.psp.hInstance : s.instance;
    p.hwnd = device::createDialogFromTemplate(*p.tmpl, inst, s.hwnd, p.psp.pfnDlgProc, (LPARAM)&p.psp,
                                              device::kDialogAsChild);
    if (!p.hwnd) return false;
    RECT area = pageArea(s.hwnd);
    MoveWindow(p.hwnd, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
    return true;
}

// Makes `index` the current page; false when the current page refused to
// let go or the new one could not be made.
bool selectPage(Sheet& s, int index) {
    if (index < 0 || index >= (int)s.pages.size()) return false;
    if (index == s.current) return true;
    if (s.current >= 0 && notify(s, s.current, PSN_KILLACTIVE) != 0) return false;
    if (!createPage(s, index)) return false;
    int old = s.current;
    s.current = index;
    notify(s, index, PSN_SETACTIVE);
    if (old >= 0 && IsWindow(s.pages[(size_t)old].hwnd)) ShowWindow(s.pages[(size_t)old].hwnd, SW_HIDE);
    HWND page = s.pages[(size_t)index].hwnd;
    if (IsWindow(page)) {
        ShowWindow(page, SW_SHOW);
        HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
        SetFocus(first ? first : page);
    }
    RECT tabs = tabRects(s).empty() ? RECT{} : RECT{0, pageArea(s.hwnd).bottom, 32767, 32767};
    InvalidateRect(s.hwnd, &tabs, TRUE);
    return true;
}

void finishOk(Sheet& s) {
    if (s.current >= 0 && notify(s, s.current, PSN_KILLACTIVE) != 0) return;
    for (int i = 0; i < (int)s.pages.size(); ++i) {
        if (!s.pages[(size_t)i].hwnd) continue;
        LRESULT r = notify(s, i, PSN_APPLY);
        if (r == PSNRET_INVALID || r == PSNRET_INVALID_NOCHANGEPAGE) {
            // The page keeps the sheet open; it is shown so its owner can fix it.
            if (r == PSNRET_INVALID && i != s.current) {
                int keep = s.current;
                s.current = -1;  // the current page already let go
                if (!selectPage(s, i)) s.current = keep;
            }
            return;
        }
    }
    s.result = 1;
    s.done = true;
}

void finishCancel(Sheet& s) {
    for (int i = 0; i < (int)s.pages.size(); ++i)
        if (s.pages[(size_t)i].hwnd) notify(s, i, PSN_RESET);
    s.result = 0;
    s.done = true;
}

void paintSheet(Sheet& s, HDC dc) {
    RECT client{};
    GetClientRect(s.hwnd, &client);
    RECT strip{client.left, client.bottom - tabHeight(), client.right, client.bottom};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    std::vector<RECT> tabs = tabRects(s);
    HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
    // The line between the page and the tabs, broken by the current tab.
    RECT line{strip.left, strip.top, strip.right, strip.top + 1};
    FillRect(dc, &line, black);
    for (size_t i = 0; i < tabs.size(); ++i) {
        RECT t = tabs[i];
        bool on = (int)i == s.current;
        if (on) {
            RECT face = t;
            FillRect(dc, &face, GetSysColorBrush(COLOR_WINDOW));
        } else {
            t.bottom -= 2 * scale();
        }
        RECT left{t.left, t.top, t.left + 1, t.bottom}, right{t.right - 1, t.top, t.right, t.bottom},
            bottom{t.left, t.bottom - 1, t.right, t.bottom};
        FillRect(dc, &left, black);
        FillRect(dc, &right, black);
        FillRect(dc, &bottom, black);
        RECT text = t;
        DrawTextW(dc, s.pages[i].title.c_str(), (int)s.pages[i].title.size(), &text,
                  DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK sheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Sheet* s = sheetOf(hwnd);
    if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            paintSheet(*s, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            std::vector<RECT> tabs = tabRects(*s);
            for (size_t i = 0; i < tabs.size(); ++i)
                if (PtInRect(&tabs[i], pt)) selectPage(*s, (int)i);
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) finishOk(*s);
            else if (LOWORD(wParam) == IDCANCEL) finishCancel(*s);
            return 0;
        case WM_CLOSE:
            finishCancel(*s);
            return 0;
        case PSM_SETCURSEL: return selectPage(*s, (int)wParam) ? TRUE : FALSE;
        case PSM_CHANGED:
        case PSM_UNCHANGED: return 0;
        case PSM_PRESSBUTTON:
            if (wParam == PSBTN_OK) finishOk(*s);
            else if (wParam == PSBTN_CANCEL) finishCancel(*s);
            return 0;
        case PSM_GETCURRENTPAGEHWND:
            return s->current >= 0 ? (LRESULT)s->pages[(size_t)s->current].hwnd : 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void registerSheetClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(nullptr, kSheetClass, &wc)) return;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = sheetProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = kSheetClass;
    RegisterClassW(&wc);
}

bool isInside(HWND root, HWND h) { return h && (h == root || IsChild(root, h)); }

// Enter and Escape belong to the sheet unless the focused control wants
// them; Tab and the arrows move through the current page's controls.
bool preTranslate(Sheet& s, MSG& m) {
    if (!isInside(s.hwnd, m.hwnd)) return false;
    if (m.message == WM_KEYDOWN && (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE)) {
        LRESULT code = SendMessageW(m.hwnd, WM_GETDLGCODE, m.wParam, (LPARAM)&m);
        if (!(code & DLGC_WANTALLKEYS)) {
            if (m.wParam == VK_RETURN) finishOk(s);
            else finishCancel(s);
            return true;
        }
    }
    if (s.current >= 0 && IsWindow(s.pages[(size_t)s.current].hwnd))
        return IsDialogMessageW(s.pages[(size_t)s.current].hwnd, &m) != FALSE;
    return false;
}

int callback(const PROPSHEETHEADERW& h, HWND hwnd, UINT msg, LPARAM lParam) {
    if (!(h.dwFlags & PSH_USECALLBACK) || !h.pfnCallback) return 0;
    return h.pfnCallback(hwnd, msg, lParam);
}

}  // namespace

INT_PTR WINAPI PropertySheetW(LPCPROPSHEETHEADERW h) {
    if (!h || h->nPages == 0 || h->nPages > 64 || !(h->dwFlags & PSH_PROPSHEETPAGE) || !h->ppsp) return -1;
    if (h->dwFlags & (PSH_MODELESS | PSH_WIZARD)) return -1;
    Sheet s;
    s.instance = h->hInstance;
    // Every page's template must exist before anything is shown.
    for (UINT i = 0; i < h->nPages; ++i) {
        Page p;
        p.psp = h->ppsp[i];
        if (p.psp.dwFlags & PSP_DLGINDIRECT) return -1;
        p.tmpl = device::findDialogTemplate(p.psp.pszTemplate);
        if (!p.tmpl) return -1;
        if ((p.psp.dwFlags & PSP_USETITLE) && p.psp.pszTitle && !IS_INTRESOURCE(p.psp.pszTitle))
            p.title = p.psp.pszTitle;
        else if (p.tmpl->caption)
            p.title = p.tmpl->caption;
        s.pages.push_back(std::move(p));
    }
    int start = (h->dwFlags & PSH_USEPSTARTPAGE) ? 0 : (int)h->nStartPage;
    if (start < 0 || start >= (int)s.pages.size()) start = 0;

    callback(*h, nullptr, PSCB_GETVERSION, COMCTL32_VERSION);
    DLGTEMPLATE frame{WS_POPUP | WS_VISIBLE | DS_MODALFRAME, 0, 0, 0, 0, 0, 0};
    callback(*h, nullptr, PSCB_PRECREATE, (LPARAM)&frame);

    registerSheetClass();
    RECT area = device::screenWorkArea();
    HWND owner = h->hwndParent && IsWindow(h->hwndParent) ? h->hwndParent : nullptr;
    HWND sheet = CreateWindowExW(0, kSheetClass, h->pszCaption && !IS_INTRESOURCE(h->pszCaption) ? h->pszCaption : u"",
                                 WS_POPUP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                                 owner, nullptr, h->hInstance, nullptr);
    if (!sheet) return -1;
    s.hwnd = sheet;
    SetWindowLongW(sheet, GWL_USERDATA, (LONG_PTR)&s);
    if (!selectPage(s, start)) {
        DestroyWindow(sheet);
        return -1;
    }
    ShowWindow(sheet, SW_SHOW);
    device::setNavBarOkButton(sheet, true);
    callback(*h, sheet, PSCB_INITIALIZED, 0);

    bool quit = !s.done && !device::runModalLoop(sheet, owner, &s.done, [&s](MSG& m) {
        return preTranslate(s, m);
    });
    if (IsWindow(sheet)) {
        device::setNavBarOkButton(sheet, false);
        SetWindowLongW(sheet, GWL_USERDATA, 0);
        DestroyWindow(sheet);
    }
    // A WM_QUIT that ended the loop before OK or Cancel counts as Cancel.
    if (quit && !s.done) return 0;
    return s.result;
}
