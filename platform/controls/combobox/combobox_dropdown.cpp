// The combo box's drop-down: placed below the box (above it when the work
// area has no room below), holding the pen while open; a choice by pen is
// reported as CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP, a tap outside as
// CBN_SELENDCANCEL, CBN_CLOSEUP with the selection of before the drop.
#include <algorithm>

#include "platform/controls/combobox/combobox_internal.h"
#include "platform/controls/listbox/listbox_internal.h"

namespace combobox {
namespace {

constexpr int kDefaultRows = 8;

RECT workArea() {
    RECT wa{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0) || wa.bottom <= wa.top)
        wa = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return wa;
}

int listItemHeight(const Combo& c) { return std::max(1, (int)SendMessageW(c.list, LB_GETITEMHEIGHT, 0, 0)); }

}  // namespace

RECT droppedRect(const Combo& c) {
    RECT box;
    GetWindowRect(c.hwnd, &box);
    int itemHeight = listItemHeight(c);
    int count = (int)SendMessageW(c.list, LB_GETCOUNT, 0, 0);
    int rows = c.dropExtent >= 3 * itemHeight ? c.dropExtent / itemHeight : kDefaultRows;
    rows = std::max(1, std::min(rows, count));
    int height = rows * itemHeight + 2;
    int width = std::max((int)(box.right - box.left), c.droppedWidth);
    RECT wa = workArea();
    int below = (int)(wa.bottom - box.bottom), above = (int)(box.top - wa.top);
    if (height > below && above > below) {
        height = std::min(height, std::max(itemHeight + 2, (above - 2) / itemHeight * itemHeight + 2));
        return RECT{box.left, box.top - height, box.left + width, box.top};
    }
    if (height > below) height = std::max(itemHeight + 2, (below - 2) / itemHeight * itemHeight + 2);
    return RECT{box.left, box.bottom, box.left + width, box.bottom + height};
}

void dropDown(Combo& c) {
    if (c.dropped || !c.list) return;
    HWND self = c.hwnd;
    notifyParent(c, CBN_DROPDOWN);
    if (!IsWindow(self) || comboOf(self) != &c || c.dropped) return;
    c.selAtDrop = curSel(c);
    // The open list takes the keys (Escape closes it), even when it was
    // dropped by a message while another window had the focus.
    HWND focus = GetFocus();
    c.focusAtDrop = focus != self ? focus : nullptr;
    if (focus != self) SetFocus(self);
    if (!IsWindow(self) || comboOf(self) != &c || c.dropped) return;
    RECT r = droppedRect(c);
    c.dropped = true;
    SetWindowPos(c.list, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (c.selAtDrop >= 0) SendMessageW(c.list, LB_SETTOPINDEX, (WPARAM)c.selAtDrop, 0);
    SetCapture(c.list);
    InvalidateRect(self, nullptr, FALSE);
}

void closeUp(Combo& c, bool ok) {
    if (!c.dropped) return;
    HWND self = c.hwnd;
    c.dropped = false;
    if (!ok) SendMessageW(c.list, LB_SETCURSEL, (WPARAM)c.selAtDrop, 0);
    notifyParent(c, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!IsWindow(self) || comboOf(self) != &c) return;
    if (GetCapture() == c.list) ReleaseCapture();
    SetWindowPos(c.list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    InvalidateRect(self, nullptr, FALSE);
    HWND back = c.focusAtDrop;
    c.focusAtDrop = nullptr;
    notifyParent(c, CBN_CLOSEUP);
    if (back && IsWindow(back) && IsWindowVisible(back) && GetFocus() == self) SetFocus(back);
}

void onListNotify(Combo& c, int code) {
    if (!c.dropped) return;
    if (code == LBN_SELCANCEL) {
        closeUp(c, false);
        return;
    }
    if (code != LBN_SELCHANGE) return;
    HWND self = c.hwnd;
    InvalidateRect(self, nullptr, FALSE);
    // The parent may hide or disable the box while it hears of the choice;
    // the list then closes as accepted, not cancelled.
    c.choosing = true;
    notifyParent(c, CBN_SELCHANGE);
    if (!IsWindow(self) || comboOf(self) != &c) return;
    closeUp(c, true);
    if (IsWindow(self) && comboOf(self) == &c) c.choosing = false;
}

bool onKey(Combo& c, WPARAM vk) {
    HWND self = c.hwnd;
    if (vk == VK_F4) {
        if (c.dropped) closeUp(c, true);
        else dropDown(c);
        return true;
    }
    if (c.dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
        closeUp(c, vk == VK_RETURN);
        return true;
    }
    int count = (int)SendMessageW(c.list, LB_GETCOUNT, 0, 0);
    if (count == 0) return false;
    int at = curSel(c), target = at;
    int page = c.dropped ? std::max(1, (int)(droppedRect(c).bottom - droppedRect(c).top) / listItemHeight(c) - 1) : 1;
    switch (vk) {
        case VK_UP: target = at < 0 ? 0 : at - 1; break;
        case VK_DOWN: target = at + 1; break;
        case VK_PRIOR: target = at - page; break;
        case VK_NEXT: target = at < 0 ? 0 : at + page; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = count - 1; break;
        default: return false;
    }
    target = std::clamp(target, 0, count - 1);
    if (target == at) return true;
    SendMessageW(c.list, LB_SETCURSEL, (WPARAM)target, 0);
    InvalidateRect(self, nullptr, FALSE);
    notifyParent(c, CBN_SELCHANGE);
    return true;
}

}  // namespace combobox
