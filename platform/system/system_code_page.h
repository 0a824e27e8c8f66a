// The device's system code page: the 8-bit text of CP_ACP, a device setting
// kept in the registry like the device's locale. Windows-1252 unless set to
// another Windows single-byte code page (874, 1250 to 1258) or to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace device {

constexpr unsigned kCodePageUtf8 = 65001;
constexpr unsigned kCodePageDefault = 1252;

// True for the pages the device can take: 874, 1250 to 1258 and 65001.
bool codePageSupported(unsigned page);
// "utf-8" (any case, with or without the dash) or a page number; 0 when the
// text names no page the device can take.
unsigned parseCodePage(std::string_view text);

// The page CP_ACP stands for now.
unsigned systemCodePage();
// Makes `page` the system code page until the next start (false: not
// supported, nothing changed).
bool setSystemCodePage(unsigned page);
// Stores `page` in the device registry and makes it the system code page;
// false when it is not supported or the registry cannot be written.
bool storeSystemCodePage(unsigned page);
// Takes the system code page from the registry of the current device root
// (the default when it holds none, or one the device cannot take).
void loadSystemCodePage();

// One byte of a single-byte page (1252 for UTF-8: the bytes of an older
// file that are not UTF-8). Every byte has a character: the bytes a page
// leaves undefined map to the control characters of the same value, so any
// byte string survives a round trip.
char16_t pageByteToWide(unsigned page, unsigned char b);
// The byte of a character in a single-byte page, or -1 when it lacks it.
int wideToPageByte(unsigned page, char16_t c);

}  // namespace device
