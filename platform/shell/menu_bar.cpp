// The menu bar window ("menu_worker"): creation from a MenuBarTemplate, the
// toolbar and menu-bar messages the program sends it, and the pen.
//
// Sections: registry | creation | buttons | pen and tooltips | window
// procedure | queries | API
#include "platform/shell/menu_bar.h"

#include <algorithm>

#include "platform/shell/input_panel.h"
#include "platform/shell/menu_bar_internal.h"
#include "platform/shell/menu_load.h"
#include "platform/shell/menu_store.h"
#include "platform/shell/popup_menu.h"
#include "platform/shell/shell_system.h"
#include "platform/shell/shell_look.h"
#include "platform/system/resource_table.h"
#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"

namespace shell {
namespace {

constexpr const char16_t* kBarClass = u"menu_worker";
constexpr const char16_t* kTipClass = u"menu_tooltip";
constexpr UINT_PTR kTipTimer = 1;
constexpr UINT kTipDelayMs = 500;

// ---------------------------------------------------------------- registry
std::vector<HWND>& bars() {
    static std::vector<HWND> v;
    return v;
}

LRESULT CALLBACK barProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK tipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH bg = CreateSolidBrush(RGB(255, 255, 225));
        FillRect(dc, &r, bg);
        DeleteObject(bg);
        FrameRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
        WCHAR text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        HGDIOBJ old = SelectObject(dc, shellFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void registerClasses() {
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, kBarClass, &wc)) {
        wc = WNDCLASSW{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = barProc;
        wc.lpszClassName = kBarClass;
        RegisterClassW(&wc);
    }
    if (!GetClassInfoW(nullptr, kTipClass, &wc)) {
        wc = WNDCLASSW{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = tipProc;
        wc.lpszClassName = kTipClass;
        RegisterClassW(&wc);
    }
}

// ---------------------------------------------------------------- creation
bool buttonsFromTemplate(MenuBar& bar, const device::MenuBarTemplate& tmpl) {
    for (const device::MenuBarButton& t : tmpl.buttons) {
        BarButton b;
        b.kind = t.kind;
        b.id = t.id;
        b.text = t.text ? t.text : u"";
        b.popup = t.popup;
        b.image = t.image;
        b.state = t.state;
        if (b.kind == device::MenuBarButton::kMenu && !GetSubMenu(bar.menu, t.popup)) return false;
        bar.buttons.push_back(b);
    }
    return true;
}

// SHCMBF_HMENU: the resource is a menu; each of its popups is a button.
void buttonsFromMenu(MenuBar& bar) {
    Menu* m = findMenu(bar.menu);
    for (size_t i = 0; m && i < m->items.size(); ++i) {
        BarButton b;
        b.kind = device::MenuBarButton::kMenu;
        b.text = m->items[i].text;
        b.popup = (int)i;
        b.id = m->items[i].id;
        bar.buttons.push_back(b);
    }
}

void loadStrip(MenuBar& bar, HINSTANCE inst, int bmpId, int images) {
    if (bmpId <= 0 || images <= 0) return;
    bar.strip = LoadBitmapW(inst, MAKEINTRESOURCEW(bmpId));
    BITMAP bm{};
    if (!bar.strip || !GetObjectW(bar.strip, sizeof(bm), &bm)) return;
    bar.imageW = bm.bmWidth / images;
    bar.imageH = bm.bmHeight;
}

// ----------------------------------------------------------------- buttons
int buttonById(const MenuBar& bar, UINT id) {
    for (size_t i = 0; i < bar.buttons.size(); ++i) {
        if (bar.buttons[i].kind != device::MenuBarButton::kSeparator && bar.buttons[i].id == id) return (int)i;
    }
    return -1;
}

int buttonAt(const MenuBar& bar, POINT pt) {
    for (size_t i = 0; i < bar.buttons.size(); ++i) {
        if (bar.buttons[i].kind != device::MenuBarButton::kSeparator && PtInRect(&bar.buttons[i].rect, pt))
            return (int)i;
    }
    return -1;
}

HMENU popupOf(const MenuBar& bar, const BarButton& b) {
    return b.override ? b.override : GetSubMenu(bar.menu, b.popup);
}

void setState(MenuBar& bar, int index, BYTE state) {
    BarButton& b = bar.buttons[(size_t)index];
    if (b.state == state) return;
    b.state = state;
    InvalidateRect(bar.hwnd, &b.rect, TRUE);
}

LRESULT setTooltips(MenuBar& bar, WPARAM count, LPARAM lParam) {
    const LPCWSTR* texts = reinterpret_cast<const LPCWSTR*>(lParam);
    if (!texts && count) return FALSE;
    size_t n = 0;
    for (BarButton& b : bar.buttons) {
        if (b.kind == device::MenuBarButton::kSeparator) continue;
        b.tooltip = n < count && texts[n] ? texts[n] : u"";
        ++n;
    }
    return TRUE;
}

// -------------------------------------------------------- pen and tooltips
void hideTooltip(MenuBar& bar) {
    KillTimer(bar.hwnd, kTipTimer);
    if (IsWindow(bar.tooltip)) DestroyWindow(bar.tooltip);
    bar.tooltip = nullptr;
}

void showTooltip(MenuBar& bar) {
    KillTimer(bar.hwnd, kTipTimer);
    if (bar.pressed < 0) return;
    const BarButton& b = bar.buttons[(size_t)bar.pressed];
    if (b.tooltip.empty()) return;
    int s = device::screenConfig().scale;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, shellFont());
    SIZE sz{0, 0};
    GetTextExtentPoint32W(dc, b.tooltip.c_str(), (int)b.tooltip.size(), &sz);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT br = b.rect;
    MapWindowPoints(bar.hwnd, nullptr, (LPPOINT)&br, 2);
    int w = sz.cx + 8 * s, h = sz.cy + 4 * s;
    int x = std::max(0, std::min((int)br.left, device::screenConfig().width - w));
    bar.tooltip = CreateWindowExW(WS_EX_TOPMOST, kTipClass, b.tooltip.c_str(), WS_POPUP, x, br.top - h - 2 * s, w, h,
                                  bar.hwnd, nullptr, nullptr, nullptr);
    if (wm::Window* tw = wm::get(bar.tooltip)) tw->noActivate = true;
    ShowWindow(bar.tooltip, SW_SHOWNA);
}

// Opens menu buttons until the user chooses, dismisses, or stops moving
// sideways with Left/Right.
bool openMenuButton(HWND hwnd, int index) {
    for (int guard = 0; guard < 64; ++guard) {
        MenuBar* bar = barOf(hwnd);
        if (!bar || index < 0 || (size_t)index >= bar->buttons.size()) return false;
        BarButton& b = bar->buttons[(size_t)index];
        HMENU popup = popupOf(*bar, b);
        if (b.kind != device::MenuBarButton::kMenu || !b.enabled() || !popup) return false;
        RECT br = b.rect;
        MapWindowPoints(hwnd, nullptr, (LPPOINT)&br, 2);
        RECT barRect;
        GetWindowRect(hwnd, &barRect);
        bar->pressed = index;
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        TrackRequest req;
        req.menu = popup;
        req.x = br.left;
        req.y = barRect.top;
        req.flags = TPM_LEFTALIGN | TPM_BOTTOMALIGN;
        req.owner = bar->owner;
        req.fromMenuBar = true;
        TrackResult res;
        bool shown = trackPopup(req, res);
        bar = barOf(hwnd);  // the owner may have destroyed the bar meanwhile
        if (!bar) {
            if (res.command) PostMessageW(req.owner, WM_COMMAND, MAKEWPARAM(res.command, 0), 0);
            return shown;
        }
        bar->pressed = -1;
        InvalidateRect(hwnd, nullptr, FALSE);
        if (!shown) return false;
        if (res.command) {
            PostMessageW(bar->owner, WM_COMMAND, MAKEWPARAM(res.command, 0), 0);
            return true;
        }
        if (!res.moveBar) return true;
        int n = (int)bar->buttons.size();
        int next = index;
        for (int step = 0; step < n; ++step) {
            next = (next + res.moveBar + n) % n;
            const BarButton& c = bar->buttons[(size_t)next];
            if (c.kind == device::MenuBarButton::kMenu && c.enabled()) break;
        }
        if (next == index) return true;
        index = next;
    }
    return true;
}

LRESULT onPenDown(HWND hwnd, MenuBar& bar, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // While its owner is disabled (a modal dialog or message box is up) the
    // owner's commands must not run, so its bar does not answer either; the
    // input panel's button still does.
    bool ownerEnabled = IsWindowEnabled(bar.owner) != FALSE;
    if (!bar.hideSip && PtInRect(&bar.sipRect, pt)) {
        bar.sipPressed = true;
        SetCapture(hwnd);
        InvalidateRect(hwnd, &bar.sipRect, FALSE);
        return 0;
    }
    int i = buttonAt(bar, pt);
    if (i < 0 || !bar.buttons[(size_t)i].enabled() || !ownerEnabled) return 0;
    if (bar.buttons[(size_t)i].kind == device::MenuBarButton::kMenu) {
        openMenuButton(hwnd, i);
        return 0;
    }
    bar.pressed = i;
    SetCapture(hwnd);
    SetTimer(hwnd, kTipTimer, kTipDelayMs, nullptr);
    InvalidateRect(hwnd, &bar.buttons[(size_t)i].rect, FALSE);
    return 0;
}

LRESULT onPenUp(HWND hwnd, MenuBar& bar, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (bar.sipPressed) {
        bar.sipPressed = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        InvalidateRect(hwnd, &bar.sipRect, FALSE);
        if (PtInRect(&bar.sipRect, pt)) sipShow(!sipIsOn());
        return 0;
    }
    int was = bar.pressed;
    if (was < 0) return 0;
    bar.pressed = -1;
    hideTooltip(bar);
    if (GetCapture() == hwnd) ReleaseCapture();
    InvalidateRect(hwnd, &bar.buttons[(size_t)was].rect, TRUE);
    const BarButton& b = bar.buttons[(size_t)was];
    if (PtInRect(&b.rect, pt) && b.enabled() && IsWindow(bar.owner))
        SendMessageW(bar.owner, WM_COMMAND, MAKEWPARAM(b.id, 0), (LPARAM)hwnd);
    return 0;
}

void releaseBar(HWND hwnd) {
    MenuBar* bar = barOf(hwnd);
    if (!bar) return;
    SetWindowLongW(hwnd, GWL_USERDATA, 0);
    if (IsWindow(bar->tooltip)) DestroyWindow(bar->tooltip);
    if (bar->menu) DestroyMenu(bar->menu);
    for (BarButton& b : bar->buttons) {
        if (b.override) DestroyMenu(b.override);
    }
    if (bar->strip) DeleteObject(bar->strip);
    auto& v = bars();
    v.erase(std::remove(v.begin(), v.end(), hwnd), v.end());
    delete bar;
}

// --------------------------------------------------------- window procedure
LRESULT CALLBACK barProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        MenuBar* bar = (MenuBar*)((CREATESTRUCTW*)lParam)->lpCreateParams;
        bar->hwnd = hwnd;
        SetWindowLongW(hwnd, GWL_USERDATA, (LONG_PTR)bar);
        bars().push_back(hwnd);
    }
    MenuBar* bar = barOf(hwnd);
    if (!bar) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT: paintBar(hwnd, *bar); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return onPenDown(hwnd, *bar, lParam);
        case WM_LBUTTONUP: return onPenUp(hwnd, *bar, lParam);
        case WM_TIMER: if (wParam == kTipTimer) showTooltip(*bar); return 0;
        case WM_CAPTURECHANGED:
            if ((HWND)lParam != hwnd && (bar->pressed >= 0 || bar->sipPressed)) {
                bar->pressed = -1;
                bar->sipPressed = false;
                hideTooltip(*bar);
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        case TB_ENABLEBUTTON: {
            int i = buttonById(*bar, (UINT)wParam);
            if (i < 0) return FALSE;
            BYTE st = bar->buttons[(size_t)i].state;
            setState(*bar, i, LOWORD(lParam) ? (BYTE)(st | TBSTATE_ENABLED) : (BYTE)(st & ~TBSTATE_ENABLED));
            return TRUE;
        }
        case TB_ISBUTTONENABLED: {
            int i = buttonById(*bar, (UINT)wParam);
            return i >= 0 && bar->buttons[(size_t)i].enabled();
        }
        case TB_GETSTATE: {
            int i = buttonById(*bar, (UINT)wParam);
            return i < 0 ? -1 : bar->buttons[(size_t)i].state;
        }
        case TB_SETSTATE: {
            int i = buttonById(*bar, (UINT)wParam);
            if (i < 0) return FALSE;
            setState(*bar, i, (BYTE)LOWORD(lParam));
            return TRUE;
        }
        case TB_BUTTONCOUNT: return (LRESULT)bar->buttons.size();
        case TB_SETTOOLTIPS: return setTooltips(*bar, wParam, lParam);
        case SHCMBM_GETMENU: return (LRESULT)bar->menu;
        case SHCMBM_GETSUBMENU: {
            int i = buttonById(*bar, (UINT)lParam);
            if (i < 0 || bar->buttons[(size_t)i].kind != device::MenuBarButton::kMenu) return 0;
            return (LRESULT)popupOf(*bar, bar->buttons[(size_t)i]);
        }
        case SHCMBM_SETSUBMENU: {
            int i = buttonById(*bar, (UINT)wParam);
            if (i < 0 || (lParam && !findMenu((HMENU)lParam))) return 0;
            HMENU old = popupOf(*bar, bar->buttons[(size_t)i]);
            bar->buttons[(size_t)i].override = (HMENU)lParam;
            return (LRESULT)old;
        }
        case WM_NCDESTROY: {
            LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
            releaseBar(hwnd);
            return r;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

MenuBar* barOf(HWND hwnd) {
    auto& v = bars();
    if (std::find(v.begin(), v.end(), hwnd) == v.end() || !wm::getAny(hwnd)) return nullptr;
    return (MenuBar*)GetWindowLongW(hwnd, GWL_USERDATA);
}

// ----------------------------------------------------------------- queries
void menuBarsSipChanged() {
    for (HWND h : bars()) {
        if (MenuBar* bar = barOf(h)) InvalidateRect(h, &bar->sipRect, TRUE);
    }
}

std::vector<MenuBarButtonInfo> menuBarButtons(HWND hwnd) {
    std::vector<MenuBarButtonInfo> out;
    MenuBar* bar = barOf(hwnd);
    if (!bar) return out;
    for (const BarButton& b : bar->buttons) {
        MenuBarButtonInfo info;
        info.kind = b.kind;
        info.id = b.id;
        info.text = stripMnemonic(b.text);
        info.tooltip = b.tooltip;
        info.enabled = b.enabled();
        info.rect = b.rect;
        MapWindowPoints(hwnd, nullptr, (LPPOINT)&info.rect, 2);
        if (b.kind == device::MenuBarButton::kMenu) info.popup = popupOf(*bar, b);
        out.push_back(info);
    }
    return out;
}

HMENU menuBarMenu(HWND hwnd) {
    MenuBar* bar = barOf(hwnd);
    return bar ? bar->menu : nullptr;
}

RECT menuBarSipButton(HWND hwnd) {
    MenuBar* bar = barOf(hwnd);
    if (!bar || bar->hideSip) return RECT{0, 0, 0, 0};
    RECT r = bar->sipRect;
    MapWindowPoints(hwnd, nullptr, (LPPOINT)&r, 2);
    return r;
}

bool menuBarOpen(HWND hwnd, int index) { return openMenuButton(hwnd, index); }

bool menuBarTooltipShown(HWND hwnd, std::u16string* text) {
    MenuBar* bar = barOf(hwnd);
    if (!bar || !IsWindow(bar->tooltip)) return false;
    if (text) {
        WCHAR buf[128] = {};
        GetWindowTextW(bar->tooltip, buf, 128);
        *text = buf;
    }
    return true;
}

}  // namespace shell

// --------------------------------------------------------------------- API
BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* info) {
    using namespace shell;
    // 36 is the device's size; 32 is the older one without clrBk.
    if (!info || (info->cbSize != 36 && info->cbSize != 32 && info->cbSize != sizeof(SHMENUBARINFO)) ||
        !IsWindow(info->hwndParent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->hwndMB = nullptr;
    registerClasses();
    device::registerShellClasses();
    auto* bar = new MenuBar;
    bar->owner = info->hwndParent;
    bar->hideSip = (info->dwFlags & SHCMBF_HIDESIPBUTTON) != 0;
    bar->colorBk = info->cbSize != 32 && (info->dwFlags & SHCMBF_COLORBK);
    bar->bk = bar->colorBk ? info->clrBk : 0;
    bool ok = true;
    if (info->dwFlags & SHCMBF_EMPTYBAR) {
        // nothing but the input panel's button
    } else if (info->dwFlags & SHCMBF_HMENU) {
        bar->menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
        ok = bar->menu != nullptr;
        if (ok) buttonsFromMenu(*bar);
    } else {
        const device::Resource* r = device::resourceFind(device::kResMenuBar, (int)info->nToolBarId);
        const auto* tmpl = r && r->data && (r->size == 0 || r->size == sizeof(device::MenuBarTemplate))
                               ? static_cast<const device::MenuBarTemplate*>(r->data)
                               : nullptr;
        ok = tmpl != nullptr;
        if (ok && tmpl->menuId) {
            bar->menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(tmpl->menuId));
            ok = bar->menu != nullptr;
        }
        if (ok) ok = buttonsFromTemplate(*bar, *tmpl);
    }
    if (!ok) {
        if (bar->menu) DestroyMenu(bar->menu);
        delete bar;
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    loadStrip(*bar, info->hInstRes, info->nBmpId, info->cBmpImages);
    layoutBar(*bar);
    const device::ScreenConfig& scr = device::screenConfig();
    int h = GetSystemMetrics(SM_CYMENU);
    HWND hwnd = CreateWindowExW(0, u"menu_worker", u"", WS_POPUP, 0, scr.height - h, scr.width, h,
                                info->hwndParent, nullptr, nullptr, bar);
    if (!hwnd) {
        if (bar->menu) DestroyMenu(bar->menu);
        if (bar->strip) DeleteObject(bar->strip);
        delete bar;
        return FALSE;
    }
    if (wm::Window* w = wm::get(hwnd)) w->noActivate = true;
    if (!(info->dwFlags & SHCMBF_HIDDEN)) ShowWindow(hwnd, SW_SHOWNA);
    info->hwndMB = hwnd;
    return TRUE;
}

HWND WINAPI SHFindMenuBar(HWND hwnd) {
    for (HWND h : shell::bars()) {
        if (IsWindow(h) && GetWindow(h, GW_OWNER) == hwnd) return h;
    }
    return nullptr;
}
