// Notes: loading the selected item's note into the pane, saving every change
// of the pane back to the item at once, and the commands Add Note, Delete
// Note and Insert Time/Date.
#include "outline/notes.h"

#include <cstring>

#include "aygshell.h"
#include "commctrl.h"
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "common/wide_text.h"
#include "outline/current_items.h"
#include "outline/tree_ops.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"
#include "storage/settings.h"
#include "storage/sql_helpers.h"

namespace {

constexpr int kDatePartChars = 80;

bool textIsEmpty(const WCHAR* text) { return !text || !text[0]; }

// The item whose note could not be stored and has been reported: typing on
// in it says nothing more until the note is stored or the person moves to
// another item (which shows that item's stored note).
LONG unsavedNoteId = 0;

// The input-panel rule: raise it for a text field when there is no
// hardware keyboard, or when the user asked for it anyway.
void raiseInputPanelFor(HWND field) {
    if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(field, SIP_UP);
}

}  // namespace

// --- loading and saving -------------------------------------------------------

void loadItemNote(LONG longID) {
    if (!hwndNotes) return;
    ItemRecord item{};
    item.longID = longID;
    unsavedNoteId = 0;
    // Setting the whole text raises no change notification, so nothing is
    // written back by showing a note.
    if (longID != 0 && dbCurrent && readItem(currentItemTable(), &item, ITEM_NOTE) == 1)
        SetWindowTextW(hwndNotes, item.strNoteText);
    else
        SetWindowTextW(hwndNotes, u"");
}

void saveNote() {
    HTREEITEM selected = treeSelection(hwndMainTV);
    if (!selected) {
        messageDialog(hwndMain, u"You need to select an item in the list to have entered notes text attached",
                      u"Warning", MD_STYLE_WARNING);
        return;
    }
    // Keeps the pane's own background whole while the text changes under it.
    InvalidateRect(hwndNotes, nullptr, TRUE);
    UpdateWindow(hwndNotes);

    ItemRecord item{};
    item.longID = getItemId(hwndMainTV, selected);
    GetWindowTextW(hwndNotes, item.strNoteText, NOTE_TEXT_CHARS);
    item.strNoteText[NOTE_TEXT_CHARS - 1] = 0;
    trimSpaces(item.strNoteText);
    item.bNote = textIsEmpty(item.strNoteText) ? 0 : 1;
    doubleQuotes(item.strNoteText, NOTE_TEXT_CHARS);
    item.fieldMask = ITEM_NOTE;
    if (writeItem(currentItemTable(), item) > 0) {
        unsavedNoteId = 0;
        return;
    }
    // The text stays in the pane, where the person can copy it or try again
    // by typing on; it is told once, not at every key.
    if (unsavedNoteId == item.longID) {
        SetLastError(ERROR_SUCCESS);  // told already
        return;
    }
    unsavedNoteId = item.longID;
    reportUnsavedChange();
}

// --- time stamps ----------------------------------------------------------------

void buildTimeStamp(const SYSTEMTIME& time, int format, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    WCHAR date[kDatePartChars] = {};
    WCHAR clock[kDatePartChars] = {};
    if (!GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, kDatePartChars)) date[0] = 0;
    if (!GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, kDatePartChars)) clock[0] = 0;
    WCHAR stamp[TIME_STAMP_CHARS] = {};
    int n = 0;
    auto append = [&](const WCHAR* part) {
        for (int i = 0; part[i] && n < TIME_STAMP_CHARS - 1; ++i) stamp[n++] = part[i];
    };
    switch (format) {
        case 1: append(date); append(u" "); append(clock); break;
        case 2: append(clock); break;
        case 3: append(date); break;
        default: append(clock); append(u" "); append(date); break;
    }
    stamp[n] = 0;
    copyText(out, capacity, stamp);
}

namespace {

// Puts the stamp at the caret of `target`, replacing its selection.
void insertStamp(HWND target) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    int format = intTimeStamp;
    getSettingInt(SETTING_TIMESTAMP, &format);
    WCHAR stamp[TIME_STAMP_CHARS];
    buildTimeStamp(now, format, stamp, TIME_STAMP_CHARS);
    SendMessageW(target, EM_REPLACESEL, FALSE, (LPARAM)stamp);
    if (target == hwndNotes) {
        InvalidateRect(hwndNotes, nullptr, TRUE);
        UpdateWindow(hwndNotes);
    }
}

}  // namespace

void insertTimeStampIntoNotes() {
    if (hwndNotes) insertStamp(hwndNotes);
}

// --- commands ---------------------------------------------------------------------

LRESULT onNotesNotify(HWND, int, HWND, int code) {
    if (code == EN_CHANGE && hwndNotes) saveNote();
    return 0;
}

LRESULT onAddNote(HWND hwnd, int, HWND, int) {
    if (!treeSelection(hwndMainTV) || !hwndNotes) return 0;
    raiseInputPanelFor(hwndNotes);
    if (bNotesOpen == 0) onToggleNotes(hwnd, res::kCmdItemNote, nullptr, 0);
    SetFocus(hwndNotes);
    return 0;
}

LRESULT onDeleteNote(HWND, int, HWND, int) {
    HTREEITEM selected = treeSelection(hwndMainTV);
    if (!selected) return 0;
    setWaitCursor(1);
    ItemRecord item{};
    item.longID = getItemId(hwndMainTV, selected);
    if (readItem(currentItemTable(), &item, ITEM_NOTEFLAG) == 1 && item.bNote == 1) {
        item.bNote = 0;
        item.strNoteText[0] = 0;
        item.fieldMask = ITEM_NOTE;
        writeItem(currentItemTable(), item);
        // The note mark beside the label goes with the note.
        // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
        RECT text{};
        std::memcpy(&text, &selected, sizeof selected);
        if (SendMessageW(hwndMainTV, TVM_GETITEMRECT, TRUE, (LPARAM)&text)) InvalidateRect(hwndMainTV, &text, FALSE);
        UpdateWindow(hwndMainTV);
        if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    }
    setWaitCursor(0);
    return 0;
}

LRESULT onInsertTimeDate(HWND, int, HWND, int) {
    HWND target = hwndMainTV ? (HWND)SendMessageW(hwndMainTV, TVM_GETEDITCONTROL, 0, 0) : nullptr;
    if (!target && hwndNotes && IsWindowVisible(hwndNotes) && GetFocus() == hwndNotes) target = hwndNotes;
    if (target) insertStamp(target);
    return 0;
}
