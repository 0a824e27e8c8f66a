// Backup copies of the database file and the Backup Folder command.
#include "lists/backup.h"

#include <string>

#include "common/message_dialog.h"
#include "common/paths.h"
#include "dialogs/file_chooser.h"
#include "state/app_state.h"
#include "storage/settings.h"
#include "wcrt.h"

namespace {

void copyOut(const std::u16string& text, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    size_t length = text.size() < size_t(capacity - 1) ? text.size() : size_t(capacity - 1);
    std::char_traits<WCHAR>::copy(out, text.data(), length);
    out[length] = 0;
}

// The folder of a database path; a file right in the root lies in "\".
std::u16string folderOf(LPCWSTR dbPath) {
    std::u16string path = dbPath ? dbPath : u"";
    size_t slash = path.rfind(u'\\');
    if (slash == std::u16string::npos) return {};
    return slash == 0 ? std::u16string(u"\\") : path.substr(0, slash);
}

}  // namespace

void backupFileName(LPCWSTR dbPath, WCHAR* out, int capacity) {
    std::u16string path = dbPath ? dbPath : u"";
    size_t slash = path.rfind(u'\\');
    std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(u'.');
    if (dot == std::u16string::npos)
        name += u"-backup";
    else
        name = name.substr(0, dot) + u"-backup.qu2";
    copyOut(name, out, capacity);
}

void backupPath(LPCWSTR backupFolder, LPCWSTR dbPath, WCHAR* out, int capacity) {
    std::u16string folder = backupFolder ? backupFolder : u"";
    WCHAR name[MAX_PATH];
    backupFileName(dbPath, name, MAX_PATH);
    copyOut((folder == u"\\" ? folder : folder + u"\\") + name, out, capacity);
}

int isOutsideBackupFolder(LPCWSTR backupFolder, LPCWSTR dbPath) {
    std::u16string folder = folderOf(dbPath);
    return _wcsicmp(folder.c_str(), backupFolder ? backupFolder : u"") != 0;
}

int backupDatabaseFile(HWND owner, LPCWSTR backupFolder, LPCWSTR dbPath) {
    if (!dbPath || !dbPath[0] || !isOutsideBackupFolder(backupFolder, dbPath)) return 0;
    WCHAR target[MAX_PATH + 1];
    backupPath(backupFolder, dbPath, target, MAX_PATH + 1);
    if (CopyFileW(dbPath, target, FALSE)) return 1;
    messageDialog(owner,
                  u"Error in saving backup file. Please check you settings to ensure that the backup folder location "
                  u"is valid.",
                  u"Warning", MD_STYLE_WARNING);
    return 0;
}

int backupsEnabled() {
    int on = bBackupDatabase;
    getSettingInt(SETTING_BACKUPDATABASE, &on);
    return on == 1;
}

void currentBackupFolder(WCHAR* out) {
    if (!getSettingText(SETTING_BACKUPFOLDER, out)) copyOut(strBackupFolder, out, BACKUP_FOLDER_CHARS);
}

void warnBackupImpossible(HWND owner) {
    messageDialog(owner,
                  u"The currently opened database file is in the specified backup folder location, so a backup "
                  u"cannot be made.",
                  u"Warning", MD_STYLE_WARNING);
}

void backUpClosedDatabase(HWND owner, LPCWSTR dbPath, int warnInside) {
    if (!dbPath || !dbPath[0] || !backupsEnabled()) return;
    WCHAR folder[BACKUP_FOLDER_CHARS] = {};
    currentBackupFolder(folder);
    if (isOutsideBackupFolder(folder, dbPath))
        backupDatabaseFile(owner, folder, dbPath);
    else if (warnInside)
        warnBackupImpossible(owner);
}

LRESULT onBackupFolder(HWND hwnd, int, HWND, int) {
    WCHAR path[CHOOSER_PATH_CHARS] = {};
    currentBackupFolder(path);
    FileChooserRequest request = {path, u"Backup Folder Location", u".qu2", CHOOSE_FOLDER, CHOOSER_PATH_CHARS};
    if (!chooseFile(hwnd, &request) || !path[0]) return 0;
    // The folder is kept without its trailing backslash; the root stays "\".
    std::u16string chosen = path;
    size_t slash = chosen.rfind(u'\\');
    if (slash != std::u16string::npos) chosen = slash == 0 ? std::u16string(u"\\") : chosen.substr(0, slash);
    copyOut(chosen, strBackupFolder, BACKUP_FOLDER_CHARS);
    setSettingText(SETTING_BACKUPFOLDER, strBackupFolder);
    return 0;
}
