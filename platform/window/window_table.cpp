// The table of windows: handle values, lookup, the desktop window, and the
// deferred freeing of destroyed windows.
#include <unordered_map>

#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "platform/window/wm_internal.h"
#include "wingdi.h"

namespace wm {
namespace {

struct Table {
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> live;
    std::vector<std::unique_ptr<Window>> zombies;
    uintptr_t nextHandle = 0x10000;
    int procDepth = 0;
    std::unique_ptr<Window> desktopWindow;
};

Table& table() {
    static Table t;
    return t;
}

LRESULT CALLBACK desktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void freeZombiesIfSafe() {
    Table& t = table();
    if (t.procDepth == 0) t.zombies.clear();
}

}  // namespace

Window* desktop() {
    Table& t = table();
    if (!t.desktopWindow) {
        auto cls = std::make_shared<WindowClass>();
        cls->name = u"#32769";
        cls->proc = desktopProc;
        cls->background = (HBRUSH)(uintptr_t)(COLOR_BACKGROUND + 1);
        auto w = std::make_unique<Window>();
        w->hwnd = (HWND)(uintptr_t)0x10;
        w->cls = cls;
        w->proc = desktopProc;
        w->style = WS_VISIBLE | WS_CLIPCHILDREN;
        w->platformOwned = true;
        const device::ScreenConfig& sc = device::screenConfig();
        w->rect = RECT{0, 0, sc.width, sc.height};
        w->update.setRect(w->rect);
        w->erasePending = true;
        t.desktopWindow = std::move(w);
    }
    return t.desktopWindow.get();
}

Window* getAny(HWND hwnd) {
    if (!hwnd) return nullptr;
    Table& t = table();
    if (t.desktopWindow && hwnd == t.desktopWindow->hwnd) return t.desktopWindow.get();
    auto it = t.live.find((uintptr_t)hwnd);
    if (it == t.live.end()) return nullptr;
    return it->second.get();
}

Window* get(HWND hwnd) {
    Window* w = getAny(hwnd);
    if (!w || w->destroyed) return nullptr;
    return w;
}

Window* allocateWindow() {
    Table& t = table();
    auto w = std::make_unique<Window>();
    w->hwnd = (HWND)t.nextHandle;
    t.nextHandle += 4;
    Window* raw = w.get();
    t.live.emplace((uintptr_t)raw->hwnd, std::move(w));
    return raw;
}

void retireWindow(Window* w) {
    Table& t = table();
    auto it = t.live.find((uintptr_t)w->hwnd);
    if (it == t.live.end()) return;
    w->destroyed = true;
    t.zombies.push_back(std::move(it->second));
    t.live.erase(it);
    freeZombiesIfSafe();
}

void enterProc() { ++table().procDepth; }

void leaveProc() {
    Table& t = table();
    if (t.procDepth > 0) --t.procDepth;
    freeZombiesIfSafe();
}

bool isTopLevel(const Window* w) { return w && w->parent == desktop(); }

Window* topLevelOf(Window* w) {
    Window* d = desktop();
    while (w && w->parent && w->parent != d) w = w->parent;
    return w == d ? nullptr : w;
}

static void collect(Window* w, std::vector<Window*>& out) {
    out.push_back(w);
    for (Window* c = w->firstChild; c; c = c->next) collect(c, out);
}

std::vector<Window*> allWindows() {
    std::vector<Window*> out;
    collect(desktop(), out);
    return out;
}

}  // namespace wm

namespace device {

void windowSystemReset() {
    wm::enterProc();
    // Destroy the top-level windows, including the platform's own: the next
    // user of the screen starts from an empty desktop.
    for (;;) {
        wm::Window* d = wm::desktop();
        if (!d->firstChild) break;
        HWND h = d->firstChild->hwnd;
        DestroyWindow(h);
        if (wm::get(h)) {  // a window that refuses to go: unlink it by force
            wm::Window* w = wm::get(h);
            wm::unlinkChild(w);
            wm::retireWindow(w);
        }
    }
    wm::resetQueue();
    wm::resetTimers();
    wm::resetFocus();
    wm::resetInput();
    wm::resetCursor();
    wm::resetNavBar();
    wm::resetClasses();
    wm::leaveProc();
    wm::Table& t = wm::table();
    t.live.clear();
    t.zombies.clear();
    t.desktopWindow.reset();
    screenResetState();
}

}  // namespace device
