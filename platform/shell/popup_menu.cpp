// Popup menus on the screen. One tracking runs at a time; each open level
// is a topmost popup window that never activates, the first level holds the
// capture so every pen event comes here, and keys are taken from the modal
// loop before they reach the focus window.
//
// Sections: state and layout | painting | levels | pen and keys | tracking
// | queries
#include "platform/shell/popup_menu.h"

#include <algorithm>
#include <string>

#include "platform/shell/menu_store.h"
#include "platform/shell/shell_look.h"
#include "platform/window/modal_loop.h"
#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"

namespace shell {

void popupLevelOpened(int level);  // menu_query.cpp: the automation's walk
void popupWalkReset();

namespace {

constexpr const char16_t* kPopupClass = u"#32768";

// ------------------------------------------------------- state and layout
struct Level {
    HMENU menu = nullptr;
    HWND hwnd = nullptr;
    RECT rect{};                 // screen
    std::vector<RECT> items;     // client coordinates
    int selected = -1;
};

struct Tracking {
    bool active = false;
    bool done = false;
    bool penActive = false;  // the pen went down on the menu during this tracking
    size_t pressLevel = 0;   // the level the pen went down on ...
    POINT pressPoint{0, 0};  // ... where ...
    bool pressMoved = false; // ... and whether it moved since
    TrackRequest request;
    TrackResult result;
    std::vector<Level> levels;
};

Tracking& tr() {
    static Tracking t;
    return t;
}

int sc() { return device::screenConfig().scale; }
int itemHeight() { return 18 * sc(); }
int separatorHeight() { return 7 * sc(); }
int leftMargin() { return 16 * sc(); }
int rightMargin() { return 16 * sc(); }

// Client rectangles of the items and the level's size.
SIZE layoutItems(Menu* m, std::vector<RECT>& rects) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, shellFont());
    int width = 60 * sc();
    for (const MenuItem& it : m->items) {
        if (it.separator()) continue;
        std::u16string t = stripMnemonic(it.text);
        SIZE s{0, 0};
        GetTextExtentPoint32W(dc, t.c_str(), (int)t.size(), &s);
        width = std::max(width, (int)s.cx + leftMargin() + rightMargin());
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    rects.clear();
    int y = 1;
    for (const MenuItem& it : m->items) {
        int h = it.separator() ? separatorHeight() : itemHeight();
        rects.push_back(RECT{1, y, width + 1, y + h});
        y += h;
    }
    return SIZE{width + 2, y + 1};
}

bool selectable(const MenuItem& it) { return !it.separator(); }

// ---------------------------------------------------------------- painting
void paintLevel(HWND hwnd, const Level& lv) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    Menu* m = findMenu(lv.menu);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    FrameRect(dc, &client, (HBRUSH)GetStockObject(BLACK_BRUSH));
    if (m) {
        HGDIOBJ oldFont = SelectObject(dc, shellFont());
        SetBkMode(dc, TRANSPARENT);
        for (size_t i = 0; i < m->items.size() && i < lv.items.size(); ++i) {
            const MenuItem& it = m->items[i];
            RECT r = lv.items[i];
            if (it.separator()) {
                RECT line{r.left + 2 * sc(), (r.top + r.bottom) / 2, r.right - 2 * sc(), (r.top + r.bottom) / 2 + 1};
                FillRect(dc, &line, GetSysColorBrush(COLOR_GRAYTEXT));
                continue;
            }
            bool sel = (int)i == lv.selected;
            if (sel) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
            COLORREF fg = !it.enabled() ? GetSysColor(COLOR_GRAYTEXT)
                          : sel          ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                         : GetSysColor(COLOR_MENUTEXT);
            SetTextColor(dc, fg);
            RECT tr{r.left + leftMargin(), r.top, r.right - rightMargin(), r.bottom};
            std::u16string t = stripMnemonic(it.text);
            DrawTextW(dc, t.c_str(), (int)t.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
            if (it.checked()) drawCheckMark(dc, RECT{r.left, r.top, r.left + leftMargin(), r.bottom}, fg);
            if (it.submenu) drawArrow(dc, RECT{r.right - rightMargin(), r.top, r.right, r.bottom}, fg, true);
        }
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void registerPopupClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(nullptr, kPopupClass, &wc)) return;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = popupProc;
    wc.lpszClassName = kPopupClass;
    RegisterClassW(&wc);
}

// ------------------------------------------------------------------ levels
void closeLevelsAbove(size_t keep) {
    Tracking& t = tr();
    while (t.levels.size() > keep) {
        HWND h = t.levels.back().hwnd;
        t.levels.pop_back();
        if (IsWindow(h)) DestroyWindow(h);
    }
}

// Places a level of size `sz` by the request's alignment (first level) or
// beside its parent item (submenus), inside the screen.
RECT placeLevel(SIZE sz, const RECT* parentItem, const RECT* parentLevel) {
    const device::ScreenConfig& scr = device::screenConfig();
    const Tracking& t = tr();
    int x, y;
    if (!parentItem) {
        UINT f = t.request.flags;
        x = t.request.x;
        y = t.request.y;
        if (f & TPM_RIGHTALIGN) x -= sz.cx;
        else if (f & TPM_CENTERALIGN) x -= sz.cx / 2;
        if (f & TPM_BOTTOMALIGN) y -= sz.cy;
        else if (f & TPM_VCENTERALIGN) y -= sz.cy / 2;
    } else {
        // To the right of the parent; a submenu a little too wide for that
        // is pushed back from the screen's edge over the parent's arrows,
        // and only one that would cover most of the parent opens to its left.
        x = parentLevel->right - 2 * sc();
        y = parentItem->top - 1;
        int parentWidth = parentLevel->right - parentLevel->left;
        if (x + sz.cx > scr.width) {
            int pushedBack = scr.width - (int)sz.cx;
            if (pushedBack >= parentLevel->left + parentWidth / 2) x = pushedBack;
            else x = parentLevel->left - sz.cx + 2 * sc();
        }
    }
    x = std::max(0, std::min(x, scr.width - (int)sz.cx));
    y = std::max(0, std::min(y, scr.height - (int)sz.cy));
    return RECT{x, y, x + sz.cx, y + sz.cy};
}

bool openLevel(HMENU menu, const RECT* parentItemScreen) {
    Tracking& t = tr();
    Menu* m = findMenu(menu);
    if (!m) return false;
    if (!(t.request.flags & TPM_NONOTIFY) && IsWindow(t.request.owner))
        SendMessageW(t.request.owner, WM_INITMENUPOPUP, (WPARAM)menu, (LPARAM)t.levels.size());
    m = findMenu(menu);  // the owner may have changed it
    if (!m || m->items.empty()) return false;
    Level lv;
    lv.menu = menu;
    SIZE sz = layoutItems(m, lv.items);
    RECT parentLevel = t.levels.empty() ? RECT{} : t.levels.back().rect;
    lv.rect = placeLevel(sz, parentItemScreen, &parentLevel);
    lv.hwnd = CreateWindowExW(WS_EX_TOPMOST, kPopupClass, u"", WS_POPUP, lv.rect.left, lv.rect.top, sz.cx, sz.cy,
                              t.request.owner, nullptr, nullptr, nullptr);
    if (!lv.hwnd) return false;
    if (wm::Window* w = wm::get(lv.hwnd)) w->noActivate = true;
    t.levels.push_back(lv);
    ShowWindow(lv.hwnd, SW_SHOWNA);
    popupLevelOpened((int)t.levels.size() - 1);
    return true;
}

void setSelected(size_t level, int index) {
    Tracking& t = tr();
    if (level >= t.levels.size()) return;
    if (t.levels[level].selected != index) {
        t.levels[level].selected = index;
        InvalidateRect(t.levels[level].hwnd, nullptr, FALSE);
    }
}

// Opens the submenu of the selected item of `level` (false: it has none).
bool openSelectedSubmenu(size_t level) {
    Tracking& t = tr();
    Level& lv = t.levels[level];
    Menu* m = findMenu(lv.menu);
    if (!m || lv.selected < 0 || (size_t)lv.selected >= m->items.size()) return false;
    const MenuItem& it = m->items[(size_t)lv.selected];
    if (!it.submenu || !it.enabled()) return false;
    RECT ir = lv.items[(size_t)lv.selected];
    OffsetRect(&ir, lv.rect.left, lv.rect.top);
    return openLevel(it.submenu, &ir);
}

void finish(UINT command) {
    Tracking& t = tr();
    t.result.command = command;
    t.done = true;
}

// Chooses the selected item of a level when it is a command; opens it when
// it is a submenu.
void activateSelected(size_t level) {
    Tracking& t = tr();
    Level& lv = t.levels[level];
    Menu* m = findMenu(lv.menu);
    if (!m || lv.selected < 0 || (size_t)lv.selected >= m->items.size()) return;
    const MenuItem& it = m->items[(size_t)lv.selected];
    if (it.separator() || !it.enabled()) return;
    if (it.submenu) {
        closeLevelsAbove(level + 1);
        if (openSelectedSubmenu(level)) {
            Menu* sub = findMenu(t.levels.back().menu);
            for (size_t i = 0; sub && i < sub->items.size(); ++i) {
                if (selectable(sub->items[i])) {
                    setSelected(t.levels.size() - 1, (int)i);
                    break;
                }
            }
        }
        return;
    }
    finish(it.id);
}

// ----------------------------------------------------------- pen and keys
// The level and item under a screen point (false: outside every level).
bool hit(POINT pt, size_t& level, int& index) {
    Tracking& t = tr();
    for (size_t l = t.levels.size(); l-- > 0;) {
        const Level& lv = t.levels[l];
        if (!PtInRect(&lv.rect, pt)) continue;
        level = l;
        index = -1;
        for (size_t i = 0; i < lv.items.size(); ++i) {
            RECT r = lv.items[i];
            OffsetRect(&r, lv.rect.left, lv.rect.top);
            if (PtInRect(&r, pt)) index = (int)i;
        }
        return true;
    }
    return false;
}

void penAt(POINT pt, UINT msg) {
    Tracking& t = tr();
    size_t level = 0;
    int index = -1;
    bool inside = hit(pt, level, index);
    if (msg == WM_LBUTTONDOWN) {
        if (!inside) {
            finish(0);  // a tap outside closes the menu; the tap itself is spent
            return;
        }
        t.penActive = true;
        t.pressLevel = level;
        t.pressPoint = pt;
        t.pressMoved = false;
    }
    if (!t.penActive) return;  // the pen of the hold that opened the menu
    if (msg == WM_MOUSEMOVE && (pt.x != t.pressPoint.x || pt.y != t.pressPoint.y)) t.pressMoved = true;
    // A submenu that opened under the pen (one too wide for either side of
    // its parent covers it) does not take the lift of the tap that opened
    // it: that tap was meant for its parent's item.
    if (msg == WM_LBUTTONUP && inside && level > t.pressLevel && !t.pressMoved) {
        t.penActive = false;
        return;
    }
    if (inside && index >= 0) {
        Menu* m = findMenu(t.levels[level].menu);
        if (!m) return;
        if (t.levels[level].selected != index || msg == WM_LBUTTONDOWN) {
            closeLevelsAbove(level + 1);
            setSelected(level, selectable(m->items[(size_t)index]) ? index : -1);
            if (m->items[(size_t)index].submenu) openSelectedSubmenu(level);
        }
        if (msg == WM_LBUTTONUP) {
            t.penActive = false;
            if (!m->items[(size_t)index].submenu) activateSelected(level);
        }
        return;
    }
    if (msg == WM_LBUTTONUP) t.penActive = false;
}

void moveSelection(int delta) {
    Tracking& t = tr();
    size_t level = t.levels.size() - 1;
    Level& lv = t.levels[level];
    Menu* m = findMenu(lv.menu);
    if (!m || m->items.empty()) return;
    int n = (int)m->items.size();
    int i = lv.selected;
    for (int step = 0; step < n; ++step) {
        i = i < 0 ? (delta > 0 ? 0 : n - 1) : (i + delta + n) % n;
        if (selectable(m->items[(size_t)i])) {
            setSelected(level, i);
            return;
        }
    }
}

void keyDown(WPARAM vk) {
    Tracking& t = tr();
    size_t deepest = t.levels.size() - 1;
    switch (vk) {
        case VK_DOWN: moveSelection(+1); break;
        case VK_UP: moveSelection(-1); break;
        case VK_RETURN: activateSelected(deepest); break;
        case VK_RIGHT: {
            Menu* m = findMenu(t.levels[deepest].menu);
            int sel = t.levels[deepest].selected;
            bool hasSub = m && sel >= 0 && (size_t)sel < m->items.size() && m->items[(size_t)sel].submenu;
            if (hasSub) activateSelected(deepest);
            else if (t.request.fromMenuBar) {
                t.result.moveBar = +1;
                finish(0);
            }
            break;
        }
        case VK_LEFT:
            if (deepest > 0) closeLevelsAbove(deepest);
            else if (t.request.fromMenuBar) {
                t.result.moveBar = -1;
                finish(0);
            }
            break;
        case VK_ESCAPE:
            if (deepest > 0) closeLevelsAbove(deepest);
            else finish(0);
            break;
    }
}

void typed(WCHAR ch) {
    Tracking& t = tr();
    size_t deepest = t.levels.size() - 1;
    Menu* m = findMenu(t.levels[deepest].menu);
    if (!m) return;
    char16_t want = (ch >= u'A' && ch <= u'Z') ? (char16_t)(ch + 32) : ch;
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].separator() || mnemonicOf(m->items[i].text) != want) continue;
        setSelected(deepest, (int)i);
        activateSelected(deepest);
        return;
    }
}

