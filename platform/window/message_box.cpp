// The platform's plain message box: a modal popup with a caption, an icon,
// the word-wrapped text and a row of buttons it draws itself. Enter presses
// the focused button, Escape cancels when there is a way to cancel, the
// arrows and Tab move between buttons, and a tap on a button chooses it.
// The owner is disabled while the box is up (device::runModalLoop).
#include <algorithm>
#include <string>
#include <vector>

#include "platform/window/message_box.h"
#include "platform/window/modal_loop.h"
#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"
#include "wingdi.h"

namespace wm {
namespace {

constexpr const char16_t* kBoxClass = u"MessageBoxWindow";

struct Button {
    int id;
    const char16_t* label;
    RECT rect;
};

struct Box {
    std::u16string text;
    UINT type = 0;
    std::vector<Button> buttons;
    int focused = 0;
    int pressed = -1;
    int cancelId = 0;  // what Escape and WM_CLOSE answer (0: they do nothing)
    int result = 0;
    bool done = false;
    RECT iconRect{};
    RECT textRect{};
};

int sc() { return device::screenConfig().scale; }

HFONT boxFont(bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -11 * sc();
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    const char16_t face[] = u"Tahoma";
    std::copy(face, face + 7, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

void buttonsFor(Box& b) {
    switch (b.type & MB_TYPEMASK) {
        case MB_OKCANCEL: b.buttons = {{IDOK, u"OK", {}}, {IDCANCEL, u"Cancel", {}}}; b.cancelId = IDCANCEL; break;
        case MB_ABORTRETRYIGNORE:
            b.buttons = {{IDABORT, u"Abort", {}}, {IDRETRY, u"Retry", {}}, {IDIGNORE, u"Ignore", {}}};
            break;
        case MB_YESNOCANCEL:
            b.buttons = {{IDYES, u"Yes", {}}, {IDNO, u"No", {}}, {IDCANCEL, u"Cancel", {}}};
            b.cancelId = IDCANCEL;
            break;
        case MB_YESNO: b.buttons = {{IDYES, u"Yes", {}}, {IDNO, u"No", {}}}; break;
        case MB_RETRYCANCEL: b.buttons = {{IDRETRY, u"Retry", {}}, {IDCANCEL, u"Cancel", {}}}; b.cancelId = IDCANCEL; break;
        default: b.buttons = {{IDOK, u"OK", {}}}; b.cancelId = IDOK; break;
    }
    int def = (int)((b.type & MB_DEFMASK) >> 8);
    b.focused = std::min(def, (int)b.buttons.size() - 1);
}

// Lays the box out for a client width; returns the client height.
int layout(Box& b, int clientWidth) {
    int s = sc();
    int margin = 8 * s;
    bool icon = (b.type & MB_ICONMASK) != 0;
    int iconSize = 24 * s;
    b.iconRect = icon ? RECT{margin, margin, margin + iconSize, margin + iconSize} : RECT{0, 0, 0, 0};
    int textLeft = icon ? b.iconRect.right + margin : margin;
    RECT calc{textLeft, margin, clientWidth - margin, margin};
    HDC dc = GetDC(nullptr);
    HFONT font = boxFont(false);
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextW(dc, b.text.c_str(), (int)b.text.size(), &calc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    calc.right = clientWidth - margin;
    b.textRect = calc;
    int top = std::max(calc.bottom, icon ? b.iconRect.bottom : calc.bottom) + margin;
    int bw = 56 * s, bh = 22 * s, gap = 6 * s;
    int total = (int)b.buttons.size() * bw + ((int)b.buttons.size() - 1) * gap;
    int x = (clientWidth - total) / 2;
    for (Button& btn : b.buttons) {
        btn.rect = RECT{x, top, x + bw, top + bh};
        x += bw + gap;
    }
    return top + bh + margin;
}

void drawIcon(HDC dc, const Box& b) {
    UINT icon = b.type & MB_ICONMASK;
    if (!icon) return;
    RECT r = b.iconRect;
    int s = sc();
    const char16_t* glyph = u"i";
    COLORREF fill = RGB(0, 80, 200);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    if (icon == MB_ICONWARNING) {
        HBRUSH yellow = CreateSolidBrush(RGB(255, 210, 0));
        HGDIOBJ old = SelectObject(dc, yellow);
        POINT tri[3] = {{(r.left + r.right) / 2, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
        Polygon(dc, tri, 3);
        SelectObject(dc, old);
        DeleteObject(yellow);
        glyph = u"!";
    } else {
        if (icon == MB_ICONERROR) {
            fill = RGB(210, 0, 0);
            glyph = u"X";
        } else if (icon == MB_ICONQUESTION) {
            glyph = u"?";
        }
        HBRUSH brush = CreateSolidBrush(fill);
        HGDIOBJ old = SelectObject(dc, brush);
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, old);
        DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
    HFONT font = boxFont(true);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, icon == MB_ICONWARNING ? RGB(0, 0, 0) : RGB(255, 255, 255));
    RECT g = r;
    if (icon == MB_ICONWARNING) g.top += 4 * s;
    DrawTextW(dc, glyph, 1, &g, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void paintBox(HWND hwnd, Box& b) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    drawIcon(dc, b);
    HFONT font = boxFont(false);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT tr = b.textRect;
    DrawTextW(dc, b.text.c_str(), (int)b.text.size(), &tr, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    for (size_t i = 0; i < b.buttons.size(); ++i) {
        RECT r = b.buttons[i].rect;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, (int)i == b.pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, b.buttons[i].label, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        if ((int)i == b.focused) {
            RECT f = r;
            InflateRect(&f, -3 * sc(), -3 * sc());
            DrawFocusRect(dc, &f);
        }
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

void choose(HWND hwnd, Box& b, int id) {
    b.result = id;
    b.done = true;
    InvalidateRect(hwnd, nullptr, TRUE);
}

int buttonAt(const Box& b, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    for (size_t i = 0; i < b.buttons.size(); ++i) {
        const RECT& r = b.buttons[i].rect;
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) return (int)i;
    }
    return -1;
}

LRESULT onKeyDown(HWND hwnd, Box& b, WPARAM vk) {
    int n = (int)b.buttons.size();
    switch (vk) {
        case VK_RETURN:
        case VK_SPACE: choose(hwnd, b, b.buttons[(size_t)b.focused].id); break;
        case VK_ESCAPE: if (b.cancelId) choose(hwnd, b, b.cancelId); break;
        case VK_LEFT:
        case VK_UP: b.focused = (b.focused + n - 1) % n; InvalidateRect(hwnd, nullptr, FALSE); break;
        case VK_RIGHT:
        case VK_DOWN:
        case VK_TAB: b.focused = (b.focused + 1) % n; InvalidateRect(hwnd, nullptr, FALSE); break;
    }
    return 0;
}

LRESULT onPenDown(HWND hwnd, Box& b, LPARAM lParam) {
    b.pressed = buttonAt(b, lParam);
    if (b.pressed >= 0) {
        b.focused = b.pressed;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    return 0;
}

LRESULT onPenUp(HWND hwnd, Box& b, LPARAM lParam) {
    int was = b.pressed;
    b.pressed = -1;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (was >= 0 && buttonAt(b, lParam) == was) choose(hwnd, b, b.buttons[(size_t)was].id);
    else InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT onCommand(HWND hwnd, Box& b, WPARAM wParam) {
    int id = LOWORD(wParam);
    for (const Button& btn : b.buttons) {
        if (btn.id == id) choose(hwnd, b, id);
    }
    return 0;
}

LRESULT CALLBACK boxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) SetWindowLongW(hwnd, GWL_USERDATA, (LONG_PTR)((CREATESTRUCTW*)lParam)->lpCreateParams);
    Box* b = (Box*)GetWindowLongW(hwnd, GWL_USERDATA);
    if (!b) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT: paintBox(hwnd, *b); return 0;
        case WM_KEYDOWN: return onKeyDown(hwnd, *b, wParam);
        case WM_LBUTTONDOWN: return onPenDown(hwnd, *b, lParam);
        case WM_LBUTTONUP: return onPenUp(hwnd, *b, lParam);
        case WM_COMMAND: return onCommand(hwnd, *b, wParam);
        case WM_CLOSE: if (b->cancelId) choose(hwnd, *b, b->cancelId); return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void registerBoxClass() {
    if (findClass(kBoxClass)) return;
    WNDCLASSW wc{};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = boxProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = kBoxClass;
    RegisterClassW(&wc);
}

// The box's record, when hwnd is one of the boxes.
const Box* boxOf(HWND hwnd) {
    Window* w = get(hwnd);
    if (!w || w->cls->proc != boxProc) return nullptr;
    return (const Box*)w->userData;
}

}  // namespace
}  // namespace wm

namespace device {

bool isMessageBox(HWND hwnd) { return wm::boxOf(hwnd) != nullptr; }

std::u16string messageBoxText(HWND hwnd) {
    const wm::Box* b = wm::boxOf(hwnd);
    return b ? b->text : std::u16string();
}

}  // namespace device

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    using namespace wm;
    registerBoxClass();
    HWND ownerTop = nullptr;
    if (owner) {
        Window* o = topLevelOf(get(owner));
        if (!o) return 0;
        ownerTop = o->hwnd;
    }
    Box box;
    box.text = text ? text : u"";
    box.type = type;
    buttonsFor(box);
    const device::ScreenConfig& scr = device::screenConfig();
    int s = sc();
    int width = scr.width - 16 * s;
    int clientHeight = layout(box, width - 2);
    int height = clientHeight + GetSystemMetrics(SM_CYCAPTION) + 2;
    RECT work = device::screenWorkArea();
    int x = (scr.width - width) / 2;
    int y = work.top + std::max(0, (int)(work.bottom - work.top - height) / 2);
    HWND box_hwnd = CreateWindowExW(0, kBoxClass, caption ? caption : u"Error", WS_POPUP | WS_CAPTION | WS_BORDER,
                                    x, y, width, height, ownerTop, nullptr, nullptr, &box);
    if (!box_hwnd) return 0;
    if (type & MB_ICONMASK) MessageBeep(type & MB_ICONMASK);
    ShowWindow(box_hwnd, SW_SHOW);
    SetFocus(box_hwnd);
    device::runModalLoop(box_hwnd, ownerTop, &box.done);
    if (IsWindow(box_hwnd)) DestroyWindow(box_hwnd);
    return box.done ? box.result : 0;
}
