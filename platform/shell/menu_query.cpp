// The automation's view of menus, and choosing from them by tapping.
#include "platform/shell/menu_query.h"

#include <deque>

#include "platform/shell/menu_bar.h"
#include "platform/shell/menu_store.h"
#include "platform/shell/popup_menu.h"
#include "platform/window/input.h"

namespace shell {
namespace {

// A path being walked: the names still to tap, one per level that opens.
struct Walk {
    std::deque<std::u16string> names;
    int nextLevel = 0;
};

Walk& walk() {
    static Walk w;
    return w;
}

void tapCentre(const RECT& r) {
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    device::penDown(x, y);
    device::penUp(x, y);
}

// The item of `menu` whose text (without "&") is `name`, or -1.
int itemNamed(HMENU menu, const std::u16string& name) {
    Menu* m = findMenu(menu);
    for (size_t i = 0; m && i < m->items.size(); ++i) {
        if (!m->items[i].separator() && stripMnemonic(m->items[i].text) == name) return (int)i;
    }
    return -1;
}

std::vector<std::u16string> splitPath(const std::u16string& path) {
    std::vector<std::u16string> parts;
    std::u16string cur;
    for (char16_t c : path) {
        if (c == u'/') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

std::string narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? (char)c : '?';
    return out;
}

}  // namespace

void popupWalkReset() { walk() = Walk{}; }

// Called by the popup tracker each time a level has opened.
void popupLevelOpened(int level) {
    Walk& w = walk();
    if (w.names.empty() || level != w.nextLevel) return;
    std::u16string name = w.names.front();
    w.names.pop_front();
    w.nextLevel = level + 1;
    int i = itemNamed(popupLevelMenu(level), name);
    RECT r;
    if (i < 0 || !popupItemRect(level, i, r)) {
        w = Walk{};
        cancelPopup();
        return;
    }
    tapCentre(r);
}

}  // namespace shell

namespace device {

HWND foregroundMenuBar() {
    for (HWND h = GetForegroundWindow(); h; h = GetWindow(h, GW_OWNER)) {
        if (HWND bar = SHFindMenuBar(h)) return bar;
    }
    return nullptr;
}

std::vector<MenuItemState> queryMenu(HMENU menu) {
    std::vector<MenuItemState> out;
    shell::Menu* m = shell::findMenu(menu);
    for (size_t i = 0; m && i < m->items.size(); ++i) {
        const shell::MenuItem& it = m->items[i];
        MenuItemState s;
        s.id = it.id;
        s.separator = it.separator();
        s.text = shell::stripMnemonic(it.text);
        s.enabled = it.enabled() && !s.separator;
        s.checked = it.checked();
        if (it.submenu) s.items = queryMenu(it.submenu);
        out.push_back(std::move(s));
    }
    return out;
}

bool queryMenuBar(HWND bar, MenuBarState& out) {
    out = MenuBarState{};
    WCHAR cls[16] = {};
    if (!IsWindow(bar) || !GetClassNameW(bar, cls, 16) || std::u16string(cls) != u"menu_worker") return false;
    std::vector<shell::MenuBarButtonInfo> buttons = shell::menuBarButtons(bar);
    out.bar = bar;
    for (const shell::MenuBarButtonInfo& b : buttons) {
        if (b.kind == MenuBarButton::kSeparator) continue;
        MenuBarButtonState s;
        s.isMenu = b.kind == MenuBarButton::kMenu;
        s.text = b.text;
        s.tooltip = b.tooltip;
        s.id = b.id;
        s.enabled = b.enabled;
        s.rect = b.rect;
        out.buttons.push_back(s);
        if (s.isMenu) out.menus.emplace_back(b.text, queryMenu(b.popup));
    }
    return true;
}

namespace {

// Checks that parts[from..] name enabled items of `menu` and its submenus,
// the last one a command, so that a wrong name taps nothing.
bool checkPath(HMENU menu, const std::vector<std::u16string>& parts, size_t from, std::string& why) {
    for (size_t i = from; i < parts.size(); ++i) {
        int idx = shell::itemNamed(menu, parts[i]);
        if (idx < 0) return why = "no menu item \"" + shell::narrow(parts[i]) + "\"", false;
        const shell::MenuItem& it = shell::findMenu(menu)->items[(size_t)idx];
        if (!it.enabled()) return why = "menu item \"" + shell::narrow(parts[i]) + "\" is disabled", false;
        bool last = i + 1 == parts.size();
        if (last && it.submenu) return why = "\"" + shell::narrow(parts[i]) + "\" opens a submenu", false;
        if (!last && !it.submenu) return why = "\"" + shell::narrow(parts[i]) + "\" has no submenu", false;
        menu = it.submenu;
    }
    return true;
}

// Taps the first name in the deepest level of the open popup menu; the
// other names are tapped as their levels open.
bool chooseFromOpenPopup(const std::vector<std::u16string>& parts, std::string& why) {
    int level = shell::popupLevelCount() - 1;
    HMENU menu = shell::popupLevelMenu(level);
    if (!checkPath(menu, parts, 0, why)) return false;
    RECT r;
    if (!shell::popupItemRect(level, shell::itemNamed(menu, parts[0]), r))
        return why = "menu item \"" + shell::narrow(parts[0]) + "\" is off the screen", false;
    shell::Walk& w = shell::walk();
    w = shell::Walk{};
    w.names.assign(parts.begin() + 1, parts.end());
    w.nextLevel = level + 1;
    shell::tapCentre(r);
    return true;
}

}  // namespace

bool chooseMenuPath(const std::u16string& path, std::string* error) {
    std::string why;
    auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    std::vector<std::u16string> parts = shell::splitPath(path);
    if (shell::popupOpen()) return chooseFromOpenPopup(parts, why) || fail(why);
    HWND bar = foregroundMenuBar();
    if (!bar) return fail("no menu bar");
    std::vector<shell::MenuBarButtonInfo> buttons = shell::menuBarButtons(bar);
    const shell::MenuBarButtonInfo* button = nullptr;
    for (const shell::MenuBarButtonInfo& b : buttons) {
        if (b.kind == MenuBarButton::kMenu && b.text == parts[0]) button = &b;
        if (!button && b.kind == MenuBarButton::kPicture && b.tooltip == parts[0]) button = &b;
    }
    if (!button) return fail("no menu-bar button \"" + shell::narrow(parts[0]) + "\"");
    if (!button->enabled) return fail("\"" + shell::narrow(parts[0]) + "\" is disabled");
    if (button->kind == MenuBarButton::kPicture) {
        if (parts.size() > 1) return fail("\"" + shell::narrow(parts[0]) + "\" has no menu");
        shell::tapCentre(button->rect);
        return true;
    }
    if (parts.size() < 2) return fail("no item named after \"" + shell::narrow(parts[0]) + "\"");
    if (!checkPath(button->popup, parts, 1, why)) return fail(why);
    shell::Walk& w = shell::walk();
    w = shell::Walk{};
    w.names.assign(parts.begin() + 1, parts.end());
    shell::tapCentre(button->rect);
    return true;
}

bool popupMenuOpen() { return shell::popupOpen(); }

std::vector<MenuItemState> openPopupItems(int level) { return queryMenu(shell::popupLevelMenu(level)); }

bool tapOpenPopupItem(const std::u16string& text) {
    int level = shell::popupLevelCount() - 1;
    if (level < 0) return false;
    HMENU menu = shell::popupLevelMenu(level);
    int i = shell::itemNamed(menu, text);
    shell::Menu* m = shell::findMenu(menu);
    RECT r;
    if (i < 0 || !m || !m->items[(size_t)i].enabled() || !shell::popupItemRect(level, i, r)) return false;
    shell::tapCentre(r);
    return true;
}

void dismissOpenPopup() { shell::cancelPopup(); }

}  // namespace device
