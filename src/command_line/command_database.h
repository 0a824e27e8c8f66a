// The database and the list a command works on.
#pragma once

#include <string>
#include <vector>

#include "command_line/command_args.h"
#include "storage/list_name_box.h"
#include "windef.h"

// The list names of a database in the order the list-name box shows them
// (sorted ignoring case), without a window.
class ListNames : public ListNameBox {
public:
    int count() override { return int(names_.size()); }
    bool textAt(int index, WCHAR* out, int capacity) override;
    void reset() override { names_.clear(); }
    bool add(const WCHAR* name) override;
    const std::vector<std::u16string>& names() const { return names_; }

private:
    std::vector<std::u16string> names_;
};

// The device path a word of the command line names (a device path, or a
// desktop path inside the root or on the card): COMMAND_DONE with `out`
// filled (MAX_PATH characters of room), else told with its status.
int commandPath(const std::u16string& word, WCHAR* out);

// Opens the database as dbCurrent: `args.db` when given, else the one the
// program opened last, else the default database. A missing file given
// with --db is made when `mayCreate`. COMMAND_DONE, else told with its
// status. The file is closed with closeCommandDatabase.
int openCommandDatabase(const CommandArgs& args, bool mayCreate);
// Closes dbCurrent; `compact` as the program leaves a database it changed.
void closeCommandDatabase(bool compact);

// Fills `names` with the lists of dbCurrent.
void readListNames(ListNames& names);

// Makes the list `name` (found ignoring case) current: strCurrentList,
// attrCurrentList and, for a protected list, the key of `password`
// (args.hasPassword). COMMAND_DONE, else told with its status.
int openCommandList(ListNames& names, const std::u16string& name, const CommandArgs& args);
