#include "platform/system/system_code_page.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/system/code_page.h"
#include "winerror.h"
#include "winreg.h"

namespace device {
namespace {

// Where a device keeps its locale's code page.
constexpr char16_t kNlsKey[] = u"System\\CurrentControlSet\\Control\\Nls\\CodePage";
constexpr char16_t kAcpValue[] = u"ACP";

// A single-byte page as two tables: what each byte means, and the byte of
// each character the page has above ASCII.
struct SingleBytePage {
    std::array<char16_t, 256> toWide{};
    std::unordered_map<char16_t, unsigned char> fromWide;
};

// The page's characters as glibc's iconv knows them; a byte the page leaves
// undefined keeps its own value.
std::unique_ptr<SingleBytePage> buildPage(unsigned page) {
    auto table = std::make_unique<SingleBytePage>();
    for (int b = 0; b < 256; ++b) table->toWide[(size_t)b] = (char16_t)b;
    std::string name = "CP" + std::to_string(page);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    if (cd == (iconv_t)-1) return nullptr;
    for (int b = 0x80; b < 256; ++b) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char in = (char)b;
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        // Pages with combining marks hold a letter back until the next
        // byte; the flush gives it.
        if (r != (size_t)-1) r = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        if (r == (size_t)-1 || outPtr - out != 2) continue;
        table->toWide[(size_t)b] = (char16_t)((unsigned char)out[0] | ((unsigned char)out[1] << 8));
    }
    iconv_close(cd);
    for (int b = 0xFF; b >= 0x80; --b) table->fromWide[table->toWide[(size_t)b]] = (unsigned char)b;
    return table;
}

std::mutex pagesLock;
std::map<unsigned, std::unique_ptr<SingleBytePage>>& pages() {
    static std::map<unsigned, std::unique_ptr<SingleBytePage>> all;
    return all;
}

// The table of a single-byte page, built on first use and kept.
const SingleBytePage* pageTable(unsigned page) {
    std::lock_guard<std::mutex> g(pagesLock);
    auto& all = pages();
    auto it = all.find(page);
    if (it == all.end()) it = all.emplace(page, buildPage(page)).first;
    return it->second.get();
}

std::atomic<unsigned> currentPage{kCodePageDefault};
// The current page's table, so that converting its text takes no lock.
std::atomic<const SingleBytePage*> currentTable{nullptr};

const SingleBytePage* tableOf(unsigned page) {
    return page == currentPage.load(std::memory_order_acquire) ? currentTable.load(std::memory_order_acquire)
                                                               : pageTable(page);
}

}  // namespace

bool codePageSupported(unsigned page) {
    return page == kCodePageUtf8 || page == 874 || (page >= 1250 && page <= 1258);
}

unsigned parseCodePage(std::string_view text) {
    std::string lower;
    for (char c : text) lower.push_back((char)std::tolower((unsigned char)c));
    if (lower == "utf-8" || lower == "utf8") return kCodePageUtf8;
    if (lower.empty() || lower.size() > 5) return 0;
    unsigned page = 0;
    for (char c : lower) {
        if (c < '0' || c > '9') return 0;
        page = page * 10 + (unsigned)(c - '0');
    }
    return codePageSupported(page) ? page : 0;
}

unsigned systemCodePage() { return currentPage.load(std::memory_order_acquire); }

bool setSystemCodePage(unsigned page) {
    if (!codePageSupported(page)) return false;
    // A page glibc cannot convert is refused rather than half taken.
    const SingleBytePage* table = nullptr;
    if (page != kCodePageUtf8 && page != kCodePageDefault && !(table = pageTable(page))) return false;
    currentTable.store(table, std::memory_order_release);
    currentPage.store(page, std::memory_order_release);
    return true;
}

bool storeSystemCodePage(unsigned page) {
    if (!codePageSupported(page)) return false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kNlsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    std::u16string text;
    for (char c : std::to_string(page)) text.push_back((char16_t)c);
    LONG r = RegSetValueExW(key, kAcpValue, 0, REG_SZ, (const BYTE*)text.c_str(),
                            (DWORD)((text.size() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
    return r == ERROR_SUCCESS && setSystemCodePage(page);
}

void loadSystemCodePage() {
    unsigned page = kCodePageDefault;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kNlsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char16_t text[16] = {};
        DWORD type = 0, size = sizeof text - sizeof(char16_t);
        if (RegQueryValueExW(key, kAcpValue, nullptr, &type, (LPBYTE)text, &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            std::string digits;
            for (size_t i = 0; i < size / sizeof(char16_t) && text[i]; ++i) digits.push_back((char)text[i]);
            if (unsigned stored = parseCodePage(digits)) page = stored;
        }
        RegCloseKey(key);
    }
    if (!setSystemCodePage(page)) setSystemCodePage(kCodePageDefault);
}

char16_t pageByteToWide(unsigned page, unsigned char b) {
    if (b < 0x80 || page == kCodePageDefault || page == kCodePageUtf8) return cp1252ToWide(b);
    const SingleBytePage* table = tableOf(page);
    return table ? table->toWide[b] : cp1252ToWide(b);
}

int wideToPageByte(unsigned page, char16_t c) {
    if (c < 0x80) return c;
    if (page == kCodePageDefault || page == kCodePageUtf8) return wideToCp1252(c);
    const SingleBytePage* table = tableOf(page);
    if (!table) return -1;
    auto it = table->fromWide.find(c);
    return it == table->fromWide.end() ? -1 : it->second;
}

}  // namespace device
