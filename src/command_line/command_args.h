// The words of a command: its plain words in order and the options --db,
// --into and --password, each with the word after it.
#pragma once

#include <string>
#include <vector>

#include "windef.h"

struct CommandArgs {
    std::u16string command;            // argv[0]
    std::vector<std::u16string> words;  // the words that are no option
    std::u16string db, into, password;
    bool hasDb = false, hasInto = false, hasPassword = false;
};

// Splits argv; false with `error` for an unknown option, an option without
// its value or given twice.
bool parseCommandArgs(int argc, LPWSTR* argv, CommandArgs* out, std::u16string* error);

// The options a command takes.
enum { TAKES_DB = 1, TAKES_INTO = 2, TAKES_PASSWORD = 4 };

// Checks what one command takes: between `minWords` and `maxWords` plain
// words (`needs` says which) and only the options in `options`.
// COMMAND_DONE, or COMMAND_USAGE with the reason on standard error.
int commandTakes(const CommandArgs& args, size_t minWords, size_t maxWords, const char16_t* needs, int options);