bool preTranslate(MSG& m) {
    Tracking& t = tr();
    if (t.levels.empty()) return false;
    switch (m.message) {
        case WM_KEYDOWN: keyDown(m.wParam); return true;
        case WM_CHAR: typed((WCHAR)m.wParam); return true;
        case WM_KEYUP: return true;
        default: return false;
    }
}

LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Tracking& t = tr();
    switch (msg) {
        case WM_PAINT:
            for (const Level& lv : t.levels) {
                if (lv.hwnd == hwnd) {
                    paintLevel(hwnd, lv);
                    return 0;
                }
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: {
            if (!t.active || t.done) return 0;
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &pt);
            penAt(pt, msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : msg);
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Someone else took the pen (a window went away, a dialog came up):
            // the menu cannot go on.
            if (t.active && !t.done && (HWND)lParam != hwnd) finish(0);
            return 0;
        case WM_CANCELMODE:
            if (t.active) finish(0);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

// ---------------------------------------------------------------- tracking
bool trackPopup(const TrackRequest& request, TrackResult& result) {
    Tracking& t = tr();
    result = TrackResult{};
    if (t.active || !findMenu(request.menu) || !IsWindow(request.owner)) return false;
    registerPopupClass();
    t = Tracking{};
    t.active = true;
    t.request = request;
    if (!openLevel(request.menu, nullptr)) {
        closeLevelsAbove(0);
        t = Tracking{};
        return true;  // nothing to show: dismissed at once
    }
    HWND first = t.levels.front().hwnd;
    SetCapture(first);
    device::runModalLoop(first, nullptr, &t.done, preTranslate);
    TrackResult out = t.result;
    if (!t.done) out = TrackResult{};  // the loop ended for another reason (WM_QUIT, owner gone)
    t.active = false;
    if (GetCapture() == first) ReleaseCapture();
    closeLevelsAbove(0);
    t = Tracking{};
    popupWalkReset();  // a path the menu did not finish must not steer the next one
    result = out;
    return true;
}

// ----------------------------------------------------------------- queries
bool popupOpen() { return tr().active && !tr().levels.empty(); }
int popupLevelCount() { return (int)tr().levels.size(); }

HMENU popupLevelMenu(int level) {
    const Tracking& t = tr();
    if (level < 0 || (size_t)level >= t.levels.size()) return nullptr;
    return t.levels[(size_t)level].menu;
}

bool popupItemRect(int level, int index, RECT& out) {
    const Tracking& t = tr();
    if (level < 0 || (size_t)level >= t.levels.size()) return false;
    const Level& lv = t.levels[(size_t)level];
    if (index < 0 || (size_t)index >= lv.items.size()) return false;
    out = lv.items[(size_t)index];
    OffsetRect(&out, lv.rect.left, lv.rect.top);
    return true;
}

bool popupLevelRect(int level, RECT& out) {
    const Tracking& t = tr();
    if (level < 0 || (size_t)level >= t.levels.size()) return false;
    out = t.levels[(size_t)level].rect;
    return true;
}

int popupSelected(int level) {
    const Tracking& t = tr();
    if (level < 0 || (size_t)level >= t.levels.size()) return -1;
    return t.levels[(size_t)level].selected;
}

void cancelPopup() {
    Tracking& t = tr();
    if (!t.active) return;
    finish(0);
    // Called from outside the popup's own messages (the automation, a
    // host), the loop may be waiting for input: wake it so it sees the end.
    if (!t.levels.empty() && IsWindow(t.levels.front().hwnd)) PostMessageW(t.levels.front().hwnd, WM_NULL, 0, 0);
}

}  // namespace shell

BOOL WINAPI TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
    if (!shell::findMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    shell::TrackRequest req;
    req.menu = menu;
    req.x = x;
    req.y = y;
    req.flags = flags;
    req.owner = owner;
    shell::TrackResult res;
    if (!shell::trackPopup(req, res)) return FALSE;
    if (flags & TPM_RETURNCMD) return (BOOL)res.command;
    if (res.command && IsWindow(owner)) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(res.command, 0), 0);
    return TRUE;
}

BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
