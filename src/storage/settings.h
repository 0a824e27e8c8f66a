// The settings store: settings.qux in the program folder, a table AppSettings
// of text keys and text values. Every read or write opens the file, runs its
// statements and closes it again (compacting it unless nothing in it changed
// and it has no free pages), so the file is never held open between
// accesses. A write of the value stored already writes nothing. Integers
// are stored as their decimal text.
#pragma once

#include "windef.h"

// Every key the program stores.
#define SETTING_CURRENTDBFILE u"currentdbfile"
#define SETTING_BACKUPFOLDER u"backupfolder"
#define SETTING_BACKUPDATABASE u"backupdatabase"
#define SETTING_WARNINGMESSAGE u"warningmessage"
#define SETTING_CLEARTYPE u"cleartype"
#define SETTING_TIMESTAMP u"timestamp"
#define SETTING_KEYBOARDSIP u"keyboardsip"
#define SETTING_FONTSIZETV u"fontsizeTV"
#define SETTING_FONTSIZENOTES u"fontsizeNotes"
#define SETTING_FONTSIZENAME u"fontsizeName"
#define SETTING_EDITBARVISIBLE u"editbarvisible"
#define SETTING_NOTESEBOPEN u"notesebopen"
#define SETTING_NOTEEBHEIGHTPREVIOUS u"noteebheightprevious"
#define SETTING_SETBARTOP u"setbartop"
#define SETTING_COLORPICKERSELECTIONMODE u"colorpickerselectionmode"
#define SETTING_LISTINDEX u"listindex"

// Room for a setting's text value, terminator included.
enum { SETTING_TEXT_CHARS = 200 };

// 0 found (value copied, cut to capacity - 1 characters); 1 no such key
// (value untouched); -1 the file cannot be opened, holds no table, or the
// query fails.
int getSetting(LPCWSTR key, WCHAR* value, int capacity);
// 0 stored; -1 not stored (the file keeps its earlier value).
int setSetting(LPCWSTR key, LPCWSTR value);
// 1 and `value` set from the stored text; 0 (untouched) when not found.
int getSettingInt(LPCWSTR key, int* value);
// 1 and the text in `value` (SETTING_TEXT_CHARS characters of room); 0 not found.
int getSettingText(LPCWSTR key, WCHAR* value);
// setSetting with the integer as decimal text.
int setSettingInt(LPCWSTR key, int value);
// setSetting with a text.
int setSettingText(LPCWSTR key, LPCWSTR value);
// 1 when settings.qux exists in the program folder (looked up, not opened).
int settingsFileExists();
// 1 when the default database quillet.qu2 exists in the program folder.
int defaultDatabaseExists();

// The path of a file in `folder`: the folder, a backslash, the name. For
// reads a folder of exactly one character is left out, as reads have always
// done; writes keep it.
void settingsPathIn(LPCWSTR folder, LPCWSTR fileName, bool forReading, WCHAR* out, int capacity);
