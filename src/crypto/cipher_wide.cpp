// The wide-text side of the cipher used by the list password check: making
// the verifier stored with a protected list and deciphering one.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "crypto/cipher.h"
#include "winnls.h"

namespace {

size_t wideLength(const WCHAR* text) {
    size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

}  // namespace

void makePasswordVerifier(WCHAR* out) {
    if (out == nullptr) return;
    out[0] = 0;
    char* buffer = static_cast<char*>(std::malloc(200));
    if (buffer == nullptr) return;
    std::strcpy(buffer, "4tr81mwqj;&!ovhu");
    // On failure the verifier stays empty rather than holding the constant in
    // the clear, which would accept any password.
    if (encipherText(&buffer) == 0) {
        if (MultiByteToWideChar(CP_ACP, 0, buffer, -1, out, 80) == 0) out[0] = 0;
    }
    std::free(buffer);
}

void decipherWideHex(WCHAR* text) {
    if (text == nullptr) return;
    size_t length = wideLength(text);
    if (length > size_t(INT_MAX) - 1) {
        text[0] = 0;
        return;
    }
    // The whole text is converted, however long: a text cut short would not be
    // NUL-terminated and would decode to something it is not.
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    char* buffer = size > 0 ? static_cast<char*>(std::malloc(size_t(size) < 200 ? 200 : size_t(size))) : nullptr;
    if (buffer == nullptr || WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, size, nullptr, nullptr) == 0) {
        std::free(buffer);
        text[0] = 0;
        return;
    }
    decipherBytes(&buffer, hexToBytes(&buffer));
    // The deciphered text has at most half as many characters as the hex text.
    if (MultiByteToWideChar(CP_ACP, 0, buffer, -1, text, int(length) + 1) == 0) text[0] = 0;
    std::free(buffer);
}
