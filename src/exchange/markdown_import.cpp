// Reading a Markdown outline with cmark-gfm and its task-list extension.
// List items are the items ("- [x]" checked), nested lists their children;
// an item's first paragraph is its text and its other blocks its note.
// Headings are items as well, a level deeper per "#" (the list under a
// heading belongs to it, and the paragraphs after it are its note), except
// a heading that opens the file and has no other heading as high as it:
// that one names the list, as Export List writes it.
#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm.h>

#include <algorithm>
#include <climits>
#include <string>

#include "exchange/outline_document.h"
#include "wcrt.h"

namespace {

struct MarkdownReader {
    OutlineDocument* out = nullptr;
    bool tooDeep = false;
};

// The inline text of a paragraph or heading; line breaks become `lineBreak`
// (a blank in an item's text, a line end in a note). Emphasis, links and
// the like keep only their text, to a depth that no sensible text reaches.
void appendInlines(cmark_node* parent, const std::string& lineBreak, std::string& out, int depth = 0) {
    if (depth > OUTLINE_MAX_DEPTH) return;
    for (cmark_node* node = cmark_node_first_child(parent); node; node = cmark_node_next(node)) {
        switch (cmark_node_get_type(node)) {
            case CMARK_NODE_TEXT:
            case CMARK_NODE_CODE:
            case CMARK_NODE_HTML_INLINE:
                if (const char* literal = cmark_node_get_literal(node)) out += literal;
                break;
            case CMARK_NODE_SOFTBREAK:
            case CMARK_NODE_LINEBREAK: out += lineBreak; break;
            default: appendInlines(node, lineBreak, out, depth + 1);
        }
    }
}

std::string trailingLineEndsCut(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// A block that belongs to a note, as plain text.
std::string blockText(MarkdownReader& r, cmark_node* block, int depth) {
    if (depth > OUTLINE_MAX_DEPTH) {
        r.tooDeep = true;
        return {};
    }
    std::string text;
    switch (cmark_node_get_type(block)) {
        case CMARK_NODE_PARAGRAPH:
        case CMARK_NODE_HEADING: appendInlines(block, "\n", text); return text;
        case CMARK_NODE_CODE_BLOCK:
        case CMARK_NODE_HTML_BLOCK: {
            const char* literal = cmark_node_get_literal(block);
            return trailingLineEndsCut(literal ? literal : "");
        }
        case CMARK_NODE_THEMATIC_BREAK: return {};
        default: break;
    }
    // Quotes, lists inside a note and other containers: their blocks, one
    // paragraph each.
    for (cmark_node* child = cmark_node_first_child(block); child; child = cmark_node_next(child)) {
        std::string part = blockText(r, child, depth + 1);
        if (part.empty()) continue;
        if (!text.empty()) text += "\n\n";
        text += part;
    }
    return text;
}

void addToNote(MarkdownReader& r, size_t row, const std::string& text) {
    if (text.empty()) return;
    std::u16string& note = r.out->rows[row].note;
    if (!note.empty()) note += u"\n\n";
    note += wideFromUtf8(text.data(), text.size());
}

void addList(MarkdownReader& r, cmark_node* list, int depth) {
    if (depth >= OUTLINE_MAX_DEPTH) {
        r.tooDeep = true;
        return;
    }
    for (cmark_node* item = cmark_node_first_child(list); item && !r.tooDeep; item = cmark_node_next(item)) {
        OutlineRow row;
        row.depth = depth;
        row.checked = cmark_gfm_extensions_get_tasklist_item_checked(item) ? 1 : 0;
        cmark_node* child = cmark_node_first_child(item);
        if (child && (cmark_node_get_type(child) == CMARK_NODE_PARAGRAPH ||
                      cmark_node_get_type(child) == CMARK_NODE_HEADING)) {
            std::string text;
            appendInlines(child, " ", text);
            row.text = wideFromUtf8(text.data(), text.size());
            child = cmark_node_next(child);
        }
        size_t index = r.out->rows.size();
        r.out->rows.push_back(std::move(row));
        for (; child && !r.tooDeep; child = cmark_node_next(child)) {
            if (cmark_node_get_type(child) == CMARK_NODE_LIST)
                addList(r, child, depth + 1);
            else
                addToNote(r, index, blockText(r, child, 0));
        }
    }
}

bool isHeading(cmark_node* node) { return node && cmark_node_get_type(node) == CMARK_NODE_HEADING; }

// The heading that names the list: the first block, when no later heading
// is of its level or higher.
cmark_node* titleHeading(cmark_node* document) {
    cmark_node* first = cmark_node_first_child(document);
    if (!isHeading(first)) return nullptr;
    int level = cmark_node_get_heading_level(first);
    for (cmark_node* node = cmark_node_next(first); node; node = cmark_node_next(node))
        if (isHeading(node) && cmark_node_get_heading_level(node) <= level) return nullptr;
    return first;
}

void readDocument(MarkdownReader& r, cmark_node* document) {
    cmark_node* title = titleHeading(document);
    if (title) {
        std::string text;
        appendInlines(title, " ", text);
        r.out->title = wideFromUtf8(text.data(), text.size());
    }
    int topLevel = INT_MAX;
    for (cmark_node* node = cmark_node_first_child(document); node; node = cmark_node_next(node))
        if (isHeading(node) && node != title) topLevel = std::min(topLevel, cmark_node_get_heading_level(node));
    long heading = -1;  // the row of the heading the blocks now belong to
    int listDepth = 0;
    for (cmark_node* node = cmark_node_first_child(document); node && !r.tooDeep; node = cmark_node_next(node)) {
        if (node == title) continue;
        switch (cmark_node_get_type(node)) {
            case CMARK_NODE_HEADING: {
                OutlineRow row;
                row.depth = cmark_node_get_heading_level(node) - topLevel;
                std::string text;
                appendInlines(node, " ", text);
                row.text = wideFromUtf8(text.data(), text.size());
                heading = long(r.out->rows.size());
                listDepth = row.depth + 1;
                r.out->rows.push_back(std::move(row));
                break;
            }
            case CMARK_NODE_LIST: addList(r, node, listDepth); break;
            default:
                // Text before the first item has no item to belong to.
                if (heading >= 0) addToNote(r, size_t(heading), blockText(r, node, 0));
        }
    }
}

// The file's text as UTF-8: a byte order mark dropped, UTF-16 (with its
// mark) converted, and a file that is not valid UTF-8 read as
// Windows-1252, as a text file would be.
std::string utf8Text(const char* bytes, size_t size) {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
    std::u16string wide;
    if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return std::string(bytes + 3, size - 3);
    if (size >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        bool little = b[0] == 0xFF;
        for (size_t i = 2; i + 1 < size; i += 2)
            wide += char16_t(little ? b[i] | (b[i + 1] << 8) : (b[i] << 8) | b[i + 1]);
    } else if (size > 0 && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, int(size), nullptr, 0) <= 0) {
        wide.resize(size);
        MultiByteToWideChar(1252, 0, bytes, int(size), wide.data(), int(size));
    } else {
        return std::string(bytes, size);
    }
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size_t(std::max(length, 0)), '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

int readMarkdown(const char* bytes, size_t size, OutlineDocument* out, std::u16string* message) {
    message->clear();
    std::string text = utf8Text(bytes, size);
    cmark_gfm_core_extensions_ensure_registered();
    cmark_parser* parser = cmark_parser_new(CMARK_OPT_DEFAULT);
    if (cmark_syntax_extension* tasks = cmark_find_syntax_extension("tasklist"))
        cmark_parser_attach_syntax_extension(parser, tasks);
    cmark_parser_feed(parser, text.data(), text.size());
    cmark_node* document = cmark_parser_finish(parser);
    OutlineDocument outline;
    MarkdownReader r;
    r.out = &outline;
    if (document) readDocument(r, document);
    if (document) cmark_node_free(document);
    cmark_parser_free(parser);
    if (r.tooDeep)
        *message = u"The outline in the file is nested too deeply!";
    else if (outline.rows.empty())
        *message = u"The Markdown file holds no list!";
    if (!message->empty()) return 0;
    *out = std::move(outline);
    return 1;
}
