// Which format a list file is in: by its name, and for import by its first
// bytes as well, since OPML files travel under many names.
#include "exchange/list_file_format.h"

#include <cstring>

#include "dialogs/file_chooser.h"

const WCHAR kListFileExtensions[] = u".txt;.opml;.md;.markdown";

int listFormatOfName(LPCWSTR path) {
    if (endsWithExtension(path, u".opml")) return LIST_FILE_OPML;
    if (endsWithExtension(path, u".md") || endsWithExtension(path, u".markdown")) return LIST_FILE_MARKDOWN;
    return LIST_FILE_TEXT;
}

namespace {

// The first bytes of the file as ASCII, with a UTF-8 byte order mark and
// leading white space skipped; UTF-16 is narrowed by dropping its zero
// bytes, which keeps ASCII as it is.
bool startsLikeXml(const unsigned char* head, DWORD size) {
    char text[16];
    size_t n = 0;
    DWORD i = 0;
    if (size >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) i = 3;
    if (size >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF))) i = 2;
    for (; i < size && n < sizeof text - 1; ++i) {
        unsigned char c = head[i];
        if (c == 0) continue;
        if (n == 0 && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) continue;
        text[n++] = char(c);
    }
    text[n] = 0;
    return std::strncmp(text, "<?xml", 5) == 0 || std::strncmp(text, "<opml", 5) == 0;
}

}  // namespace

int listFormatOfFile(LPCWSTR path) {
    int byName = listFormatOfName(path);
    if (byName != LIST_FILE_TEXT) return byName;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LIST_FILE_TEXT;
    unsigned char head[64];
    DWORD got = 0;
    BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    return read && startsLikeXml(head, got) ? LIST_FILE_OPML : LIST_FILE_TEXT;
}
