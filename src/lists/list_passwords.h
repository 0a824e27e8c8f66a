// List passwords: the Set List Password command (set, change, remove), the
// password dialog in its three modes, the rules a new password must meet, and
// the check that runs whenever a protected list becomes current. The texts
// and notes of a protected list are stored enciphered under a key made from
// its password; its attribute row holds only a verifier.
#pragma once

#include "state/command_handler.h"
#include "windows.h"

// Dialog modes.
enum {
    PASSWORD_MODE_CHANGE = 1,  // old, new and confirm: change or remove
    PASSWORD_MODE_SET = 2,     // new and confirm
    PASSWORD_MODE_ENTER = 3,   // one field: unlock the list
};

enum { PASSWORD_RECORD_CHARS = 80, PASSWORD_MAX_CHARS = 39 };

// What the caller hands the password dialog and gets back filled.
struct PasswordDialogRecord {
    // In: the current verifier (modes 1 and 3). Out: the new password (modes
    // 1 and 2; empty in mode 1 asks for removal) or the entered one (mode 3).
    WCHAR password[PASSWORD_RECORD_CHARS];
    WCHAR title[PASSWORD_RECORD_CHARS];  // "Set List Password" or "Get List Password"
    int mode;
};

// 40085 "For List..." and 40086: set, change or remove the current list's
// password, enciphering or deciphering all its texts and notes.
LRESULT onSetListPassword(HWND hwnd, int id, HWND hwndCtl, int code);

// Runs whenever a list becomes current or a tap asks to unlock it: 0 when
// the list is usable (no password, or the right one given: its key is then
// in force), 1 when the user cancelled. Callers set bListLocked from it.
int askListPassword();

// The same check with a password given some other way (the command line):
// 1 when the current list is not protected or `password` (blanks around it
// ignored) opens it, its key then in force; 0 and nothing changed when not.
int unlockCurrentList(LPCWSTR password);

// 1 when `password` may be set: at least 4 characters, not all the same.
int isPasswordAcceptable(LPCWSTR password);

// 1 when `password` (already trimmed) opens the list whose verifier is
// `verifier`. The key in force is the same afterwards either way.
int passwordMatchesVerifier(LPCWSTR password, LPCWSTR verifier);

// The password dialog (template 164) run modally with `record`; 1 OK (record
// filled), 0 cancelled.
int runPasswordDialog(HWND owner, PasswordDialogRecord* record);

// Puts `password` (trimmed, 8-bit) in force as the cipher key, enciphers every
// text and note of `listName`, and returns the verifier in `verifier` (80
// characters of room); 1 done, 0 failed. Runs inside the caller's transaction.
int encipherListWithPassword(const char* listName, LPCWSTR password, WCHAR* verifier);
