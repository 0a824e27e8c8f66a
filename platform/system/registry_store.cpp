#include "platform/system/registry_store.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "wcrt.h"

namespace device {
namespace {

const char kHeader[] = "quillet-registry 1";
const char kHex[] = "0123456789abcdef";

bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (towlower(a[i]) != towlower(b[i])) return false;
    return true;
}

std::string escape(std::u16string_view text) {
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

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool unescape(std::string_view field, std::u16string& out) {
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
        int hi = i + 1 < field.size() ? hexDigit(field[i + 1]) : -1;
        int lo = i + 2 < field.size() ? hexDigit(field[i + 2]) : -1;
        if (hi < 0 || lo < 0) return false;
        utf8 += (char)(hi * 16 + lo);
        i += 2;
    }
    if (utf8.empty() || !isValidUtf8(utf8)) return false;
    out = utf8ToWide(utf8);
    return true;
}

bool unhex(std::string_view field, std::vector<uint8_t>& out) {
    out.clear();
    if (field == "-") return true;
    if (field.empty() || field.size() % 2) return false;
    for (size_t i = 0; i < field.size(); i += 2) {
        int hi = hexDigit(field[i]), lo = hexDigit(field[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back((uint8_t)(hi * 16 + lo));
    }
    return true;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

void writeKey(std::string& out, int root, const std::u16string& path, const RegKey& key, bool always) {
    if (always || !key.values.empty()) {
        out += "key\t" + std::to_string(root) + "\t" + escape(path) + "\n";
        for (const RegValue& v : key.values) {
            out += "value\t" + std::to_string(v.type) + "\t" + escape(v.name) + "\t";
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

bool writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
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
    std::string out = std::string(kHeader) + "\n";
    for (int r = 0; r < kRegRoots; ++r) writeKey(out, r, u"", tree.roots[r], false);
    return out;
}

bool regParse(const std::string& text, RegTree& tree) {
    tree = RegTree{};
    size_t eol = text.find('\n');
    std::string_view header(text.data(), eol == std::string::npos ? text.size() : eol);
    if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
    if (header != kHeader) return text.empty();
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
        std::vector<std::string_view> f = splitTabs(line);
        if (f[0] == "key" && f.size() == 3 && f[1].size() == 1 && f[1][0] >= '0' && f[1][0] < '0' + kRegRoots) {
            std::u16string path;
            if (!unescape(f[2], path)) {
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
            if (type.empty() || *end || t > 0xFFFFFFFFul || !unescape(f[2], name) ||
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
        // Keep what could not be read, for a person to look at.
        std::string host;
        if (deviceToHost(kRegistryFile, host)) {
            std::error_code ec;
            std::filesystem::copy_file(host, host + ".damaged", std::filesystem::copy_options::overwrite_existing, ec);
        }
    }
}

bool regSaveFile(const RegTree& tree) {
    std::string host;
    if (!deviceToHost(kRegistryFile, host)) return false;
    std::string folder = host.substr(0, host.rfind('/'));
    mkdir(folder.c_str(), 0777);
    std::string temp = host + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, regSerialize(tree)) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) ok = rename(temp.c_str(), host.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk too.
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

}  // namespace device
