// The runtime's wide text streams. _wfopen returns an ordinary FILE* made
// with fopencookie: underneath it the file's own encoding and line ends are
// turned into UTF-8 with "\n" line ends (reading) and back (writing), so
// fclose, feof and ferror work as usual and fgetws/fwprintf only ever deal
// with UTF-8.
#include <errno.h>
#include <stdio.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/power_failure.h"
#include "platform/system/storage_limit.h"
#include "platform/system/system_code_page.h"
#include "platform/system/wide_format.h"
#include "wcrt.h"
#include "winbase.h"
#include "winerror.h"

namespace {

using device::ansiToWide;
using device::isValidUtf8;
using device::wideToUtf8;

enum class Encoding { Unknown, Utf8OrAnsi, Utf16LE, Utf16BE };

struct Stream {
    FILE* host = nullptr;
    std::string hostPath;
    bool translateLineEnds = true;
    Encoding encoding = Encoding::Unknown;
    std::string ready;  // decoded UTF-8 not yet handed out
    size_t readyPos = 0;
    std::string lookedAt;  // the first bytes, read to look for a byte order mark
    size_t lookedAtPos = 0;
    FILE* wide = nullptr;       // the stream _wfopen handed out
    char16_t pendingLow = 0;    // second half of a character fgetws had no room for
};

// The streams _wfopen made, by the FILE* the program holds: fgetws keeps the
// second half of a split character with its stream.
std::unordered_map<FILE*, Stream*>& openStreams() {
    static std::unordered_map<FILE*, Stream*> streams;
    return streams;
}

// The next raw byte of the file; bytes looked at for a byte order mark and
// found to be text come first.
int nextByte(Stream& s) {
    if (s.lookedAtPos < s.lookedAt.size()) return (unsigned char)s.lookedAt[s.lookedAtPos++];
    return getc(s.host);
}

// Reads the next line of the file (through its line feed) into UTF-8.
// Returns false at the end of the file with nothing read.
bool readLine(Stream& s, std::string& out) {
    out.clear();
    if (s.encoding == Encoding::Unknown) {
        for (int i = 0, c; i < 3 && (c = getc(s.host)) != EOF; ++i) s.lookedAt.push_back((char)c);
        const std::string& m = s.lookedAt;
        if (m.compare(0, 2, "\xFF\xFE") == 0) {
            s.encoding = Encoding::Utf16LE;
            s.lookedAtPos = 2;
        } else if (m.compare(0, 2, "\xFE\xFF") == 0) {
            s.encoding = Encoding::Utf16BE;
            s.lookedAtPos = 2;
        } else {
            s.encoding = Encoding::Utf8OrAnsi;
            s.lookedAtPos = m == "\xEF\xBB\xBF" ? 3 : 0;
        }
    }
    if (s.encoding == Encoding::Utf8OrAnsi) {
        std::string raw;
        for (int c; (c = nextByte(s)) != EOF;) {
            raw.push_back((char)c);
            if (c == '\n') break;
        }
        if (raw.empty()) return false;
        // A line that is not UTF-8 was written in the system code page.
        out = isValidUtf8(raw) ? raw : wideToUtf8(ansiToWide(raw));
    } else {
        std::u16string units;
        bool odd = false;
        for (;;) {
            int a = nextByte(s);
            if (a == EOF) break;
            int b = nextByte(s);
            if (b == EOF) {
                odd = true;
                break;
            }
            char16_t u = s.encoding == Encoding::Utf16LE ? (char16_t)(a | (b << 8)) : (char16_t)((a << 8) | b);
            units.push_back(u);
            if (u == u'\n') break;
        }
        if (odd) units.push_back(0xFFFD);
        if (units.empty()) return false;
        out = wideToUtf8(units);
    }
    if (s.translateLineEnds && out.size() >= 2 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\r')
        out.erase(out.size() - 2, 1);
    return true;
}

ssize_t cookieRead(void* cookie, char* buf, size_t size) {
    Stream& s = *(Stream*)cookie;
    if (s.readyPos >= s.ready.size()) {
        s.readyPos = 0;
        if (!readLine(s, s.ready)) return ferror(s.host) ? -1 : 0;
    }
    size_t n = std::min(size, s.ready.size() - s.readyPos);
    memcpy(buf, s.ready.data() + s.readyPos, n);
    s.readyPos += n;
    return (ssize_t)n;
}

// A write the host refused; the program learns why from the last error.
ssize_t writeFailed() {
    SetLastError(device::errorFromErrno(errno));
    return -1;
}

ssize_t cookieWrite(void* cookie, const char* buf, size_t size) {
    Stream& s = *(Stream*)cookie;
    size_t lineEnds = s.translateLineEnds ? (size_t)std::count(buf, buf + size, '\n') : 0;
    if (!device::fsStorageFits(s.hostPath, size + lineEnds)) {
        errno = ENOSPC;
        SetLastError(ERROR_DISK_FULL);
        return -1;
    }
    device::beforeDeviceWrite();
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (buf[i] != '\n' || !s.translateLineEnds) continue;
        if (fwrite(buf + start, 1, i - start, s.host) != i - start || fwrite("\r\n", 1, 2, s.host) != 2)
            return writeFailed();
        start = i + 1;
    }
    if (fwrite(buf + start, 1, size - start, s.host) != size - start) return writeFailed();
    return (ssize_t)size;
}

int cookieClose(void* cookie) {
    Stream* s = (Stream*)cookie;
    if (s->wide) openStreams().erase(s->wide);
    int r = fclose(s->host);
    delete s;
    if (r != 0) writeFailed();  // what the host still held did not fit
    return r == 0 ? 0 : EOF;
}

FILE* failOpen(int err, DWORD error) {
    errno = err;
    SetLastError(error);
    return nullptr;
}

// Reads one UTF-8 character; -1 at the end. Bytes that are not UTF-8 (only
// possible on a stream not opened by _wfopen) read as the system code page.
long readChar(FILE* f) {
    int c = getc(f);
    if (c == EOF) return -1;
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char bytes[4] = {(char)c};
    int got = 1;
    for (; got <= extra; ++got) {
        int d = getc(f);
        if (d == EOF || (d & 0xC0) != 0x80) {
            if (d != EOF) ungetc(d, f);
            break;
        }
        bytes[got] = (char)d;
    }
    size_t i = 0;
    long cp = got == extra + 1 ? device::decodeUtf8(std::string_view(bytes, (size_t)got), i) : -1;
    return cp >= 0 ? cp : device::pageByteToWide(device::systemCodePage(), (unsigned char)c);
}

}  // namespace

