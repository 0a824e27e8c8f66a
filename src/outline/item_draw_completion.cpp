// Completion suffixes: behind an item with children, how many of its direct
// children are checked, as " [k/n]" or " [p%]". The suffix lives only in the
// tree item's text; the stored text never has it.
#include <cstdio>

#include "outline/current_items.h"
#include "outline/item_draw.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "storage/item_table.h"

namespace {

enum { SUFFIX_CHARS = 32, COMPLETION_TEXT_LIMIT = 98 };

int length(const WCHAR* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

// Writes `item`'s stored text with the suffix for its children into the
// tree; `changedItem` counts with `newState`. False when the item has no
// children (nothing written).
bool refreshOne(HWND tree, HTREEITEM item, int mode, HTREEITEM changedItem, int newState) {
    int childCount = 0;
    int checkedCount = 0;
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) {
        ++childCount;
        int checked = c == changedItem ? (newState ? 1 : 0) : isItemChecked(tree, c);
        checkedCount += checked;
    }
    if (childCount == 0) return false;
    ItemRecord record{};
    record.longID = getItemId(tree, item);
    // Without the stored text the label would lose its words; keep it as is.
    if (!readItem(currentItemTable(), &record, ITEM_TEXT)) return true;
    WCHAR text[TREE_TEXT_CHARS];
    composeCompletionText(text, TREE_TEXT_CHARS, record.strText, mode, checkedCount, childCount);
    setItemText(tree, item, text);
    return true;
}

}  // namespace

void formatCompletionSuffix(WCHAR* out, int capacity, int mode, int checkedCount, int childCount) {
    if (!out || capacity <= 0) return;
    out[0] = 0;
    if (childCount <= 0) return;
    char narrow[SUFFIX_CHARS];
    if (mode == 1)
        snprintf(narrow, sizeof narrow, " [%d/%d]", checkedCount, childCount);
    else if (mode == 2)
        snprintf(narrow, sizeof narrow, " [%d%%]", 100 * checkedCount / childCount);
    else
        return;
    int i = 0;
    for (; narrow[i] && i < capacity - 1; ++i) out[i] = (WCHAR)(unsigned char)narrow[i];
    out[i] = 0;
}

void composeCompletionText(WCHAR* out, int capacity, LPCWSTR text, int mode, int checkedCount, int childCount) {
    if (!out || capacity <= 0) return;
    WCHAR suffix[SUFFIX_CHARS];
    formatCompletionSuffix(suffix, SUFFIX_CHARS, mode, checkedCount, childCount);
    int textLength = text ? length(text) : 0;
    int suffixLength = length(suffix);
    int keep = textLength;
    if (suffixLength > 0 && textLength + suffixLength > COMPLETION_TEXT_LIMIT) keep = textLength - suffixLength - 2;
    if (keep < 0) keep = 0;
    int at = 0;
    for (int i = 0; i < keep && at < capacity - 1; ++i) out[at++] = text[i];
    for (int i = 0; i < suffixLength && at < capacity - 1; ++i) out[at++] = suffix[i];
    out[at] = 0;
}

void updateCompletionUp(HWND tree, HTREEITEM item, int mode, HTREEITEM changedItem, int newState) {
    HTREEITEM changed = changedItem;
    for (HTREEITEM at = item; at; at = treeParent(tree, at)) {
        if (!refreshOne(tree, at, mode, changed, newState)) return;
        changed = nullptr;
    }
}

void updateCompletionSubtree(HWND tree, HTREEITEM item, int mode) {
    if (!item) return;
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c))
        if (hasChildren(tree, c)) updateCompletionSubtree(tree, c, mode);
    refreshOne(tree, item, mode, nullptr, 0);
}

void updateAllCompletion(HWND tree, int mode) {
    for (HTREEITEM r = treeRoot(tree); r; r = treeNextSibling(tree, r))
        if (hasChildren(tree, r)) updateCompletionSubtree(tree, r, mode);
}
