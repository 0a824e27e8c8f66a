#include <cstdio>

#include "command_line/command_database.h"
#include "command_line/command_status.h"
#include "command_line/commands.h"
#include "common/codepage.h"
#include "state/app_state.h"
#include "storage/list_attributes.h"
#include "wcrt.h"

int runListsCommand(const CommandArgs& args) {
    // The database may be named as the window's command line names it, or
    // with --db as the other commands do.
    if (int status = commandTakes(args, 0, args.hasDb ? 0 : 1, u"", TAKES_DB)) return status;
    CommandArgs named = args;
    if (!args.words.empty()) {
        named.db = args.words[0];
        named.hasDb = true;
    }
    if (int status = openCommandDatabase(named, false)) return status;
    ListNames names;
    readListNames(names);
    for (const std::u16string& name : names.names()) {
        char stored[CURRENT_LIST_BYTES];
        wideToCodePage(name.c_str(), stored, sizeof stored, LIST_NAME_CHARS - 1);
        ListAttributes attributes = defaultListAttributes();
        readListAttributes(dbCurrent, stored, &attributes);
        fputws(name.c_str(), stdout);
        fputws(attributes.bPassword == 1 ? u"\tprotected\n" : u"\n", stdout);
    }
    closeCommandDatabase(false);
    return fflush(stdout) == 0 ? COMMAND_DONE : COMMAND_FAILED;
}
