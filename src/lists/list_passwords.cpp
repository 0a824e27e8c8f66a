// List passwords: the Set List Password command, the unlock check run when a
// protected list becomes current, and the rules for passwords.
//
// Sections: rules and verification | enciphering a list | Set List Password
// | askListPassword
#include "lists/list_passwords.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "common/wide_text.h"
#include "crypto/cipher.h"
#include "lists/list_transaction.h"
#include "lists/password_dialog.h"
#include "outline/current_items.h"
#include "outline/tree_load.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/item_table.h"
#include "storage/list_attributes.h"

namespace {

// The text whose encipherment under a list's key is that list's verifier.
constexpr char kVerifierText[] = "4tr81mwqj;&!ovhu";

// A password's characters as key text: checking takes up to 99, setting up
// to 79, in as many bytes as the code page needs; typed passwords are at
// most 39 characters either way.
enum { CHECK_KEY_BYTES = 100, SET_KEY_BYTES = 80 };

}  // namespace

// --- rules and verification ----------------------------------------------------

int isPasswordAcceptable(LPCWSTR password) {
    if (!password) return 0;
    int length = textLength(password);
    if (length < 4 || length > PASSWORD_MAX_CHARS) return 0;
    // The key is made from the code-page form. A character the code page
    // cannot hold would become "?" there, so "ΩΣΦΨ" would be the key "????"
    // and any other four such characters would open the list: refuse them.
    char key[codePageBytes(SET_KEY_BYTES)];
    WCHAR back[PASSWORD_RECORD_CHARS];
    wideToCodePage(password, key, sizeof key, SET_KEY_BYTES - 1);
    codePageToWide(key, back, PASSWORD_RECORD_CHARS);
    for (int i = 0; i <= length; ++i)
        if (back[i] != password[i]) return 0;
    for (int i = 1; i < length; ++i)
        if (password[i] != password[0]) return 1;
    return 0;
}

namespace {

bool keyMatchesVerifier(const char* key, LPCWSTR verifier) {
    // Trying a key must not disturb the key the open list is read and
    // written with, whether the try succeeds or not.
    auto saved = std::make_unique<CipherKeySchedule>();
    saveCipherKey(saved.get());
    int matches = 0;
    if (setCipherKey(key) == 0) {
        WCHAR copy[PASSWORD_RECORD_CHARS];
        copyText(copy, PASSWORD_RECORD_CHARS, verifier);
        decipherWideHex(copy);
        WCHAR expected[sizeof kVerifierText];
        codePageToWide(kVerifierText, expected, int(sizeof kVerifierText));
        matches = 1;
        for (int i = 0; i < int(sizeof kVerifierText); ++i)
            if (copy[i] != expected[i]) {
                matches = 0;
                break;
            }
    }
    restoreCipherKey(saved.get());
    return matches == 1;
}

// The key a password opens its list with: the password's code-page text.
// A list protected while the device wrote Windows-1252 has that form of the
// password as its key, so on a device set to UTF-8 it is the key when only
// it matches.
void listKeyOf(LPCWSTR password, LPCWSTR verifier, char* key, int size) {
    wideToCodePage(password, key, size, CHECK_KEY_BYTES - 1);
    if (GetACP() != CP_UTF8 || keyMatchesVerifier(key, verifier)) return;
    char older[CHECK_KEY_BYTES];
    int length = std::min(textLength(password), CHECK_KEY_BYTES - 1);
    int written = WideCharToMultiByte(1252, 0, password, length, older, CHECK_KEY_BYTES - 1, nullptr, nullptr);
    if (written <= 0) return;
    older[written] = 0;
    if (std::strcmp(older, key) != 0 && keyMatchesVerifier(older, verifier))
        std::memcpy(key, older, size_t(written) + 1);
}

}  // namespace

