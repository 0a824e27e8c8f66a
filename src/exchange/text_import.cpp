// Reading a tab-indented text file into a list: the rules of one line, the
// name of a new list, and importList itself. The command is in
// import_command.cpp.
#include "exchange/text_import.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "dialogs/progress_window.h"
#include "exchange/list_file_format.h"
#include "exchange/outline_document.h"
#include "lists/list_management.h"
#include "lists/list_name_combo.h"
#include "lists/list_transaction.h"
#include "outline/current_items.h"
#include "outline/unsaved_change.h"
#include "state/app_state.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"
#include "wcrt.h"

namespace {

bool isBlankOrTab(WCHAR c) { return c == u' ' || c == u'\t'; }

std::u16string firstLineOf(const WCHAR* line) {
    std::u16string text = line ? line : u"";
    size_t feed = text.find(u'\n');
    if (feed != std::u16string::npos) text.resize(feed);
    return text;
}

void trimmed(std::u16string& text) {
    std::vector<WCHAR> buffer(text.begin(), text.end());
    buffer.push_back(0);
    trimSpaces(buffer.data());
    text = buffer.data();
}

bool inBox(ListNameBox& box, const std::u16string& name) { return box.find(name.c_str()) >= 0; }

// The name as the list's table will carry it: code-page text of at most 39
// bytes, so that what is checked for uniqueness is what is stored.
std::u16string storedForm(const std::u16string& name) {
    char narrow[codePageBytes(LIST_NAME_CHARS)];
    wideToCodePage(name.c_str(), narrow, sizeof narrow, LIST_NAME_CHARS - 1);
    WCHAR wide[LIST_NAME_CHARS];
    codePageToWide(narrow, wide, LIST_NAME_CHARS);
    return wide;
}

void copyOut(const std::u16string& text, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    size_t length = std::min(text.size(), size_t(capacity - 1));
    std::char_traits<WCHAR>::copy(out, text.data(), length);
    out[length] = 0;
}

}  // namespace

ImportLine parseImportLine(const WCHAR* raw) {
    ImportLine line;
    std::u16string text = firstLineOf(raw);
    trimmed(text);
    // An empty line stands for nothing; a line of tabs is an empty item.
    if (text.empty() || text[0] == u'!') {
        line.skip = 1;
        return line;
    }
    size_t lead = 0;
    while (lead < text.size() && isBlankOrTab(text[lead])) {
        if (text[lead] == u'\t') ++line.depth;
        ++lead;
    }
    size_t n = text.size();
    line.checked = n > 1 && text[n - 2] == u'\t' && text[n - 1] == u'X';
    std::u16string stripped = text.substr(lead);
    size_t tab = stripped.find(u'\t');
    if (tab != std::u16string::npos) stripped.resize(tab);
    if (!stripped.empty() && stripped[0] == u'~') {
        line.note = 1;
        if (!stripped.empty() && stripped.back() == u'\r') stripped.pop_back();
        line.text = stripped.substr(1);
        return line;
    }
    line.text = stripped;
    return line;
}

void makeImportListName(LPCWSTR firstLine, HWND box, WCHAR* out, int capacity) {
    ListNameCombo names(box);
    makeImportListName(firstLine, names, out, capacity);
}

void makeImportListName(LPCWSTR firstLine, ListNameBox& box, WCHAR* out, int capacity) {
    std::u16string line = firstLineOf(firstLine);
    trimmed(line);
    std::u16string name = u"List";
    if (line.size() >= 2 && line[0] == u'!' && line[1] != u' ') name = line.substr(1, LIST_NAME_MAX_CHARS);
    std::replace(name.begin(), name.end(), u'\'', u'_');
    name = storedForm(name);
    std::u16string candidate = name;
    for (int n = 1; n <= 999 && inBox(box, candidate); ++n) {
        // The number must fit as well: a name cut after it was added could
        // be one the box has already.
        std::string digits = " " + std::to_string(n);
        std::u16string suffix(digits.begin(), digits.end());
        std::u16string base = name.substr(0, LIST_NAME_MAX_CHARS - suffix.size());
        while (!base.empty() && base.back() == u' ') base.pop_back();
        candidate = storedForm(base + suffix);
    }
    copyOut(candidate, out, capacity);
}

