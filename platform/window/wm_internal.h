// The window manager's own records: window classes, windows and the tree that
// links them. Only platform/window includes this; other areas use the API.
//
// Windows are kept in a table keyed by their handle value. Handle values are
// multiples of 4 and never reused, so a stale handle is simply not found. A
// destroyed window's record stays alive (as a "zombie") until no window
// procedure is running any more, so code that still holds a pointer across a
// call that destroyed it reads a record marked `destroyed`, never freed memory.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/window/window_system.h"
#include "winuser.h"

namespace wm {



struct WindowClass {
    std::u16string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::vector<LONG_PTR> classExtra;
    int windowCount = 0;
};

struct ScrollBarInfo {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
};

struct Window {
    HWND hwnd = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // window rectangle in the parent's client coordinates
    std::u16string text;
    HINSTANCE instance = nullptr;
    UINT_PTR id = 0;  // control id (children) or menu (top-level windows)
    LONG_PTR userData = 0;
    std::vector<LONG_PTR> extra;  // cbWndExtra, one slot per 4 bytes

    // Tree: siblings in z-order, the first child is the topmost one.
    Window* parent = nullptr;
    Window* owner = nullptr;
    Window* firstChild = nullptr;
    Window* lastChild = nullptr;
    Window* next = nullptr;  // below this one
    Window* prev = nullptr;  // above this one

    // Painting state, in client coordinates.
    gdi::Region update;
    bool erasePending = false;
    bool ncPaintPending = false;
    bool internalPaint = false;
    bool redrawOff = false;
    std::optional<gdi::Region> shape;  // SetWindowRgn, window coordinates

    ScrollBarInfo scroll[2];  // SB_HORZ, SB_VERT
    device::NonClientPainter* ncHandler = nullptr;
    bool navOkButton = false;  // the navigation bar shows "ok" for this window
    bool platformOwned = false;  // navigation bar and other system windows
    bool noActivate = false;  // never active: platform popups, WS_EX_NOACTIVATE

    bool creating = false;
    bool destroying = false;
    bool destroyed = false;
};

// Lookup: the live window of a handle, or nullptr (bad, destroyed, or 0).
Window* get(HWND hwnd);
// Same, but also accepts a window that is being destroyed (WM_DESTROY time).
Window* getAny(HWND hwnd);
Window* desktop();
bool isTopLevel(const Window* w);
Window* topLevelOf(Window* w);
// Every live window, depth first, parents before their children, in
// z-order (topmost first); the desktop comes first.
std::vector<Window*> allWindows();

// The table itself (window_table.cpp).
Window* allocateWindow();
void retireWindow(Window* w);  // unregisters the handle; freed when safe
void enterProc();
void leaveProc();

// Tree links (window_tree.cpp).
void linkChild(Window* parent, Window* w, Window* insertAfter);  // nullptr = top
void unlinkChild(Window* w);
// Puts w just below `after` among its siblings (nullptr: at the top of its
// band, topmost windows first).
void placeInZOrder(Window* w, Window* after);
bool checkTree();  // consistency of the links (used in asserts and tests)

// Classes (classes.cpp).
std::shared_ptr<WindowClass> findClass(LPCWSTR name);
void resetClasses();

// Geometry (coordinates.cpp).
int frameThickness(const Window* w);        // the border: the dialog frame, else WS_BORDER
RECT clientRectInWindow(const Window* w);  // client area relative to the window's top-left
POINT windowOriginOnScreen(const Window* w);
POINT clientOriginOnScreen(const Window* w);
RECT windowRectOnScreen(const Window* w);
RECT clientRectOnScreen(const Window* w);
// Visible on screen: itself and all ancestors shown.
bool reallyVisible(const Window* w);
// The deepest shown window under a screen point, starting at `from`.
// The deepest visible window under pt, leaving out the windows in
// `passOver` (those that answered HTTRANSPARENT to the pen) and what is in them.
Window* windowAt(Window* from, POINT pt, const std::vector<Window*>* passOver = nullptr);

// Painting (painting.cpp).
// Adds to the update region (client coordinates; nullptr = all of it). Hidden
// windows are not invalidated: showing a window invalidates all of it.
void invalidateWindow(Window* w, const gdi::Region* clientArea, bool erase, bool frame);
// Same, and `allChildren` reaches children even under WS_CLIPCHILDREN.
void invalidateWindowEx(Window* w, const gdi::Region* clientArea, bool erase, bool frame, bool allChildren);
// The region behind a GDI region handle (false: not a region).
bool regionFromHandle(HRGN rgn, gdi::Region& out);
// Invalidates whatever windows show the given screen area (after a window
// moved, hid or changed its shape).
void exposeScreenArea(const gdi::Region& screenArea);
// The first window (parents before children) that needs WM_PAINT and
// passes the GetMessage window filter.
Window* nextWindowToPaint(HWND filter);
void clearUpdate(Window* w);
// The region a window may draw in, in screen coordinates.
gdi::Region visibleRegion(const Window* w, bool clientOnly, bool clipChildren);

// Messages (message_queue.cpp).
LRESULT send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
void removeMessagesFor(HWND hwnd);
void resetQueue();

// Timers, focus, input state cleanup when a window goes away.
void killTimersOf(HWND hwnd);
void resetTimers();
void focusWindowDestroyed(Window* w);
// A window (and its subtree) was hidden: focus, capture and activation
// leave it.
void windowHidden(Window* w);
// A window was disabled: it loses the focus and its subtree the capture.
void windowDisabled(Window* w);
// Makes a top-level window the active (and foreground) one.
void activate(Window* w, WORD how);
// Brings a window to the top of its band and repaints what that uncovered.
void raiseAndRepaint(Window* w);
HWND focusWindow();
HWND activeWindow();
HWND captureWindow();
// The navigation bar repaints its title (nav_bar.cpp).
void navBarForegroundChanged();
// Repaints the clock when the minute changed.
void navBarTick();
// The screen was reconfigured: the desktop and navigation bar follow it and
// everything repaints.
void screenChanged();
// Depth of nested modal loops (0: the program's own loop).
int modalDepth();
void resetFocus();
void resetInput();
void resetCursor();
void resetNavBar();

// Window placement (window_pos.cpp). WM_WINDOWPOSCHANGED carries these two
// flags as the device does when the client area kept its size or place;
// DefWindowProcW then leaves out WM_SIZE or WM_MOVE.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;
bool setWindowPos(Window* w, Window* insertAfter, bool topmostRequest, bool noTopmostRequest, int x,
                  int y, int cx, int cy, UINT flags);

inline bool rectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT makeRect(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
RECT intersectRects(const RECT& a, const RECT& b);

}  // namespace wm
