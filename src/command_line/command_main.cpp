#include "command_line/command_main.h"

#include <cstdio>
#include <string>

#include "command_line/command_args.h"
#include "command_line/command_status.h"
#include "command_line/commands.h"
#include "wcrt.h"

const WCHAR* const kCommandNames[] = {u"lists", u"export", u"import", nullptr};

const char kCommandUsage[] =
    "\n"
    "       quillet [--root DIR] [--card DIR] [--storage-limit SIZE] [--code-page N] COMMAND ...\n"
    "Commands, without a window (messages on standard error):\n"
    "  lists [FILE.qu2]      the database's lists, one a line; a protected list's\n"
    "                        name is followed by a tab and \"protected\"\n"
    "  export LIST OUT.txt|OUT.opml|OUT.md [--db FILE.qu2] [--password PW]\n"
    "                        writes LIST as Export List does, in the format OUT's\n"
    "                        name asks for\n"
    "  import IN.txt|IN.opml|IN.md [--db FILE.qu2] [--into LIST] [--password PW]\n"
    "                        reads IN as Import List does into a new list named\n"
    "                        from the file; with --into, adds it to LIST (made\n"
    "                        when missing)\n"
    "  Without --db: the database the program opened last, else the default one.\n"
    "  Files are device paths (\"\\My Documents\\a.txt\") or paths in the root or card.\n"
    "  --password PW opens a protected list.\n"
    "  Exit status: 0 done; 2 bad command line; 3 no such database, list or file;\n"
    "  4 password missing or wrong; 5 the file is not a list the import reads;\n"
    "  6 the device's store is full; 7 the database or a file could not be used;\n"
    "  16 Quillet Pro runs on the root.\n";

int CommandMain(int argc, LPWSTR* argv) {
    reportMessagesOnStandardError();
    CommandArgs args;
    std::u16string error;
    if (!parseCommandArgs(argc, argv, &args, &error)) {
        reportCommandError(error.c_str());
        fputws(u"quillet --help shows the commands and their options.\n", stderr);
        return COMMAND_USAGE;
    }
    int status = COMMAND_USAGE;
    if (args.command == u"lists")
        status = runListsCommand(args);
    else if (args.command == u"export")
        status = runExportCommand(args);
    else if (args.command == u"import")
        status = runImportCommand(args);
    else
        reportCommandError((u"there is no command " + args.command).c_str());
    if (status == COMMAND_USAGE) fputws(u"quillet --help shows the commands and their options.\n", stderr);
    return status;
}
