// The list box's items: sorted or positional insertion, deletion with the
// selection kept on the same item, and the case-insensitive searches.
#include <algorithm>
#include <new>

#include "platform/controls/listbox/listbox_internal.h"

namespace listbox {
namespace {

std::u16string_view viewOf(const WCHAR* text) { return text ? std::u16string_view(text) : std::u16string_view(); }

bool startsWithNoCase(const std::u16string& s, std::u16string_view prefix) {
    if (prefix.size() > s.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (towlower(s[i]) != towlower(prefix[i])) return false;
    return true;
}

bool equalNoCase(const std::u16string& s, std::u16string_view t) { return s.size() == t.size() && startsWithNoCase(s, t); }

// Where a sorted list takes a new entry: after every entry that does not
// sort after it, letter case ignored.
int sortedPosition(const ListBox& lb, const std::u16string& text) {
    auto it = std::upper_bound(lb.items.begin(), lb.items.end(), text, [](const std::u16string& t, const Item& item) {
        return _wcsicmp(t.c_str(), item.text.c_str()) < 0;
    });
    return (int)(it - lb.items.begin());
}

LRESULT insertAt(ListBox& lb, int index, const WCHAR* text) {
    try {
        lb.items.insert(lb.items.begin() + index, Item{std::u16string(viewOf(text)), 0});
    } catch (const std::bad_alloc&) {
        notify(lb, LBN_ERRSPACE);
        return LB_ERRSPACE;
    }
    if (lb.cursel >= index) ++lb.cursel;
    updateScrollBar(lb);
    invalidate(lb);
    return index;
}

}  // namespace

LRESULT addString(ListBox& lb, const WCHAR* text) {
    if (styleOf(lb) & LBS_SORT) return insertAt(lb, sortedPosition(lb, std::u16string(viewOf(text))), text);
    return insertAt(lb, (int)lb.items.size(), text);
}

LRESULT insertString(ListBox& lb, int index, const WCHAR* text) {
    if (index == -1) index = (int)lb.items.size();
    if (index < 0 || index > (int)lb.items.size()) return LB_ERR;
    return insertAt(lb, index, text);
}

LRESULT deleteString(ListBox& lb, int index) {
    if (index < 0 || index >= (int)lb.items.size()) return LB_ERR;
    lb.items.erase(lb.items.begin() + index);
    if (lb.cursel == index) lb.cursel = -1;
    else if (lb.cursel > index) --lb.cursel;
    setTop(lb, lb.top);
    updateScrollBar(lb);
    invalidate(lb);
    return (LRESULT)lb.items.size();
}

// Searches from the item after `start` to the end and on from the first
// item, so a search started at -1 (or past the end) covers the whole list.
LRESULT findString(const ListBox& lb, int start, const WCHAR* text, bool exact) {
    int count = (int)lb.items.size();
    if (count == 0) return LB_ERR;
    std::u16string_view wanted = viewOf(text);
    if (start < -1 || start >= count) start = -1;
    for (int n = 0; n < count; ++n) {
        int i = (start + 1 + n) % count;
        const std::u16string& s = lb.items[(size_t)i].text;
        if (exact ? equalNoCase(s, wanted) : startsWithNoCase(s, wanted)) return i;
    }
    return LB_ERR;
}

LRESULT getText(const ListBox& lb, int index, WCHAR* buffer) {
    if (index < 0 || index >= (int)lb.items.size()) return LB_ERR;
    const std::u16string& s = lb.items[(size_t)index].text;
    if (buffer) {
        std::copy(s.begin(), s.end(), buffer);
        buffer[s.size()] = 0;
    }
    return (LRESULT)s.size();
}

LRESULT getTextLen(const ListBox& lb, int index) {
    if (index < 0 || index >= (int)lb.items.size()) return LB_ERR;
    return (LRESULT)lb.items[(size_t)index].text.size();
}

void resetContent(ListBox& lb) {
    lb.items.clear();
    lb.cursel = -1;
    lb.top = 0;
    updateScrollBar(lb);
    invalidate(lb);
}

}  // namespace listbox
