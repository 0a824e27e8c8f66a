// The device C runtime's wide-string and wide-stream functions for WCHAR
// (char16_t). They are overloads under the usual names, so program code reads
// as it does on the device; the host's wchar_t versions stay available.
//
// Case folding (towlower, _wcsicmp, _wcslwr, ...) covers ASCII, Latin-1, the
// letters of the system code page (S/Z caron, OE, Y diaeresis), Latin
// Extended-A, basic Greek and Cyrillic. Other characters compare as they are.
//
// Formatting (swprintf, _snwprintf, vswprintf, wsprintfW, fwprintf) follows
// the device's wide printf: %s and %ls take a wide string, %S and %hs an 8-bit
// string in the system code page, %c and %lc a wide character, %C and %hc an
// 8-bit one; %d %i %u %x %X %o %e %f %g %p %% with flags, width, precision and
// '*'; %ld %lu %lx are the device's 32-bit long (the argument is read as a host
// long and cut to 32 bits, so LONG and long both work); %lld and %I64d are 64
// bit. A null string prints "(null)". %n is not supported and prints nothing.
// The bounded calls always NUL-terminate within `count` and return the number
// of characters written without the NUL, or -1 when the text did not fit (the
// buffer then holds the first count-1 characters). wsprintfW writes at most
// 1024 characters including the NUL, as on the device.
#pragma once
#include "windef.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <cwctype>

// --- strings
size_t wcslen(const WCHAR* s);
WCHAR* wcscpy(WCHAR* dst, const WCHAR* src);
WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n);  // pads with NULs, may leave dst unterminated
WCHAR* wcscat(WCHAR* dst, const WCHAR* src);
WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t n);  // appends at most n, always terminates
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n);
const WCHAR* wcschr(const WCHAR* s, WCHAR c);
WCHAR* wcschr(WCHAR* s, WCHAR c);
const WCHAR* wcsrchr(const WCHAR* s, WCHAR c);
WCHAR* wcsrchr(WCHAR* s, WCHAR c);
const WCHAR* wcsstr(const WCHAR* s, const WCHAR* sub);
WCHAR* wcsstr(WCHAR* s, const WCHAR* sub);
WCHAR* _wcslwr(WCHAR* s);
WCHAR* _wcsupr(WCHAR* s);
WCHAR* _wcsdup(const WCHAR* s);  // free() the result

// --- characters
WCHAR towlower(WCHAR c);
WCHAR towupper(WCHAR c);
int iswspace(WCHAR c);   // blank, tab, line feed, vertical tab, form feed, CR, U+00A0
int iswdigit(WCHAR c);   // '0'..'9' only
int iswalpha(WCHAR c);   // letters with a case, as folded above
int iswupper(WCHAR c);
int iswlower(WCHAR c);

// --- numbers
// Leading white space, an optional sign and decimal digits; stops at the first
// other character. Results beyond the 32-bit range are clamped.
int _wtoi(const WCHAR* s);
long _wtol(const WCHAR* s);
// As strtol for a 32-bit long: base 0 accepts 0x and 0 prefixes; out of range
// gives LONG_MAX/LONG_MIN of the device (2147483647 / -2147483648).
long wcstol(const WCHAR* s, WCHAR** end, int base);
unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base);
// Radix 2..36; a negative value gets '-' only in radix 10 (other radixes show
// the 32-bit two's complement, as on the device). Returns buf.
WCHAR* _itow(int value, WCHAR* buf, int radix);
WCHAR* _ltow(long value, WCHAR* buf, int radix);
WCHAR* _ultow(unsigned long value, WCHAR* buf, int radix);

// --- formatting (see the header comment)
int swprintf(WCHAR* buf, size_t count, const WCHAR* fmt, ...);
int _snwprintf(WCHAR* buf, size_t count, const WCHAR* fmt, ...);
int vswprintf(WCHAR* buf, size_t count, const WCHAR* fmt, va_list ap);
int _vsnwprintf(WCHAR* buf, size_t count, const WCHAR* fmt, va_list ap);
int wsprintfW(WCHAR* buf, const WCHAR* fmt, ...);
int wvsprintfW(WCHAR* buf, const WCHAR* fmt, va_list ap);
#define wsprintf wsprintfW

// --- wide text streams
// Files are opened by device path with mode "r", "w" or "a" ("t" is the
// default, "b" keeps line ends as they are, a ",ccs=..." suffix is ignored;
// the "+" modes are not offered and fail with EINVAL). Writing produces UTF-8
// without a byte order mark, and "\n" becomes "\r\n" as in text mode.
// Reading accepts UTF-8 with or without a byte order mark and UTF-16 LE/BE
// with one; a line that is not valid UTF-8 is read as Windows-1252 (decided
// line by line, so one stray line does not change how the rest of the file
// reads). "\r\n" is returned as "\n"; a lone "\r" is kept. The result is an
// ordinary FILE*: close it with fclose. On failure: nullptr, with errno and
// the last error set.
FILE* _wfopen(const WCHAR* devicePath, const WCHAR* mode);
int fwprintf(FILE* f, const WCHAR* fmt, ...);
int vfwprintf(FILE* f, const WCHAR* fmt, va_list ap);
int fputws(const WCHAR* s, FILE* f);
// Reads at most n-1 characters, stopping after a line feed; NUL-terminates.
// Returns buf, or nullptr at end of file when nothing was read or on an error.
WCHAR* fgetws(WCHAR* buf, int n, FILE* f);
