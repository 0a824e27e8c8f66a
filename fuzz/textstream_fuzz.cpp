// Reads arbitrary bytes as a text file through the wide streams: fgetws must
// stay within its buffer, always terminate, and text it read must survive
// being written out and read again.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/system/system_startup.h"
#include "windows.h"

namespace {

std::string deviceDir;

std::string setUpDevice() {
    std::string& dir = deviceDir;
    dir = (std::filesystem::temp_directory_path() / "qp-fuzz-textstream-XXXXXX").string();
    if (!mkdtemp(dir.data())) abort();
    device::SystemConfig config;
    config.rootDir = dir;
    config.cardDir = dir;
    if (!device::systemStartup(config)) abort();
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(deviceDir, ec);
    });
    return dir;
}

// Reads the whole device file with fgetws(n); returns the text.
std::u16string readAll(const WCHAR* path, int n) {
    FILE* f = _wfopen(path, u"r");
    if (!f) abort();
    std::vector<WCHAR> buf((size_t)n + 8, u'#');
    std::u16string text;
    while (fgetws(buf.data(), n, f)) {
        size_t len = wcslen(buf.data());
        if (len > (size_t)n - 1) abort();
        for (size_t i = (size_t)n; i < buf.size(); ++i)
            if (buf[i] != u'#') abort();
        text += buf.data();
    }
    fclose(f);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = setUpDevice();
    if (size == 0) return 0;
    int n = 2 + data[0] % 63;  // n = 1 holds only the NUL: a read loop would never end
    std::string bytes((const char*)data + 1, size - 1);
    std::ofstream(root + "/My Documents/in.txt", std::ios::binary | std::ios::trunc) << bytes;

    std::u16string small = readAll(u"\\My Documents\\in.txt", n);
    std::u16string whole = readAll(u"\\My Documents\\in.txt", 4096);
    bool hasNul = memchr(bytes.data(), 0, bytes.size()) != nullptr;
    if (!hasNul && small != whole) abort();
    if (hasNul || (!whole.empty() && whole[0] == 0xFEFF)) return 0;

    FILE* out = _wfopen(u"\\My Documents\\out.txt", u"w");
    if (!out) abort();
    fputws(whole.c_str(), out);
    fclose(out);
    if (readAll(u"\\My Documents\\out.txt", 4096) != whole) abort();
    return 0;
}
