// The device runtime's wide printf family. One formatter produces the whole
// text; the entry points differ only in where it goes and how truncation is
// reported (see wcrt.h).
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/system/code_page.h"
#include "platform/system/system_code_page.h"
#include "platform/system/wide_format.h"
#include "wcrt.h"

namespace {

struct Conversion {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
    enum Size { Default, Short, Long, LongLong, LongDouble, Size_t } size = Default;
    bool wideArg = true;  // for s/c: the argument is wide unless h, or S/C
};

void pad(std::u16string& out, size_t n, char16_t c) { out.append(n, c); }

void putField(std::u16string& out, const Conversion& field, std::u16string_view text) {
    size_t w = field.width > 0 ? (size_t)field.width : 0;
    size_t fill = w > text.size() ? w - text.size() : 0;
    if (!field.left) pad(out, fill, u' ');
    out.append(text);
    if (field.left) pad(out, fill, u' ');
}

// Numbers go through the host's 8-bit printf, which has the same flags,
// width and precision rules; the result is plain ASCII.
template <typename T>
void emitNumber(std::u16string& out, const char* fmt, int width, int precision, T value) {
    int n = snprintf(nullptr, 0, fmt, width, precision, value);
    if (n <= 0) return;
    std::string text((size_t)n + 1, '\0');
    snprintf(text.data(), text.size(), fmt, width, precision, value);
    for (int i = 0; i < n; ++i) out.push_back((unsigned char)text[(size_t)i]);
}

void putNumber(std::u16string& out, const Conversion& field, char conv, va_list* ap) {
    char fmt[32];
    char* f = fmt;
    *f++ = '%';
    if (field.left) *f++ = '-';
    if (field.plus) *f++ = '+';
    if (field.space) *f++ = ' ';
    if (field.alt) *f++ = '#';
    if (field.zero) *f++ = '0';
    *f++ = '*';
    *f++ = '.';
    *f++ = '*';
    bool isSigned = conv == 'd' || conv == 'i';
    if (strchr("eEfFgGaA", conv)) {
        int prec = field.precision < 0 ? 6 : field.precision;
        if (field.size == Conversion::LongDouble) {
            *f++ = 'L';
            *f++ = conv;
            *f = 0;
            emitNumber(out, fmt, field.width, prec, va_arg(*ap, long double));
        } else {
            *f++ = conv;
            *f = 0;
            emitNumber(out, fmt, field.width, prec, va_arg(*ap, double));
        }
        return;
    }
    if (conv == 'p') {
        // All digits of the address, in upper case, as on the device.
        void* p = va_arg(*ap, void*);
        emitNumber(out, field.left ? "%-*.*llX" : "%*.*llX", field.width, (int)(2 * sizeof(void*)),
                   (unsigned long long)(uintptr_t)p);
        return;
    }
    *f++ = 'l';
    *f++ = 'l';
    *f++ = conv == 'i' ? 'd' : conv;
    *f = 0;
    long long sv = 0;
    unsigned long long uv = 0;
    switch (field.size) {
        case Conversion::LongLong:
            if (isSigned) sv = va_arg(*ap, long long);
            else uv = va_arg(*ap, unsigned long long);
            break;
        case Conversion::Size_t:
            if (isSigned) sv = (long long)va_arg(*ap, ptrdiff_t);
            else uv = va_arg(*ap, size_t);
            break;
        case Conversion::Long:
            // The device's long is 32 bits: read a host long, keep 32 bits,
            // which also gives the right value when an int was passed.
            if (isSigned) sv = (int32_t)va_arg(*ap, long);
            else uv = (uint32_t)va_arg(*ap, unsigned long);
            break;
        case Conversion::Short:
            if (isSigned) sv = (short)va_arg(*ap, int);
            else uv = (unsigned short)va_arg(*ap, unsigned int);
            break;
        default:
            if (isSigned) sv = va_arg(*ap, int);
            else uv = va_arg(*ap, unsigned int);
            break;
    }
    if (isSigned) emitNumber(out, fmt, field.width, field.precision, sv);
    else emitNumber(out, fmt, field.width, field.precision, uv);
}

void putString(std::u16string& out, const Conversion& field, va_list* ap) {
    std::u16string_view text;
    std::u16string converted;
    if (field.wideArg) {
        const WCHAR* s = va_arg(*ap, const WCHAR*);
        if (!s) s = u"(null)";
        size_t len = 0;
        // Honour the precision without reading past it: the text need not be
        // terminated within it.
        while ((field.precision < 0 || len < (size_t)field.precision) && s[len]) ++len;
        text = std::u16string_view(s, len);
    } else {
        const char* s = va_arg(*ap, const char*);
        if (!s) s = "(null)";
        size_t len = 0;
        while ((field.precision < 0 || len < (size_t)field.precision) && s[len]) ++len;
        converted = device::ansiToWide(std::string_view(s, len));
        text = converted;
    }
    putField(out, field, text);
}

void putChar(std::u16string& out, const Conversion& field, va_list* ap) {
    int v = va_arg(*ap, int);
    char16_t c = field.wideArg ? (char16_t)v : device::pageByteToWide(device::systemCodePage(), (unsigned char)v);
    putField(out, field, std::u16string_view(&c, 1));
}

}  // namespace

