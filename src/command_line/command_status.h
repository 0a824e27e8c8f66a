// Exit statuses of the commands, and the message reporter that writes the
// program's messages to standard error.
#pragma once

#include "windef.h"

enum CommandStatus {
    COMMAND_DONE = 0,
    COMMAND_USAGE = 2,         // a bad command line
    COMMAND_NOT_FOUND = 3,     // no such database, list or file
    COMMAND_PASSWORD = 4,      // a protected list without its password, or a wrong one
    COMMAND_NOT_A_LIST = 5,    // the file to import does not read as a list
    COMMAND_STORAGE_FULL = 6,  // the device's store has no room for the change
    COMMAND_FAILED = 7,        // the database or a file could not be used
};

// Makes messageDialog write each message to standard error ("quillet: " and
// its text) and answer as the cautious choice: OK, Cancel or No.
void reportMessagesOnStandardError();
// A message of the command's own, as the program's are written.
void reportCommandError(LPCWSTR text);
// COMMAND_STORAGE_FULL when the failure just reported met a full store,
// else `otherwise`.
int failureStatus(int otherwise);
