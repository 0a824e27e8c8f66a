#include "common/codepage.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "winnls.h"

namespace {

bool isHighSurrogate(WCHAR c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

int wideToCodePage(const WCHAR* text, char* out, int capacity, int maxChars) {
    if (!out || capacity <= 0) return 0;
    out[0] = 0;
    if (!text) return 0;
    if (maxChars < 0 || maxChars > capacity - 1) maxChars = capacity - 1;
    // The text is cut to its characters first; in a single-byte code page
    // those are its bytes, so the conversion below always fits.
    int length = static_cast<int>(std::char_traits<WCHAR>::length(text));
    if (length > maxChars) {
        length = maxChars;
        // UTF-8 keeps a letter of two 16-bit halves whole or not at all.
        if (GetACP() == CP_UTF8 && isHighSurrogate(text[length - 1])) --length;
    }
    if (length == 0) return 0;
    int needed = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return 0;
    std::string bytes(static_cast<size_t>(needed), '\0');
    int written = WideCharToMultiByte(CP_ACP, 0, text, length, bytes.data(), needed, nullptr, nullptr);
    if (written <= 0) return 0;
    // In UTF-8 a letter takes up to four bytes: what does not fit is cut
    // before the letter it would split.
    if (written > capacity - 1) {
        written = capacity - 1;
        while (written > 0 && (static_cast<unsigned char>(bytes[static_cast<size_t>(written)]) & 0xC0) == 0x80)
            --written;
    }
    std::memcpy(out, bytes.data(), static_cast<size_t>(written));
    out[written] = 0;
    return written;
}

int codePageToWide(const char* text, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return 0;
    out[0] = 0;
    if (!text) return 0;
    int length = static_cast<int>(std::strlen(text));
    if (length == 0) return 0;
    // Every system code page (the single-byte pages and UTF-8) keeps ASCII
    // as it is: plain ASCII text, most of what a list holds, is widened
    // here without the two conversion passes and their buffer.
    int ascii = 0;
    while (ascii < length && !(static_cast<unsigned char>(text[ascii]) & 0x80)) ++ascii;
    if (ascii == length) {
        const int written = length < capacity - 1 ? length : capacity - 1;
        for (int i = 0; i < written; ++i) out[i] = static_cast<WCHAR>(static_cast<unsigned char>(text[i]));
        out[written] = 0;
        return written;
    }
    // A character may take several bytes (UTF-8), so the whole text is
    // converted and the characters are cut afterwards.
    int needed = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (needed <= 0) return 0;
    std::u16string wide(static_cast<size_t>(needed), u'\0');
    int written = MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), needed);
    if (written <= 0) return 0;
    if (written > capacity - 1) {
        written = capacity - 1;
        if (isHighSurrogate(wide[static_cast<size_t>(written) - 1])) --written;
    }
    std::memcpy(out, wide.data(), static_cast<size_t>(written) * sizeof(WCHAR));
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