namespace device {

void formatWide(std::u16string& out, const WCHAR* fmt, va_list* ap) {
    if (!fmt) return;
    for (const WCHAR* p = fmt; *p;) {
        if (*p != u'%') {
            out.push_back(*p++);
            continue;
        }
        const WCHAR* start = p++;
        Conversion field;
        for (;; ++p) {
            if (*p == u'-') field.left = true;
            else if (*p == u'+') field.plus = true;
            else if (*p == u' ') field.space = true;
            else if (*p == u'#') field.alt = true;
            else if (*p == u'0') field.zero = true;
            else break;
        }
        if (*p == u'*') {
            int w = va_arg(*ap, int);
            if (w < 0) {
                field.left = true;
                w = w == INT_MIN ? INT_MAX : -w;
            }
            field.width = w;
            ++p;
        } else {
            while (iswdigit(*p)) {
                if (field.width < 100000) field.width = field.width * 10 + (*p - u'0');
                ++p;
            }
        }
        if (*p == u'.') {
            ++p;
            field.precision = 0;
            if (*p == u'*') {
                int pr = va_arg(*ap, int);
                field.precision = pr < 0 ? -1 : pr;
                ++p;
            } else {
                while (iswdigit(*p)) {
                    if (field.precision < 100000) field.precision = field.precision * 10 + (*p - u'0');
                    ++p;
                }
            }
        }
        bool narrow = false, wide = false;
        if (*p == u'h') {
            field.size = Conversion::Short;
            narrow = true;
            ++p;
        } else if (*p == u'l') {
            ++p;
            wide = true;
            if (*p == u'l') {
                field.size = Conversion::LongLong;
                ++p;
            } else {
                field.size = Conversion::Long;
            }
        } else if (*p == u'L') {
            field.size = Conversion::LongDouble;
            ++p;
        } else if (*p == u'w') {
            wide = true;
            ++p;
        } else if (*p == u'z') {
            field.size = Conversion::Size_t;
            ++p;
        } else if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
            field.size = Conversion::LongLong;
            p += 3;
        } else if (*p == u'I') {
            field.size = Conversion::Size_t;
            ++p;
        }
        WCHAR conv = *p;
        if (!conv) {
            // A lone '%' at the end is written as it is.
            out.append(start, p);
            break;
        }
        ++p;
        switch (conv) {
            case u'%':
                out.push_back(u'%');
                break;
            case u's':
            case u'c':
                field.wideArg = !narrow;
                conv == u's' ? putString(out, field, ap) : putChar(out, field, ap);
                break;
            case u'S':
            case u'C':
                field.wideArg = wide;
                conv == u'S' ? putString(out, field, ap) : putChar(out, field, ap);
                break;
            case u'd': case u'i': case u'u': case u'x': case u'X': case u'o':
            case u'e': case u'E': case u'f': case u'F': case u'g': case u'G':
            case u'a': case u'A': case u'p':
                putNumber(out, field, (char)conv, ap);
                break;
            case u'n':
                (void)va_arg(*ap, void*);  // never written through
                break;
            default:
                // Unknown conversions are copied, so the mistake stays visible.
                out.append(start, p);
                break;
        }
    }
}

int copyFormatted(const std::u16string& text, WCHAR* buf, size_t count) {
    if (!buf || count == 0) return -1;
    if (text.size() < count) {
        memcpy(buf, text.data(), text.size() * sizeof(WCHAR));
        buf[text.size()] = 0;
        return (int)text.size();
    }
    memcpy(buf, text.data(), (count - 1) * sizeof(WCHAR));
    buf[count - 1] = 0;
    return -1;
}

}  // namespace device

int vswprintf(WCHAR* buf, size_t count, const WCHAR* fmt, va_list ap) {
    std::u16string text;
    va_list copy;
    va_copy(copy, ap);
    device::formatWide(text, fmt, &copy);
    va_end(copy);
    return device::copyFormatted(text, buf, count);
}

int _vsnwprintf(WCHAR* buf, size_t count, const WCHAR* fmt, va_list ap) { return vswprintf(buf, count, fmt, ap); }

int swprintf(WCHAR* buf, size_t count, const WCHAR* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    int r = vswprintf(buf, count, fmt, ap);
    va_end(ap);
    return r;
}

int _snwprintf(WCHAR* buf, size_t count, const WCHAR* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    int r = vswprintf(buf, count, fmt, ap);
    va_end(ap);
    return r;
}

int wvsprintfW(WCHAR* buf, const WCHAR* fmt, va_list ap) {
    // The device writes at most 1024 characters and returns how many it wrote.
    int r = vswprintf(buf, 1024, fmt, ap);
    return r < 0 ? 1023 : r;
}

int wsprintfW(WCHAR* buf, const WCHAR* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    int r = wvsprintfW(buf, fmt, ap);
    va_end(ap);
    return r;
}