FILE* _wfopen(const WCHAR* devicePath, const WCHAR* mode) {
    if (!devicePath || !mode) return failOpen(EINVAL, ERROR_INVALID_PARAMETER);
    char access = (char)mode[0];
    bool binary = false;
    for (const WCHAR* m = mode + 1; *m && *m != u','; ++m) {
        if (*m == u'b') binary = true;
        else if (*m == u'+') return failOpen(EINVAL, ERROR_INVALID_PARAMETER);  // see wcrt.h
        else if (*m != u't') return failOpen(EINVAL, ERROR_INVALID_PARAMETER);
    }
    if (access != 'r' && access != 'w' && access != 'a') return failOpen(EINVAL, ERROR_INVALID_PARAMETER);
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(devicePath, r)) return failOpen(ENOENT, err);
    if (r.isFolder || r.isRoot) return failOpen(EACCES, ERROR_ACCESS_DENIED);
    if (!r.parentIsFolder) return failOpen(ENOENT, ERROR_PATH_NOT_FOUND);
    if (access == 'r' && !r.exists) return failOpen(ENOENT, ERROR_FILE_NOT_FOUND);
    const char* hostMode = access == 'r' ? "rb" : access == 'w' ? "wb" : "ab";
    FILE* host = fopen(r.host.c_str(), hostMode);
    if (!host) return failOpen(errno, device::errorFromErrno(errno));
    Stream* s = new Stream;
    s->host = host;
    s->hostPath = r.host;
    // With a storage size every byte must be on the disk when the next
    // write asks how full the store is; the stream above buffers already.
    if (device::fsStorageLimit()) setvbuf(host, nullptr, _IONBF, 0);
    s->translateLineEnds = !binary;
    cookie_io_functions_t io{};
    io.close = cookieClose;
    if (access == 'r') io.read = cookieRead;
    else io.write = cookieWrite;
    FILE* f = fopencookie(s, access == 'r' ? "r" : "w", io);
    if (!f) {
        fclose(host);
        delete s;
        return failOpen(ENOMEM, ERROR_NOT_ENOUGH_MEMORY);
    }
    s->wide = f;
    openStreams()[f] = s;
    return f;
}

