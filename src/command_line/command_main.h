// The program's commands that run without a window, for scripts and
// backups:
//   quillet lists [FILE.qu2]
//   quillet export LIST OUT.{txt,opml,md} [--db FILE.qu2] [--password PW]
//   quillet import IN.{txt,opml,md} [--db FILE.qu2] [--into LIST] [--password PW]
// They go through the same code as the File menu's commands; the messages
// those show in message boxes are written to standard error.
#pragma once

#include "windef.h"

// The words that name the commands, ending with a null.
extern const WCHAR* const kCommandNames[];
// The lines of the usage text that describe them.
extern const char kCommandUsage[];

// Runs the command argv[0] with the words after it; the exit status
// (command_status.h).
int CommandMain(int argc, LPWSTR* argv);
