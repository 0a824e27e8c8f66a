#include "common/codepage.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "winnls.h"

int wideToCodePage(const WCHAR* text, char* out, int capacity) {
    if (!out || capacity <= 0) return 0;
    out[0] = 0;
    if (!text) return 0;
    // The code page is single-byte, so cutting the wide text to the room
    // first gives the same bytes as converting and cutting afterwards, and
    // the conversion never sees a buffer that is too small.
    int length = static_cast<int>(std::char_traits<WCHAR>::length(text));
    if (length > capacity - 1) length = capacity - 1;
    if (length == 0) return 0;
    int written = WideCharToMultiByte(CP_ACP, 0, text, length, out, capacity - 1, nullptr, nullptr);
    if (written < 0) written = 0;
    if (written > capacity - 1) written = capacity - 1;
    out[written] = 0;
    return written;
}

int codePageToWide(const char* text, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return 0;
    out[0] = 0;
    if (!text) return 0;
    int length = static_cast<int>(std::strlen(text));
    if (length > capacity - 1) length = capacity - 1;
    if (length == 0) return 0;
    int written = MultiByteToWideChar(CP_ACP, 0, text, length, out, capacity - 1);
    if (written < 0) written = 0;
    if (written > capacity - 1) written = capacity - 1;
    out[written] = 0;
    return written;
}

namespace {

template <typename Char>
LONG readDecimalOf(const Char* text) {
    if (!text) return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT32_MAX) + 1) value = static_cast<long long>(INT32_MAX) + 1;
        ++text;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<LONG>(value);
}

}  // namespace

LONG readDecimal(const char* text) { return readDecimalOf(text); }
LONG readDecimal(const WCHAR* text) { return readDecimalOf(text); }
