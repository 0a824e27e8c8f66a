// The program's own chooser of folders and files (template 110), used in
// place of the platform's file dialogs: a full-screen dialog with the
// device's folders as a tree that is read from the file system as it is
// expanded. It picks a folder, an existing file of one extension, or a
// folder and a new file name; folders can be made and names edited in
// place, which renames them on disk.
#pragma once

#include "windows.h"

enum {
    CHOOSE_FOLDER = 1,    // a folder; the result ends in a backslash
    CHOOSE_FILE = 2,      // an existing file with the extension
    CHOOSE_NEW_FILE = 4,  // a folder and a typed file name
};

// Room the callers give the result, terminator included.
enum { CHOOSER_PATH_CHARS = 200 };

// What the caller asks for, and where the answer goes.
struct FileChooserRequest {
    WCHAR* strPath;         // in: starting folder (modes 1, 2) or proposed file (mode 4); out: the choice
    LPCWSTR strTitle;       // shown at the top of the dialog
    LPCWSTR strExtension;   // with its dot, e.g. ".txt", or several: ".txt;.md"; not used in mode 1
    int intMode;            // CHOOSE_FOLDER, CHOOSE_FILE or CHOOSE_NEW_FILE
    int intPathSize;        // capacity of strPath in characters
};

// Runs the chooser modally over `owner`. 1 when the user accepted (strPath
// holds the result), 0 when cancelled or the dialog could not be made
// (strPath unchanged).
int chooseFile(HWND owner, FileChooserRequest* request);

// --- the rules behind the dialog (pure; the dialog and the tests use them) --

// Pictures of the tree's nodes, by their place in the image list.
enum {
    CHOOSER_PIC_OPEN_FOLDER = 0,
    CHOOSER_PIC_FOLDER = 1,
    CHOOSER_PIC_PROGRAM = 2,
    CHOOSER_PIC_DOCUMENT = 3,
    CHOOSER_PIC_DATABASE = 4,
    CHOOSER_PIC_COUNT = 5,
};

// 1 when `name` ends in `extension`, or in one of several separated by
// ";", ignoring letter case (an empty extension matches nothing).
int endsWithExtension(LPCWSTR name, LPCWSTR extension);
// The length of the extension of that list that `name` ends in; 0 for none.
int matchedExtensionLength(LPCWSTR name, LPCWSTR extensions);
// The picture of a file node: .exe a program, .db a database, else a document.
int pictureForFile(LPCWSTR name);
// The path of a child node: "\" + label under the root "\", parent + "\" +
// label elsewhere.
void joinNodePath(LPCWSTR parentPath, LPCWSTR label, WCHAR* out, int capacity);
// The folder a request starts in: strPath in modes 1 and 2; in mode 4 the
// text before its last backslash ("\" when that is its first character,
// empty without a backslash).
void requestStartFolder(const FileChooserRequest& request, WCHAR* out, int capacity);
// Mode 4's proposed name: the text after the last backslash of strPath.
void requestFileName(const FileChooserRequest& request, WCHAR* out, int capacity);
// Mode 4's result from the selected node's path (no trailing backslash) and
// the typed name: the node's folder (its own path, or its folder when the
// node is a file with the extension), a backslash unless that folder is "\"
// or ends in one, and the name.
void newFilePath(LPCWSTR nodePath, LPCWSTR extension, LPCWSTR typedName, WCHAR* out, int capacity);

// The path to list for a folder: "\*.*" appended ("*.*" after the root "\").
void folderPattern(LPCWSTR folder, WCHAR* out, int capacity);
// 1 when the folder at `path` holds what the mode shows: a plain subfolder
// (attributes exactly "directory"), or in modes 2 and 4 a file whose name
// ends in `extension`.
int folderHasContent(LPCWSTR path, int mode, LPCWSTR extension);
// 1 when a directory entry is a file the mode lists: modes 2 and 4, a name
// longer than the extension it ends in.
int isListedFile(LPCWSTR name, int mode, LPCWSTR extension);