int fputws(const WCHAR* s, FILE* f) {
    if (!s || !f) return -1;
    std::string utf8 = device::wideToUtf8(s);
    return fwrite(utf8.data(), 1, utf8.size(), f) == utf8.size() ? 0 : -1;
}

int vfwprintf(FILE* f, const WCHAR* fmt, va_list ap) {
    if (!f || !fmt) return -1;
    std::u16string text;
    va_list copy;
    va_copy(copy, ap);
    device::formatWide(text, fmt, &copy);
    va_end(copy);
    std::string utf8 = device::wideToUtf8(text);
    if (fwrite(utf8.data(), 1, utf8.size(), f) != utf8.size()) return -1;
    return (int)text.size();
}

int fwprintf(FILE* f, const WCHAR* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    int r = vfwprintf(f, fmt, ap);
    va_end(ap);
    return r;
}

namespace {

// fgetws with the stream locked by the caller. A character of two units
// does not start in the last slot; it waits for the next call. Only a buffer
// with a single slot splits it, its second half starting the next call, so
// the text read is the same whatever the buffer's size (a stream not made by
// _wfopen cannot keep the half).
WCHAR* readLineLocked(WCHAR* buf, int n, FILE* f, Stream* own) {
    int i = 0;
    if (own && own->pendingLow && n > 1) {
        buf[i++] = own->pendingLow;
        own->pendingLow = 0;
    }
    while (i < n - 1) {
        int peek = getc_unlocked(f);
        if (peek == EOF) break;
        // Plain ASCII, most of any text, is its own character: no need to
        // put it back for readChar (a long file is read byte by byte).
        if (peek < 0x80) {
            buf[i++] = (WCHAR)peek;
            if (peek == '\n') break;
            continue;
        }
        if (peek >= 0xF0 && i == n - 2 && (i > 0 || !own)) {
            ungetc(peek, f);
            break;
        }
        ungetc(peek, f);
        long cp = readChar(f);
        if (cp < 0) break;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            buf[i++] = (WCHAR)(0xD800 + (cp >> 10));
            WCHAR low = (WCHAR)(0xDC00 + (cp & 0x3FF));
            if (i < n - 1) buf[i++] = low;
            else own->pendingLow = low;
        } else {
            buf[i++] = (WCHAR)cp;
        }
        if (cp == u'\n') break;
    }
    buf[i] = 0;
    if (i == 0 && n > 1) return nullptr;
    if (ferror(f)) return nullptr;
    return buf;
}

}  // namespace

WCHAR* fgetws(WCHAR* buf, int n, FILE* f) {
    if (!buf || !f || n <= 0) return nullptr;
    auto found = openStreams().find(f);
    Stream* own = found != openStreams().end() ? found->second : nullptr;
    // One lock for the line rather than one per byte read.
    flockfile(f);
    WCHAR* line = readLineLocked(buf, n, f, own);
    funlockfile(f);
    return line;
}

