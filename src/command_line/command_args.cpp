#include "command_line/command_args.h"

#include "command_line/command_status.h"

namespace {

struct Option {
    const char16_t* name;
    std::u16string CommandArgs::*value;
    bool CommandArgs::*given;
};

const Option kOptions[] = {
    {u"--db", &CommandArgs::db, &CommandArgs::hasDb},
    {u"--into", &CommandArgs::into, &CommandArgs::hasInto},
    {u"--password", &CommandArgs::password, &CommandArgs::hasPassword},
};

}  // namespace

bool parseCommandArgs(int argc, LPWSTR* argv, CommandArgs* out, std::u16string* error) {
    *out = CommandArgs{};
    if (argc < 1 || !argv[0]) return false;
    out->command = argv[0];
    for (int i = 1; i < argc; ++i) {
        std::u16string word = argv[i];
        if (word.size() < 2 || word[0] != u'-') {
            out->words.push_back(word);
            continue;
        }
        const Option* option = nullptr;
        for (const Option& o : kOptions)
            if (word == o.name) option = &o;
        if (!option) {
            *error = u"unknown option " + word;
            return false;
        }
        if (out->*(option->given)) {
            *error = word + u" is given twice";
            return false;
        }
        // A value may start with a dash (a password may), but not be empty.
        if (i + 1 >= argc || !argv[i + 1][0]) {
            *error = word + u" needs a value";
            return false;
        }
        out->*(option->value) = argv[++i];
        out->*(option->given) = true;
    }
    return true;
}

int commandTakes(const CommandArgs& args, size_t minWords, size_t maxWords, const char16_t* needs, int options) {
    const char16_t* unwanted = args.hasDb && !(options & TAKES_DB)                 ? u"--db"
                               : args.hasInto && !(options & TAKES_INTO)           ? u"--into"
                               : args.hasPassword && !(options & TAKES_PASSWORD)   ? u"--password"
                                                                                   : nullptr;
    std::u16string error;
    if (unwanted)
        error = args.command + u" does not take " + unwanted;
    else if (args.words.size() < minWords)
        error = args.command + u" needs " + needs;
    else if (args.words.size() > maxWords)
        error = args.command + u" does not take \"" + args.words[maxWords] + u"\"";
    if (error.empty()) return COMMAND_DONE;
    reportCommandError(error.c_str());
    return COMMAND_USAGE;
}