int passwordMatchesVerifier(LPCWSTR password, LPCWSTR verifier) {
    if (!password || !verifier || textLength(password) < 4 || verifier[0] == 0) return 0;
    char key[codePageBytes(CHECK_KEY_BYTES)];
    listKeyOf(password, verifier, key, sizeof key);
    return keyMatchesVerifier(key, verifier) ? 1 : 0;
}

int runPasswordDialog(HWND owner, PasswordDialogRecord* record) {
    if (!record) return 0;
    INT_PTR result = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgPassword), owner, passwordDialogProc,
                                     reinterpret_cast<LPARAM>(record));
    return result == 1 ? 1 : 0;
}

// --- enciphering a list -----------------------------------------------------------

int encipherListWithPassword(const char* listName, LPCWSTR password, WCHAR* verifier) {
    if (!dbCurrent || !listName || !password || !verifier) return 0;
    verifier[0] = 0;
    char key[codePageBytes(SET_KEY_BYTES)];
    wideToCodePage(password, key, sizeof key, SET_KEY_BYTES - 1);
    if (setCipherKey(key) != 0) return 0;
    if (encipherItemTable(itemTableOf(dbCurrent, listName)) != SQLITE_DONE) return 0;
    makePasswordVerifier(verifier);
    return verifier[0] != 0 ? 1 : 0;
}

// --- Set List Password --------------------------------------------------------------

namespace {

// Stores the attributes when the database holds a list to store them for.
bool writeAttributesIfAny() {
    if (intListCount <= 0) return true;
    return writeListAttributes(dbCurrent, strCurrentList, attrCurrentList) == 1;
}

// Changes or removes the password of a protected list, in one transaction:
// the table is deciphered with the key in force and, for a change,
// enciphered again under the new one. Returns true when it is all stored.
bool changePassword(const WCHAR* newPassword, bool* removed) {
    *removed = newPassword[0] == 0;
    if (!beginListTransaction(dbCurrent)) return false;
    bool ok = decipherItemTable(currentItemTable()) == SQLITE_DONE;
    if (ok && !*removed) {
        WCHAR verifier[PASSWORD_RECORD_CHARS];
        ok = encipherListWithPassword(strCurrentList, newPassword, verifier) == 1;
        if (ok) copyText(attrCurrentList.strPassword, LIST_PASSWORD_CHARS, verifier);
    } else if (ok) {
        attrCurrentList.bPassword = 0;
        attrCurrentList.strPassword[0] = 0;
    }
    ok = ok && writeAttributesIfAny();
    if (!ok) {
        rollbackListTransaction(dbCurrent);
        return false;
    }
    return commitListTransaction(dbCurrent);
}

// Protects an unprotected list, in one transaction.
bool setPassword(const WCHAR* newPassword) {
    if (!beginListTransaction(dbCurrent)) return false;
    WCHAR verifier[PASSWORD_RECORD_CHARS];
    bool ok = encipherListWithPassword(strCurrentList, newPassword, verifier) == 1;
    if (ok) {
        copyText(attrCurrentList.strPassword, LIST_PASSWORD_CHARS, verifier);
        attrCurrentList.bPassword = 1;
        ok = writeAttributesIfAny();
    }
    if (!ok) {
        rollbackListTransaction(dbCurrent);
        return false;
    }
    return commitListTransaction(dbCurrent);
}

// The top band down to the bottom of the list-name bar, where the small
// padlock of a protected list is drawn.
void repaintPadlockBand(HWND hwnd) {
    RECT client;
    if (!hwnd || !GetClientRect(hwnd, &client)) return;
    client.bottom = intListBarBottom;
    InvalidateRect(hwnd, &client, TRUE);
}

}  // namespace

