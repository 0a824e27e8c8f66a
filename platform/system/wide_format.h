// The wide printf engine shared by the string and stream functions of wcrt.h.
#pragma once

#include <cstdarg>
#include <string>

#include "windef.h"

namespace device {

// Appends the formatted text to out; consumes the arguments from *ap.
void formatWide(std::u16string& out, const WCHAR* fmt, va_list* ap);
// Copies into buf[count] with the bounded-printf rules of wcrt.h.
int copyFormatted(const std::u16string& text, WCHAR* buf, size_t count);

}  // namespace device
