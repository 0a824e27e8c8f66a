// Menu objects and the menu functions of winmenu.h (everything but loading
// and tracking): creation and destruction, items by position or by command
// id, enabling, checking and the queries.
#include <algorithm>
#include <map>
#include <memory>

#include "platform/shell/menu_store.h"

namespace shell {
namespace {

struct MenuTable {
    std::map<uintptr_t, std::unique_ptr<Menu>> live;
    uintptr_t next = 0x4000;  // multiples of 4, never reused
};

MenuTable& table() {
    static MenuTable t;
    return t;
}

// Depth first, as the device searches for a command id; a submenu item whose
// own id matches is found too (its id is the submenu handle on the device,
// which never matches a command id in practice).
bool findById(Menu* m, UINT id, ItemRef& out, int depth) {
    if (!m || depth > 32) return false;  // a menu inserted into itself must not hang
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        if (it.submenu) {
            if (findById(findMenu(it.submenu), id, out, depth + 1)) return true;
        } else if (!it.separator() && it.id == id) {
            out = ItemRef{m, i};
            return true;
        }
    }
    return false;
}

void destroyTree(HMENU h, int depth) {
    auto& live = table().live;
    auto it = live.find((uintptr_t)h);
    if (it == live.end() || depth > 32) return;
    std::unique_ptr<Menu> m = std::move(it->second);
    live.erase(it);
    for (MenuItem& item : m->items) {
        if (item.submenu) destroyTree(item.submenu, depth + 1);
    }
}

// Builds an item from AppendMenuW/InsertMenuW arguments (false: refused).
bool makeItem(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text, MenuItem& out) {
    out.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_MENUBREAK |
                         MF_MENUBARBREAK | MF_DEFAULT);
    if (flags & MF_SEPARATOR) {
        out.flags = MF_SEPARATOR;
        return true;
    }
    if (flags & MF_POPUP) {
        HMENU sub = (HMENU)idOrSubmenu;
        if (!findMenu(sub)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return false;
        }
        out.submenu = sub;
    } else {
        out.id = (UINT)idOrSubmenu;
    }
    if (text) out.text = text;
    return true;
}

}  // namespace

Menu* findMenu(HMENU menu) {
    auto& live = table().live;
    auto it = live.find((uintptr_t)menu);
    return it == live.end() ? nullptr : it->second.get();
}

Menu* newMenu(bool popup) {
    MenuTable& t = table();
    auto m = std::make_unique<Menu>();
    m->handle = (HMENU)t.next;
    m->popup = popup;
    t.next += 4;
    Menu* raw = m.get();
    t.live[(uintptr_t)raw->handle] = std::move(m);
    return raw;
}

ItemRef locateItem(HMENU menu, UINT item, UINT flags) {
    Menu* m = findMenu(menu);
    if (!m) return {};
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) return {};
        return ItemRef{m, item};
    }
    ItemRef out;
    findById(m, item, out, 0);
    return out;
}

std::u16string stripMnemonic(const std::u16string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') out += u'&';
            ++i;
            if (i < text.size() && text[i] != u'&') out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

char16_t mnemonicOf(const std::u16string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        char16_t c = text[i + 1];
        return (c >= u'A' && c <= u'Z') ? (char16_t)(c + 32) : c;
    }
    return 0;
}

size_t liveMenuCount() { return table().live.size(); }

}  // namespace shell

using shell::findMenu;
using shell::ItemRef;
using shell::Menu;
using shell::MenuItem;

HMENU WINAPI CreateMenu() { return shell::newMenu(false)->handle; }
HMENU WINAPI CreatePopupMenu() { return shell::newMenu(true)->handle; }

BOOL WINAPI DestroyMenu(HMENU menu) {
    if (!findMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    shell::destroyTree(menu, 0);
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU menu) { return findMenu(menu) != nullptr; }

BOOL WINAPI InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
    Menu* m = findMenu(menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    MenuItem item;
    if (!shell::makeItem(flags, idOrSubmenu, text, item)) return FALSE;
    if (item.submenu == menu) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (flags & MF_BYPOSITION) {
        // Past the end (and (UINT)-1) appends, as on the device.
        size_t at = position >= m->items.size() ? m->items.size() : position;
        m->items.insert(m->items.begin() + (long)at, item);
        return TRUE;
    }
    // By command: before the item with that id, wherever it lives.
    ItemRef ref = shell::locateItem(menu, position, MF_BYCOMMAND);
    if (!ref.menu) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ref.menu->items.insert(ref.menu->items.begin() + (long)ref.index, item);
    return TRUE;
}

BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
    return InsertMenuW(menu, (UINT)-1, flags | MF_BYPOSITION, idOrSubmenu, text);
}

BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags) {
    ItemRef ref = shell::locateItem(menu, position, flags);
    if (!ref.menu) {
        SetLastError(findMenu(menu) ? ERROR_INVALID_PARAMETER : ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    ref.menu->items.erase(ref.menu->items.begin() + (long)ref.index);
    return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags) {
    ItemRef ref = shell::locateItem(menu, position, flags);
    if (!ref.menu) {
        SetLastError(findMenu(menu) ? ERROR_INVALID_PARAMETER : ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    HMENU sub = ref.item()->submenu;
    ref.menu->items.erase(ref.menu->items.begin() + (long)ref.index);
    if (sub) shell::destroyTree(sub, 0);
    return TRUE;
}

DWORD WINAPI EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    ItemRef ref = shell::locateItem(menu, item, flags);
    if (!ref.menu) return (DWORD)-1;
    MenuItem* it = ref.item();
    DWORD previous = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(UINT)(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD WINAPI CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    ItemRef ref = shell::locateItem(menu, item, flags);
    if (!ref.menu) return (DWORD)-1;
    MenuItem* it = ref.item();
    DWORD previous = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~(UINT)MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

HMENU WINAPI GetSubMenu(HMENU menu, int position) {
    Menu* m = findMenu(menu);
    if (!m || position < 0 || (size_t)position >= m->items.size()) return nullptr;
    return m->items[(size_t)position].submenu;
}

int WINAPI GetMenuItemCount(HMENU menu) {
    Menu* m = findMenu(menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return (int)m->items.size();
}

UINT WINAPI GetMenuItemID(HMENU menu, int position) {
    Menu* m = findMenu(menu);
    if (!m || position < 0 || (size_t)position >= m->items.size()) return (UINT)-1;
    const MenuItem& it = m->items[(size_t)position];
    return it.submenu ? (UINT)-1 : it.id;
}

UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags) {
    ItemRef ref = shell::locateItem(menu, item, flags);
    if (!ref.menu) return (UINT)-1;
    const MenuItem* it = ref.item();
    UINT state = it->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_MENUBREAK |
                              MF_MENUBARBREAK | MF_DEFAULT);
    if (it->submenu) {
        Menu* sub = findMenu(it->submenu);
        UINT count = sub ? (UINT)sub->items.size() : 0;
        state = (state & 0xFF) | (count << 8);
    }
    return state;
}

int WINAPI GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int cchMax, UINT flags) {
    ItemRef ref = shell::locateItem(menu, item, flags);
    if (!ref.menu) return 0;
    const std::u16string& text = ref.item()->text;
    if (!buffer || cchMax <= 0) return (int)text.size();
    int n = std::min((int)text.size(), cchMax - 1);
    std::copy(text.begin(), text.begin() + n, buffer);
    buffer[n] = 0;
    return n;
}
