// The soft input panel. Its window never activates, so the focus stays in
// the program's field while the user taps keys; printable keys arrive there
// as WM_CHAR, the others (Backspace, Enter, Tab, arrows) as key presses.
//
// Sections: layout | state | painting | keys | raising and lowering | API
#include "platform/shell/input_panel.h"

#include <algorithm>
#include <cstring>

#include "platform/shell/menu_bar.h"
#include "platform/shell/shell_look.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"

namespace shell {
namespace {

constexpr const char16_t* kSipClass = u"SipWndClass";

// ------------------------------------------------------------------ layout
enum KeyKind { kChar, kBack, kEnter, kShift, kCaps, kSymbols, kSpace, kTab, kMove };

struct KeyDef {
    KeyKind kind;
    const char16_t* label;  // also the character (kChar: first; second when shifted)
    int weight;             // width in quarter keys
    UINT vk = 0;            // kMove
};

using Row = std::vector<KeyDef>;

const std::vector<Row>& letterRows() {
    static const std::vector<Row> rows = {
        {{kSymbols, u"123", 6}, {kChar, u"1!", 4}, {kChar, u"2@", 4}, {kChar, u"3#", 4}, {kChar, u"4$", 4},
         {kChar, u"5%", 4}, {kChar, u"6^", 4}, {kChar, u"7&", 4}, {kChar, u"8*", 4}, {kChar, u"9(", 4},
         {kChar, u"0)", 4}, {kChar, u"-_", 4}, {kChar, u"=+", 4}, {kBack, u"\u2190", 6}},
        {{kTab, u"Tab", 6}, {kChar, u"qQ", 4}, {kChar, u"wW", 4}, {kChar, u"eE", 4}, {kChar, u"rR", 4},
         {kChar, u"tT", 4}, {kChar, u"yY", 4}, {kChar, u"uU", 4}, {kChar, u"iI", 4}, {kChar, u"oO", 4},
         {kChar, u"pP", 4}, {kChar, u"[{", 4}, {kChar, u"]}", 4}, {kChar, u"\\|", 6}},
        {{kCaps, u"CAP", 7}, {kChar, u"aA", 4}, {kChar, u"sS", 4}, {kChar, u"dD", 4}, {kChar, u"fF", 4},
         {kChar, u"gG", 4}, {kChar, u"hH", 4}, {kChar, u"jJ", 4}, {kChar, u"kK", 4}, {kChar, u"lL", 4},
         {kChar, u";:", 4}, {kChar, u"'\"", 4}, {kEnter, u"\u21B5", 9}},
        {{kShift, u"Shift", 9}, {kChar, u"zZ", 4}, {kChar, u"xX", 4}, {kChar, u"cC", 4}, {kChar, u"vV", 4},
         {kChar, u"bB", 4}, {kChar, u"nN", 4}, {kChar, u"mM", 4}, {kChar, u",<", 4}, {kChar, u".>", 4},
         {kChar, u"/?", 4}, {kMove, u"\u2191", 4, VK_UP}, {kChar, u"`~", 7}},
        {{kSymbols, u"123", 6}, {kSpace, u"", 32}, {kMove, u"\u2193", 5, VK_DOWN}, {kMove, u"\u2190", 5, VK_LEFT},
         {kMove, u"\u2192", 5, VK_RIGHT}},
    };
    return rows;
}

const std::vector<Row>& symbolRows() {
    static const std::vector<Row> rows = {
        {{kSymbols, u"abc", 6}, {kChar, u"1", 4}, {kChar, u"2", 4}, {kChar, u"3", 4}, {kChar, u"4", 4},
         {kChar, u"5", 4}, {kChar, u"6", 4}, {kChar, u"7", 4}, {kChar, u"8", 4}, {kChar, u"9", 4},
         {kChar, u"0", 4}, {kBack, u"\u2190", 6}},
        {{kChar, u"!", 4}, {kChar, u"@", 4}, {kChar, u"#", 4}, {kChar, u"$", 4}, {kChar, u"%", 4},
         {kChar, u"^", 4}, {kChar, u"&", 4}, {kChar, u"*", 4}, {kChar, u"(", 4}, {kChar, u")", 4}},
        {{kChar, u"-", 4}, {kChar, u"_", 4}, {kChar, u"=", 4}, {kChar, u"+", 4}, {kChar, u"[", 4},
         {kChar, u"]", 4}, {kChar, u"{", 4}, {kChar, u"}", 4}, {kChar, u"\\", 4}, {kChar, u"|", 4},
         {kEnter, u"\u21B5", 6}},
        {{kChar, u";", 4}, {kChar, u":", 4}, {kChar, u"'", 4}, {kChar, u"\"", 4}, {kChar, u",", 4},
         {kChar, u".", 4}, {kChar, u"<", 4}, {kChar, u">", 4}, {kChar, u"/", 4}, {kChar, u"?", 4}},
        {{kSymbols, u"abc", 6}, {kSpace, u"", 32}, {kMove, u"\u2193", 5, VK_DOWN}, {kMove, u"\u2190", 5, VK_LEFT},
         {kMove, u"\u2192", 5, VK_RIGHT}},
    };
    return rows;
}

// ------------------------------------------------------------------- state
struct PlacedKey {
    KeyDef def;
    RECT rect;  // client coordinates
};

struct SipState {
    HWND hwnd = nullptr;
    bool shift = false;
    bool caps = false;
    bool symbols = false;
    int pressed = -1;
    DWORD storedFlags = 0;  // SIPF_DISABLECOMPLETION, SIPF_LOCKED as last set
    std::vector<unsigned char> imData;
};

SipState& st() {
    static SipState s;
    return s;
}

int sc() { return device::screenConfig().scale; }

std::vector<PlacedKey> placeKeys() {
    const SipState& s = st();
    const std::vector<Row>& rows = s.symbols ? symbolRows() : letterRows();
    int width = device::screenConfig().width;
    int rowH = sipPanelHeight() / (int)rows.size();
    std::vector<PlacedKey> out;
    for (size_t r = 0; r < rows.size(); ++r) {
        int total = 0;
        for (const KeyDef& k : rows[r]) total += k.weight;
        int acc = 0;
        for (const KeyDef& k : rows[r]) {
            int left = width * acc / total;
            acc += k.weight;
            int right = width * acc / total;
            out.push_back(PlacedKey{k, RECT{left, (int)r * rowH, right, (int)(r + 1) * rowH}});
        }
    }
    return out;
}

char16_t charOf(const KeyDef& k) {
    const SipState& s = st();
    std::u16string l = k.label;
    if (l.size() < 2) return l.empty() ? 0 : l[0];
    bool letter = l[0] >= u'a' && l[0] <= u'z';
    bool upper = letter ? (s.shift != s.caps) : s.shift;
    return upper ? l[1] : l[0];
}

std::u16string labelOf(const KeyDef& k) {
    if (k.kind == kChar) return std::u16string(1, charOf(k));
    return k.label;
}

// ---------------------------------------------------------------- painting
void paintPanel(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    const SipState& s = st();
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH face = CreateSolidBrush(barColor());
    FillRect(dc, &client, face);
    DeleteObject(face);
    HGDIOBJ oldFont = SelectObject(dc, shellFont());
    SetBkMode(dc, TRANSPARENT);
    std::vector<PlacedKey> keys = placeKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const PlacedKey& k = keys[i];
        RECT r = k.rect;
        bool latched = (k.def.kind == kShift && s.shift) || (k.def.kind == kCaps && s.caps);
        bool down = (int)i == s.pressed || latched;
        FillRect(dc, &r, (HBRUSH)GetStockObject(down ? BLACK_BRUSH : WHITE_BRUSH));
        FrameRect(dc, &r, (HBRUSH)GetStockObject(GRAY_BRUSH));
        SetTextColor(dc, down ? RGB(255, 255, 255) : RGB(0, 0, 0));
        std::u16string label = labelOf(k.def);
        DrawTextW(dc, label.c_str(), (int)label.size(), &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    RECT top{0, 0, client.right, 1};
    FillRect(dc, &top, (HBRUSH)GetStockObject(BLACK_BRUSH));
    EndPaint(hwnd, &ps);
}

// -------------------------------------------------------------------- keys
void pressVirtualKey(UINT vk) {
    device::keyDown(vk);
    device::keyUp(vk);
}

void act(const KeyDef& k) {
    SipState& s = st();
    switch (k.kind) {
        case kChar: {
            char16_t c = charOf(k);
            if (c) device::typeChar(c);
            if (s.shift) s.shift = false;  // shift holds for one key
            break;
        }
        case kBack: pressVirtualKey(VK_BACK); break;
        case kEnter: pressVirtualKey(VK_RETURN); break;
        case kTab: pressVirtualKey(VK_TAB); break;
        case kMove: pressVirtualKey(k.vk); break;
        case kSpace: device::typeChar(u' '); break;
        case kShift: s.shift = !s.shift; break;
        case kCaps: s.caps = !s.caps; break;
        case kSymbols: s.symbols = !s.symbols; s.shift = false; break;
    }
}

int keyAt(LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    std::vector<PlacedKey> keys = placeKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        if (PtInRect(&keys[i].rect, pt)) return (int)i;
    }
    return -1;
}

LRESULT CALLBACK sipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SipState& s = st();
    switch (msg) {
        case WM_PAINT: paintPanel(hwnd); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            s.pressed = keyAt(lParam);
            if (s.pressed >= 0) SetCapture(hwnd);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP: {
            int was = s.pressed;
            s.pressed = -1;
            if (GetCapture() == hwnd) ReleaseCapture();
            if (was >= 0 && keyAt(lParam) == was) {
                std::vector<PlacedKey> keys = placeKeys();
                act(keys[(size_t)was].def);
            }
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (s.pressed >= 0 && (HWND)lParam != hwnd) {
                s.pressed = -1;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND ensureWindow() {
    SipState& s = st();
    if (IsWindow(s.hwnd)) return s.hwnd;
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, kSipClass, &wc)) {
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = sipProc;
        wc.lpszClassName = kSipClass;
        RegisterClassW(&wc);
    }
    RECT r = sipPanelRect();
    s.hwnd = CreateWindowExW(WS_EX_TOPMOST, kSipClass, u"", WS_POPUP, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    if (wm::Window* w = wm::get(s.hwnd)) w->noActivate = true;
    return s.hwnd;
}

// ------------------------------------------------------ raising and lowering
// Every top-level window of the program hears of the change, as on the device.
void broadcastSipChange() {
    std::vector<HWND> tops;
    for (wm::Window* w = wm::desktop()->firstChild; w; w = w->next) {
        if (!w->platformOwned && w->hwnd != st().hwnd) tops.push_back(w->hwnd);
    }
    for (HWND h : tops) {
        if (IsWindow(h)) SendMessageW(h, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    }
}

}  // namespace

bool sipIsOn() { return IsWindow(st().hwnd) && IsWindowVisible(st().hwnd); }

int sipPanelHeight() { return 80 * sc(); }

RECT sipPanelRect() {
    const device::ScreenConfig& scr = device::screenConfig();
    int bottom = scr.height - GetSystemMetrics(SM_CYMENU);
    return RECT{0, bottom - sipPanelHeight(), scr.width, bottom};
}

RECT visibleDesktop() {
    const device::ScreenConfig& scr = device::screenConfig();
    int bottom = sipIsOn() ? sipPanelRect().top : scr.height - GetSystemMetrics(SM_CYMENU);
    return RECT{0, device::navBarHeight(), scr.width, bottom};
}

HWND sipWindow() { return IsWindow(st().hwnd) ? st().hwnd : nullptr; }

bool sipShow(bool on) {
    if (on == sipIsOn()) return false;
    if (on) {
        HWND h = ensureWindow();
        if (!h) return false;
        RECT r = sipPanelRect();
        SetWindowPos(h, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
        device::screenSetSipHeight(device::screenConfig().height - r.top);
        ShowWindow(h, SW_SHOWNA);
    } else {
        st().pressed = -1;
        st().shift = false;
        ShowWindow(st().hwnd, SW_HIDE);
        device::screenSetSipHeight(0);
    }
    menuBarsSipChanged();
    broadcastSipChange();
    return true;
}

std::vector<SipKeyInfo> sipKeys() {
    std::vector<SipKeyInfo> out;
    RECT panel = sipPanelRect();
    for (const PlacedKey& k : placeKeys()) {
        RECT r = k.rect;
        OffsetRect(&r, panel.left, panel.top);
        out.push_back(SipKeyInfo{labelOf(k.def), r});
    }
    return out;
}

void sipResetState() {
    SipState& s = st();
    if (IsWindow(s.hwnd)) DestroyWindow(s.hwnd);
    s = SipState{};
    device::screenSetSipHeight(0);
}

}  // namespace shell

// ---------------------------------------------------------------------- API
namespace {
// The device's 32-bit SIPINFO is 48 bytes; the program here passes sizeof.
bool sipInfoSizeOk(const SIPINFO* info) { return info && (info->cbSize == 48 || info->cbSize == sizeof(SIPINFO)); }
}  // namespace

BOOL WINAPI SipGetInfo(SIPINFO* info) {
    if (!sipInfoSizeOk(info)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const shell::SipState& s = shell::st();
    info->fdwFlags = (shell::sipIsOn() ? SIPF_ON : SIPF_OFF) | SIPF_DOCKED | s.storedFlags;
    info->rcVisibleDesktop = shell::visibleDesktop();
    info->rcSipRect = shell::sipPanelRect();
    if (info->pvImData && info->dwImDataSize >= s.imData.size() && !s.imData.empty())
        std::memcpy(info->pvImData, s.imData.data(), s.imData.size());
    info->dwImDataSize = (DWORD)s.imData.size();
    return TRUE;
}

BOOL WINAPI SipSetInfo(SIPINFO* info) {
    if (!sipInfoSizeOk(info)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    shell::SipState& s = shell::st();
    s.storedFlags = info->fdwFlags & (SIPF_DISABLECOMPLETION | SIPF_LOCKED);
    if (info->pvImData && info->dwImDataSize > 0) {
        // Input-method data is opaque here; a size beyond any real block is refused.
        if (info->dwImDataSize > 4096) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const unsigned char* p = static_cast<const unsigned char*>(info->pvImData);
        s.imData.assign(p, p + info->dwImDataSize);
    }
    shell::sipShow((info->fdwFlags & SIPF_ON) != 0);
    return TRUE;
}

BOOL WINAPI SipShowIM(DWORD flags) {
    shell::sipShow((flags & SIPF_ON) != 0);
    return TRUE;
}
