#include "command_line/command_database.h"

#include <algorithm>

#include "command_line/command_status.h"
#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "common/wide_text.h"
#include "full_path.h"
#include "lists/list_passwords.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"
#include "wcrt.h"
#include "winbase.h"

namespace {

void tell(const std::u16string& text) { reportCommandError(text.c_str()); }

// The database the program opens at start: the one it had open last, else
// the default database in its folder. False when there is neither.
bool startDatabase(WCHAR* path) {
    // Reading a setting makes the settings file, whose absence marks the
    // program's first start: a device that has none keeps none.
    WCHAR remembered[SETTING_TEXT_CHARS] = {};
    if (settingsFileExists() && getSettingText(SETTING_CURRENTDBFILE, remembered) && remembered[0] &&
        fileExists(remembered)) {
        copyText(path, MAX_PATH, remembered);
        return true;
    }
    if (!defaultDatabaseExists()) return false;
    WCHAR folder[MAX_PATH] = {};
    getProgramFolder(folder, MAX_PATH);
    std::u16string file = std::u16string(folder) + u"\\quillet.qu2";
    copyText(path, MAX_PATH, file.c_str());
    return true;
}

}  // namespace

bool ListNames::textAt(int index, WCHAR* out, int capacity) {
    if (!out || capacity <= 0 || index < 0 || index >= count()) return false;
    copyText(out, capacity, names_[size_t(index)].c_str());
    return true;
}

bool ListNames::add(const WCHAR* name) {
    if (!name) return false;
    // Where the sorted combo box puts it: after the names that do not sort
    // after it.
    auto at = std::upper_bound(names_.begin(), names_.end(), std::u16string(name),
                               [](const std::u16string& a, const std::u16string& b) {
                                   return _wcsicmp(a.c_str(), b.c_str()) < 0;
                               });
    names_.insert(at, name);
    return true;
}

int commandPath(const std::u16string& word, WCHAR* out) {
    DWORD length = GetFullPathNameW(word.c_str(), MAX_PATH, out, nullptr);
    if (length == 0) {
        tell(word + u" lies neither in the device's root nor on its storage card.");
        return COMMAND_NOT_FOUND;
    }
    if (length >= MAX_PATH) {
        tell(word + u": the path is too long for the device.");
        return COMMAND_NOT_FOUND;
    }
    return COMMAND_DONE;
}

int openCommandDatabase(const CommandArgs& args, bool mayCreate) {
    WCHAR path[MAX_PATH] = {};
    if (args.hasDb) {
        if (int status = commandPath(args.db, path)) return status;
        if (!mayCreate && !fileExists(path)) {
            tell(u"There is no database file " + std::u16string(path) + u".");
            return COMMAND_NOT_FOUND;
        }
    } else if (!startDatabase(path)) {
        tell(u"There is no database yet: start Quillet Pro once, or name one with --db FILE.qu2.");
        return COMMAND_NOT_FOUND;
    }
    sqlite3* db = openListDatabase(path);
    if (!db) {
        messageDialog(nullptr, u"Could not open the selected database file!", u"Error", MD_STYLE_WARNING);
        return failureStatus(COMMAND_FAILED);
    }
    dbCurrent = db;
    return COMMAND_DONE;
}

void closeCommandDatabase(bool compact) {
    if (!dbCurrent) return;
    if (compact)
        closeDatabaseFile(dbCurrent);
    else
        sqlite3_close(dbCurrent);
    dbCurrent = nullptr;
}

void readListNames(ListNames& names) { fillListNameBox(dbCurrent, names); }

int openCommandList(ListNames& names, const std::u16string& name, const CommandArgs& args) {
    int index = names.find(name.c_str());
    if (index < 0) {
        tell(u"There is no list \"" + name + u"\".");
        return COMMAND_NOT_FOUND;
    }
    WCHAR shown[LIST_NAME_CHARS] = {};
    names.textAt(index, shown, LIST_NAME_CHARS);
    wideToCodePage(shown, strCurrentList, CURRENT_LIST_BYTES, LIST_NAME_CHARS - 1);
    attrCurrentList = defaultListAttributes();
    readListAttributes(dbCurrent, strCurrentList, &attrCurrentList);
    bListLocked = 0;
    if (attrCurrentList.bPassword != 1) return COMMAND_DONE;
    if (!args.hasPassword) {
        tell(u"The list \"" + std::u16string(shown) + u"\" is protected: give its password with --password.");
        return COMMAND_PASSWORD;
    }
    if (!unlockCurrentList(args.password.c_str())) {
        messageDialog(nullptr, u"Password does not match! ", u"Warning Message", MD_STYLE_WARNING);
        return COMMAND_PASSWORD;
    }
    return COMMAND_DONE;
}
