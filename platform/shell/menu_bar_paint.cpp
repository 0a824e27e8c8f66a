// Layout and painting of the menu bar: a light bar with a dark line on top,
// text buttons, picture buttons (greyed when disabled) and the input panel's
// keyboard button at the right.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/shell/input_panel.h"
#include "platform/shell/menu_bar_internal.h"
#include "platform/shell/menu_store.h"
#include "platform/shell/shell_look.h"
#include "platform/window/screen.h"

namespace shell {
namespace {

int sc() { return device::screenConfig().scale; }

COLORREF faceOf(const MenuBar& bar) { return bar.colorBk ? bar.bk : barColor(); }

// Copies one image of the strip; a disabled one becomes a light grey shape.
void drawPicture(HDC dc, const MenuBar& bar, const BarButton& b) {
    if (!bar.strip || bar.imageW <= 0) return;
    RECT r = b.rect;
    int x = r.left + (r.right - r.left - bar.imageW) / 2;
    int y = r.top + (r.bottom - r.top - bar.imageH) / 2;
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ oldSrc = SelectObject(src, bar.strip);
    if (b.enabled()) {
        TransparentBlt(dc, x, y, bar.imageW, bar.imageH, src, b.image * bar.imageW, 0, bar.imageW, bar.imageH,
                       RGB(255, 0, 255));
    } else {
        COLORREF face = faceOf(bar);
        for (int py = 0; py < bar.imageH; ++py) {
            for (int px = 0; px < bar.imageW; ++px) {
                COLORREF c = GetPixel(src, b.image * bar.imageW + px, py);
                if (c == RGB(255, 0, 255) || c == CLR_INVALID) continue;
                int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
                int g = 150 + lum * 90 / 255;
                if (std::abs(g - (int)GetRValue(face)) < 8) g -= 24;  // stays visible on the bar
                SetPixel(dc, x + px, y + py, RGB(g, g, g));
            }
        }
    }
    SelectObject(src, oldSrc);
    DeleteDC(src);
}

void drawKeyboard(HDC dc, const RECT& r, bool on) {
    int s = sc();
    int w = 18 * s, h = 11 * s;
    int x = (r.left + r.right - w) / 2, y = (r.top + r.bottom - h) / 2 - 2 * s;
    RECT body{x, y, x + w, y + h};
    FillRect(dc, &body, (HBRUSH)GetStockObject(on ? BLACK_BRUSH : WHITE_BRUSH));
    FrameRect(dc, &body, (HBRUSH)GetStockObject(BLACK_BRUSH));
    HBRUSH keys = (HBRUSH)GetStockObject(on ? WHITE_BRUSH : BLACK_BRUSH);
    for (int row = 0; row < 2; ++row) {
        for (int k = 0; k < 5; ++k) {
            RECT key{x + 2 * s + k * 3 * s, y + 2 * s + row * 3 * s, x + 4 * s + k * 3 * s, y + 4 * s + row * 3 * s};
            FillRect(dc, &key, keys);
        }
    }
    RECT space{x + 4 * s, y + 8 * s, x + w - 4 * s, y + 9 * s};
    FillRect(dc, &space, keys);
    drawArrow(dc, RECT{r.left, body.bottom, r.right, r.bottom}, RGB(0, 0, 0), false);
}

}  // namespace

void layoutBar(MenuBar& bar) {
    int s = sc();
    int height = GetSystemMetrics(SM_CYMENU);
    int width = device::screenConfig().width;
    int sipW = 30 * s;
    bar.sipRect = bar.hideSip ? RECT{0, 0, 0, 0} : RECT{width - sipW, 1, width, height};
    // The buttons must end before the input panel's button, or the last
    // pictures would sit under it where no tap reaches them: a crowded bar
    // gives up some of the room around its texts and pictures first.
    int room = bar.hideSip ? width : width - sipW;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, shellFont());
    std::vector<int> textW(bar.buttons.size(), 0);
    for (size_t i = 0; i < bar.buttons.size(); ++i) {
        if (bar.buttons[i].kind != device::MenuBarButton::kMenu) continue;
        std::u16string t = stripMnemonic(bar.buttons[i].text);
        SIZE sz{0, 0};
        GetTextExtentPoint32W(dc, t.c_str(), (int)t.size(), &sz);
        textW[i] = sz.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    auto widthOf = [&](size_t i, int menuPad, int pictureW, int separatorW) {
        switch (bar.buttons[i].kind) {
            case device::MenuBarButton::kMenu: return textW[i] + menuPad;
            case device::MenuBarButton::kSeparator: return separatorW;
            case device::MenuBarButton::kPicture: return pictureW;
        }
        return 0;
    };
    int menuPad = 12 * s;
    int pictureW = std::max(bar.imageW + 8 * s, 22 * s);
    int separatorW = 6 * s;
    auto total = [&] {
        int x = 2 * s;
        for (size_t i = 0; i < bar.buttons.size(); ++i) x += widthOf(i, menuPad, pictureW, separatorW);
        return x;
    };
    while (total() > room) {
        bool shrunk = false;
        if (menuPad > 4 * s) --menuPad, shrunk = true;
        if (pictureW > bar.imageW + 2 * s) --pictureW, shrunk = true;
        if (separatorW > 2 * s) --separatorW, shrunk = true;
        if (!shrunk) break;
    }
    int x = 2 * s;
    for (size_t i = 0; i < bar.buttons.size(); ++i) {
        int w = widthOf(i, menuPad, pictureW, separatorW);
        bar.buttons[i].rect = RECT{x, 1, x + w, height};
        x += w;
    }
}

void paintBar(HWND hwnd, MenuBar& bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH face = CreateSolidBrush(faceOf(bar));
    FillRect(dc, &client, face);
    DeleteObject(face);
    RECT topLine{0, 0, client.right, 1};
    FillRect(dc, &topLine, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ oldFont = SelectObject(dc, shellFont());
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < bar.buttons.size(); ++i) {
        const BarButton& b = bar.buttons[i];
        bool down = (int)i == bar.pressed;
        RECT r = b.rect;
        switch (b.kind) {
            case device::MenuBarButton::kMenu: {
                if (down) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, !b.enabled() ? GetSysColor(COLOR_GRAYTEXT)
                                 : down       ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                              : RGB(0, 0, 0));
                std::u16string t = stripMnemonic(b.text);
                DrawTextW(dc, t.c_str(), (int)t.size(), &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
                break;
            }
            case device::MenuBarButton::kSeparator: {
                int mid = (r.left + r.right) / 2;
                RECT line{mid, r.top + 4 * sc(), mid + 1, r.bottom - 4 * sc()};
                FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
                break;
            }
            case device::MenuBarButton::kPicture: {
                if (down) {
                    RECT in = r;
                    InflateRect(&in, -1, -1);
                    FillRect(dc, &in, GetSysColorBrush(COLOR_BTNSHADOW));
                }
                drawPicture(dc, bar, b);
                break;
            }
        }
    }
    if (!bar.hideSip) {
        RECT r = bar.sipRect;
        RECT line{r.left, r.top + 3 * sc(), r.left + 1, r.bottom - 3 * sc()};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
        drawKeyboard(dc, r, sipIsOn() || bar.sipPressed);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

}  // namespace shell
