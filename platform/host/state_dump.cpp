// The state dump.
#include "platform/host/state_dump.h"

#include <fstream>

#include "platform/controls/treeview/treeview_query.h"
#include "platform/host/control_messages.h"
#include "platform/host/json_writer.h"
#include "platform/host/window_query.h"
#include "platform/pim/task_store.h"
#include "platform/shell/menu_query.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"

namespace device {
namespace {

using I = int64_t;

void rectValue(JsonWriter& j, const RECT& r) { j.intArray({r.left, r.top, r.right, r.bottom}); }

void treeItems(JsonWriter& j, const std::vector<treeview::ItemRecord>& items) {
    j.beginArray();
    for (const treeview::ItemRecord& it : items) {
        j.beginObject();
        j.key("text").value(it.text);
        j.key("param").value((I)it.param);
        j.key("state_image").value((I)it.stateImage);
        j.key("expanded").value(it.expanded);
        j.key("selected").value(it.selected);
        j.key("children");
        treeItems(j, it.children);
        j.endObject();
    }
    j.endArray();
}

// The entries of a list box or combo box.
void listStrings(JsonWriter& j, HWND h, bool combo) {
    UINT countMsg = combo ? CB_GETCOUNT : LB_GETCOUNT;
    UINT lenMsg = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT textMsg = combo ? CB_GETLBTEXT : LB_GETTEXT;
    LRESULT n = SendMessageW(h, countMsg, 0, 0);
    j.key("strings").beginArray();
    for (LRESULT i = 0; i < n; ++i) {
        LRESULT len = SendMessageW(h, lenMsg, (WPARAM)i, 0);
        std::u16string s(len > 0 ? (size_t)len + 1 : 1, u'\0');
        LRESULT got = len > 0 ? SendMessageW(h, textMsg, (WPARAM)i, (LPARAM)s.data()) : 0;
        s.resize(got > 0 ? (size_t)got : 0);
        j.value(s);
    }
    j.endArray();
    j.key("cursel").value((I)SendMessageW(h, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    j.key("dropped").value(combo && SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0) != 0);
}

void classFields(JsonWriter& j, HWND h, const std::u16string& cls) {
    if (treeview::isTreeView(h)) {
        j.key("tree");
        treeItems(j, treeview::items(h));
    } else if (cls == u"listbox") {
        listStrings(j, h, false);
    } else if (cls == u"combobox") {
        listStrings(j, h, true);
    } else if (cls == u"edit") {
        DWORD start = 0, end = 0;
        SendMessageW(h, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        j.key("sel").intArray({(I)start, (I)end});
    } else if (cls == u"button") {
        j.key("checked").value((I)SendMessageW(h, BM_GETCHECK, 0, 0));
    }
}

void windowObject(JsonWriter& j, HWND h, HWND focus) {
    std::u16string cls = windowClassLower(h);
    j.beginObject();
    j.key("class").value(cls);
    j.key("text").value(windowText(h));
    j.key("id").value((I)((GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetDlgCtrlID(h) : 0));
    j.key("rect");
    rectValue(j, screenRect(h));
    j.key("visible").value(IsWindowVisible(h) != FALSE);
    j.key("enabled").value(IsWindowEnabled(h) != FALSE);
    j.key("focused").value(h == focus);
    classFields(j, h, cls);
    j.key("children").beginArray();
    for (HWND c : childWindows(h)) windowObject(j, c, focus);
    j.endArray();
    j.endObject();
}

void menuItems(JsonWriter& j, const std::vector<MenuItemState>& items) {
    j.beginArray();
    for (const MenuItemState& it : items) {
        if (it.separator) continue;
        j.beginObject();
        j.key("id").value((I)it.id);
        j.key("text").value(it.text);
        j.key("enabled").value(it.enabled);
        j.key("checked").value(it.checked);
        j.key("items");
        menuItems(j, it.items);
        j.endObject();
    }
    j.endArray();
}

void menuBar(JsonWriter& j) {
    MenuBarState bar;
    HWND h = foregroundMenuBar();
    if (!h || !queryMenuBar(h, bar)) {
        j.key("menubar").null();
        return;
    }
    j.key("menubar").beginObject();
    j.key("buttons").beginArray();
    for (const MenuBarButtonState& b : bar.buttons) {
        j.beginObject();
        if (b.isMenu) {
            j.key("text").value(b.text);
        } else {
            j.key("tooltip").value(b.tooltip);
        }
        j.key("id").value((I)b.id);
        j.key("enabled").value(b.enabled);
        j.endObject();
    }
    j.endArray();
    j.key("menus").beginObject();
    for (const auto& [name, items] : bar.menus) {
        j.key(name);
        menuItems(j, items);
    }
    j.endObject();
    j.endObject();
}

// The task store's tasks, in the order they were made.
void tasks(JsonWriter& j) {
    j.key("tasks").beginArray();
    for (const pim::TaskRecord& t : storedTasks()) {
        j.beginObject();
        j.key("oid").value((I)t.oid);
        j.key("subject").value(t.subject);
        j.key("body").value(t.body);
        j.endObject();
    }
    j.endArray();
}

}  // namespace

std::string stateDumpJson() {
    JsonWriter j;
    const ScreenConfig& sc = screenConfig();
    j.beginObject();
    j.key("screen").beginObject();
    j.key("width").value((I)sc.width);
    j.key("height").value((I)sc.height);
    j.key("dpi").value((I)sc.dpi);
    j.endObject();
    j.key("sip").beginObject();
    j.key("up").value(screenSipHeight() > 0);
    j.endObject();
    j.key("cursor").value(waitCursorShowing() ? "wait" : "arrow");
    HWND focus = GetFocus();
    j.key("windows").beginArray();
    for (HWND h : topLevelWindows()) windowObject(j, h, focus);
    j.endArray();
    menuBar(j);
    tasks(j);
    j.endObject();
    return j.text();
}

bool writeStateDump(const std::string& hostPath) {
    std::string json = stateDumpJson();
    std::ofstream f(hostPath, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f << json;
    f.close();
    return !f.fail();
}

}  // namespace device
