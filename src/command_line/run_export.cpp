#include "command_line/command_database.h"
#include "command_line/command_status.h"
#include "command_line/commands.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "exchange/text_export.h"
#include "winbase.h"

namespace {

// Export List's chooser offers only folders that are there; a file in a
// folder that is not is one the export cannot open.
bool folderExists(LPCWSTR path) {
    WCHAR folder[MAX_PATH] = {};
    getFolderPart(path, folder, MAX_PATH);
    if (!folder[0]) return true;  // the root
    DWORD attributes = GetFileAttributesW(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int runExportCommand(const CommandArgs& args) {
    if (int status = commandTakes(args, 2, 2, u"a list and the file to write", TAKES_DB | TAKES_PASSWORD)) return status;
    WCHAR path[MAX_PATH] = {};
    if (int status = commandPath(args.words[1], path)) return status;
    if (!folderExists(path)) {
        messageDialog(nullptr, u"Could not open file!", u"Warning Message", MD_STYLE_WARNING);
        return COMMAND_NOT_FOUND;
    }
    if (int status = openCommandDatabase(args, false)) return status;
    ListNames names;
    readListNames(names);
    int status = openCommandList(names, args.words[0], args);
    if (status == COMMAND_DONE && !exportList(nullptr, path)) status = failureStatus(COMMAND_FAILED);
    closeCommandDatabase(false);
    return status;
}
