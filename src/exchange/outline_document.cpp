// Reading an outline file whole, and turning its rows into the lines the
// tab-indented import inserts, so that every format meets the same depth
// rules, limits and messages.
#include "exchange/outline_document.h"

#include "common/trim_spaces.h"
#include "exchange/list_file_format.h"
#include "wcrt.h"

std::u16string wideFromUtf8(const char* text, size_t size) {
    if (!text || size == 0) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text, int(size), nullptr, 0);
    if (length <= 0) return {};
    std::u16string wide(size_t(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, int(size), wide.data(), length);
    return wide;
}

int readOutlineFile(LPCWSTR path, int format, OutlineDocument* out, std::u16string* message) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *message = u"Could not open file!";
        return 0;
    }
    std::string bytes;
    char piece[65536];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(file, piece, sizeof piece, &got, nullptr)) && got > 0) bytes.append(piece, got);
    CloseHandle(file);
    if (!read) {
        *message = u"Could not open file!";
        return 0;
    }
    if (format == LIST_FILE_OPML) return readOpml(bytes.data(), bytes.size(), out, message);
    return readMarkdown(bytes.data(), bytes.size(), out, message);
}

namespace {

// An item's text is one line: line ends, tabs and other control characters
// become blanks, and blanks at its ends go, as they do for a line of text.
std::u16string oneLine(const std::u16string& text) {
    std::u16string line = text;
    for (WCHAR& c : line)
        if (c < 0x20) c = u' ';
    std::vector<WCHAR> buffer(line.begin(), line.end());
    buffer.push_back(0);
    trimSpaces(buffer.data());
    return buffer.data();
}

// Stored notes break their lines with a carriage return and a line feed.
std::u16string storedNote(const std::u16string& note) {
    std::u16string out;
    for (size_t i = 0; i < note.size(); ++i) {
        if (note[i] == u'\r' && i + 1 < note.size() && note[i + 1] == u'\n') continue;
        if (note[i] == u'\n' || note[i] == u'\r')
            out += u"\r\n";
        else
            out += note[i];
    }
    return out;
}

}  // namespace

std::vector<ImportLine> importLinesOf(const OutlineDocument& outline) {
    std::vector<ImportLine> lines;
    lines.reserve(outline.rows.size());
    for (const OutlineRow& row : outline.rows) {
        ImportLine item;
        item.depth = row.depth;
        item.checked = row.checked;
        item.text = oneLine(row.text);
        lines.push_back(item);
        if (row.note.empty()) continue;
        ImportLine note;
        note.depth = row.depth;
        note.note = 1;
        note.text = storedNote(row.note);
        lines.push_back(note);
    }
    return lines;
}
