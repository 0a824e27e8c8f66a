// The device runtime's wide-string, character and number functions for WCHAR.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "wcrt.h"

namespace {

// Lower-case partner of an upper-case letter, or 0. Covers what the device's
// users type: ASCII, Latin-1, Latin Extended-A (which holds the extra letters
// of the system code page), basic Greek and Cyrillic.
char16_t lowerOf(char16_t c) {
    if (c >= u'A' && c <= u'Z') return c + 32;
    if (c < 0xC0) return 0;
    if (c <= 0xDE) return c == 0xD7 ? 0 : c + 32;
    if (c >= 0x100 && c <= 0x137) return (c & 1) ? 0 : c + 1;
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : 0;
    if (c >= 0x14A && c <= 0x177) return (c & 1) ? 0 : c + 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : 0;
    if (c >= 0x391 && c <= 0x3A9) return c == 0x3A2 ? 0 : c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    return 0;
}

// Upper-case partner of a lower-case letter, or 0.
char16_t upperOf(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - 32;
    if (c < 0xE0) return 0;
    if (c <= 0xFE) return c == 0xF7 ? 0 : c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x101 && c <= 0x138) return (c & 1) && c != 0x138 ? c - 1 : 0;
    if (c >= 0x13A && c <= 0x148) return (c & 1) ? 0 : c - 1;
    if (c >= 0x14B && c <= 0x177) return (c & 1) ? c - 1 : 0;
    if (c >= 0x17A && c <= 0x17E) return (c & 1) ? 0 : c - 1;
    if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? 0 : c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return 0;
}

int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    return 99;
}

// The common parser of wcstol/wcstoul/_wtol: magnitude in 64 bits, saturated.
const WCHAR* parseInteger(const WCHAR* s, int base, bool& negative, unsigned long long& value, bool& any,
                          bool& overflow) {
    negative = false;
    value = 0;
    any = false;
    overflow = false;
    while (iswspace(*s)) ++s;
    if (*s == u'+' || *s == u'-') negative = *s++ == u'-';
    if ((base == 0 || base == 16) && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X') && digitValue(s[2]) < 16) {
        s += 2;
        base = 16;
    } else if (base == 0) {
        base = s[0] == u'0' ? 8 : 10;
    }
    for (;; ++s) {
        int d = digitValue(*s);
        if (d >= base) break;
        any = true;
        if (value > (0xFFFFFFFFull * 2)) overflow = true;
        else value = value * base + d;
    }
    return s;
}

}  // namespace

size_t wcslen(const WCHAR* s) {
    const WCHAR* p = s;
    while (*p) ++p;
    return (size_t)(p - s);
}

WCHAR* wcscpy(WCHAR* dst, const WCHAR* src) {
    WCHAR* d = dst;
    while ((*d++ = *src++)) {}
    return dst;
}

WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n) {
    size_t i = 0;
    for (; i < n && src[i]; ++i) dst[i] = src[i];
    for (; i < n; ++i) dst[i] = 0;
    return dst;
}

WCHAR* wcscat(WCHAR* dst, const WCHAR* src) {
    wcscpy(dst + wcslen(dst), src);
    return dst;
}

WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t n) {
    WCHAR* d = dst + wcslen(dst);
    size_t i = 0;
    for (; i < n && src[i]; ++i) d[i] = src[i];
    d[i] = 0;
    return dst;
}

int wcscmp(const WCHAR* a, const WCHAR* b) {
    while (*a && *a == *b) ++a, ++b;
    return (int)*a - (int)*b;
}

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i] || !a[i]) return (int)a[i] - (int)b[i];
    }
    return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) {
    for (;; ++a, ++b) {
        WCHAR ca = towlower(*a), cb = towlower(*b);
        if (ca != cb || !ca) return (int)ca - (int)cb;
    }
}

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        WCHAR ca = towlower(a[i]), cb = towlower(b[i]);
        if (ca != cb || !ca) return (int)ca - (int)cb;
    }
    return 0;
}

const WCHAR* wcschr(const WCHAR* s, WCHAR c) {
    for (;; ++s) {
        if (*s == c) return s;
        if (!*s) return nullptr;
    }
}

WCHAR* wcschr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcschr(const_cast<const WCHAR*>(s), c)); }

const WCHAR* wcsrchr(const WCHAR* s, WCHAR c) {
    const WCHAR* found = nullptr;
    for (;; ++s) {
        if (*s == c) found = s;
        if (!*s) return found;
    }
}

