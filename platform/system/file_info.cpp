#include "platform/system/file_info.h"

#include <sys/stat.h>
#include <unistd.h>

#include "wcrt.h"
#include "winbase.h"

namespace device {

FILETIME fileTimeFromUnix(int64_t seconds, long nanoseconds) {
    const int64_t kEpochDelta = 11644473600LL;  // 1601-01-01 to 1970-01-01
    int64_t t = seconds + kEpochDelta;
    uint64_t ticks = t < 0 ? 0 : (uint64_t)t * 10000000ULL + (uint64_t)(nanoseconds / 100);
    return FILETIME{(DWORD)ticks, (DWORD)(ticks >> 32)};
}

bool hostFileInfo(const std::string& host, std::u16string_view deviceName, bool isCard, FileInfo& info) {
    struct stat st;
    if (stat(host.c_str(), &st) != 0) return false;
    info = FileInfo{};
    if (S_ISDIR(st.st_mode)) {
        info.attributes = FILE_ATTRIBUTE_DIRECTORY;
        if (isCard) info.attributes |= FILE_ATTRIBUTE_TEMPORARY;
    } else {
        info.attributes = FILE_ATTRIBUTE_ARCHIVE;
        info.size = (uint64_t)st.st_size;
        if (access(host.c_str(), W_OK) != 0) info.attributes |= FILE_ATTRIBUTE_READONLY;
    }
    // Dot files are the host's hidden files.
    if (!deviceName.empty() && deviceName[0] == u'.') info.attributes |= FILE_ATTRIBUTE_HIDDEN;
    info.written = fileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    info.accessed = fileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    // The host keeps no creation time everywhere; the last change of the
    // contents is the nearest stand-in that never lies in the future of it.
    info.created = info.written;
    return true;
}

bool matchWildcards(std::u16string_view pattern, std::u16string_view name) {
    if (pattern == u"*.*") pattern = u"*";
    // Greedy matching with one backtrack point per '*': linear in practice.
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || towlower(pattern[p]) == towlower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

}  // namespace device
