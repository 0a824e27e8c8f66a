#include "outline/item_paste.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/wide_text.h"
#include "outline/current_items.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/item_statements.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

// Sections: statements | reading the source | writing copies | moving a cut
// item back | pasteItemRows | purge

namespace {

using item_sql::prepare;

// --- statements --------------------------------------------------------------------

int run(sqlite3* db, const std::string& sql) {
    char errorText[200];
    return executeSql(db, sql.c_str(), errorText, sizeof errorText);
}

void begin(sqlite3* db) { run(db, "BEGIN TRANSACTION;"); }

void commit(sqlite3* db) {
    run(db, "COMMIT;");
    run(db, "END TRANSACTION;");
}

bool rowExists(sqlite3* db, const char* listName, LONG id) {
    ItemRecord probe{};
    probe.longID = id;
    return readItem(itemTableOf(db, listName), &probe, ITEM_ORDER) == 1;
}

// Every live descendant of `id`, parents before their children.
std::vector<LONG> descendantsOf(sqlite3* db, const char* listName, LONG id) {
    return descendantIds(itemTableOf(db, listName), id);
}

// --- reading the source --------------------------------------------------------------

// Reads a whole row of the source list. Another list is read with the plain
// statements: only a plain list's items may be pasted elsewhere, and the
// current list's password must not decide how a different table is read.
bool readSourceRow(sqlite3* db, const char* sourceList, bool sameList, LONG id, ItemRecord* record) {
    *record = ItemRecord{};
    record->longID = id;
    ItemTable source = itemTableOf(db, sourceList);
    if (!sameList) source.enciphered = false;
    return readItem(source, record, ITEM_ALL) == 1;
}

// --- writing copies ---------------------------------------------------------------------

int countQuotes(const WCHAR* text) {
    int quotes = 0;
    for (; *text; ++text)
        if (*text == u'\'') ++quotes;
    return quotes;
}

// Doubles the quotes of a field for its SQL literal; true when the doubled
// form no longer fits the field (or the text may have been cut when it was
// read), so the stored text has to be carried over by a statement instead.
bool quoteField(WCHAR* text, int capacity) {
    const int length = textLength(text);
    const bool tooLong = length + countQuotes(text) >= capacity - 1;
    doubleQuotes(text, capacity);
    return tooLong;
}

// Carries a stored text column over unchanged from the source row to the
// copy, for texts whose doubled form does not fit the record's fields. The
// same list holds it in the form it needs; a plain source into an
// enciphered list is enciphered on the way.
void carryColumn(sqlite3* db, const char* column, const char* sourceList, LONG sourceId, const char* targetList,
                 LONG targetId, bool sameList) {
    const bool encipher = !sameList && attrCurrentList.bPassword == 1;
    const std::string read = std::string("SELECT ") + column + " FROM '" + quoteSql(sourceList) + "' WHERE longID = ?";
    const std::string value = encipher ? "bfencrypt((" + read + "))" : "(" + read + ")";
    Statement carry(db, "UPDATE '" + quoteSql(targetList) + "' SET " + column + " = " + value + " WHERE longID = ?;");
    carry.bind(sourceId).bind(targetId).run();
}

// Inserts a copy of the source row `record` (read from `sourceId`) under
// `parentId`; the new longID, or -1.
LONG insertCopy(sqlite3* db, const char* sourceList, LONG sourceId, const char* targetList, bool sameList,
                ItemRecord record, LONG parentId, LONG order) {
    const bool carryText = quoteField(record.strText, ITEM_TEXT_CHARS);
    const bool carryNote = quoteField(record.strNoteText, ITEM_NOTE_CHARS);
    record.longID = 0;
    record.longParentID = parentId;
    record.longOrder = order;
    record.fieldMask = ITEM_ALL;
    LONG id = writeItem(itemTableOf(db, targetList), record);
    if (id <= 0) return -1;
    if (carryText) carryColumn(db, "strText", sourceList, sourceId, targetList, id, sameList);
    if (carryNote) carryColumn(db, "strNoteText", sourceList, sourceId, targetList, id, sameList);
    return id;
}

// Copies the item and its whole subtree into the target list at `place`.
PasteResult copyTree(sqlite3* db, const char* sourceList, const char* targetList, LONG clipboardId,
                     const PastePlace& place) {
    PasteResult result;
    const bool sameList = std::strcmp(sourceList, targetList) == 0;
    const LONG positive = clipboardId < 0 ? -clipboardId : clipboardId;
    // A cut item that Undo brought back is live again under its positive
    // identifier; it is still the item the clipboard means.
    LONG rowId = clipboardId;
    ItemRecord item{};
    if (!readSourceRow(db, sourceList, sameList, rowId, &item)) {
        rowId = positive;
        if (clipboardId > 0 || !readSourceRow(db, sourceList, sameList, rowId, &item)) {
            result.unreadable = true;
            return result;
        }
    }
    begin(db);
    LONG top = insertCopy(db, sourceList, rowId, targetList, sameList, item, place.parentId, place.order);
    if (top <= 0) {
        commit(db);
        return result;
    }
    if (place.hasSelection) sequenceOrder(itemTableOf(db, targetList), place.parentId, top);

    std::vector<LONG> oldIds{positive};
    std::vector<LONG> newIds{top};
    for (LONG descendant : descendantsOf(db, sourceList, positive)) {
        // Pasted inside its own subtree, the new copy is itself one of the
        // descendants and is not copied a second time.
        if (sameList && descendant == top) continue;
        ItemRecord row{};
        if (!readSourceRow(db, sourceList, sameList, descendant, &row)) continue;
        size_t at = 0;
        while (at < oldIds.size() && oldIds[at] != row.longParentID) ++at;
        // Pre-order lists every parent before its children; a row whose
        // parent was not copied has no place in the copy.
        if (at == oldIds.size()) continue;
        LONG copy = insertCopy(db, sourceList, descendant, targetList, sameList, row, newIds[at], row.longOrder);
        if (copy <= 0) continue;
        oldIds.push_back(descendant);
        newIds.push_back(copy);
    }
    commit(db);
    result.pastedId = top;
    result.consumed = clipboardId < 0;
    return result;
}

// --- moving a cut item back ----------------------------------------------------------------

// True when `parentId` is `id` itself or lies in its subtree: moving the item
// there would make it its own ancestor and cut the subtree off the list.
bool insideOwnSubtree(sqlite3* db, const char* listName, LONG id, LONG parentId) {
    if (parentId == id) return true;
    if (parentId == 0) return false;
    for (LONG descendant : descendantsOf(db, listName, id))
        if (descendant == parentId) return true;
    return false;
}

PasteResult moveCutItem(sqlite3* db, const char* listName, LONG positive, const PastePlace& place) {
    PasteResult result;
    const ItemTable table = itemTableOf(db, listName);
    begin(db);
    // The three changes of the row go in together or not at all: a row
    // half moved would be lost from the outline.
    bool moved = prepare(table, "UPDATE '@' set longID = ? WHERE longID = ?;").bind(positive).bind(-positive).run() ==
                 SQLITE_DONE;
    moved = moved && prepare(table, "UPDATE '@' set longParentID = ? WHERE longID = ?;")
                             .bind(place.parentId)
                             .bind(positive)
                             .run() == SQLITE_DONE;
    moved = moved &&
            prepare(table, "UPDATE '@' set longOrder = ? WHERE longID = ?;").bind(place.order).bind(positive).run() ==
                SQLITE_DONE;
    if (!moved) {
        run(db, "ROLLBACK;");
        return result;
    }
    if (place.hasSelection) sequenceOrder(table, place.parentId, positive);
    commit(db);
    result.pastedId = positive;
    result.consumed = true;
    return result;
}

}  // namespace

