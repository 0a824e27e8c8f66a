// The text model: replacing the selection (with the limit, the case styles
// and the one-level undo record), the whole-text replacement of WM_SETTEXT,
// undo, the selection and valid caret positions.
#include <algorithm>

#include "platform/controls/edit/edit_internal.h"

namespace edit {
namespace {

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A single-line edit takes the first line of what it is given.
std::u16string_view firstLine(std::u16string_view s) {
    size_t cut = s.find_first_of(u"\r\n");
    return cut == std::u16string_view::npos ? s : s.substr(0, cut);
}

std::u16string applyCase(const Edit& e, std::u16string_view s) {
    std::u16string out(s);
    DWORD style = styleOf(e);
    if (style & ES_UPPERCASE)
        for (auto& c : out) c = toUpper(c);
    else if (style & ES_LOWERCASE)
        for (auto& c : out) c = toLower(c);
    return out;
}

// Undo bookkeeping before the removal of [s, end): deletions next to the
// previous one (Delete to the right, Backspace to the left) grow the same
// record, so one undo brings back a whole run of them.
void recordRemoval(Edit& e, int s, int end) {
    std::u16string removed = e.text.substr((size_t)s, (size_t)(end - s));
    if (e.undoInserted == 0 && !e.undoText.empty() && s == e.undoPos) {
        e.undoText += removed;
    } else if (e.undoInserted == 0 && !e.undoText.empty() && end == e.undoPos) {
        e.undoText.insert(0, removed);
        e.undoPos = s;
    } else {
        e.undoText = removed;
        e.undoPos = s;
    }
    e.undoInserted = 0;
}

void recordInsertion(Edit& e, int s, int count) {
    if (s == e.undoPos || (e.undoInserted && s == e.undoPos + e.undoInserted)) {
        e.undoInserted += count;
    } else {
        e.undoPos = s;
        e.undoInserted = count;
        e.undoText.clear();
    }
}

}  // namespace

char16_t toUpper(char16_t c) {
    if (c >= u'a' && c <= u'z') return (char16_t)(c - 32);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return (char16_t)(c - 32);
    switch (c) {
        case 0xFF: return 0x178;
        case 0x153: return 0x152;
        case 0x161: return 0x160;
        case 0x17E: return 0x17D;
        default: return c;
    }
}

char16_t toLower(char16_t c) {
    if (c >= u'A' && c <= u'Z') return (char16_t)(c + 32);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return (char16_t)(c + 32);
    switch (c) {
        case 0x178: return 0xFF;
        case 0x152: return 0x153;
        case 0x160: return 0x161;
        case 0x17D: return 0x17E;
        default: return c;
    }
}

int snapBack(const Edit& e, int i) {
    int n = (int)e.text.size();
    i = std::clamp(i, 0, n);
    if (i > 0 && i < n) {
        if (e.text[(size_t)i - 1] == u'\r' && e.text[(size_t)i] == u'\n') --i;
        else if (isHigh(e.text[(size_t)i - 1]) && isLow(e.text[(size_t)i])) --i;
    }
    return i;
}

int nextPosition(const Edit& e, int i) {
    int n = (int)e.text.size();
    if (i >= n) return n;
    if (i + 1 < n && ((e.text[(size_t)i] == u'\r' && e.text[(size_t)i + 1] == u'\n') ||
                      (isHigh(e.text[(size_t)i]) && isLow(e.text[(size_t)i + 1]))))
        return i + 2;
    return i + 1;
}

int prevPosition(const Edit& e, int i) {
    if (i <= 0) return 0;
    return snapBack(e, i - 1);
}

void setSelection(Edit& e, int anchor, int caret) {
    int n = (int)e.text.size();
    e.anchor = snapBack(e, std::clamp(anchor, 0, n));
    e.caret = snapBack(e, std::clamp(caret, 0, n));
}

void emptyUndo(Edit& e) {
    e.undoPos = 0;
    e.undoInserted = 0;
    e.undoText.clear();
}

bool canUndo(const Edit& e) { return e.undoInserted > 0 || !e.undoText.empty(); }

bool replaceSelection(Edit& e, std::u16string_view given, bool canUndoIt, bool honorLimit, bool notify) {
    std::u16string insert = applyCase(e, isMultiLine(e) ? given : firstLine(given));
    int s = selMin(e), end = selMax(e);
    int removedCount = end - s;
    int kept = (int)e.text.size() - removedCount;
    bool hitLimit = false;
    if (honorLimit && kept + (int)insert.size() > e.limit) {
        hitLimit = true;
        int room = std::max(0, e.limit - kept);
        // Never cut between the halves of a line break or a surrogate pair.
        if (room > 0 && room < (int)insert.size() &&
            ((insert[(size_t)room - 1] == u'\r' && insert[(size_t)room] == u'\n') || isHigh(insert[(size_t)room - 1])))
            --room;
        insert.resize((size_t)room);
    }
    if (honorLimit && !isMultiLine(e) && !(styleOf(e) & ES_AUTOHSCROLL) && !insert.empty()) {
        // Without horizontal scrolling a single line takes only what fits:
        // the longest start of the insertion that does (found by halving).
        auto fits = [&](size_t count) {
            std::u16string trial = e.text;
            trial.replace((size_t)s, (size_t)removedCount, insert.substr(0, count));
            return fitsOneLine(e, trial);
        };
        if (!fits(insert.size())) {
            hitLimit = true;
            size_t lo = 0, hi = insert.size();  // fits(lo) holds, fits(hi) does not
            while (hi - lo > 1) {
                size_t mid = lo + (hi - lo) / 2;
                (fits(mid) ? lo : hi) = mid;
            }
            if (lo > 0 && isHigh(insert[lo - 1])) --lo;
            insert.resize(lo);
        }
    }
    if (hitLimit) {
        // The parent may do anything in its answer, even destroy the edit.
        HWND self = e.hwnd;
        notifyParent(e, EN_MAXTEXT);
        if (!IsWindow(self) || editOf(self) != &e) return false;
    }
    if (removedCount == 0 && insert.empty()) return false;

    if (canUndoIt) {
        if (removedCount) recordRemoval(e, s, end);
    }
    e.text.replace((size_t)s, (size_t)removedCount, insert);
    if (canUndoIt) {
        if (!insert.empty()) recordInsertion(e, s, (int)insert.size());
    } else {
        emptyUndo(e);
    }
    int caret = s + (int)insert.size();
    e.anchor = e.caret = caret;
    e.modified = true;
    invalidateLayout(e);
    scrollCaretIntoView(e);
    updateScrollBar(e);
    invalidateText(e);
    if (notify) {
        HWND self = e.hwnd;
        notifyParent(e, EN_UPDATE);
        if (IsWindow(self) && editOf(self) == &e) notifyParent(e, EN_CHANGE);
    }
    return true;
}

void setWholeText(Edit& e, std::u16string_view s) {
    e.text = applyCase(e, isMultiLine(e) ? s : firstLine(s));
    e.anchor = e.caret = 0;
    e.topLine = 0;
    e.xOffset = 0;
    e.modified = false;
    emptyUndo(e);
    invalidateLayout(e);
    updateScrollBar(e);
    invalidateText(e);
}

bool undo(Edit& e) {
    if (!canUndo(e) || isReadOnly(e)) return false;
    std::u16string restore = e.undoText;
    int pos = e.undoPos;
    int inserted = e.undoInserted;
    int n = (int)e.text.size();
    pos = std::clamp(pos, 0, n);
    inserted = std::clamp(inserted, 0, n - pos);
    e.anchor = pos;
    e.caret = pos + inserted;
    emptyUndo(e);
    HWND self = e.hwnd;
    // The undone edit becomes the record, so undoing again redoes it.
    replaceSelection(e, restore, true, false, false);
    if (!IsWindow(self) || editOf(self) != &e) return true;
    e.anchor = pos;
    e.caret = pos + (int)restore.size();
    scrollCaretIntoView(e);
    invalidateText(e);
    notifyParent(e, EN_UPDATE);
    if (IsWindow(self) && editOf(self) == &e) notifyParent(e, EN_CHANGE);
    return true;
}

}  // namespace edit
