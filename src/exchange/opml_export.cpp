// A list written as OPML 2.0: the list's name as the head's title, an
// "outline" per item with its text, "_complete" when it is checked and its
// note as "_note". The stream writes UTF-8, which the declaration names.
#include <string>

#include "exchange/export_rows.h"
#include "wcrt.h"

namespace {

// Text fit for an attribute value or element content. Line feeds and tabs
// are written as character references so that a reader's attribute-value
// normalisation keeps them; the carriage return of a stored line end is
// dropped (the line feed carries the break), and other control characters,
// which XML 1.0 cannot hold at all, are left out.
std::u16string escapeXml(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (WCHAR c : text) {
        switch (c) {
            case u'&': out += u"&amp;"; break;
            case u'<': out += u"&lt;"; break;
            case u'>': out += u"&gt;"; break;
            case u'"': out += u"&quot;"; break;
            case u'\n': out += u"&#10;"; break;
            case u'\t': out += u"&#9;"; break;
            default:
                if (c >= 0x20 && c != 0xFFFE && c != 0xFFFF) out += c;
        }
    }
    return out;
}

void writeIndent(FILE* file, int depth) {
    for (int i = 0; i < depth + 2; ++i) fputws(u"  ", file);
}

void writeOutlines(FILE* file, const ExportList& list, LONG parent, int depth) {
    const std::vector<size_t>* children = list.childrenOf(parent);
    if (!children) return;
    for (size_t index : *children) {
        const ExportRow& row = list.rows[index];
        std::u16string element = u"<outline text=\"" + escapeXml(row.text) + u"\"";
        if (row.checked == 1) element += u" _complete=\"true\"";
        if (row.hasNote == 1) element += u" _note=\"" + escapeXml(row.note) + u"\"";
        bool hasChildren = row.numChild > 0 && list.childrenOf(row.id);
        writeIndent(file, depth);
        fputws(element.c_str(), file);
        if (!hasChildren) {
            fputws(u"/>\n", file);
            continue;
        }
        fputws(u">\n", file);
        writeOutlines(file, list, row.id, depth + 1);
        writeIndent(file, depth);
        fputws(u"</outline>\n", file);
    }
}

}  // namespace

void writeOpmlList(FILE* file, LPCWSTR listName, const ExportList& list) {
    fputws(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n  <head>\n    <title>", file);
    fputws(escapeXml(listName ? listName : u"").c_str(), file);
    fputws(u"</title>\n  </head>\n  <body>\n", file);
    writeOutlines(file, list, 0, 0);
    fputws(u"  </body>\n</opml>\n", file);
}
