// The list cipher: a 64-bit block cipher with the structure, constants and key
// schedule of Blowfish, whose round function keeps only its low 16 bits
// (every stored protected list depends on that), and the hex text form in
// which enciphered texts are stored. One process-wide state, keyed with the
// password of the current protected list. Texts are 8-bit code-page text.
// Heap buffers passed in are malloc'd; an operation may realloc them.
#pragma once

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
// Replaces the text in *buffer by its lower-case hex encipherment; 0 done, 1 empty text left as is.
int encipherText(char** buffer);
// Turns the complete 16-digit groups of the hex text in *buffer into bytes in place; returns their count.
int hexToBytes(char** buffer);
// Deciphers `count` bytes in *buffer into text in place (padding zeros dropped).
void decipherBytes(char** buffer, int count);
// Writes the encipherment of the fixed verifier text as wide hex (at least 80 characters of room).
void makePasswordVerifier(WCHAR* out);
// Deciphers a wide hex text in place.
void decipherWideHex(WCHAR* text);
