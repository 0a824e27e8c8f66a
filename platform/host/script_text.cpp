// Text helpers of the script reader: UTF-8/UTF-16 and the names of keys.
#include <cstring>

#include "platform/host/script.h"
#include "winuser.h"

namespace device {

bool utf8ToUtf16(const std::string& in, std::u16string& out) {
    std::u16string r;
    size_t i = 0, n = in.size();
    while (i < n) {
        unsigned char c = (unsigned char)in[i];
        uint32_t cp = 0;
        int more = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            more = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            more = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            more = 3;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + (size_t)k >= n) return false;
            unsigned char d = (unsigned char)in[i + k];
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static const uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            r += (char16_t)(0xD800 + (cp >> 10));
            r += (char16_t)(0xDC00 + (cp & 0x3FF));
        } else {
            r += (char16_t)cp;
        }
        i += more + 1;
    }
    out = std::move(r);
    return true;
}

std::string utf16ToUtf8(const std::u16string& in) {
    std::string r;
    for (size_t i = 0; i < in.size(); ++i) {
        uint32_t cp = in[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (cp < 0x80) {
            r += (char)cp;
        } else if (cp < 0x800) {
            r += (char)(0xC0 | (cp >> 6));
            r += (char)(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            r += (char)(0xE0 | (cp >> 12));
            r += (char)(0x80 | ((cp >> 6) & 0x3F));
            r += (char)(0x80 | (cp & 0x3F));
        } else {
            r += (char)(0xF0 | (cp >> 18));
            r += (char)(0x80 | ((cp >> 12) & 0x3F));
            r += (char)(0x80 | ((cp >> 6) & 0x3F));
            r += (char)(0x80 | (cp & 0x3F));
        }
    }
    return r;
}

bool keyByName(const std::string& name, unsigned& vk) {
    static const struct {
        const char* name;
        unsigned vk;
    } kKeys[] = {
        {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},       {"back", VK_BACK},
        {"delete", VK_DELETE}, {"space", VK_SPACE},  {"up", VK_UP},         {"down", VK_DOWN},
        {"left", VK_LEFT},     {"right", VK_RIGHT},  {"home", VK_HOME},     {"end", VK_END},
        {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT},
    };
    if (name.size() < 2) return false;  // one character is that character
    // F1 to F12.
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) n = (name[i] >= '0' && name[i] <= '9') ? n * 10 + (name[i] - '0') : 99;
        if (n >= 1 && n <= 12) {
            vk = VK_F1 + (unsigned)(n - 1);
            return true;
        }
    }
    for (const auto& k : kKeys) {
        if (strcasecmp(k.name, name.c_str()) == 0) {
            vk = k.vk;
            return true;
        }
    }
    return false;
}

bool keyForChar(char16_t ch, unsigned& vk, bool& shift) {
    shift = false;
    if (ch >= u'a' && ch <= u'z') {
        vk = ch - u'a' + 'A';
        return true;
    }
    if (ch >= u'A' && ch <= u'Z') {
        vk = ch;
        shift = true;
        return true;
    }
    if (ch >= u'0' && ch <= u'9') {
        vk = ch;
        return true;
    }
    // The US keyboard's punctuation keys, plain and shifted.
    static const struct {
        char16_t plain, shifted;
        unsigned vk;
    } kPunct[] = {
        {u' ', 0, VK_SPACE},       {u';', u':', VK_OEM_1},     {u'=', u'+', VK_OEM_PLUS},
        {u',', u'<', VK_OEM_COMMA}, {u'-', u'_', VK_OEM_MINUS}, {u'.', u'>', VK_OEM_PERIOD},
        {u'/', u'?', VK_OEM_2},     {u'`', u'~', VK_OEM_3},     {u'[', u'{', VK_OEM_4},
        {u'\\', u'|', VK_OEM_5},    {u']', u'}', VK_OEM_6},     {u'\'', u'"', VK_OEM_7},
    };
    for (const auto& p : kPunct) {
        if (ch == p.plain || (p.shifted && ch == p.shifted)) {
            vk = p.vk;
            shift = ch == p.shifted;
            return true;
        }
    }
    static const char16_t kShiftedDigits[] = u")!@#$%^&*(";
    for (int d = 0; d < 10; ++d) {
        if (ch == kShiftedDigits[d]) {
            vk = '0' + d;
            shift = true;
            return true;
        }
    }
    return false;
}

}  // namespace device
