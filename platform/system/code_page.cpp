#include "platform/system/code_page.h"

#include "platform/system/system_code_page.h"

namespace device {
namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t cp1252ToWide(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : (char16_t)b;
}

int wideToCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

std::u16string ansiToWide(std::string_view bytes) {
    unsigned page = systemCodePage();
    std::u16string out;
    out.reserve(bytes.size());
    if (page != kCodePageUtf8) {
        for (unsigned char b : bytes) out.push_back(pageByteToWide(page, b));
        return out;
    }
    // A byte that starts no UTF-8 sequence is older text, written in
    // Windows-1252 before the device took UTF-8.
    for (size_t i = 0; i < bytes.size();) {
        size_t start = i;
        long cp = decodeUtf8(bytes, i);
        if (cp < 0)
            out.push_back(cp1252ToWide((unsigned char)bytes[start]));
        else
            appendCodePoint(out, (unsigned long)cp);
    }
    return out;
}

std::string wideToAnsi(std::u16string_view text, bool* usedDefault) {
    unsigned page = systemCodePage();
    if (page == kCodePageUtf8) {
        if (usedDefault) *usedDefault = false;
        return wideToUtf8(text);
    }
    std::string out;
    out.reserve(text.size());
    bool used = false;
    for (char16_t c : text) {
        int b = wideToPageByte(page, c);
        if (b < 0) {
            used = true;
            b = '?';
        }
        out.push_back((char)b);
    }
    if (usedDefault) *usedDefault = used;
    return out;
}

long decodeUtf8(std::string_view s, size_t& i) {
    unsigned char b = (unsigned char)s[i++];
    if (b < 0x80) return b;
    int extra;
    unsigned long cp, min;
    if (b >= 0xC2 && b <= 0xDF) { extra = 1; cp = b & 0x1F; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { extra = 2; cp = b & 0x0F; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { extra = 3; cp = b & 0x07; min = 0x10000; }
    else return -1;
    size_t j = i;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= s.size() || ((unsigned char)s[j] & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | ((unsigned char)s[j] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    i = j;
    return (long)cp;
}

bool isValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();)
        if (decodeUtf8(s, i) < 0) return false;
    return true;
}

void appendCodePoint(std::u16string& out, unsigned long cp) {
    if (cp < 0x10000) {
        out.push_back((char16_t)cp);
    } else {
        cp -= 0x10000;
        out.push_back((char16_t)(0xD800 + (cp >> 10)));
        out.push_back((char16_t)(0xDC00 + (cp & 0x3FF)));
    }
}

std::u16string utf8ToWide(std::string_view s, bool* invalid) {
    std::u16string out;
    out.reserve(s.size());
    bool bad = false;
    for (size_t i = 0; i < s.size();) {
        long cp = decodeUtf8(s, i);
        if (cp < 0) {
            bad = true;
            cp = 0xFFFD;
        }
        appendCodePoint(out, (unsigned long)cp);
    }
    if (invalid) *invalid = bad;
    return out;
}

std::string wideToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back((char)cp);
        } else if (cp < 0x800) {
            out.push_back((char)(0xC0 | (cp >> 6)));
            out.push_back((char)(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back((char)(0xE0 | (cp >> 12)));
            out.push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (cp & 0x3F)));
        } else {
            out.push_back((char)(0xF0 | (cp >> 18)));
            out.push_back((char)(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace device
