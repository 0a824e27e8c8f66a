// Code pages and locale-dependent formatting of the device.
#pragma once
#include "windef.h"

// --- code pages. The system code page (CP_ACP) is Windows-1252 unless the
// device is set to another.
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

// CodePage: CP_ACP or CP_THREAD_ACP (the system code page, GetACP), a
// Windows single-byte page (874, 1250 to 1258), or CP_UTF8; others fail
// with ERROR_INVALID_PARAMETER. With the system code page set to UTF-8,
// CP_ACP writes UTF-8 and reads bytes that are not UTF-8 as Windows-1252. A length of -1 means NUL-terminated, the
// NUL included in the conversion and in the count. An output size of 0
// returns the size needed; too small an output fails with
// ERROR_INSUFFICIENT_BUFFER after filling what fits. A character missing from
// a single-byte page becomes lpDefaultChar's first byte (else '?') and sets
// *lpUsedDefaultChar; both must be null for CP_UTF8. Invalid UTF-8 becomes
// U+FFFD, or fails with ERROR_NO_UNICODE_TRANSLATION under MB_ERR_INVALID_CHARS.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
UINT GetACP(void);

// --- dates and times
typedef DWORD LCID;
#define LOCALE_NEUTRAL 0x0000
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_NOUSEROVERRIDE 0x80000000

#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002
#define DATE_USE_ALT_CALENDAR 0x00000004

#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008

// Formats a date (lpDate null: today) by a picture such as "dd/MM/yyyy" or,
// without one, by the locale's short or long form. Pictures: d dd ddd dddd,
// M MM MMM MMMM, y yy yyyy, g gg (no era: nothing); text in single quotes is
// literal ('' is a quote). The locale follows the host's LC_TIME where it
// has one, else US English ("M/d/yyyy", "dddd, MMMM d, yyyy"). Returns the
// characters written including the NUL; a size of 0 returns the size
// needed; too small a buffer fails with ERROR_INSUFFICIENT_BUFFER; an
// impossible date with ERROR_INVALID_PARAMETER; a picture together with
// DATE_SHORTDATE or DATE_LONGDATE with ERROR_INVALID_FLAGS.
int GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat, LPWSTR lpDateStr,
                   int cchDate);
// As GetDateFormatW for times: h hh (12 hours) H HH, m mm, s ss, t tt (the
// AM/PM marker); US English is "h:mm:ss tt". TIME_NOSECONDS and
// TIME_NOMINUTESORSECONDS drop those fields with the separator before them;
// TIME_NOTIMEMARKER drops the marker; TIME_FORCE24HOURFORMAT shows 0..23.
int GetTimeFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCWSTR lpFormat, LPWSTR lpTimeStr,
                   int cchTime);
#define GetDateFormat GetDateFormatW
#define GetTimeFormat GetTimeFormatW
