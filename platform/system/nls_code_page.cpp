// WideCharToMultiByte and MultiByteToWideChar over the conversions of
// code_page.h, with the device's rules for lengths, sizes and errors.
#include <cstring>
#include <string>

#include "platform/system/code_page.h"
#include "platform/system/system_code_page.h"
#include "winbase.h"
#include "winerror.h"
#include "winnls.h"
#include "wcrt.h"

namespace {

// How a code page argument converts: bytes of one single-byte page, strict
// UTF-8 (CP_UTF8), or the system code page set to UTF-8, which reads older
// Windows-1252 bytes too.
enum class Kind { SingleByte, Utf8, SystemUtf8, Unsupported };

struct Page {
    Kind kind;
    unsigned number;
};

Page pageOf(UINT codePage) {
    if (codePage == CP_ACP || codePage == CP_THREAD_ACP) {
        unsigned system = device::systemCodePage();
        return system == device::kCodePageUtf8 ? Page{Kind::SystemUtf8, system} : Page{Kind::SingleByte, system};
    }
    if (codePage == CP_UTF8) return Page{Kind::Utf8, codePage};
    if (codePage != device::kCodePageUtf8 && device::codePageSupported(codePage))
        return Page{Kind::SingleByte, codePage};
    return Page{Kind::Unsupported, 0};
}

int fail(DWORD error) {
    SetLastError(error);
    return 0;
}

}  // namespace

UINT GetACP(void) { return device::systemCodePage(); }

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
    Page page = pageOf(CodePage);
    if (page.kind == Kind::Unsupported || !lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 ||
        cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr))
        return fail(ERROR_INVALID_PARAMETER);
    if (page.kind == Kind::Utf8 && (lpDefaultChar || lpUsedDefaultChar)) return fail(ERROR_INVALID_PARAMETER);
    size_t len = cchWideChar == -1 ? wcslen(lpWideCharStr) + 1 : (size_t)cchWideChar;
    std::u16string_view in(lpWideCharStr, len);

    // Converted character by character so that a short buffer receives whole
    // characters only, as the device does.
    std::string out;
    bool usedDefault = false;
    if (page.kind == Kind::SingleByte) {
        char def = lpDefaultChar ? lpDefaultChar[0] : '?';
        out.reserve(len);
        for (char16_t c : in) {
            int b = device::wideToPageByte(page.number, c);
            if (b < 0) {
                usedDefault = true;
                b = (unsigned char)def;
            }
            out.push_back((char)b);
        }
    } else {
        if (dwFlags & WC_ERR_INVALID_CHARS) {
            for (size_t i = 0; i < len; ++i) {
                char16_t c = in[i];
                if (c >= 0xD800 && c <= 0xDBFF && i + 1 < len && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF)
                    ++i;
                else if (c >= 0xD800 && c <= 0xDFFF)
                    return fail(ERROR_NO_UNICODE_TRANSLATION);
            }
        }
        out = device::wideToUtf8(in);
    }
    if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    if (out.size() > 0x7FFFFFFF) return fail(ERROR_INSUFFICIENT_BUFFER);
    if (cbMultiByte == 0) return (int)out.size();
    if (out.size() > (size_t)cbMultiByte) {
        size_t fit = (size_t)cbMultiByte;
        // Do not leave half of a UTF-8 sequence behind.
        while (page.kind != Kind::SingleByte && fit > 0 && fit < out.size() && ((unsigned char)out[fit] & 0xC0) == 0x80) --fit;
        memcpy(lpMultiByteStr, out.data(), fit);
        return fail(ERROR_INSUFFICIENT_BUFFER);
    }
    memcpy(lpMultiByteStr, out.data(), out.size());
    return (int)out.size();
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    Page page = pageOf(CodePage);
    if (page.kind == Kind::Unsupported || !lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 ||
        cchWideChar < 0 || (cchWideChar > 0 && !lpWideCharStr))
        return fail(ERROR_INVALID_PARAMETER);
    size_t len = cbMultiByte == -1 ? strlen(lpMultiByteStr) + 1 : (size_t)cbMultiByte;
    std::string_view in(lpMultiByteStr, len);

    std::u16string out;
    if (page.kind == Kind::SingleByte) {
        out.reserve(len);
        for (unsigned char b : in) out.push_back(device::pageByteToWide(page.number, b));
    } else if (page.kind == Kind::SystemUtf8) {
        out = device::ansiToWide(in);
    } else {
        bool invalid = false;
        out = device::utf8ToWide(in, &invalid);
        if (invalid && (dwFlags & MB_ERR_INVALID_CHARS)) return fail(ERROR_NO_UNICODE_TRANSLATION);
    }
    if (out.size() > 0x7FFFFFFF) return fail(ERROR_INSUFFICIENT_BUFFER);
    if (cchWideChar == 0) return (int)out.size();
    if (out.size() > (size_t)cchWideChar) {
        size_t fit = (size_t)cchWideChar;
        if (fit > 0 && out[fit - 1] >= 0xD800 && out[fit - 1] <= 0xDBFF) --fit;
        memcpy(lpWideCharStr, out.data(), fit * sizeof(char16_t));
        return fail(ERROR_INSUFFICIENT_BUFFER);
    }
    memcpy(lpWideCharStr, out.data(), out.size() * sizeof(char16_t));
    return (int)out.size();
}
