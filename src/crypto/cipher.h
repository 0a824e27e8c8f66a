// The list cipher: a 64-bit block cipher with the structure, constants and key
// schedule of Blowfish, whose round function keeps only its low 16 bits
// (every stored protected list depends on that), and the hex text form in
// which enciphered texts are stored. One process-wide state, keyed with the
// password of the current protected list. Texts are 8-bit code-page text.
// Heap buffers passed in are malloc'd; an operation may realloc them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "windef.h"

// Sets the key; 0 set, 1 key shorter than 4 bytes, 2 no output buffer could be made.
int setCipherKey(const char* key);
// Frees the shared output buffer; the key schedule stays in force.
void releaseCipherBuffer();
// Enciphers one block in place.
void encipherBlock(uint32_t* L, uint32_t* R);
// Deciphers one block in place.
void decipherBlock(uint32_t* L, uint32_t* R);
// Replaces the text in *buffer by its lower-case hex encipherment; 0 done, 1 empty text left as is,
// 2 out of memory (text left as is: the caller must not store it as if enciphered).
int encipherText(char** buffer);
// Turns the complete 16-digit groups of the hex text in *buffer into bytes in place; returns their count.
int hexToBytes(char** buffer);
// Deciphers the whole 8-byte blocks of the first `count` bytes in *buffer into text in place
// (padding zeros dropped; a part block left over is ignored).
void decipherBytes(char** buffer, int count);
// Writes the encipherment of the fixed verifier text as wide hex (at least 80 characters of room).
void makePasswordVerifier(WCHAR* out);
// Deciphers a wide hex text in place.
void decipherWideHex(WCHAR* text);

// The key schedule in force, so that a password can be tried and the previous
// key put back when it turns out wrong.
struct CipherKeySchedule {
    uint32_t P[18];
    uint32_t S[4][256];
};
// Copies the key schedule in force into *out.
void saveCipherKey(CipherKeySchedule* out);
// Puts a saved key schedule back in force.
void restoreCipherKey(const CipherKeySchedule* saved);

// Test only, never called by the program: makes the round function keep all
// 32 bits, as the published cipher does, so the structure, the constants and
// the key schedule can be checked against its published vectors.
void setCipherFullRoundForTest(bool full);
// Test only: keys the cipher with `length` raw bytes (no NUL, no minimum of
// 4), as the published vectors do; 0 set, 1 no bytes.
int setCipherKeyBytesForTest(const unsigned char* key, size_t length);
// Test only: replaces the allocator the cipher grows its buffers with
// (nullptr puts realloc back), to reach the out-of-memory paths.
void setCipherReallocForTest(void* (*grow)(void*, size_t));