LRESULT onSetListPassword(HWND hwnd, int, HWND, int) {
    // The menu offers the command only with a list open; a stray command
    // (40086 has no menu item) must not encipher nothing or the wrong thing.
    if (!dbCurrent || strCurrentList[0] == 0 || bListLocked == 1) return 0;

    PasswordDialogRecord record = {};
    copyText(record.title, PASSWORD_RECORD_CHARS, u"Set List Password");
    const ListAttributes before = attrCurrentList;
    auto savedKey = std::make_unique<CipherKeySchedule>();
    saveCipherKey(savedKey.get());
    bool ok = true;
    bool removed = false;

    if (attrCurrentList.bPassword == 1) {
        record.mode = PASSWORD_MODE_CHANGE;
        copyText(record.password, PASSWORD_RECORD_CHARS, attrCurrentList.strPassword);
        if (!runPasswordDialog(hwnd, &record)) return 0;
        ok = changePassword(record.password, &removed);
    } else {
        record.mode = PASSWORD_MODE_SET;
        if (!runPasswordDialog(hwnd, &record)) return 0;
        ok = setPassword(record.password);
    }

    if (!ok) {
        // Nothing was stored: the list keeps its texts, its verifier and the
        // key they were written with.
        attrCurrentList = before;
        restoreCipherKey(savedKey.get());
        messageDialog(hwnd, u"The list password could not be changed!", u"Error", MD_STYLE_WARNING);
    } else {
        // Alphabetic sorting of a protected list sorts by the deciphered
        // text, which only the protected list's queries name: the clause
        // must follow the change, or the next reload would fail or sort by
        // the cipher text.
        buildOrderClause(strOrderClause, ORDER_CLAUSE_BYTES, attrCurrentList.bAlphaSort, attrCurrentList.bCheckSort,
                         attrCurrentList.bPassword);
        if (removed) {
            releaseCipherBuffer();
            messageDialog(hwnd, u"List Password has been removed", u"Information", MD_STYLE_WARNING);
        }
    }
    repaintPadlockBand(hwnd);
    return 0;
}

// --- askListPassword ------------------------------------------------------------------

namespace {

void putListKeyInForce(LPCWSTR password, LPCWSTR verifier) {
    char key[codePageBytes(CHECK_KEY_BYTES)];
    listKeyOf(password, verifier, key, sizeof key);
    setCipherKey(key);
}

}  // namespace

int unlockCurrentList(LPCWSTR password) {
    if (attrCurrentList.bPassword != 1) return 1;
    // As the dialog reads its field: blanks around a password are not part of it.
    WCHAR entered[PASSWORD_RECORD_CHARS];
    copyText(entered, PASSWORD_RECORD_CHARS, password);
    trimSpaces(entered);
    if (!passwordMatchesVerifier(entered, attrCurrentList.strPassword)) return 0;
    putListKeyInForce(entered, attrCurrentList.strPassword);
    return 1;
}

int askListPassword() {
    releaseCipherBuffer();
    if (attrCurrentList.bPassword != 1) return 0;

    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    if (hwndMainTV) ShowWindow(hwndMainTV, SW_HIDE);
    if (hwndNotes) ShowWindow(hwndNotes, SW_HIDE);
    if (hwndSplitter) ShowWindow(hwndSplitter, SW_HIDE);

    PasswordDialogRecord record = {};
    record.mode = PASSWORD_MODE_ENTER;
    copyText(record.password, PASSWORD_RECORD_CHARS, attrCurrentList.strPassword);
    copyText(record.title, PASSWORD_RECORD_CHARS, u"Get List Password");

    int result;
    if (runPasswordDialog(hwndMain, &record) == 1) {
        putListKeyInForce(record.password, attrCurrentList.strPassword);
        if (hwndMainTV) ShowWindow(hwndMainTV, SW_SHOW);
        if (hwndSplitter) ShowWindow(hwndSplitter, SW_SHOW);
        if (hwndNotes) ShowWindow(hwndNotes, SW_SHOW);
        result = 0;
    } else {
        releaseCipherBuffer();
        result = 1;
    }
    SHSipPreference(hwndMain, SIP_DOWN);
    return result;
}