namespace {

// Reads one line into `buffer`; a line longer than the buffer is read to
// its end and the rest dropped, so that it stays one line. False at the end
// of the file.
bool readLine(FILE* file, WCHAR* buffer, int capacity) {
    if (!fgetws(buffer, capacity, file)) return false;
    size_t length = wcslen(buffer);
    // A NUL inside the line ends the text early; the reader still stops at
    // the line feed, so look for it in what the buffer shows.
    if (length > 0 && buffer[length - 1] == u'\n') return true;
    if (length + 1 < size_t(capacity)) return true;  // the last line, without a line feed
    std::vector<WCHAR> rest(size_t(capacity), 0);
    while (fgetws(rest.data(), capacity, file)) {
        size_t n = wcslen(rest.data());
        if (n > 0 && rest[n - 1] == u'\n') break;
        if (n + 1 < size_t(capacity)) break;
    }
    return true;
}

int countLines(FILE* file) {
    WCHAR piece[200];
    int count = 0;
    while (fgetws(piece, 200, file)) ++count;
    return count;
}

void stopWith(HWND owner, HWND progress, LPCWSTR text) {
    closeProgressWindow(progress);
    messageDialog(owner, text, u"Warning Message", MD_STYLE_WARNING);
}

// The state of one import: the parent of each depth, the last item made
// and the note being gathered for it.
struct ImportState {
    std::vector<LONG> parents{0};
    int depth = 0;
    LONG last = 0;
    int inserted = 0;
    LONG order = 1;
    int afterItem = 1;  // the line before was not a note line
    std::u16string note;
    WCHAR unsaved[200] = {};  // why the first write that failed did, for the person
};

// Remembers the first write that did not reach the database; the import
// stops there.
void noteWrite(ImportState& s, bool stored) {
    if (!stored && !s.unsaved[0]) unsavedChangeText(s.unsaved, 200);
}

void markHasChildren(ImportState& s, LONG id) {
    if (id <= 0) return;
    ItemRecord item = {};
    item.longID = id;
    item.intNumChild = 1;
    item.fieldMask = ITEM_NUMCHILD;
    noteWrite(s, writeItem(currentItemTable(), item) > 0);
}

void addNoteLine(ImportState& s, const std::u16string& text) {
    if (!s.afterItem) s.note += u"\r\n";
    s.note += text;
    if (s.note.size() > size_t(ITEM_NOTE_CHARS - 1)) s.note.resize(ITEM_NOTE_CHARS - 1);
    s.afterItem = 0;
    // A note line before the first item has no item to go with.
    if (s.last <= 0) return;
    ItemRecord item = {};
    item.longID = s.last;
    item.bNote = 1;
    copyOut(s.note, item.strNoteText, ITEM_NOTE_CHARS);
    doubleQuotes(item.strNoteText, ITEM_NOTE_CHARS);
    item.fieldMask = ITEM_NOTE;
    noteWrite(s, writeItem(currentItemTable(), item) > 0);
}

void addItemLine(ImportState& s, const ImportLine& line) {
    ItemRecord item = {};
    item.longParentID = s.parents[size_t(line.depth)];
    item.longOrder = s.order;
    copyOut(line.text, item.strText, ITEM_TEXT_CHARS);
    doubleQuotes(item.strText, ITEM_TEXT_CHARS);
    item.bChecked = line.checked;
    item.bDisplay = 1;
    item.bNodeExpand = 1;
    item.fieldMask = ITEM_ALL;
    LONG id = writeItem(currentItemTable(), item);
    noteWrite(s, id > 0);
    if (id > 0) {
        s.last = id;
        ++s.inserted;
    }
    ++s.order;
    s.afterItem = 1;
    s.note.clear();
}

// One line of the file; 0 and the message when it breaks the indentation.
int importLine(ImportState& s, const ImportLine& line, LPCWSTR* message) {
    if (line.skip) return 1;
    if (s.inserted == 0 && line.depth > 0) {
        *message = u"The first line in the input file cannot have a tab character!";
        return 0;
    }
    if (line.depth > s.depth + 1) {
        *message = u"Incorrect number of tab characters in the input file!";
        return 0;
    }
    if (line.depth != s.depth) {
        if (s.parents.size() < size_t(line.depth) + 1) s.parents.resize(size_t(line.depth) + 1, 0);
        if (line.depth > s.depth) s.parents[size_t(line.depth)] = s.last;
        markHasChildren(s, s.parents[size_t(line.depth)]);
        s.depth = line.depth;
    }
    if (line.note)
        addNoteLine(s, line.text);
    else
        addItemLine(s, line);
    return 1;
}

void showPercent(HWND progress, int percent) {
    WCHAR text[40];
    swprintf(text, 40, u"Percent complete %d %%", percent);
    stepProgressWindow(progress, text, percent);
}

}  // namespace

