// Window classes: registration by name or atom, lookup, and the class fields
// windows read (style, procedure, background brush, extra bytes).
#include <algorithm>

#include "platform/window/wm_internal.h"
#include "platform/window/wm_errors.h"

namespace wm {
namespace {

std::vector<std::shared_ptr<WindowClass>>& registry() {
    static std::vector<std::shared_ptr<WindowClass>> classes;
    return classes;
}

ATOM nextAtom = 0xC000;

char16_t fold(char16_t c) { return (c >= u'A' && c <= u'Z') ? (char16_t)(c + 32) : c; }

bool sameName(const std::u16string& a, LPCWSTR b) {
    size_t n = 0;
    for (; b[n]; ++n) {
        if (n >= a.size() || fold(a[n]) != fold(b[n])) return false;
    }
    return n == a.size();
}

}  // namespace

std::shared_ptr<WindowClass> findClass(LPCWSTR name) {
    if (!name) return nullptr;
    for (auto& c : registry()) {
        if (IS_INTRESOURCE(name)) {
            if (c->atom == (ATOM)(uintptr_t)name) return c;
        } else if (sameName(c->name, name)) {
            return c;
        }
    }
    return nullptr;
}

void resetClasses() {
    auto& r = registry();
    r.erase(std::remove_if(r.begin(), r.end(),
                           [](const std::shared_ptr<WindowClass>& c) { return !(c->style & CS_GLOBALCLASS); }),
            r.end());
}

}  // namespace wm

using wm::WindowClass;

ATOM WINAPI RegisterClassW(const WNDCLASSW* wc) {
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpszClassName[0] ||
        !wc->lpfnWndProc || wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbClsExtra > 4096 ||
        wc->cbWndExtra > 4096) {
        wm::fail(wm::kErrInvalidParameter);
        return 0;
    }
    if (wm::findClass(wc->lpszClassName)) {
        wm::fail(wm::kErrClassExists);
        return 0;
    }
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = wm::nextAtom++;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->clsExtra = wc->cbClsExtra;
    c->wndExtra = wc->cbWndExtra;
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    c->classExtra.assign((size_t)(wc->cbClsExtra + 3) / 4, 0);
    wm::registry().push_back(c);
    return c->atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE) {
    auto c = wm::findClass(className);
    if (!c) {
        wm::fail(wm::kErrClassDoesNotExist);
        return FALSE;
    }
    if (c->windowCount > 0) {
        wm::fail(wm::kErrClassHasWindows);
        return FALSE;
    }
    auto& r = wm::registry();
    r.erase(std::remove(r.begin(), r.end(), c), r.end());
    return TRUE;
}

BOOL WINAPI GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* wc) {
    auto c = wm::findClass(className);
    if (!c || !wc) {
        wm::fail(wm::kErrClassDoesNotExist);
        return FALSE;
    }
    wc->style = c->style;
    wc->lpfnWndProc = c->proc;
    wc->cbClsExtra = c->clsExtra;
    wc->cbWndExtra = c->wndExtra;
    wc->hInstance = c->instance;
    wc->hIcon = c->icon;
    wc->hCursor = c->cursor;
    wc->hbrBackground = c->background;
    wc->lpszMenuName = nullptr;
    wc->lpszClassName = IS_INTRESOURCE(className) ? c->name.c_str() : className;
    return TRUE;
}

int WINAPI GetClassNameW(HWND hwnd, LPWSTR buffer, int cchMax) {
    wm::Window* w = wm::getAny(hwnd);
    if (!w || !buffer || cchMax <= 0) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    const std::u16string& n = w->cls->name;
    int len = std::min<int>((int)n.size(), cchMax - 1);
    std::copy(n.begin(), n.begin() + len, buffer);
    buffer[len] = 0;
    return len;
}

DWORD WINAPI GetClassLongW(HWND hwnd, int index) {
    wm::Window* w = wm::getAny(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    const WindowClass& c = *w->cls;
    switch (index) {
        case GCL_HBRBACKGROUND: return (DWORD)(uintptr_t)c.background;
        case GCL_HCURSOR: return (DWORD)(uintptr_t)c.cursor;
        case GCL_CBWNDEXTRA: return (DWORD)c.wndExtra;
        case GCL_CBCLSEXTRA: return (DWORD)c.clsExtra;
        case GCL_STYLE: return c.style;
    }
    if (index >= 0 && index % 4 == 0 && index + 4 <= c.clsExtra) return (DWORD)c.classExtra[(size_t)index / 4];
    wm::fail(wm::kErrInvalidIndex);
    return 0;
}
