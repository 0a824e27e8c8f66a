// The search behind the find bar's "Next": a walk over the outline in
// pre-order that wraps from the last item to the first, matching the search
// text in each item's label and then in its note, ignoring letter case. A
// press that keeps the text (or shortens it to its own beginning) in the same
// list continues after the last match: first through the rest of that note,
// then through the following items.
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "commctrl.h"
#include "common/wide_text.h"
#include "outline/current_items.h"
#include "outline/find.h"
#include "outline/notes.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"
#include "storage/statements.h"

namespace {

enum { LABEL_CHARS = 100 };

struct FindState {
    WCHAR searchText[FIND_TEXT_CHARS] = {};
    WCHAR previousText[FIND_TEXT_CHARS] = {};
    char searchList[CURRENT_LIST_BYTES] = {};
    HTREEITEM current = nullptr;  // the node of the last match, or where the walk stands
    LONG currentId = 0;           // its longID, to find it again after a reload
    int inNote = 0;               // the next press continues inside the found item's note
    int notePosition = 0;         // where the last match in that note began
    int noteSearchFrom = 0;       // where the next search in that note begins
    ItemRecord found{};           // longID, bNote and note of the item last examined
};

FindState& state() {
    static FindState s;
    return s;
}

int length(const WCHAR* s) {
    int n = 0;
    while (s[n]) ++n;
    return n;
}

void findError(LPCWSTR text) { messageDialog(hwndMain, text, u"Find Error", MD_STYLE_WARNING); }

void repaintNotes() {
    if (!hwndNotes) return;
    InvalidateRect(hwndNotes, nullptr, TRUE);
    UpdateWindow(hwndNotes);
}

// The node of the last match, if the outline still holds it. A reload makes
// new nodes for the same items, so a node that went is looked for again by
// its item; an item that went too leaves no current node.
HTREEITEM currentNode() {
    FindState& s = state();
    if (!s.current) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = s.current;
    if (SendMessageW(hwndMainTV, TVM_GETITEMW, 0, (LPARAM)&item) && item.lParam == s.currentId) return s.current;
    s.current = s.currentId ? findItemById(hwndMainTV, nullptr, s.currentId) : nullptr;
    return s.current;
}

void setCurrent(HTREEITEM node) {
    state().current = node;
    state().currentId = node ? getItemId(hwndMainTV, node) : 0;
}

// The walk's next node: the first child, else the next sibling of the node
// or of its nearest ancestor that has one, else the first item again.
HTREEITEM nextInWalk(HTREEITEM node) {
    HTREEITEM next = nextItemPreorder(hwndMainTV, node);
    return next ? next : treeRoot(hwndMainTV);
}

// The found node: into view (its collapsed parents open) as the first
// visible row, and selected.
void selectFound(HTREEITEM node) {
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_ENSUREVISIBLE, 0, (LPARAM)node);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)node);
    InvalidateRect(hwndMainTV, nullptr, FALSE);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
}

void readFoundNote(HTREEITEM node) {
    ItemRecord& item = state().found;
    item = ItemRecord{};
    item.longID = getItemId(hwndMainTV, node);
    if (readItem(currentItemTable(), &item, ITEM_NOTE) != 1) {
        item.bNote = 0;
        item.strNoteText[0] = 0;
    }
}

void openNotesPane() {
    if (bNotesOpen == 0) onToggleNotes(hwndMain, 40015, nullptr, 0);
}

// Shows the found item's note with the match at `index` highlighted, its
// line scrolled to the top of the pane.
void showNoteMatch(int index) {
    FindState& s = state();
    int n = length(s.searchText);
    s.notePosition = index;
    s.noteSearchFrom = index + 1;
    s.inNote = 1;
    if (!hwndNotes) return;
    SetWindowTextW(hwndNotes, s.found.strNoteText);
    setNoteHighlight(index, s.found.strNoteText + index, n);
    LRESULT line = SendMessageW(hwndNotes, EM_LINEFROMCHAR, (WPARAM)index, 0);
    if (line > 0) SendMessageW(hwndNotes, EM_LINESCROLL, 0, line);
    repaintNotes();
}

// A new search: another text (not its own beginning), another list, or no
// node to go on from.
bool isNewSearch() {
    FindState& s = state();
    int n = length(s.searchText);
    if (_wcsnicmp(s.previousText, s.searchText, (size_t)n) != 0) return true;
    for (int i = 0; i < CURRENT_LIST_BYTES; ++i) {
        if (s.searchList[i] != strCurrentList[i]) return true;
        if (!strCurrentList[i]) break;
    }
    return currentNode() == nullptr;
}

