#include <cstring>

#include "command_line/command_database.h"
#include "command_line/command_status.h"
#include "command_line/commands.h"
#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/wide_text.h"
#include "exchange/import_steps.h"
#include "lists/list_management.h"
#include "state/app_state.h"
#include "storage/list_attributes.h"
#include "storage/statements.h"
#include "winbase.h"

namespace {

// The list an import goes into: LIST of --into, made when missing with the
// rules of New List; else a new list named as Import List names it.
int startTarget(const CommandArgs& args, const WCHAR* path, const ImportSource& source, ListNames& names) {
    if (!args.hasInto) return createImportList(nullptr, nullptr, path, source, names) ? COMMAND_DONE
                                                                                       : failureStatus(COMMAND_FAILED);
    if (names.find(args.into.c_str()) >= 0) return openCommandList(names, args.into, args);
    WCHAR name[LIST_NAME_CHARS + 1] = {};
    copyText(name, LIST_NAME_CHARS + 1, args.into.c_str());
    if (args.into.size() > LIST_NAME_MAX_CHARS) {
        reportCommandError(u"A list name has at most 39 characters.");
        return COMMAND_USAGE;
    }
    if (LPCWSTR message = listNameMessage(checkListName(name, names), 0)) {
        messageDialog(nullptr, message, u"Warning Message", MD_STYLE_WARNING);
        return COMMAND_USAGE;
    }
    char stored[CURRENT_LIST_BYTES];
    wideToCodePage(name, stored, sizeof stored, LIST_NAME_CHARS - 1);
    return createListForImport(nullptr, nullptr, stored) ? COMMAND_DONE : failureStatus(COMMAND_FAILED);
}

}  // namespace

int runImportCommand(const CommandArgs& args) {
    if (int status = commandTakes(args, 1, 1, u"the file to read", TAKES_DB | TAKES_INTO | TAKES_PASSWORD)) return status;
    WCHAR path[MAX_PATH] = {};
    if (int status = commandPath(args.words[0], path)) return status;
    DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        messageDialog(nullptr, u"Could not open file!", u"Warning Message", MD_STYLE_WARNING);
        return COMMAND_NOT_FOUND;
    }
    // A file that is not a list is refused before the database is touched.
    ImportSource source;
    if (!readImportSource(nullptr, path, &source)) return COMMAND_NOT_A_LIST;
    if (int status = openCommandDatabase(args, args.hasDb)) return status;

    ListNames names;
    readListNames(names);
    // A new list takes the look of the list the program would show, as
    // Import List gives it the current list's; the program goes on opening
    // that list.
    char active[CURRENT_LIST_BYTES] = {};
    attrCurrentList = defaultListAttributes();
    if (readActiveListName(dbCurrent, active, CURRENT_LIST_BYTES))
        readListAttributes(dbCurrent, active, &attrCurrentList);
    strCurrentList[0] = 0;
    int status = startTarget(args, path, source, names);
    if (status == COMMAND_DONE && !importIntoCurrentList(nullptr, nullptr, path, source)) {
        // A line the rules refuse stops the import without a failed write.
        status = failureStatus(storageErrorCode() != SQLITE_OK ? COMMAND_FAILED : COMMAND_NOT_A_LIST);
    }
    if (active[0] && std::strcmp(active, strCurrentList) != 0) setActiveList(dbCurrent, active);
    closeCommandDatabase(true);
    return status;
}