namespace {

// Inserts the lines `next` gives (false when there are no more) into the
// current list, `total` of them, showing how far it got.
int insertLines(HWND owner, HWND progress, int total, const std::function<bool(ImportLine*)>& next) {
    stepProgressWindow(progress, u"Percent complete 0%", 0);
    int lines = std::max(1, total);
    ImportState state;
    state.order = nextOrder(currentItemTable(), 0);
    // One transaction for the whole file: a commit per item costs more than
    // the item itself. Items before a faulty line are kept. Each of the
    // item statements is compiled once for the whole file, and inside the
    // transaction the next identifier is known here rather than asked of the
    // table for each item.
    StatementReuse reuse(dbCurrent);
    bool inTransaction = beginListTransaction(dbCurrent);
    std::optional<ItemIdRun> ids;
    if (inTransaction) ids.emplace(currentItemTable());
    LPCWSTR message = nullptr;
    int shown = 0;
    long running = 100;
    ImportLine line;
    while (!message && !state.unsaved[0] && next(&line)) {
        importLine(state, line, &message);
        int percent = int(std::min<long>(100, running / lines));
        running += 100;
        // The window is redrawn only when what it shows changes.
        if (!message && percent != shown) {
            showPercent(progress, percent);
            shown = percent;
        }
    }
    if (inTransaction) noteWrite(state, commitListTransaction(dbCurrent));
    if (state.unsaved[0]) {
        closeProgressWindow(progress);
        reportUnsavedChange(state.unsaved);
        return 0;
    }
    if (message) {
        stopWith(owner, progress, message);
        return 0;
    }
    return 1;
}

}  // namespace

int importOutline(HWND owner, HWND progress, const OutlineDocument& outline) {
    std::vector<ImportLine> lines = importLinesOf(outline);
    size_t at = 0;
    return insertLines(owner, progress, int(lines.size()), [&](ImportLine* line) {
        if (at == lines.size()) return false;
        *line = lines[at++];
        return true;
    });
}

int importList(HWND owner, HWND progress, LPCWSTR path, int lineCapacity) {
    // OPML and Markdown are read whole, and only a file that reads as an
    // outline changes the list.
    int format = listFormatOfFile(path);
    if (format != LIST_FILE_TEXT) {
        OutlineDocument outline;
        std::u16string message;
        if (!readOutlineFile(path, format, &outline, &message)) {
            stopWith(owner, progress, message.c_str());
            return 0;
        }
        return importOutline(owner, progress, outline);
    }
    FILE* file = _wfopen(path, u"r");
    if (!file) {
        stopWith(owner, progress, u"Could not open file!");
        return 0;
    }
    int lines = countLines(file);
    fclose(file);
    file = _wfopen(path, u"r");
    if (!file) {
        stopWith(owner, progress, u"Could not open file!");
        return 0;
    }
    std::vector<WCHAR> buffer(size_t(std::max(2, lineCapacity)), 0);
    int done = insertLines(owner, progress, lines, [&](ImportLine* line) {
        if (!readLine(file, buffer.data(), int(buffer.size()))) return false;
        buffer.back() = 0;
        *line = parseImportLine(buffer.data());
        return true;
    });
    fclose(file);
    return done;
}
