// Feeds arbitrary bytes to the list cipher as a stored hex text (as a damaged
// or hand-edited list would) and as a plain text to encipher, which must come
// back unchanged up to its first NUL, and as the wide hex text of a stored
// password verifier.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "crypto/cipher.h"

namespace {

char* heapCopy(const uint8_t* data, size_t size) {
    char* p = static_cast<char*>(std::malloc(size + 1));
    if (p == nullptr) std::abort();
    if (size > 0) std::memcpy(p, data, size);
    p[size] = '\0';
    return p;
}

void asHexText(const uint8_t* data, size_t size) {
    char* p = heapCopy(data, size);
    size_t length = std::strlen(p);
    int count = hexToBytes(&p);
    if (count < 0 || count % 8 != 0 || size_t(count) > length / 2) std::abort();
    decipherBytes(&p, count);
    if (std::strlen(p) > size_t(count)) std::abort();
    std::free(p);
}

void asPlainText(const uint8_t* data, size_t size) {
    char* p = heapCopy(data, size);
    size_t length = std::strlen(p);
    char* original = heapCopy(reinterpret_cast<const uint8_t*>(p), length);
    int result = encipherText(&p);
    if (length == 0) {
        if (result != 1 || p[0] != '\0') std::abort();
    } else {
        if (result != 0 || std::strlen(p) != (length + 7) / 8 * 16) std::abort();
        int count = hexToBytes(&p);
        if (size_t(count) != (length + 7) / 8 * 8) std::abort();
        decipherBytes(&p, count);
        if (std::strcmp(p, original) != 0) std::abort();
    }
    std::free(original);
    std::free(p);
}

// Pairs of bytes as the wide text of a stored verifier.
void asWideHex(const uint8_t* data, size_t size) {
    size_t count = size / 2;
    WCHAR* text = static_cast<WCHAR*>(std::malloc((count + 1) * sizeof(WCHAR)));
    if (text == nullptr) std::abort();
    for (size_t i = 0; i < count; ++i) text[i] = static_cast<WCHAR>(data[2 * i] | (data[2 * i + 1] << 8));
    text[count] = 0;
    size_t length = 0;
    while (text[length] != 0) ++length;
    decipherWideHex(text);
    size_t after = 0;
    while (text[after] != 0) ++after;
    if (after > length / 2) std::abort();
    std::free(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool keyed = setCipherKey("fuzzing the list cipher") == 0;
    if (!keyed) std::abort();
    asHexText(data, size);
    asPlainText(data, size);
    asWideHex(data, size);
    return 0;
}
