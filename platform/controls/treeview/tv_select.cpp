// Selection, drop highlight and expansion, with the notifications that go
// with them. The parent may change the tree while it is told, so an item is
// looked up again by its handle after every notification.
#include "platform/controls/treeview/treeview_internal.h"

namespace tv {
namespace {

Item* still(Tree& t, HTREEITEM h) { return h ? itemOf(t, h) : nullptr; }

bool isDescendant(const Item* it, const Item* ancestor) {
    for (const Item* p = it ? it->parent : nullptr; p; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

bool expand(Tree& t, Item* it, bool user) {
    if (!hasChildrenFlag(it)) return false;
    if (it->state & TVIS_EXPANDED) return true;
    HTREEITEM h = it->handle;
    // The parent hears of a person's expansion always, of the program's only
    // the first time (it may fill the children then).
    bool tell = user || !(it->state & TVIS_EXPANDEDONCE);
    if (tell) {
        if (notifyTree(t, TVN_ITEMEXPANDINGW, TVE_EXPAND, nullptr, it)) return false;
        if (!(it = still(t, h))) return false;
    }
    if (!it->firstChild) {
        // Nothing came: the button goes, as on the device.
        it->children = 0;
        it->state |= TVIS_EXPANDEDONCE;
        invalidateLayout(t);
        return false;
    }
    it->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    invalidateLayout(t);
    if (tell) notifyTree(t, TVN_ITEMEXPANDEDW, TVE_EXPAND, nullptr, it);
    return true;
}

bool collapse(Tree& t, Item* it, bool reset, bool user) {
    if (!(it->state & TVIS_EXPANDED)) {
        if (reset) {
            while (it->firstChild) deleteItem(t, it->firstChild);
            it->state &= ~TVIS_EXPANDEDONCE;
        }
        return false;
    }
    HTREEITEM h = it->handle;
    if (user) {
        if (notifyTree(t, TVN_ITEMEXPANDINGW, TVE_COLLAPSE, nullptr, it)) return false;
        if (!(it = still(t, h))) return false;
    }
    if (t.editItem && isDescendant(t.editItem, it)) endEdit(t, false);
    if (!(it = still(t, h))) return false;
    it->state &= ~TVIS_EXPANDED;
    if (reset) {
        while (it->firstChild) deleteItem(t, it->firstChild);
        it->state &= ~TVIS_EXPANDEDONCE;
    }
    invalidateLayout(t);
    // A selection inside the closed branch moves up to the branch itself.
    if (t.selected && isDescendant(t.selected, it)) selectCaret(t, it, TVC_UNKNOWN);
    if (!(it = still(t, h))) return true;
    if (user) notifyTree(t, TVN_ITEMEXPANDEDW, TVE_COLLAPSE, nullptr, it);
    return true;
}

}  // namespace

bool selectCaret(Tree& t, Item* it, UINT action) {
    if (it == t.selected) {
        if (it) ensureVisible(t, it);
        return true;
    }
    HTREEITEM hNew = it ? it->handle : nullptr;
    HTREEITEM hOld = t.selected ? t.selected->handle : nullptr;
    if (notifyTree(t, TVN_SELCHANGINGW, action, t.selected, it)) return false;
    if (hNew && !(it = still(t, hNew))) return false;
    if (t.selected) {
        t.selected->state &= ~TVIS_SELECTED;
        invalidateItem(t, t.selected);
    }
    t.selected = it;
    if (it) {
        it->state |= TVIS_SELECTED;
        ensureVisible(t, it);
        if (!(it = still(t, hNew))) return false;
        invalidateItem(t, it);
    }
    notifyTree(t, TVN_SELCHANGEDW, action, still(t, hOld), it);
    return true;
}

void setDropHilite(Tree& t, Item* it) {
    if (t.dropHilite == it) return;
    if (t.dropHilite) {
        t.dropHilite->state &= ~TVIS_DROPHILITED;
        invalidateItem(t, t.dropHilite);
    }
    t.dropHilite = it;
    if (it) {
        it->state |= TVIS_DROPHILITED;
        invalidateItem(t, it);
    }
}

bool expandItem(Tree& t, Item* it, UINT code, bool user) {
    if (!it || it == &t.root) return false;
    UINT action = code & TVE_TOGGLE;
    if (action == TVE_TOGGLE) action = (it->state & TVIS_EXPANDED) ? TVE_COLLAPSE : TVE_EXPAND;
    if (action == TVE_EXPAND) return expand(t, it, user);
    if (action == TVE_COLLAPSE) return collapse(t, it, (code & TVE_COLLAPSERESET) != 0, user);
    return false;
}

bool ensureVisible(Tree& t, Item* it) {
    if (!it || it == &t.root) return false;
    HTREEITEM h = it->handle;
    // Open the closed ancestors from the top down; the parent hears of each.
    std::vector<HTREEITEM> closed;
    for (Item* p = it->parent; p && p != &t.root; p = p->parent)
        if (!(p->state & TVIS_EXPANDED)) closed.push_back(p->handle);
    bool expanded = false;
    for (auto i = closed.rbegin(); i != closed.rend(); ++i) {
        if (Item* p = still(t, *i)) expanded |= expand(t, p, true);
    }
    if (!(it = still(t, h))) return false;
    bool scrolled = scrollIntoView(t, it);
    return scrolled && !expanded;
}

}  // namespace tv
