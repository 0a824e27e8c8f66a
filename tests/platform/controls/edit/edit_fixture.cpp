#include "edit_fixture.h"

#include "platform/gdi/surface.h"

namespace edittest {
namespace {

std::string codeName(WORD code) {
    switch (code) {
        case EN_SETFOCUS: return "SETFOCUS";
        case EN_KILLFOCUS: return "KILLFOCUS";
        case EN_CHANGE: return "CHANGE";
        case EN_UPDATE: return "UPDATE";
        case EN_MAXTEXT: return "MAXTEXT";
        case EN_VSCROLL: return "VSCROLL";
        case EN_HSCROLL: return "HSCROLL";
        default: return "CODE" + std::to_string(code);
    }
}

LRESULT colorAnswer(UINT msg, HDC dc) {
    Parent& p = parent();
    ++p.colorRequests;
    p.lastColorMessage = msg;
    if (!p.colorBrush) return 0;
    SetTextColor(dc, p.textColor);
    if (p.transparent) SetBkMode(dc, TRANSPARENT);
    return (LRESULT)p.colorBrush;
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (lParam) parent().log.push_back(codeName(HIWORD(wParam)));
            if (lParam && parent().destroyOn && HIWORD(wParam) == parent().destroyOn) DestroyWindow((HWND)lParam);
            return 0;
        case WM_MOUSEWHEEL: parent().log.push_back("WHEEL"); return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            LRESULT r = colorAnswer(msg, (HDC)wParam);
            return r ? r : DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

Lines Parent::take() {
    Lines out;
    out.swap(log);
    return out;
}

Parent& parent() {
    static Parent p;
    return p;
}

void EditTest::SetUp() {
    device::windowSystemReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    parent() = Parent{};
    ASSERT_TRUE(device::registerEditControl());
    WNDCLASSW wc{};
    wc.lpfnWndProc = parentProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"editparent";
    ASSERT_NE(RegisterClassW(&wc), 0);
    top = CreateWindowExW(0, u"editparent", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr,
                          nullptr);
    ASSERT_NE(top, nullptr);
    device::runUntilIdle();
}

void EditTest::TearDown() {
    // The clipboard outlives windows; leave it empty so no block outlives the tests.
    if (OpenClipboard(top)) {
        EmptyClipboard();
        CloseClipboard();
    }
    device::windowSystemReset();
}

HWND EditTest::make(DWORD style, int x, int y, int w, int h, const char16_t* initial) {
    edit = CreateWindowExW(0, WC_EDIT, initial, WS_CHILD | WS_VISIBLE | style, x, y, w, h, top, (HMENU)(intptr_t)77,
                           nullptr, nullptr);
    EXPECT_NE(edit, nullptr);
    device::runUntilIdle();
    parent().take();
    return edit;
}

std::u16string EditTest::text() {
    int n = GetWindowTextLengthW(edit);
    std::u16string s((size_t)n + 1, u'\0');
    GetWindowTextW(edit, s.data(), n + 1);
    s.resize((size_t)n);
    return s;
}

std::string EditTest::sel() {
    DWORD s = 0, e = 0;
    send(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    return std::to_string(s) + "," + std::to_string(e);
}

void EditTest::type(const std::u16string& s) {
    for (char16_t c : s) device::typeChar(c);
    device::runUntilIdle();
}

void EditTest::key(unsigned vk, bool shift, bool ctrl) {
    if (shift) device::keyDown(VK_SHIFT);
    if (ctrl) device::keyDown(VK_CONTROL);
    device::keyDown(vk);
    device::keyUp(vk);
    if (ctrl) device::keyUp(VK_CONTROL);
    if (shift) device::keyUp(VK_SHIFT);
    device::runUntilIdle();
}

void EditTest::penDownAt(int x, int y) {
    POINT p{x, y};
    ClientToScreen(edit, &p);
    device::penDown(p.x, p.y);
    device::runUntilIdle();
}

void EditTest::penMoveTo(int x, int y) {
    POINT p{x, y};
    ClientToScreen(edit, &p);
    device::penMove(p.x, p.y);
    device::runUntilIdle();
}

void EditTest::penUpAt(int x, int y) {
    POINT p{x, y};
    ClientToScreen(edit, &p);
    device::penUp(p.x, p.y);
    device::runUntilIdle();
}

void EditTest::tap(int x, int y) {
    penDownAt(x, y);
    penUpAt(x, y);
}

POINT EditTest::posOf(int index) {
    LRESULT r = send(EM_POSFROMCHAR, (WPARAM)index);
    return POINT{(short)LOWORD(r), (short)HIWORD(r)};
}

void EditTest::putClipboard(const std::u16string& s) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(WCHAR));
    auto* p = (WCHAR*)GlobalLock(block);
    std::copy(s.begin(), s.end(), p);
    p[s.size()] = 0;
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(top));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

std::u16string EditTest::clipboard() {
    std::u16string s;
    if (!OpenClipboard(top)) return u"<busy>";
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (h) {
        if (auto* p = (const WCHAR*)GlobalLock(h)) {
            s = p;
            GlobalUnlock(h);
        }
    } else {
        s = u"<none>";
    }
    CloseClipboard();
    return s;
}

COLORREF screenPixel(int x, int y) {
    const gdi::Surface& s = device::screenSurface();
    return gdi::colorrefFromPixel(s.row(y)[x]);
}

int inkIn(HWND hwnd, RECT r, COLORREF background) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            POINT p{x, y};
            ClientToScreen(hwnd, &p);
            if (screenPixel(p.x, p.y) != background) ++count;
        }
    return count;
}

}  // namespace edittest
