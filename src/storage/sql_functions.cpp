// The SQL functions bfencrypt and bfdecrypt: every list connection carries
// them, so statements on a protected list can encipher and decipher texts
// inside SQL with the key of the current list.
#include <cstdlib>
#include <cstring>

#include "crypto/cipher.h"
#include "storage/sql_helpers.h"

namespace {

// Copies the first argument's text into a malloc'd buffer the cipher may
// grow. Null when there is no argument, the argument is NULL, or no memory
// is left; the SQL result is then NULL.
char* argumentCopy(int argc, sqlite3_value** argv) {
    if (argc < 1) return nullptr;
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return nullptr;
    // Text first, then its size: asking for the text may convert the value,
    // and the byte count must describe the converted form.
    const unsigned char* text = sqlite3_value_text(argv[0]);
    int bytes = sqlite3_value_bytes(argv[0]);
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(bytes) + 1));
    if (!buffer) return nullptr;
    // Up to the first NUL, as texts are C strings from here on.
    size_t length = text ? strnlen(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes)) : 0;
    if (length) std::memcpy(buffer, text, length);
    buffer[length] = 0;
    return buffer;
}

void finish(sqlite3_context* context, char* buffer) {
    if (!buffer) return;
    sqlite3_result_text(context, buffer, -1, SQLITE_TRANSIENT);
    std::free(buffer);
}

void bfencrypt(sqlite3_context* context, int argc, sqlite3_value** argv) {
    char* buffer = argumentCopy(argc, argv);
    if (!buffer) return;
    // Out of memory leaves the plain text in the buffer: storing it would
    // put a readable text into a protected list, so the result is an error.
    if (encipherText(&buffer) == 2) {
        std::free(buffer);
        sqlite3_result_error_nomem(context);
        return;
    }
    finish(context, buffer);
}

void bfdecrypt(sqlite3_context* context, int argc, sqlite3_value** argv) {
    char* buffer = argumentCopy(argc, argv);
    if (!buffer) return;
    int count = hexToBytes(&buffer);
    decipherBytes(&buffer, count);
    finish(context, buffer);
}

}  // namespace

int registerSqlFunctions(sqlite3* db) {
    if (!db) return SQLITE_MISUSE;
    sqlite3_create_function(db, "bfdecrypt", -1, SQLITE_ANY, nullptr, bfdecrypt, nullptr, nullptr);
    return sqlite3_create_function(db, "bfencrypt", -1, SQLITE_ANY, nullptr, bfencrypt, nullptr, nullptr);
}
