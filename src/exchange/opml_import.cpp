// Reading an OPML outline with expat: the head's title, and every
// "outline" of the body at the depth it is nested, with its text, its
// check mark (the "_complete" this program writes, and "complete",
// "checked" and "_status" of other outliners) and its "_note". Other
// elements and attributes are passed over.
#include <expat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exchange/outline_document.h"
#include "wcrt.h"

namespace {

struct OpmlReader {
    XML_Parser parser = nullptr;
    OutlineDocument* out = nullptr;
    std::vector<std::string> open;  // the names of the open elements
    std::vector<bool> counted;      // whether each open element is an outline of the body
    int outlineDepth = 0;
    bool notOpml = false;
    bool sawBody = false;
    bool tooDeep = false;
    std::string title;
};

bool isTrue(const char* value) {
    std::string v = value ? value : "";
    for (char& c : v) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return v == "true" || v == "1" || v == "yes";
}

bool parentIs(const OpmlReader& r, const char* name) { return r.open.size() >= 2 && r.open[r.open.size() - 2] == name; }

void addOutline(OpmlReader& r, const char** attributes) {
    OutlineRow row;
    row.depth = r.outlineDepth;
    for (const char** a = attributes; a[0] && a[1]; a += 2) {
        std::string name = a[0];
        if (name == "text") row.text = wideFromUtf8(a[1], std::char_traits<char>::length(a[1]));
        else if (name == "_note") row.note = wideFromUtf8(a[1], std::char_traits<char>::length(a[1]));
        else if (name == "_complete" || name == "complete" || name == "checked") row.checked |= isTrue(a[1]) ? 1 : 0;
        else if (name == "_status") row.checked |= std::string(a[1]) == "checked" ? 1 : 0;
    }
    r.out->rows.push_back(std::move(row));
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    OpmlReader& r = *static_cast<OpmlReader*>(data);
    r.open.emplace_back(name);
    bool outline = false;
    if (r.open.size() == 1 && r.open[0] != "opml") {
        r.notOpml = true;
        XML_StopParser(r.parser, XML_FALSE);
    } else if (r.open.size() == 2 && r.open[1] == "body") {
        r.sawBody = true;
    } else if (r.open.back() == "outline" && r.open.size() >= 3 &&
               (r.counted[r.counted.size() - 1] || (r.open.size() == 3 && r.open[1] == "body"))) {
        outline = true;
        if (r.outlineDepth >= OUTLINE_MAX_DEPTH) {
            r.tooDeep = true;
            XML_StopParser(r.parser, XML_FALSE);
        } else {
            addOutline(r, attributes);
            ++r.outlineDepth;
        }
    }
    r.counted.push_back(outline);
}

void XMLCALL onEnd(void* data, const XML_Char*) {
    OpmlReader& r = *static_cast<OpmlReader*>(data);
    if (!r.counted.empty() && r.counted.back()) --r.outlineDepth;
    if (!r.open.empty()) r.open.pop_back();
    if (!r.counted.empty()) r.counted.pop_back();
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    OpmlReader& r = *static_cast<OpmlReader*>(data);
    if (r.open.size() == 3 && r.open[2] == "title" && parentIs(r, "head")) r.title.append(text, size_t(length));
}

// Windows-1252, which expat does not know by itself but the device writes.
int XMLCALL onUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
    std::string n = name ? name : "";
    for (char& c : n) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (n != "windows-1252" && n != "cp1252") return XML_STATUS_ERROR;
    for (int b = 0; b < 256; ++b) {
        char byte = char(b);
        WCHAR wide = 0;
        info->map[b] = MultiByteToWideChar(1252, 0, &byte, 1, &wide, 1) == 1 ? int(wide) : b;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

std::u16string brokenMessage(XML_Parser parser) {
    std::string reason = XML_ErrorString(XML_GetErrorCode(parser));
    std::string text = "The OPML file is broken at line " + std::to_string(XML_GetCurrentLineNumber(parser)) + " (" +
                       reason + ")!";
    return std::u16string(text.begin(), text.end());
}

}  // namespace

int readOpml(const char* bytes, size_t size, OutlineDocument* out, std::u16string* message) {
    message->clear();
    OpmlReader r;
    OutlineDocument document;
    r.out = &document;
    r.parser = XML_ParserCreate(nullptr);
    if (!r.parser) {
        *message = u"Could not allocate memory for the OPML file!";
        return 0;
    }
    XML_SetUserData(r.parser, &r);
    XML_SetElementHandler(r.parser, onStart, onEnd);
    XML_SetCharacterDataHandler(r.parser, onText);
    XML_SetUnknownEncodingHandler(r.parser, onUnknownEncoding, nullptr);
    bool parsed = true;
    // Fed in pieces that an int can count.
    const size_t piece = 1 << 24;
    for (size_t at = 0; parsed && (at < size || at == 0); at += piece) {
        size_t n = std::min(piece, size - at);
        bool last = at + n >= size;
        parsed = XML_Parse(r.parser, bytes + at, int(n), last ? 1 : 0) == XML_STATUS_OK;
        if (last) break;
    }
    if (r.notOpml)
        *message = u"The file is not an OPML outline!";
    else if (r.tooDeep)
        *message = u"The outline in the file is nested too deeply!";
    else if (!parsed)
        *message = brokenMessage(r.parser);
    else if (!r.sawBody)
        *message = u"The OPML file has no body!";
    XML_ParserFree(r.parser);
    if (!message->empty()) return 0;
    document.title = wideFromUtf8(r.title.data(), r.title.size());
    *out = std::move(document);
    return 1;
}
