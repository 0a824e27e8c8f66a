// The two paths list import and export remember between runs, as string
// values under the program's registry key (HKEY_CLASSES_ROOT
// "Brambleworks\QuilletPro", made at start-up): "previousimportfolder" and
// "previousexportfile". Registry failures are silent: a value that cannot
// be read gives the caller's default, one that cannot be written is lost.
#pragma once

#include "windows.h"

#define REGISTRY_KEY_PATH u"Brambleworks\\QuilletPro"
#define REGISTRY_PREVIOUS_IMPORT u"previousimportfolder"
#define REGISTRY_PREVIOUS_EXPORT u"previousexportfile"

// Values of up to 1024 bytes are read.
enum { REGISTRY_TEXT_BYTES = 1024 };

// 0 and the value copied into `out` (cut to capacity - 1 characters), or 1
// when the key or the value cannot be read (`out` is then empty).
int readRegistryText(LPCWSTR valueName, WCHAR* out, int capacity);
// 0 when the value was set with its terminator, 1 when the key cannot be
// opened or the value cannot be set. The key is flushed afterwards.
int writeRegistryText(LPCWSTR valueName, LPCWSTR text);
// Writes the key to storage.
void flushRegistryKey();
