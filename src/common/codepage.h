// Conversions between the user interface's wide text and the 8-bit text of
// the system code page that SQL statements and stored texts use.
//
// Both cut to the room they are given and always leave a terminated result:
// the program stores texts in fixed-capacity fields, and a text too long for
// its field is cut, never refused or left unterminated.
#pragma once

#include "windef.h"

// Room in bytes for a text of `chars` - 1 characters and its terminator in
// any system code page: UTF-8 takes up to three bytes for a 16-bit character.
constexpr int codePageBytes(int chars) { return (chars - 1) * 3 + 1; }

// Converts wide `text` to code-page text in `out` (terminated): at most
// `maxChars` characters (-1: `capacity` - 1) and at most `capacity` - 1
// bytes, cut before a character that does not fit whole. Characters outside
// the code page become "?". Returns the number of bytes written, without the
// terminator.
int wideToCodePage(const WCHAR* text, char* out, int capacity, int maxChars = -1);

// Converts code-page `text` (null gives the empty text) to at most
// `capacity` - 1 wide characters in `out` (terminated), never half of a
// surrogate pair. Returns the number of
// characters written, without the terminator.
int codePageToWide(const char* text, WCHAR* out, int capacity);

// Reads a signed decimal number the way the runtime's atoi does (leading
// blanks, an optional sign, digits up to the first non-digit; no digits gives
// 0), but saturates at the 32-bit range instead of overflowing. Null
// gives 0.
LONG readDecimal(const char* text);
LONG readDecimal(const WCHAR* text);
