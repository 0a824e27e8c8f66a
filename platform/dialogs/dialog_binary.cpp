// Reading binary dialog templates: a bounded cursor over the bytes, the
// "string or ordinal" fields, and the DWORD-aligned items.
#include "platform/dialogs/dialog_binary.h"

#include <cstring>

namespace dlg {
namespace {

class Reader {
public:
    Reader(const unsigned char* p, size_t size) : p_(p), size_(size) {}

    bool word(WORD& out) { return bytes(&out, sizeof out); }
    bool dword(DWORD& out) { return bytes(&out, sizeof out); }
    bool shortValue(short& out) { return bytes(&out, sizeof out); }
    bool skip(size_t n) {
        if (n > size_ - pos_) return false;
        pos_ += n;
        return true;
    }
    bool alignDword() { return skip((4 - pos_ % 4) % 4); }
    // A NUL-terminated string of WORDs.
    bool string(std::u16string& out) {
        out.clear();
        for (WORD c; word(c);) {
            if (!c) return true;
            out.push_back((char16_t)c);
        }
        return false;
    }
    // 0x0000: nothing; 0xFFFF and an ordinal; else a string.
    bool stringOrOrdinal(std::u16string& text, WORD& ordinal, bool& isOrdinal) {
        isOrdinal = false;
        ordinal = 0;
        text.clear();
        WORD first;
        if (!peekWord(first)) return false;
        if (first == 0xFFFF) {
            isOrdinal = true;
            return skip(2) && word(ordinal);
        }
        return string(text);
    }

private:
    bool bytes(void* out, size_t n) {
        if (n > size_ - pos_) return false;
        std::memcpy(out, p_ + pos_, n);
        pos_ += n;
        return true;
    }
    bool peekWord(WORD& out) {
        if (sizeof out > size_ - pos_) return false;
        std::memcpy(&out, p_ + pos_, sizeof out);
        return true;
    }

    const unsigned char* p_;
    size_t size_;
    size_t pos_ = 0;
};

LPCWSTR keep(ParsedDialogTemplate& out, std::u16string s) {
    out.strings.push_back(std::move(s));
    return out.strings.back().c_str();
}

}  // namespace

bool parseDialogTemplate(const void* data, size_t maxSize, ParsedDialogTemplate& out) {
    out = ParsedDialogTemplate{};
    if (!data) return false;
    Reader r(static_cast<const unsigned char*>(data), maxSize);
    DLGTEMPLATE head{};
    if (!r.dword(head.style) || !r.dword(head.dwExtendedStyle) || !r.word(head.cdit) || !r.shortValue(head.x) ||
        !r.shortValue(head.y) || !r.shortValue(head.cx) || !r.shortValue(head.cy))
        return false;
    // The extended form starts with version 1 and the signature 0xFFFF.
    if ((head.style & 0xFFFF) == 1 && (head.style >> 16) == 0xFFFF) return false;
    device::DialogTemplate& t = out.t;
    t.style = head.style;
    t.exStyle = head.dwExtendedStyle;
    t.x = head.x;
    t.y = head.y;
    t.cx = head.cx;
    t.cy = head.cy;
    std::u16string text;
    WORD ordinal;
    bool isOrdinal;
    if (!r.stringOrOrdinal(text, ordinal, isOrdinal)) return false;  // menu: dialogs have none here
    if (!r.stringOrOrdinal(text, ordinal, isOrdinal)) return false;  // class: always the dialog class
    if (!r.stringOrOrdinal(text, ordinal, isOrdinal)) return false;
    t.caption = keep(out, isOrdinal ? std::u16string() : text);
    if (t.style & DS_SETFONT) {
        WORD points;
        if (!r.word(points) || !r.string(text)) return false;
        t.pointSize = points;
        t.fontFace = keep(out, text);
    }
    for (WORD i = 0; i < head.cdit; ++i) {
        DLGITEMTEMPLATE it{};
        if (!r.alignDword() || !r.dword(it.style) || !r.dword(it.dwExtendedStyle) || !r.shortValue(it.x) ||
            !r.shortValue(it.y) || !r.shortValue(it.cx) || !r.shortValue(it.cy) || !r.word(it.id))
            return false;
        device::DialogItemTemplate item;
        item.style = it.style;
        item.exStyle = it.dwExtendedStyle;
        item.x = it.x;
        item.y = it.y;
        item.cx = it.cx;
        item.cy = it.cy;
        item.id = it.id == 0xFFFF ? -1 : it.id;
        if (!r.stringOrOrdinal(text, ordinal, isOrdinal)) return false;
        item.className = isOrdinal ? MAKEINTRESOURCEW(ordinal) : keep(out, text);
        if (!r.stringOrOrdinal(text, ordinal, isOrdinal)) return false;
        item.text = isOrdinal ? MAKEINTRESOURCEW(ordinal) : keep(out, text);
        WORD extra;
        if (!r.word(extra) || !r.skip(extra)) return false;
        t.items.push_back(item);
    }
    return true;
}

}  // namespace dlg
