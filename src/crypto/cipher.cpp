// The list cipher and its hex text form.
//
// Sections: process-wide state; round function and block operations; key
// setup; the shared output buffer; text encipherment; hex parsing and text
// decipherment; test seam. The wide-text helpers of the password check are
// in cipher_wide.cpp.
#include "crypto/cipher.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "crypto/blowfish_constants.h"

namespace {

// ---------------------------------------------------------------- state

// All zero until the first password is set or entered: enciphering before
// that is well defined (if useless), never a read of garbage.
CipherKeySchedule cipherKey{};

// The output buffer text encipherment writes into; absent until the first key
// is set, grown when a longer text arrives, freed by releaseCipherBuffer.
// (Decipherment works in place and needs none.)
char* cipherOutput = nullptr;
size_t cipherOutputCapacity = 0;

// Only the tests turn this on, to compare with the published 32-bit cipher.
bool fullRoundForTest = false;

// Every stored protected list was written with a round function cut to its
// low 16 bits; keeping all 32 bits would make those lists unreadable.
template <bool FullRound>
inline uint32_t roundF(const CipherKeySchedule& k, uint32_t x) {
    uint32_t y = ((k.S[0][x >> 24] + k.S[1][(x >> 16) & 0xFF]) ^ k.S[2][(x >> 8) & 0xFF]) + k.S[3][x & 0xFF];
    return FullRound ? y : (y & 0xFFFF);
}

// ---------------------------------------------------------------- blocks

template <bool FullRound>
void encipherWith(const CipherKeySchedule& k, uint32_t& L, uint32_t& R) {
    uint32_t l = L, r = R;
    for (int i = 0; i < 16; i += 2) {
        l ^= k.P[i];
        r ^= roundF<FullRound>(k, l);
        r ^= k.P[i + 1];
        l ^= roundF<FullRound>(k, r);
    }
    // The last exchange of the sixteen rounds is undone, so R takes P[16].
    R = l ^ k.P[16];
    L = r ^ k.P[17];
}

template <bool FullRound>
void decipherWith(const CipherKeySchedule& k, uint32_t& L, uint32_t& R) {
    uint32_t l = L, r = R;
    for (int i = 17; i > 1; i -= 2) {
        l ^= k.P[i];
        r ^= roundF<FullRound>(k, l);
        r ^= k.P[i - 1];
        l ^= roundF<FullRound>(k, r);
    }
    R = l ^ k.P[1];
    L = r ^ k.P[0];
}

inline void encipherWithKey(const CipherKeySchedule& k, uint32_t& L, uint32_t& R) {
    if (fullRoundForTest)
        encipherWith<true>(k, L, R);
    else
        encipherWith<false>(k, L, R);
}

// ---------------------------------------------------------------- key setup

// Builds the schedule for `length` key bytes (length > 0) aside and only then
// puts it in force, so nothing is half-keyed at any moment.
void scheduleKey(const unsigned char* key, size_t length) {
    CipherKeySchedule k;
    std::memcpy(k.S, kBlowfishInit + 18, sizeof k.S);
    size_t at = 0;
    for (int i = 0; i < 18; ++i) {
        uint32_t w = 0;
        for (int b = 0; b < 4; ++b) {
            w = (w << 8) | key[at];
            at = (at + 1) % length;
        }
        k.P[i] = kBlowfishInit[i] ^ w;
    }
    uint32_t L = 0, R = 0;
    for (int i = 0; i < 18; i += 2) {
        encipherWithKey(k, L, R);
        k.P[i] = L;
        k.P[i + 1] = R;
    }
    for (auto& box : k.S) {
        for (int j = 0; j < 256; j += 2) {
            encipherWithKey(k, L, R);
            box[j] = L;
            box[j + 1] = R;
        }
    }
    cipherKey = k;
}

// ---------------------------------------------------------------- output buffer

// Grows the shared output buffer to at least `need` bytes; false (buffer and
// capacity as they were) if memory runs out.
// Test seam: where the cipher grows its buffers, so tests can make it run
// out of memory. The program never changes it.
void* (*cipherRealloc)(void*, size_t) = std::realloc;

bool reserveOutput(size_t need) {
    if (cipherOutput != nullptr && cipherOutputCapacity >= need) return true;
    size_t capacity = cipherOutputCapacity > need ? cipherOutputCapacity : need;
    char* grown = static_cast<char*>(cipherRealloc(cipherOutput, capacity));
    if (grown == nullptr) return false;
    cipherOutput = grown;
    cipherOutputCapacity = capacity;
    return true;
}

// ---------------------------------------------------------------- byte helpers

inline uint32_t loadWord(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

inline void storeWord(unsigned char* p, uint32_t w) {
    p[0] = static_cast<unsigned char>(w >> 24);
    p[1] = static_cast<unsigned char>(w >> 16);
    p[2] = static_cast<unsigned char>(w >> 8);
    p[3] = static_cast<unsigned char>(w);
}

// Eight lower-case, zero-padded hex digits, as "%.8lx" writes them.
inline void writeHexWord(char* out, uint32_t w) {
    static const char digits[] = "0123456789abcdef";
    for (int i = 7; i >= 0; --i) {
        out[i] = digits[w & 0xF];
        w >>= 4;
    }
}

// The value of each byte as a hex digit of either case, -1 for any other.
constexpr struct HexDigits {
    signed char value[256];
    constexpr HexDigits() : value() {
        for (int c = 0; c < 256; ++c) value[c] = -1;
        for (int d = 0; d < 10; ++d) value['0' + d] = static_cast<signed char>(d);
        for (int d = 0; d < 6; ++d) {
            value['a' + d] = static_cast<signed char>(10 + d);
            value['A' + d] = static_cast<signed char>(10 + d);
        }
    }
} kHexDigits;

inline int hexDigitValue(char c) {
    return kHexDigits.value[static_cast<unsigned char>(c)];
}

// Reads one half of a 16-digit group: the hex digits (either case) from its
// first character up to the first character that is not one, at most 8; 0 if
// it starts with no digit. Each half is read from its own 8 characters, so a
// stray character spoils only the half it sits in and never shifts the next
// one; well-formed text (all the cipher ever writes) reads the same as with
// a scanf "%8lx".
uint32_t readHexHalf(const char* text) {
    uint32_t value = 0;
    for (int i = 0; i < 8; ++i) {
        int d = hexDigitValue(text[i]);
        if (d < 0) break;
        value = (value << 4) | uint32_t(d);
    }
    return value;
}

}  // namespace

// ---------------------------------------------------------------- public: key and blocks

int setCipherKey(const char* key) {
    size_t length = key != nullptr ? std::strlen(key) : 0;
    if (length < 4) return 1;
    if (cipherOutput == nullptr) {
        char* buffer = static_cast<char*>(std::malloc(1000));
        if (buffer == nullptr) return 2;
        cipherOutput = buffer;
        cipherOutputCapacity = 1000;
    }
    scheduleKey(reinterpret_cast<const unsigned char*>(key), length);
    return 0;
}

void releaseCipherBuffer() {
    std::free(cipherOutput);
    cipherOutput = nullptr;
    cipherOutputCapacity = 0;
}

void encipherBlock(uint32_t* L, uint32_t* R) {
    encipherWithKey(cipherKey, *L, *R);
}

void decipherBlock(uint32_t* L, uint32_t* R) {
    if (fullRoundForTest)
        decipherWith<true>(cipherKey, *L, *R);
    else
        decipherWith<false>(cipherKey, *L, *R);
}

void saveCipherKey(CipherKeySchedule* out) {
    if (out != nullptr) *out = cipherKey;
}

void restoreCipherKey(const CipherKeySchedule* saved) {
    if (saved != nullptr) cipherKey = *saved;
}

// ---------------------------------------------------------------- public: texts

int encipherText(char** buffer) {
    if (buffer == nullptr || *buffer == nullptr) return 1;
    size_t n = std::strlen(*buffer);
    if (n == 0) return 1;
    // Room for every block's 16 digits and the NUL, with a block to spare.
    if (!reserveOutput((n / 8) * 16 + 17)) return 2;

    const unsigned char* text = reinterpret_cast<const unsigned char*>(*buffer);
    char* out = cipherOutput;
    for (size_t at = 0; at < n; at += 8) {
        unsigned char block[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        std::memcpy(block, text + at, n - at < 8 ? n - at : 8);
        uint32_t L = loadWord(block), R = loadWord(block + 4);
        encipherBlock(&L, &R);
        writeHexWord(out, L);
        writeHexWord(out + 8, R);
        out += 16;
    }
    *out = '\0';
    size_t written = size_t(out - cipherOutput) + 1;

    // The caller's buffer only holds its text; make it as large as the
    // output buffer so the hex text (twice as long, or more) fits.
    if (n < cipherOutputCapacity) {
        char* grown = static_cast<char*>(cipherRealloc(*buffer, cipherOutputCapacity));
        if (grown == nullptr) return 2;
        *buffer = grown;
    }
    std::memcpy(*buffer, cipherOutput, written);
    return 0;
}

int hexToBytes(char** buffer) {
    if (buffer == nullptr || *buffer == nullptr) return 0;
    char* text = *buffer;
    size_t groups = std::strlen(text) / 16;
    // The count is returned as an int; a text beyond that is not a stored text.
    if (groups > size_t(INT_MAX) / 8) groups = size_t(INT_MAX) / 8;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(text);
    for (size_t k = 0; k < groups; ++k) {
        // Both halves are read before the 8 bytes go to 8k, which is never
        // beyond the characters already read.
        uint32_t L = readHexHalf(text + 16 * k);
        uint32_t R = readHexHalf(text + 16 * k + 8);
        storeWord(bytes + 8 * k, L);
        storeWord(bytes + 8 * k + 4, R);
    }
    bytes[8 * groups] = 0;
    return static_cast<int>(8 * groups);
}

void decipherBytes(char** buffer, int count) {
    if (buffer == nullptr || *buffer == nullptr) return;
    // Only whole blocks: a trailing part block cannot be deciphered and reading
    // it whole would run past the bytes the caller has.
    size_t blocks = count > 0 ? size_t(count) / 8 : 0;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(*buffer);
    // Deciphered in place: the text written never passes the block being read,
    // so no output buffer is needed and none can be overrun, however long the
    // text is and whether or not a key was ever set.
    size_t out = 0;
    for (size_t b = 0; b < blocks; ++b) {
        uint32_t L = loadWord(bytes + 8 * b), R = loadWord(bytes + 8 * b + 4);
        decipherBlock(&L, &R);
        unsigned char block[8];
        storeWord(block, L);
        storeWord(block + 4, R);
        // A zero byte ends the block's text: the padding of the last block.
        for (int i = 0; i < 8 && block[i] != 0; ++i) bytes[out++] = block[i];
    }
    bytes[out] = 0;
}

// ---------------------------------------------------------------- test seam

void setCipherFullRoundForTest(bool full) {
    fullRoundForTest = full;
}

int setCipherKeyBytesForTest(const unsigned char* key, size_t length) {
    if (key == nullptr || length == 0) return 1;
    scheduleKey(key, length);
    return 0;
}

void setCipherReallocForTest(void* (*grow)(void*, size_t)) { cipherRealloc = grow ? grow : std::realloc; }
