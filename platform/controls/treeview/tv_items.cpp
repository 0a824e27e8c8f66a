// Items: the handle table, insertion, deletion, reading and writing fields,
// walking the links, and the check of the links used in asserts and tests.
#include <algorithm>
#include <cassert>

#include "platform/controls/treeview/treeview_internal.h"

namespace tv {
namespace {

// One counter for every tree of the process: a handle names one item only,
// and a deleted item's handle is never handed out again.
uintptr_t g_nextHandle = 1;

bool isSpecialHandle(HTREEITEM h) {
    return h == TVI_ROOT || h == TVI_FIRST || h == TVI_LAST || h == TVI_SORT;
}

void linkAfter(Item* parent, Item* item, Item* after) {
    item->parent = parent;
    item->prev = after;
    item->next = after ? after->next : parent->firstChild;
    if (item->next) item->next->prev = item; else parent->lastChild = item;
    if (after) after->next = item; else parent->firstChild = item;
}

void unlink(Item* item) {
    Item* parent = item->parent;
    if (item->prev) item->prev->next = item->next; else parent->firstChild = item->next;
    if (item->next) item->next->prev = item->prev; else parent->lastChild = item->prev;
    item->prev = item->next = nullptr;
}

bool isInSubtree(const Item* item, const Item* top) {
    for (const Item* p = item; p; p = p->parent)
        if (p == top) return true;
    return false;
}

// Items of a subtree, each before its children (the order of the
// TVN_DELETEITEMW notifications); the hidden root itself is left out.
std::vector<Item*> subtreePreorder(Item* top) {
    std::vector<Item*> out;
    std::vector<Item*> stack;
    if (top->level >= 0) stack.push_back(top);
    else
        for (Item* c = top->lastChild; c; c = c->prev) stack.push_back(c);
    while (!stack.empty()) {
        Item* it = stack.back();
        stack.pop_back();
        out.push_back(it);
        for (Item* c = it->lastChild; c; c = c->prev) stack.push_back(c);
    }
    return out;
}

// Insertion point for TVI_SORT: after the last sibling whose text does not
// sort after the new one (so equal texts keep their insertion order).
Item* sortedPlace(Tree& t, Item* parent, const std::u16string& text) {
    Item* after = nullptr;
    for (Item* c = parent->firstChild; c; c = c->next) {
        std::u16string ct = itemText(t, c);
        if (_wcsicmp(ct.c_str(), text.c_str()) > 0) break;
        after = c;
    }
    return after;
}

void applyFields(Tree& t, Item* it, const TVITEMW& tvi) {
    if (tvi.mask & TVIF_TEXT) {
        it->textCallback = tvi.pszText == LPSTR_TEXTCALLBACKW;
        if (it->textCallback || !tvi.pszText) it->text.clear();
        else it->text = tvi.pszText;
        it->textWidth = -1;
    }
    if (tvi.mask & TVIF_IMAGE) it->image = tvi.iImage;
    if (tvi.mask & TVIF_SELECTEDIMAGE) it->selectedImage = tvi.iSelectedImage;
    if (tvi.mask & TVIF_CHILDREN) it->children = tvi.cChildren;
    if (tvi.mask & TVIF_PARAM) it->param = tvi.lParam;
}

}  // namespace

Item* itemOf(Tree& t, HTREEITEM h, bool allowRoot) {
    if (h == TVI_ROOT) return allowRoot ? &t.root : nullptr;
    if (!h || isSpecialHandle(h)) return nullptr;
    auto found = t.items.find((uintptr_t)h);
    return found == t.items.end() ? nullptr : found->second.get();
}

bool hasChildrenFlag(const Item* it) {
    if (it->children == kKidsFromChildren) return it->firstChild != nullptr;
    return it->children != 0;  // positive, or asked for by callback
}

std::u16string itemText(Tree& t, Item* it) {
    if (!it->textCallback) return it->text;
    // The parent keeps the text: ask for it each time it is needed.
    WCHAR buffer[260] = {0};
    NMTVDISPINFOW info{};
    info.item.mask = TVIF_TEXT;
    info.item.hItem = it->handle;
    info.item.state = it->state;
    info.item.lParam = it->param;
    info.item.pszText = buffer;
    info.item.cchTextMax = 260;
    notify(t, info.hdr, TVN_GETDISPINFOW);
    const WCHAR* text = info.item.pszText ? info.item.pszText : u"";
    size_t n = 0;
    while (n < 1024 && text[n]) ++n;
    return std::u16string(text, n);
}

Item* insertItem(Tree& t, const TVINSERTSTRUCTW& ins) {
    Item* parent = (!ins.hParent || ins.hParent == TVI_ROOT) ? &t.root : itemOf(t, ins.hParent);
    if (!parent) return nullptr;
    if (parent->level >= 64 * 1024) return nullptr;

    auto owned = std::make_unique<Item>();
    Item* it = owned.get();
    it->handle = (HTREEITEM)g_nextHandle++;
    it->level = parent->level + 1;
    applyFields(t, it, ins.item);
    if (ins.item.mask & TVIF_STATE) {
        // Selection, focus and drop highlight belong to the tree, not to the caller.
        UINT settable = ins.item.stateMask & ~(TVIS_SELECTED | TVIS_FOCUSED | TVIS_DROPHILITED);
        it->state = ins.item.state & settable;
    }
    if ((GetWindowLongW(t.hwnd, GWL_STYLE) & TVS_CHECKBOXES) && STATEIMAGEINDEX(it->state) == 0)
        it->state |= INDEXTOSTATEIMAGEMASK(1);

    Item* after = nullptr;
    HTREEITEM where = ins.hInsertAfter;
    if (where == TVI_FIRST) after = nullptr;
    else if (where == TVI_SORT) after = sortedPlace(t, parent, itemText(t, it));
    else if (where == TVI_LAST || !where) after = parent->lastChild;
    else {
        Item* sibling = itemOf(t, where);
        // An item that is not a child of the same parent means the end, as
        // the device's control does.
        after = (sibling && sibling->parent == parent) ? sibling : parent->lastChild;
    }
    linkAfter(parent, it, after);
    t.items.emplace((uintptr_t)it->handle, std::move(owned));

    invalidateLayout(t);
    assert(!it->next || it->next->prev == it);
    return it;
}

bool deleteItem(Tree& t, Item* item) {
    if (!item) return false;
    bool all = item == &t.root;
    std::vector<Item*> doomed = subtreePreorder(item);
    if (doomed.empty()) return true;

    // What must move off the deleted items first.
    if (t.editItem && isInSubtree(t.editItem, item)) abandonEdit(t);
    if (t.track.active && t.track.item && isInSubtree(t.track.item, item)) cancelTracking(t);
    Item* newSelection = nullptr;
    bool selectionGoes = t.selected && isInSubtree(t.selected, item);
    if (selectionGoes && !all) {
        if (item->next) newSelection = item->next;
        else if (item->parent->level >= 0) newSelection = item->parent;
        else newSelection = item->prev;
    }
    if (t.firstVisibleHint && isInSubtree(t.firstVisibleHint, item)) {
        Item* hint = nullptr;
        if (!all) {
            hint = item->prev;
            while (hint && (hint->state & TVIS_EXPANDED) && hint->lastChild) hint = hint->lastChild;
            if (!hint && item->parent->level >= 0) hint = item->parent;
            if (!hint) hint = item->next;
        }
        t.firstVisibleHint = hint;
    }

    std::vector<uintptr_t> handles;
    handles.reserve(doomed.size());
    for (Item* it : doomed) handles.push_back((uintptr_t)it->handle);
    for (uintptr_t h : handles) {
        Item* it = itemOf(t, (HTREEITEM)h);
        if (!it) continue;  // the parent deleted it while being told about another
        notifyTree(t, TVN_DELETEITEMW, TVC_UNKNOWN, it, nullptr);
    }

    if (t.selected && isInSubtree(t.selected, item)) t.selected = nullptr;
    if (t.dropHilite && isInSubtree(t.dropHilite, item)) t.dropHilite = nullptr;
    if (t.editItem && isInSubtree(t.editItem, item)) abandonEdit(t);
    if (all) {
        t.root.firstChild = t.root.lastChild = nullptr;
    } else if (itemOf(t, item->handle)) {
        Item* parent = item->parent;
        unlink(item);
        // A parent whose children are all gone loses its expanded state, as
        // on the device, so it does not look open when children come back.
        if (parent->level >= 0 && !parent->firstChild) parent->state &= ~TVIS_EXPANDED;
    }
    for (uintptr_t h : handles) t.items.erase(h);
    if (all) t.items.clear();

    invalidateLayout(t);
    assert(checkLinks(t));
    if (selectionGoes && newSelection && itemOf(t, newSelection->handle)) selectCaret(t, newSelection, TVC_UNKNOWN);
    return true;
}

bool getItem(Tree& t, TVITEMW& tvi, bool extended) {
    Item* it = itemOf(t, tvi.hItem);
    if (!it) return false;
    if (tvi.mask & TVIF_TEXT) {
        if (tvi.pszText && tvi.cchTextMax > 0) {
            std::u16string text = itemText(t, it);
            size_t n = std::min(text.size(), (size_t)tvi.cchTextMax - 1);
            std::copy(text.begin(), text.begin() + n, tvi.pszText);
            tvi.pszText[n] = 0;
        }
    }
    if (tvi.mask & TVIF_IMAGE) tvi.iImage = it->image;
    if (tvi.mask & TVIF_SELECTEDIMAGE) tvi.iSelectedImage = it->selectedImage;
    if (tvi.mask & TVIF_CHILDREN) {
        if (it->children == kKidsFromChildren) tvi.cChildren = it->firstChild ? 1 : 0;
        else tvi.cChildren = it->children;
    }
    if (tvi.mask & TVIF_PARAM) tvi.lParam = it->param;
    if (tvi.mask & TVIF_STATE) {
        // A caller that names no bits gets all of them.
        UINT mask = tvi.stateMask ? tvi.stateMask : 0xFFFFu;
        tvi.state = it->state & mask;
    }
    if (extended && (tvi.mask & TVIF_INTEGRAL)) reinterpret_cast<TVITEMEXW&>(tvi).iIntegral = 1;
    return true;
}

bool setItem(Tree& t, const TVITEMW& tvi) {
    Item* it = itemOf(t, tvi.hItem);
    if (!it) return false;
    bool shapeChanged = false;
    if (tvi.mask & (TVIF_TEXT | TVIF_CHILDREN)) shapeChanged = true;
    applyFields(t, it, tvi);
    if (tvi.mask & TVIF_STATE) {
        UINT mask = tvi.stateMask;
        UINT before = it->state;
        it->state = (it->state & ~mask) | (tvi.state & mask);
        if ((before ^ it->state) & (TVIS_EXPANDED | TVIS_BOLD)) shapeChanged = true;
        // Another state picture (a check mark set or cleared) fills the same
        // room: only gaining or losing the picture moves the label. Checking
        // one item of a long list must not lay every row out again.
        if ((STATEIMAGEINDEX(before) == 0) != (STATEIMAGEINDEX(it->state) == 0)) shapeChanged = true;
        if (((before ^ it->state) & TVIS_BOLD)) it->textWidth = -1;
    }
    if (shapeChanged) invalidateLayout(t);
    else invalidateItem(t, it);
    if (tvi.mask & TVIF_TEXT) invalidateItem(t, it);
    return true;
}

Item* nextItem(Tree& t, Item* item, UINT code) {
    switch (code) {
        case TVGN_ROOT: return t.root.firstChild;
        case TVGN_CARET: return t.selected;
        case TVGN_DROPHILITE: return t.dropHilite;
        case TVGN_FIRSTVISIBLE:
            ensureLayout(t);
            return t.rows.empty() ? nullptr : t.rows[(size_t)t.topRow];
        case TVGN_LASTVISIBLE:
            ensureLayout(t);
            return t.rows.empty() ? nullptr : t.rows.back();
        default: break;
    }
    if (!item) return nullptr;
    switch (code) {
        case TVGN_NEXT: return item == &t.root ? nullptr : item->next;
        case TVGN_PREVIOUS: return item == &t.root ? nullptr : item->prev;
        case TVGN_PARENT: return (item == &t.root || item->parent->level < 0) ? nullptr : item->parent;
        case TVGN_CHILD: return item->firstChild;
        case TVGN_NEXTVISIBLE:
        case TVGN_PREVIOUSVISIBLE: {
            if (item == &t.root || !isRowVisible(t, item)) return nullptr;
            size_t row = (size_t)item->row;
            if (code == TVGN_NEXTVISIBLE) return row + 1 < t.rows.size() ? t.rows[row + 1] : nullptr;
            return row > 0 ? t.rows[row - 1] : nullptr;
        }
        default: return nullptr;
    }
}

bool checkLinks(const Tree& t) {
    size_t seen = 0;
    std::vector<const Item*> stack{&t.root};
    while (!stack.empty()) {
        const Item* p = stack.back();
        stack.pop_back();
        const Item* prev = nullptr;
        for (const Item* c = p->firstChild; c; c = c->next) {
            if (c->parent != p || c->prev != prev || c->level != p->level + 1) return false;
            auto found = t.items.find((uintptr_t)c->handle);
            if (found == t.items.end() || found->second.get() != c) return false;
            if (++seen > t.items.size()) return false;  // a loop
            stack.push_back(c);
            prev = c;
        }
        if (p->lastChild != prev) return false;
    }
    if (seen != t.items.size()) return false;
    auto inTree = [&](const Item* it) { return !it || t.items.count((uintptr_t)it->handle); };
    return inTree(t.selected) && inTree(t.dropHilite) && inTree(t.editItem) && inTree(t.firstVisibleHint);
}

}  // namespace tv
