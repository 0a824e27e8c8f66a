#include "platform/system/registry_store.h"

#include <cstdlib>

#include "platform/system/device_fs.h"
#include "platform/system/program_identity.h"
#include "platform/system/text_fields.h"
#include "wcrt.h"

namespace device {
namespace {

const char kHex[] = "0123456789abcdef";

bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (towlower(a[i]) != towlower(b[i])) return false;
    return true;
}

bool unhex(std::string_view field, std::vector<uint8_t>& out) {
    out.clear();
    if (field == "-") return true;
    if (field.empty() || field.size() % 2) return false;
    for (size_t i = 0; i < field.size(); i += 2) {
        int hi = hexDigitValue(field[i]), lo = hexDigitValue(field[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back((uint8_t)(hi * 16 + lo));
    }
    return true;
}

void writeKey(std::string& out, int root, const std::u16string& path, const RegKey& key, bool always) {
    if (always || !key.values.empty()) {
        out += "key\t" + std::to_string(root) + "\t" + escapeField(path) + "\n";
        for (const RegValue& v : key.values) {
            out += "value\t" + std::to_string(v.type) + "\t" + escapeField(v.name) + "\t";
            if (v.data.empty()) out += "-";
            for (uint8_t b : v.data) {
                out += kHex[b >> 4];
                out += kHex[b & 15];
            }
            out += "\n";
        }
    }
    for (const auto& c : key.children)
        writeKey(out, root, path.empty() ? c->name : path + u"\\" + c->name, *c, true);
}

}  // namespace

RegKey* RegKey::child(std::u16string_view n) {
    for (auto& c : children)
        if (sameIgnoringCase(c->name, n)) return c.get();
    return nullptr;
}

RegValue* RegKey::value(std::u16string_view n) {
    for (auto& v : values)
        if (sameIgnoringCase(v.name, n)) return &v;
    return nullptr;
}

std::string regSerialize(const RegTree& tree) {
    std::string out = deviceFileHeader("registry") + "\n";
    for (int r = 0; r < kRegRoots; ++r) writeKey(out, r, u"", tree.roots[r], false);
    return out;
}

bool regParse(const std::string& text, RegTree& tree) {
    tree = RegTree{};
    size_t eol = text.find('\n');
    std::string_view header(text.data(), eol == std::string::npos ? text.size() : eol);
    if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
    if (header != deviceFileHeader("registry")) return text.empty();
    bool clean = true;
    RegKey* current = nullptr;
    size_t pos = eol == std::string::npos ? text.size() : eol + 1;
    while (pos < text.size()) {
        eol = text.find('\n', pos);
        std::string_view line(text.data() + pos, (eol == std::string::npos ? text.size() : eol) - pos);
        pos = eol == std::string::npos ? text.size() : eol + 1;
        // A file edited by hand elsewhere may have gained CRLF line ends.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        std::vector<std::string_view> f = splitFields(line);
        if (f[0] == "key" && f.size() == 3 && f[1].size() == 1 && f[1][0] >= '0' && f[1][0] < '0' + kRegRoots) {
            std::u16string path;
            if (!unescapeField(f[2], path)) {
                clean = false;
                current = nullptr;
                continue;
            }
            RegKey* key = &tree.roots[f[1][0] - '0'];
            size_t start = 0;
            while (key && start < path.size()) {
                size_t cut = path.find(u'\\', start);
                if (cut == std::u16string::npos) cut = path.size();
                std::u16string name = path.substr(start, cut - start);
                start = cut + 1;
                if (name.empty()) {
                    key = nullptr;
                    break;
                }
                RegKey* next = key->child(name);
                if (!next) {
                    key->children.push_back(std::make_unique<RegKey>());
                    next = key->children.back().get();
                    next->name = name;
                }
                key = next;
            }
            if (!key) clean = false;
            current = key;
        } else if (f[0] == "value" && f.size() == 4 && current) {
            RegValue v;
            char* end = nullptr;
            std::string type(f[1]);
            unsigned long t = strtoul(type.c_str(), &end, 10);
            std::u16string name;
            if (type.empty() || *end || t > 0xFFFFFFFFul || !unescapeField(f[2], name) ||
                !unhex(f[3], v.data)) {
                clean = false;
                continue;
            }
            v.type = (DWORD)t;
            v.name = name;
            if (RegValue* old = current->value(v.name)) *old = std::move(v);
            else current->values.push_back(std::move(v));
        } else {
            clean = false;
        }
    }
    return clean;
}

void regLoadFile(RegTree& tree) {
    std::vector<uint8_t> bytes;
    if (!readDeviceFile(kRegistryFile, bytes)) {
        tree = RegTree{};
        return;
    }
    std::string text(bytes.begin(), bytes.end());
    if (!regParse(text, tree)) {
        keepDamagedCopy(kRegistryFile);
    }
}

bool regSaveFile(const RegTree& tree) { return replaceDeviceFile(kRegistryFile, regSerialize(tree)); }

}  // namespace device
