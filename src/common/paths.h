// Device paths the program builds: its own folder, the user's documents
// folder, the two parts of a path, whether a file is there, and a file name
// that is not taken yet. Out buffers are cut to their capacity (in wide
// characters, terminator included) and always terminated.
#pragma once

#include "windef.h"

// The folder of the program file without a trailing backslash; empty when the
// program lies in the root folder.
void getProgramFolder(WCHAR* out, int capacity);
// The user's personal documents folder, else "\My Documents".
void getDocumentsFolder(WCHAR* out, int capacity);
// The text before the last backslash of `path` (empty without one).
void getFolderPart(LPCWSTR path, WCHAR* out, int capacity);
// The text after the last backslash of `path` (all of it without one).
void getFilePart(LPCWSTR path, WCHAR* out, int capacity);
// 1 when a file-system search finds exactly this path, else 0.
int fileExists(LPCWSTR path);
// "<folder>\<base><n><extension>" for the first n of 1..1999 that does not
// exist, else the one with 1999. The extension includes its dot.
void makeUniqueFileName(LPCWSTR folder, LPCWSTR base, LPCWSTR extension, WCHAR* out, int capacity);
