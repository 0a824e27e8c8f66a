// Text conversions inside the platform: the system code page (Windows-1252
// unless the device is set to another, system_code_page.h) and UTF-8 to and
// from 16-bit text. WideCharToMultiByte and
// MultiByteToWideChar are built on these; other areas (file names, fonts, the
// host) use them directly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace device {

// The character of one Windows-1252 byte. Every byte has one: the five bytes
// the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the control
// characters of the same value, so any byte string survives a round trip.
char16_t cp1252ToWide(unsigned char b);
// The Windows-1252 byte of a character, or -1 when the code page lacks it.
int wideToCp1252(char16_t c);

// Text of the system code page. Under UTF-8, bytes that are not UTF-8 are
// read as Windows-1252.
std::u16string ansiToWide(std::string_view bytes);
// Characters missing from the code page become '?'; *usedDefault tells if any did.
std::string wideToAnsi(std::u16string_view text, bool* usedDefault = nullptr);

// Decodes one UTF-8 sequence at s[i]: returns the code point and advances i,
// or returns -1 (advancing i past the bad byte) for an invalid or truncated
// sequence, an overlong form, a surrogate or a value past U+10FFFF.
long decodeUtf8(std::string_view s, size_t& i);
bool isValidUtf8(std::string_view s);
// Invalid sequences become U+FFFD; *invalid tells if there were any.
std::u16string utf8ToWide(std::string_view s, bool* invalid = nullptr);
// Unpaired surrogates become U+FFFD.
std::string wideToUtf8(std::u16string_view text);
// Appends the UTF-16 form of a code point.
void appendCodePoint(std::u16string& out, unsigned long cp);

}  // namespace device
