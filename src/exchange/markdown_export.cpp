// A list written as Markdown: the list's name as a "#" heading and the
// items as a task list ("- [ ] text", "- [x] text"), two spaces deeper per
// level, a note as a paragraph indented under its item. Whatever Markdown
// would read as markup in a text is escaped, so that a reader gets the
// text back as it was typed.
#include <string>
#include <vector>

#include "exchange/export_rows.h"
#include "wcrt.h"

namespace {

// Characters that open or close inline markup wherever they stand
// (emphasis, code, links, HTML, GitHub's strikethrough and tables).
bool isInlineMarkup(WCHAR c) { return c && wcschr(u"\\`*_[]<>~|", c) != nullptr; }

bool isAsciiAlnum(WCHAR c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// One line of text as Markdown inline content. Blanks and tabs at either
// end are written as character references (a paragraph drops them, and
// four blanks would open a code block); a "&" that could start an entity, and the
// signs that make a line a heading, quote, rule or list item, are escaped.
// In a heading every "#" is, since a heading drops the ones it ends with.
std::u16string escapeLine(const std::u16string& line, bool heading = false) {
    size_t begin = line.find_first_not_of(u" \t");
    if (begin == std::u16string::npos) begin = line.size();
    size_t end = line.find_last_not_of(u" \t");
    end = end == std::u16string::npos ? begin : end + 1;
    auto reference = [](WCHAR c) { return c == u'\t' ? u"&#9;" : u"&#32;"; };
    std::u16string out;
    for (size_t i = 0; i < begin; ++i) out += reference(line[i]);
    size_t digits = begin;
    while (digits < end && line[digits] >= u'0' && line[digits] <= u'9') ++digits;
    for (size_t i = begin; i < end; ++i) {
        WCHAR c = line[i];
        bool lineSign = (i == begin && (c == u'#' || c == u'+' || c == u'-' || c == u'=')) || (heading && c == u'#');
        bool numberSign = i == digits && digits > begin && (c == u'.' || c == u')');
        bool entity = c == u'&' && i + 1 < end && (isAsciiAlnum(line[i + 1]) || line[i + 1] == u'#');
        if (isInlineMarkup(c) || lineSign || numberSign || entity) out += u'\\';
        // Line breaks and other control characters cannot stand inside one
        // line of Markdown.
        out += (c < 0x20 && c != u'\t') ? u' ' : c;
    }
    for (size_t i = end; i < line.size() && begin < line.size(); ++i) out += reference(line[i]);
    return out;
}

// The note's lines without the carriage returns of its stored line ends.
std::vector<std::u16string> noteLines(const std::u16string& note) {
    std::vector<std::u16string> lines(1);
    for (WCHAR c : note) {
        if (c == u'\r') continue;
        if (c == u'\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

void writeSpaces(FILE* file, size_t count) {
    std::u16string spaces(count, u' ');
    fputws(spaces.c_str(), file);
}

// A note as paragraphs under the item's text, indented to the item's
// content; an empty note line separates paragraphs.
void writeNote(FILE* file, const std::u16string& note, int depth) {
    bool paragraphOpen = false;
    for (const std::u16string& line : noteLines(note)) {
        if (line.find_first_not_of(u" \t") == std::u16string::npos) {
            paragraphOpen = false;
            continue;
        }
        if (!paragraphOpen) fputws(u"\n", file);
        paragraphOpen = true;
        writeSpaces(file, size_t(depth) * 2 + 2);
        fputws(escapeLine(line).c_str(), file);
        fputws(u"\n", file);
    }
    // The next item starts after a blank line, not inside the paragraph.
    fputws(u"\n", file);
}

void writeItems(FILE* file, const ExportList& list, LONG parent, int depth) {
    const std::vector<size_t>* children = list.childrenOf(parent);
    if (!children) return;
    for (size_t index : *children) {
        const ExportRow& row = list.rows[index];
        writeSpaces(file, size_t(depth) * 2);
        fputws(row.checked == 1 ? u"- [x] " : u"- [ ] ", file);
        fputws(escapeLine(row.text).c_str(), file);
        fputws(u"\n", file);
        if (row.hasNote == 1 && row.note.find_first_not_of(u" \t\r\n") != std::u16string::npos)
            writeNote(file, row.note, depth);
        if (row.numChild > 0) writeItems(file, list, row.id, depth + 1);
    }
}

}  // namespace

void writeMarkdownList(FILE* file, LPCWSTR listName, const ExportList& list) {
    fputws(u"# ", file);
    fputws(escapeLine(listName ? listName : u"", true).c_str(), file);
    fputws(u"\n\n", file);
    writeItems(file, list, 0, 0);
}
