// Backups of the database file: the copy made in the backup folder when a
// database is left (by New Database, Open Database or the end of the
// program) while the setting "backupdatabase" is 1, and the Backup Folder
// command that chooses where the copies go.
#pragma once

#include "state/command_handler.h"
#include "windows.h"

// The backup copy's file name: the database file's name with the part from
// its last "." replaced by "-backup.qu2", or "-backup" appended when the
// name has no ".".
void backupFileName(LPCWSTR dbPath, WCHAR* out, int capacity);
// The backup copy's path: the folder, "\" and the backup file name ("\" and
// the name when the folder is the root "\").
void backupPath(LPCWSTR backupFolder, LPCWSTR dbPath, WCHAR* out, int capacity);
// 1 when the database does not lie in the backup folder (the folders
// compared ignoring letter case), 0 when it does.
int isOutsideBackupFolder(LPCWSTR backupFolder, LPCWSTR dbPath);
// Copies the (closed) database file to its backup path, over an older copy;
// nothing when it lies in the backup folder. Tells the user when the copy
// cannot be made. 1 copied, 0 not.
int backupDatabaseFile(HWND owner, LPCWSTR backupFolder, LPCWSTR dbPath);

// 1 when backups are on (the setting "backupdatabase" is 1).
int backupsEnabled();
// The backup folder: the setting "backupfolder", else the one loaded at
// start-up (the documents folder by default). `out` holds 200 characters.
void currentBackupFolder(WCHAR* out);

// The copy made after the database at `dbPath` was closed: when backups
// are on and it lies outside the backup folder it is copied; when it lies
// inside and `warnInside` is 1, the user is told that no copy can be made.
void backUpClosedDatabase(HWND owner, LPCWSTR dbPath, int warnInside);
// The warning that the open database lies in the backup folder.
void warnBackupImpossible(HWND owner);

// 40016 "Backup Folder...": chooses the backup folder and stores it.
LRESULT onBackupFolder(HWND hwnd, int id, HWND hwndCtl, int code);