// --- pasteItemRows -------------------------------------------------------------------------

PasteResult pasteItemRows(sqlite3* db, const char* sourceList, const char* targetList, LONG clipboardId,
                          const PastePlace& place) {
    PasteResult result;
    // A branch of many items reads and writes the same statements for each.
    StatementReuse reuse(db);
    if (!db || !sourceList || !targetList || clipboardId == 0 || clipboardId == INT32_MIN) {
        result.unreadable = clipboardId != 0;
        return result;
    }
    if (clipboardId < 0 && std::strcmp(sourceList, targetList) == 0) {
        const LONG positive = -clipboardId;
        const bool parked = rowExists(db, targetList, clipboardId);
        if (!parked && !rowExists(db, targetList, positive)) {
            result.unreadable = true;
            return result;
        }
        if (!insideOwnSubtree(db, targetList, positive, place.parentId))
            return moveCutItem(db, targetList, positive, place);
        // Restored by Undo and pasted below itself: the item cannot move
        // into its own subtree, so the paste place gets a copy of it.
    }
    return copyTree(db, sourceList, targetList, clipboardId, place);
}

// --- purge ---------------------------------------------------------------------------------

void purgeParkedItemsKeeping(sqlite3* db, const char* listName, LONG keepId) {
    if (!db || !listName || !tableExists(db, listName)) return;
    if (keepId >= 0) {
        purgeParkedItems(db, listName);
        return;
    }
    // The kept row waits for its Paste; every other parked row goes, and
    // with it its descendants, which still name the positive identifier.
    std::vector<LONG> parked;
    for (LONG id : allItemIds(itemTableOf(db, listName)))
        if (id < 0 && id != keepId) parked.push_back(id);
    if (parked.empty()) return;
    // Inside the Delete's own transaction when it purges for it.
    StatementReuse reuse(db);
    CommandTransaction purge(db);
    const ItemTable table = itemTableOf(db, listName);
    for (LONG id : parked) {
        LONG magnitude = id == INT32_MIN ? INT32_MAX : -id;
        deleteDescendants(table, magnitude);
        deleteItemRow(table, id);
    }
    purge.commit();
}
