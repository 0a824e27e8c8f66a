// Notifications to the parent: the WM_NOTIFY header, the NMTREEVIEWW record
// and the simple NM_* codes.
#include "platform/controls/treeview/treeview_internal.h"

namespace tv {

LRESULT notify(Tree& t, NMHDR& hdr, UINT code) {
    hdr.hwndFrom = t.hwnd;
    hdr.idFrom = (UINT_PTR)GetDlgCtrlID(t.hwnd);
    hdr.code = code;
    HWND parent = GetParent(t.hwnd);
    if (!parent) return 0;
    return SendMessageW(parent, WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
}

LRESULT notifySimple(Tree& t, UINT code) {
    NMHDR hdr{};
    return notify(t, hdr, code);
}

void fillItem(Tree& t, Item* it, TVITEMW& out, UINT mask) {
    out = TVITEMW{};
    if (!it) return;
    out.mask = mask;
    out.hItem = it->handle;
    out.state = it->state;
    out.stateMask = 0xFFFF;
    out.lParam = it->param;
    out.iImage = it->image;
    out.iSelectedImage = it->selectedImage;
    out.cChildren = hasChildrenFlag(it) ? 1 : 0;
    if (mask & TVIF_TEXT) {
        // Points at the item's own text for the time of the notification.
        out.pszText = it->textCallback ? LPSTR_TEXTCALLBACKW : const_cast<LPWSTR>(it->text.c_str());
        out.cchTextMax = (int)it->text.size() + 1;
    }
}

LRESULT notifyTree(Tree& t, UINT code, UINT action, Item* oldItem, Item* newItem, POINT pt) {
    NMTREEVIEWW nm{};
    nm.action = action;
    UINT mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    if (code == TVN_SELCHANGINGW || code == TVN_SELCHANGEDW) mask |= TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    if (code == TVN_DELETEITEMW) mask = TVIF_HANDLE | TVIF_PARAM;
    fillItem(t, oldItem, nm.itemOld, mask);
    fillItem(t, newItem, nm.itemNew, mask);
    nm.ptDrag = pt;
    return notify(t, nm.hdr, code);
}

}  // namespace tv