WCHAR* wcsrchr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcsrchr(const_cast<const WCHAR*>(s), c)); }

const WCHAR* wcsstr(const WCHAR* s, const WCHAR* sub) {
    size_t n = wcslen(sub);
    if (n == 0) return s;
    for (; *s; ++s)
        if (*s == *sub && wcsncmp(s, sub, n) == 0) return s;
    return nullptr;
}

WCHAR* wcsstr(WCHAR* s, const WCHAR* sub) { return const_cast<WCHAR*>(wcsstr(const_cast<const WCHAR*>(s), sub)); }

WCHAR* _wcslwr(WCHAR* s) {
    for (WCHAR* p = s; *p; ++p) *p = towlower(*p);
    return s;
}

WCHAR* _wcsupr(WCHAR* s) {
    for (WCHAR* p = s; *p; ++p) *p = towupper(*p);
    return s;
}

WCHAR* _wcsdup(const WCHAR* s) {
    size_t n = wcslen(s) + 1;
    WCHAR* d = (WCHAR*)malloc(n * sizeof(WCHAR));
    if (d) memcpy(d, s, n * sizeof(WCHAR));
    return d;
}

WCHAR towlower(WCHAR c) {
    char16_t l = lowerOf(c);
    return l ? l : c;
}

WCHAR towupper(WCHAR c) {
    char16_t u = upperOf(c);
    return u ? u : c;
}

int iswspace(WCHAR c) { return c == u' ' || (c >= 9 && c <= 13) || c == 0xA0; }
int iswdigit(WCHAR c) { return c >= u'0' && c <= u'9'; }
int iswupper(WCHAR c) { return lowerOf(c) != 0; }
int iswlower(WCHAR c) { return upperOf(c) != 0 || c == 0xDF; }
int iswalpha(WCHAR c) { return iswupper(c) || iswlower(c); }

long wcstol(const WCHAR* s, WCHAR** end, int base) {
    if (base < 0 || base == 1 || base > 36) {
        if (end) *end = const_cast<WCHAR*>(s);
        return 0;
    }
    bool negative, any, overflow;
    unsigned long long v;
    const WCHAR* stop = parseInteger(s, base, negative, v, any, overflow);
    if (end) *end = const_cast<WCHAR*>(any ? stop : s);
    if (!negative && (overflow || v > (unsigned long long)INT32_MAX)) return INT32_MAX;
    if (negative && (overflow || v > (unsigned long long)INT32_MAX + 1)) return INT32_MIN;
    return negative ? -(long)v : (long)v;
}

unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base) {
    if (base < 0 || base == 1 || base > 36) {
        if (end) *end = const_cast<WCHAR*>(s);
        return 0;
    }
    bool negative, any, overflow;
    unsigned long long v;
    const WCHAR* stop = parseInteger(s, base, negative, v, any, overflow);
    if (end) *end = const_cast<WCHAR*>(any ? stop : s);
    if (overflow || v > UINT32_MAX) return UINT32_MAX;
    return negative ? (uint32_t)(0u - (uint32_t)v) : (unsigned long)v;
}

long _wtol(const WCHAR* s) { return wcstol(s, nullptr, 10); }

int _wtoi(const WCHAR* s) { return (int)wcstol(s, nullptr, 10); }

WCHAR* _ultow(unsigned long value, WCHAR* buf, int radix) {
    if (radix < 2 || radix > 36) {
        buf[0] = 0;
        return buf;
    }
    WCHAR tmp[72];
    int n = 0;
    do {
        int d = (int)(value % (unsigned)radix);
        tmp[n++] = (WCHAR)(d < 10 ? u'0' + d : u'a' + d - 10);
        value /= (unsigned)radix;
    } while (value);
    for (int i = 0; i < n; ++i) buf[i] = tmp[n - 1 - i];
    buf[n] = 0;
    return buf;
}

WCHAR* _ltow(long value, WCHAR* buf, int radix) {
    // The device's long is 32 bits wide.
    int32_t v = (int32_t)value;
    if (radix == 10 && v < 0) {
        buf[0] = u'-';
        _ultow((unsigned long)(0u - (uint32_t)v), buf + 1, radix);
        return buf;
    }
    return _ultow((uint32_t)v, buf, radix);
}

WCHAR* _itow(int value, WCHAR* buf, int radix) { return _ltow(value, buf, radix); }