// Goes on inside the note of the last match; true when it found another.
bool continueInNote() {
    FindState& s = state();
    if (!s.inNote) return false;
    int at = findTextIgnoringCase(s.found.strNoteText, s.searchText, s.noteSearchFrom);
    if (at >= 0) {
        openNotesPane();
        showNoteMatch(at);
        if (HTREEITEM node = currentNode()) selectFound(node);
        repaintNotes();
        return true;
    }
    clearNoteHighlight();
    s.inNote = 0;
    repaintNotes();
    return false;
}

enum class Hit { None, Label, Note };

// Looks at one node: whether its label holds the text, else its note (at
// `at`). Only reads: the walk looks at every node up to the match in one
// read transaction.
Hit look(HTREEITEM node, int* at) {
    FindState& s = state();
    WCHAR label[LABEL_CHARS] = {};
    getItemText(hwndMainTV, node, label, LABEL_CHARS);
    if (findTextIgnoringCase(label, s.searchText, 0) >= 0) return Hit::Label;
    readFoundNote(node);
    if (s.found.bNote != 1) return Hit::None;
    s.inNote = 0;
    *at = findTextIgnoringCase(s.found.strNoteText, s.searchText, 0);
    return *at >= 0 ? Hit::Note : Hit::None;
}

void showLabelMatch(HTREEITEM node) {
    FindState& s = state();
    setCurrent(node);
    selectFound(node);
    readFoundNote(node);
    if (hwndNotes) SetWindowTextW(hwndNotes, s.found.strNoteText);
    s.notePosition = 0;
    // The note is searched from its first character next, so a match
    // right at its start is not skipped.
    s.noteSearchFrom = 0;
    clearNoteHighlight();
    s.inNote = s.found.bNote == 1 ? 1 : 0;
    repaintNotes();
}

void showNoteMatchIn(HTREEITEM node, int at) {
    setCurrent(node);
    openNotesPane();
    selectFound(node);
    showNoteMatch(at);
}

// Walks from `start` until a node matches; that node, or null after the
// whole outline. The statements are compiled once and read in one
// transaction: a long list is otherwise a lock and a compile per item.
HTREEITEM walkToMatch(HTREEITEM start, Hit* hit, int* at) {
    StatementReuse reuse(dbCurrent);
    CommandTransaction reading(dbCurrent);
    HTREEITEM first = start;
    HTREEITEM node = start;
    setCurrent(node);
    for (;;) {
        *hit = look(node, at);
        if (*hit != Hit::None) return node;
        HTREEITEM next = nextInWalk(node);
        if (!next || next == first) return nullptr;
        node = next;
        setCurrent(node);
    }
}

void walkFrom(HTREEITEM start) {
    FindState& s = state();
    if (!start) {
        findError(u"String not found!");
        return;
    }
    s.found = ItemRecord{};
    Hit hit = Hit::None;
    int at = 0;
    if (HTREEITEM node = walkToMatch(start, &hit, &at)) {
        if (hit == Hit::Label)
            showLabelMatch(node);
        else
            showNoteMatchIn(node, at);
        return;
    }
    // Nothing: the next press searches the whole outline again from here.
    setCurrent(start);
    clearNoteHighlight();
    repaintNotes();
    WCHAR message[FIND_TEXT_CHARS + 64];
    swprintf(message, sizeof message / sizeof message[0], u"Could not fine substring '%s' in list!", s.searchText);
    findError(message);
}

}  // namespace

int findTextIgnoringCase(const WCHAR* text, const WCHAR* pattern, int from) {
    if (!text || !pattern) return -1;
    int n = length(pattern);
    int total = length(text);
    if (n == 0 || from < 0) return -1;
    for (int i = from; i + n <= total; ++i)
        if (_wcsnicmp(text + i, pattern, (size_t)n) == 0) return i;
    return -1;
}

void resetFind() { state() = FindState{}; }

void findNext(const WCHAR* text) {
    FindState& s = state();
    copyText(s.searchText, FIND_TEXT_CHARS, text);
    trimSpaces(s.searchText);
    if (!s.searchText[0]) {
        findError(u"No search string entered!");
        return;
    }
    if (!hwndMainTV) return;
    if (isNewSearch()) {
        for (int i = 0; i < CURRENT_LIST_BYTES; ++i) s.searchList[i] = strCurrentList[i];
        copyText(s.previousText, FIND_TEXT_CHARS, s.searchText);
        s.inNote = 0;
        walkFrom(treeRoot(hwndMainTV));
        return;
    }
    if (continueInNote()) return;
    HTREEITEM node = currentNode();
    walkFrom(node ? nextInWalk(node) : treeRoot(hwndMainTV));
}
