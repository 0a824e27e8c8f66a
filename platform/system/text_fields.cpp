#include "platform/system/text_fields.h"

#include "platform/system/code_page.h"

namespace device {
namespace {
const char kHex[] = "0123456789abcdef";
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string escapeField(std::u16string_view text) {
    std::string utf8 = wideToUtf8(text);
    if (utf8.empty()) return "%";
    std::string out;
    for (unsigned char c : utf8) {
        if (c == '%' || c <= 0x20 || c == 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += (char)c;
        }
    }
    return out;
}

bool unescapeField(std::string_view field, std::u16string& out) {
    if (field == "%") {
        out.clear();
        return true;
    }
    std::string utf8;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            utf8 += field[i];
            continue;
        }
        int hi = i + 1 < field.size() ? hexDigitValue(field[i + 1]) : -1;
        int lo = i + 2 < field.size() ? hexDigitValue(field[i + 2]) : -1;
        if (hi < 0 || lo < 0) return false;
        utf8 += (char)(hi * 16 + lo);
        i += 2;
    }
    if (utf8.empty() || !isValidUtf8(utf8)) return false;
    out = utf8ToWide(utf8);
    return true;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

}  // namespace device
