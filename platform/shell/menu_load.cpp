// LoadMenuW: menus built from the program's MenuTemplate resources.
#include "platform/shell/menu_load.h"

#include "platform/shell/menu_store.h"
#include "platform/system/resource_table.h"

namespace shell {
namespace {

bool fill(HMENU menu, const std::vector<device::MenuItemTemplate>& items, int depth) {
    if (depth > 16) return false;  // a template this deep is a mistake, not a menu
    for (const device::MenuItemTemplate& t : items) {
        if (t.flags & MF_SEPARATOR) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (t.flags & MF_POPUP) {
            HMENU sub = CreatePopupMenu();
            if (!fill(sub, t.items, depth + 1)) {
                DestroyMenu(sub);
                return false;
            }
            AppendMenuW(menu, (t.flags & ~(UINT)MF_SEPARATOR) | MF_POPUP, (UINT_PTR)sub, t.text ? t.text : u"");
            continue;
        }
        AppendMenuW(menu, t.flags, t.id, t.text ? t.text : u"");
    }
    return true;
}

}  // namespace

const device::MenuTemplate* findMenuTemplate(int id) {
    const device::Resource* r = device::resourceFind(device::kResMenu, id);
    if (!r || !r->data) return nullptr;
    if (r->size != 0 && r->size != sizeof(device::MenuTemplate)) return nullptr;
    return static_cast<const device::MenuTemplate*>(r->data);
}

HMENU menuFromTemplate(const device::MenuTemplate& tmpl) {
    HMENU menu = CreateMenu();
    if (!fill(menu, tmpl.items, 0)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

}  // namespace shell

HMENU WINAPI LoadMenuW(HINSTANCE, LPCWSTR name) {
    // Menus are registered by number; a named menu is not a resource here.
    if (!name || !IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const device::MenuTemplate* tmpl = shell::findMenuTemplate((int)(uintptr_t)name);
    if (!tmpl) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HMENU menu = shell::menuFromTemplate(*tmpl);
    if (!menu) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return menu;
}
