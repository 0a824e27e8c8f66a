// Code pages and locale-dependent formatting of the device.
#pragma once
#include "windef.h"

// --- code pages. The system code page (CP_ACP) is Windows-1252.
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

#define WC_COMPOSITECHECK 0x00000200
#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_NO_BEST_FIT_CHARS 0x00000400

// CodePage: CP_ACP, CP_THREAD_ACP or 1252 (Windows-1252), or CP_UTF8; others
// fail with ERROR_INVALID_PARAMETER. A length of -1 means NUL-terminated, the
// NUL included in the conversion and in the count. An output size of 0
// returns the size needed; too small an output fails with
// ERROR_INSUFFICIENT_BUFFER after filling what fits. A character missing from
// Windows-1252 becomes lpDefaultChar's first byte (else '?') and sets
// *lpUsedDefaultChar; both must be null for CP_UTF8. Invalid UTF-8 becomes
// U+FFFD, or fails with ERROR_NO_UNICODE_TRANSLATION under MB_ERR_INVALID_CHARS.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
UINT GetACP(void);
