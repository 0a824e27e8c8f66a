// The script steps: each does what a person would do with the pen and the
// keys, found through what is on the screen.
#include <unistd.h>

#include <algorithm>

#include "platform/controls/treeview/treeview_query.h"
#include "platform/gdi/png_io.h"
#include "platform/host/control_messages.h"
#include "platform/host/script_player.h"
#include "platform/host/state_dump.h"
#include "platform/host/window_query.h"
#include "platform/shell/drop_files.h"
#include "platform/shell/menu_query.h"
#include "platform/shell/screen_follow.h"
#include "platform/shell/shell_system.h"
#include "platform/system/device_clock.h"
#include "platform/system/power_failure.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"

namespace device {
namespace {

bool onScreen(int x, int y) {
    const ScreenConfig& c = screenConfig();
    return x >= 0 && y >= 0 && x < c.width && y < c.height;
}

POINT centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// How long a hold keeps the pen down: past the long tap-and-hold delay, so
// every window that waits for a hold (on the device clock) sees one.
uint64_t holdDurationMs() { return holdTimeMs(true) + 50; }

void tapAt(POINT p, StepKind how) {
    penDown(p.x, p.y);
    penUp(p.x, p.y);
    if (how == StepKind::DoubleTap) {
        penDown(p.x, p.y);
        penUp(p.x, p.y);
    }
}

std::string quoted(const std::u16string& s) { return "\"" + utf16ToUtf8(s) + "\""; }

std::u16string joinPath(const std::vector<std::u16string>& parts) {
    std::u16string p;
    for (size_t i = 0; i < parts.size(); ++i) p += (i ? u"/" : u"") + parts[i];
    return p;
}

// A window and every ancestor up to its top-level window enabled: a person
// can use it. (A dialog's owner is disabled while the dialog is up; that
// says nothing about the dialog's own controls.)
bool usable(HWND h) {
    for (; h; h = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr) {
        if (!IsWindowEnabled(h)) return false;
    }
    return true;
}

// The part of a window's rectangle that is on the screen.
RECT visiblePart(const RECT& r) {
    const ScreenConfig& c = screenConfig();
    return RECT{std::max(r.left, (LONG)0), std::max(r.top, (LONG)0), std::min(r.right, (LONG)c.width), std::min(r.bottom, (LONG)c.height)};
}

// The text of entry i of a list box or combo box.
std::u16string entryText(HWND h, bool combo, int i) {
    LRESULT len = SendMessageW(h, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, (WPARAM)i, 0);
    if (len <= 0) return {};
    std::u16string s((size_t)len + 1, u'\0');
    LRESULT got = SendMessageW(h, combo ? CB_GETLBTEXT : LB_GETTEXT, (WPARAM)i, (LPARAM)s.data());
    s.resize(got > 0 ? (size_t)got : 0);
    return s;
}

int findEntry(HWND h, bool combo, const std::u16string& text) {
    LRESULT n = SendMessageW(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (int i = 0; i < (int)n; ++i) {
        if (entryText(h, combo, i) == text) return i;
    }
    return -1;
}

}  // namespace

bool ScriptPlayer::stepTap(const ScriptStep& s, std::optional<uint64_t> timeoutMs) {
    if (!onScreen(s.x, s.y)) return fail("the point is outside the screen");
    if (s.kind == StepKind::Hold) return holdPen(POINT{s.x, s.y}, timeoutMs);
    tapAt(POINT{s.x, s.y}, s.kind);
    stepDone();
    return true;
}

bool ScriptPlayer::holdPen(POINT p, std::optional<uint64_t> timeoutMs) {
    // The pen goes down and stays while the clock runs (stopping at each
    // timer, so a window's own hold timer fires at its time); it lifts when
    // the hold time has passed or as soon as a menu appeared, as a person
    // lifts the pen when the item menu shows.
    if (phase_ == 0) {
        penDown(p.x, p.y);
        waitLeft_ = holdDurationMs();
        phase_ = 1;
        return true;
    }
    if (waitLeft_ > 0 && !popupMenuOpen()) {
        uint64_t step = timeoutMs ? std::min(*timeoutMs, waitLeft_) : waitLeft_;
        clockAdvance(step);
        waitLeft_ -= step;
        return true;
    }
    penUp(p.x, p.y);
    stepDone();
    return true;
}

bool ScriptPlayer::stepDrag(const ScriptStep& s) {
    if (!onScreen(s.x, s.y) || !onScreen(s.x2, s.y2)) return fail("the drag leaves the screen");
    // The device runs between the parts, so the windows see the pen travel.
    if (phase_ == 0) {
        penDown(s.x, s.y);
    } else if (phase_ <= s.count) {
        int x = s.x + (s.x2 - s.x) * phase_ / s.count;
        int y = s.y + (s.y2 - s.y) * phase_ / s.count;
        penMove(x, y);
    } else {
        penUp(s.x2, s.y2);
        stepDone();
        return true;
    }
    ++phase_;
    return true;
}

bool ScriptPlayer::stepKey(const ScriptStep& s) {
    if (s.vk) {
        if (s.ctrl) keyDown(VK_CONTROL);
        if (s.alt) keyDown(VK_MENU);
        if (s.shift) keyDown(VK_SHIFT);
        keyDown(s.vk);
        keyUp(s.vk);
        if (s.shift) keyUp(VK_SHIFT);
        if (s.alt) keyUp(VK_MENU);
        if (s.ctrl) keyUp(VK_CONTROL);
    } else {
        typeChar(s.ch);
    }
    if (++phase_ >= s.count) stepDone();
    return true;
}

bool ScriptPlayer::stepType(const ScriptStep& s) {
    if ((size_t)phase_ < s.text.size()) typeChar(s.text[(size_t)phase_]);
    if ((size_t)++phase_ >= s.text.size()) stepDone();
    return true;
}

bool ScriptPlayer::stepMenu(const ScriptStep& s) {
    // The shell taps the menu-bar button and then each level as it opens.
    std::string why;
    if (!chooseMenuPath(joinPath(s.path), &why)) return fail(why);
    stepDone();
    return true;
}

bool ScriptPlayer::stepControl(const ScriptStep& s) {
    HWND top = GetForegroundWindow();
    if (!top) return fail("no window is in front");
    std::string name = s.kind == StepKind::Click ? quoted(s.text) : "with id " + std::to_string(s.id);
    HWND h = s.kind == StepKind::Click ? findControlByText(top, s.text) : findControlById(top, s.id);
    std::string where = " in " + quoted(windowText(top));
    if (!h) return fail("no control " + name + where);
    if (!shownOnScreen(h)) return fail("the control " + name + " is hidden");
    if (!usable(h)) return fail("the control " + name + " is disabled");
    RECT r = visiblePart(screenRect(h));
    if (r.right <= r.left || r.bottom <= r.top) return fail("the control " + name + " is off the screen");
    tapAt(centre(r), StepKind::Tap);
    stepDone();
    return true;
}

bool ScriptPlayer::stepSelect(const ScriptStep& s) {
    HWND top = GetForegroundWindow();
    HWND h = top ? findControlById(top, s.id) : nullptr;
    std::string name = "control with id " + std::to_string(s.id);
    if (!h) return fail("no " + name);
    std::u16string cls = windowClassLower(h);
    bool combo = cls == u"combobox";
    if (!combo && cls != u"listbox") return fail("the " + name + " is no list box or combo box");
    if (!shownOnScreen(h)) return fail("the " + name + " is hidden");
    if (!usable(h)) return fail("the " + name + " is disabled");
    if (phase_ == 0) {
        selectIndex_ = findEntry(h, combo, s.text);
        if (selectIndex_ < 0) return fail("no entry " + quoted(s.text));
    }
    RECT item{};
    if (!combo) {
        // Scroll the entry into view as a person would with the scroll bar.
        RECT client{};
        GetClientRect(h, &client);
        SendMessageW(h, LB_GETITEMRECT, (WPARAM)selectIndex_, (LPARAM)&item);
        if (item.top < client.top || item.bottom > client.bottom) {
            SendMessageW(h, LB_SETTOPINDEX, (WPARAM)selectIndex_, 0);
            SendMessageW(h, LB_GETITEMRECT, (WPARAM)selectIndex_, (LPARAM)&item);
        }
        MapWindowPoints(h, nullptr, (POINT*)&item, 2);
    } else if (phase_ == 0) {
        if (!SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0)) {
            // Tap the drop-down button at the right end; the list opens.
            RECT r = screenRect(h);
            int half = (r.bottom - r.top) / 2;
            tapAt(POINT{r.right - std::max(half, 2), r.top + half}, StepKind::Tap);
        }
        phase_ = 1;
        return true;
    } else {
        if (!SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0)) return fail("the combo box did not drop down");
        RECT list{};
        SendMessageW(h, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
        int height = (int)SendMessageW(h, CB_GETITEMHEIGHT, 0, 0);
        if (height <= 0) return fail("the combo box's list has no rows");
        int visible = std::max(1, (int)(list.bottom - list.top - 2) / height);
        int topIndex = (int)SendMessageW(h, CB_GETTOPINDEX, 0, 0);
        if (selectIndex_ < topIndex || selectIndex_ >= topIndex + visible) {
            SendMessageW(h, CB_SETTOPINDEX, (WPARAM)selectIndex_, 0);
            topIndex = (int)SendMessageW(h, CB_GETTOPINDEX, 0, 0);
        }
        int y = (int)list.top + 1 + (selectIndex_ - topIndex) * height;
        item = RECT{list.left + 1, y, list.right - 1, y + height};
    }
    RECT seen = visiblePart(item);
    if (seen.right <= seen.left || seen.bottom <= seen.top) return fail("the entry " + quoted(s.text) + " is off the screen");
    tapAt(centre(seen), StepKind::Tap);
    stepDone();
    return true;
}

bool ScriptPlayer::stepTree(const ScriptStep& s, std::optional<uint64_t> timeoutMs) {
    if (phase_ > 0) return holdPen(holdPoint_, timeoutMs);
    HWND top = GetForegroundWindow();
    HWND tree = nullptr;
    if (HWND f = GetFocus(); f && treeview::isTreeView(f) && shownOnScreen(f)) tree = f;
    if (!tree && top) {
        forEachDescendant(top, [&](HWND h) {
            if (!tree && treeview::isTreeView(h) && shownOnScreen(h)) tree = h;
        });
    }
    if (!tree) return fail("no tree view is shown");
    if (!usable(tree)) return fail("the tree view is disabled");
    std::u16string path = joinPath(s.path);
    HTREEITEM item = treeview::findByPath(tree, path);
    if (!item) return fail("no item " + quoted(path));
    treeview::ItemRects rects;
    if (!treeview::itemScreenRects(tree, item, true, rects)) return fail("the item " + quoted(path) + " cannot be shown");
    const RECT& r = s.part == TreePart::Label ? rects.label : s.part == TreePart::Check ? rects.stateImage : rects.button;
    RECT seen = visiblePart(r);
    if (seen.right <= seen.left || seen.bottom <= seen.top) {
        const char* what = s.part == TreePart::Label ? "label" : s.part == TreePart::Check ? "check box" : "expand button";
        return fail("the item " + quoted(path) + " shows no " + what);
    }
    if (s.action == StepKind::Hold) {
        holdPoint_ = centre(seen);
        return holdPen(holdPoint_, timeoutMs);
    }
    tapAt(centre(seen), s.action);
    stepDone();
    return true;
}

bool ScriptPlayer::stepWait(const ScriptStep& s, std::optional<uint64_t> timeoutMs) {
    if (phase_ == 0) {
        waitLeft_ = s.ms;
        phase_ = 1;
    }
    // Stop at each timer on the way so it fires at its own time.
    uint64_t step = timeoutMs ? std::min(*timeoutMs, waitLeft_) : waitLeft_;
    clockAdvance(step);
    waitLeft_ -= step;
    if (waitLeft_ == 0) stepDone();
    return true;
}

bool ScriptPlayer::stepPowerOff(const ScriptStep& s) {
    // The next steps run as usual until the device has made that many more
    // writes; the one after them never happens.
    powerFailAfterWrites(s.count);
    stepDone();
    return true;
}

bool ScriptPlayer::stepFile(const ScriptStep& s) {
    bool ok = s.kind == StepKind::Shot ? gdi::writePng(screenSurface(), s.file) : writeStateDump(s.file);
    if (!ok) return fail("cannot write " + s.file);
    stepDone();
    return true;
}

// The screen takes a new size, as the desktop window resized would give it.
bool ScriptPlayer::stepScreen(const ScriptStep& s) {
    int smallest = smallestScreenSide();
    if (s.x < smallest || s.y < smallest)
        return fail("the screen is at least " + std::to_string(smallest) + " x " + std::to_string(smallest));
    screenFollowSize(s.x, s.y);
    stepDone();
    return true;
}

bool ScriptPlayer::stepWheel(const ScriptStep& s) {
    if (!onScreen(s.x, s.y)) return fail("the point is outside the screen");
    wheel(s.x, s.y, s.count);
    stepDone();
    return true;
}

// A file dragged from the desktop and dropped at the point; a relative path
// is taken from the folder the script runs in.
bool ScriptPlayer::stepDrop(const ScriptStep& s) {
    if (!onScreen(s.x, s.y)) return fail("the point is outside the screen");
    std::string path = s.file;
    if (path[0] != '/') {
        char here[4096];
        if (!getcwd(here, sizeof here)) return fail("the current folder cannot be read");
        path = std::string(here) + "/" + path;
    }
    if (!dropFiles(s.x, s.y, {path})) return fail("no window there takes files");
    stepDone();
    return true;
}

}  // namespace device
