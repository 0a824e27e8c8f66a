// The automation's and tests' view of a tree: records, paths, tap targets
// and the text dump.
#include "platform/controls/treeview/treeview_query.h"

#include "platform/controls/treeview/treeview_internal.h"
#include "platform/system/code_page.h"

namespace device::treeview {
namespace {

ItemRecord recordOf(tv::Tree& t, tv::Item* it) {
    ItemRecord r;
    r.handle = it->handle;
    r.text = tv::itemText(t, it);
    r.param = it->param;
    r.stateImage = (int)STATEIMAGEINDEX(it->state);
    r.expanded = (it->state & TVIS_EXPANDED) != 0;
    r.selected = it == t.selected;
    r.hasButton = tv::hasChildrenFlag(it);
    for (tv::Item* c = it->firstChild; c; c = c->next) r.children.push_back(recordOf(t, c));
    return r;
}

tv::Item* findUnder(tv::Tree& t, tv::Item* parent, const std::u16string& path, size_t from) {
    for (tv::Item* c = parent->firstChild; c; c = c->next) {
        std::u16string text = tv::itemText(t, c);
        if (path.compare(from, text.size(), text) != 0) continue;
        size_t end = from + text.size();
        if (end == path.size()) return c;
        if (path[end] != u'/') continue;
        if (tv::Item* found = findUnder(t, c, path, end + 1)) return found;
    }
    return nullptr;
}

RECT toScreen(HWND hwnd, RECT r) {
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ClientToScreen(hwnd, &a);
    ClientToScreen(hwnd, &b);
    return RECT{a.x, a.y, b.x, b.y};
}

void dumpItem(tv::Tree& t, tv::Item* it, bool shown, std::string& out) {
    out.append((size_t)it->level * 2, ' ');
    out += device::wideToUtf8(tv::itemText(t, it));
    if (it->param) out += " [param=" + std::to_string((long long)it->param) + "]";
    if (STATEIMAGEINDEX(it->state)) out += " [check=" + std::to_string(STATEIMAGEINDEX(it->state)) + "]";
    if (tv::hasChildrenFlag(it)) out += (it->state & TVIS_EXPANDED) ? " +" : " -";
    if (it == t.selected) out += " [selected]";
    if (it == t.dropHilite) out += " [drop]";
    if (!shown) out += " (hidden)";
    out += "\n";
    bool childrenShown = shown && (it->state & TVIS_EXPANDED);
    for (tv::Item* c = it->firstChild; c; c = c->next) dumpItem(t, c, childrenShown, out);
}

}  // namespace

bool isTreeView(HWND hwnd) { return tv::treeOf(hwnd) != nullptr; }

std::vector<ItemRecord> items(HWND tree) {
    std::vector<ItemRecord> out;
    tv::Tree* t = tv::treeOf(tree);
    if (!t) return out;
    for (tv::Item* c = t->root.firstChild; c; c = c->next) out.push_back(recordOf(*t, c));
    return out;
}

HTREEITEM findByPath(HWND tree, const std::u16string& path) {
    tv::Tree* t = tv::treeOf(tree);
    if (!t || path.empty()) return nullptr;
    tv::Item* it = findUnder(*t, &t->root, path, 0);
    return it ? it->handle : nullptr;
}

bool itemScreenRects(HWND tree, HTREEITEM item, bool reveal, ItemRects& out) {
    tv::Tree* t = tv::treeOf(tree);
    if (!t) return false;
    tv::Item* it = tv::itemOf(*t, item);
    if (!it) return false;
    if (reveal) {
        tv::ensureVisible(*t, it);
        if (!(t = tv::treeOf(tree)) || !(it = tv::itemOf(*t, item))) return false;
    }
    RECT row;
    if (!tv::itemRect(*t, it, false, row)) return false;
    tv::Offsets o = tv::offsetsOf(*t, it);
    out = ItemRects{};
    out.row = toScreen(tree, row);
    out.label = toScreen(tree, RECT{o.text, row.top, o.right, row.bottom});
    if (o.image > o.state) out.stateImage = toScreen(tree, RECT{o.state, row.top, o.image, row.bottom});
    DWORD style = (DWORD)GetWindowLongW(tree, GWL_STYLE);
    bool linesAtRoot = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    if ((style & TVS_HASBUTTONS) && tv::hasChildrenFlag(it) && (linesAtRoot || it->level > 0))
        out.button = toScreen(tree, RECT{o.lines, row.top, o.state, row.bottom});
    return true;
}

std::string dumpText(HWND tree) {
    std::string out;
    tv::Tree* t = tv::treeOf(tree);
    if (!t) return out;
    for (tv::Item* c = t->root.firstChild; c; c = c->next) dumpItem(*t, c, true, out);
    return out;
}

bool linksConsistent(HWND tree) {
    tv::Tree* t = tv::treeOf(tree);
    return t && tv::checkLinks(*t);
}

}  // namespace device::treeview
