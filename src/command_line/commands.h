// The commands, each with its words already split (command_args.h); each
// returns its exit status (command_status.h).
#pragma once

#include "command_line/command_args.h"

// lists [FILE.qu2]: the database's lists, one name a line, sorted as the
// list-name box shows them; a protected list's name is followed by a tab
// and "protected".
int runListsCommand(const CommandArgs& args);
// export LIST OUT [--db FILE.qu2] [--password PW]: Export List's file of
// LIST, in the format OUT's name asks for.
int runExportCommand(const CommandArgs& args);
// import IN [--db FILE.qu2] [--into LIST] [--password PW]: Import List of
// IN into a new list, or added to LIST (made when missing).
int runImportCommand(const CommandArgs& args);
