// Device paths on the host: the two host folders behind the device, name
// resolution without regard to case, and the way back from host paths.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/program_identity.h"
#include "wcrt.h"
#include "winbase.h"
#include "winerror.h"

namespace device {
namespace {

std::string rootDir;
std::string cardDir;

const std::u16string_view kCardName = u"Storage Card";

std::string homeDir() {
    const char* home = getenv("HOME");
    if (home && *home) return home;
    if (passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return std::filesystem::current_path().string();
}

std::string absolute(const std::string& dir) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(dir, ec);
    if (ec) return dir;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && towlower(a[i]) != towlower(b[i])) return false;
    return true;
}

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool hasWildcards(std::u16string_view s) { return s.find_first_of(u"*?") != std::u16string_view::npos; }

// Splits a device path into its names. The device has no current folder, so
// a path without a leading backslash starts at the root as well.
DWORD splitPath(std::u16string_view path, std::vector<std::u16string>& parts, bool wildcardsInLast) {
    if (path.empty()) return ERROR_PATH_NOT_FOUND;
    size_t i = 0;
    while (i < path.size()) {
        while (i < path.size() && isSeparator(path[i])) ++i;
        size_t start = i;
        while (i < path.size() && !isSeparator(path[i])) ++i;
        if (i > start) parts.emplace_back(path.substr(start, i - start));
    }
    std::erase(parts, u".");
    size_t length = 0;
    for (size_t k = 0; k < parts.size(); ++k) {
        const std::u16string& name = parts[k];
        // ".." could climb out of the device; the device never needs it.
        if (name == u"..") return ERROR_INVALID_NAME;
        for (char16_t c : name) {
            if (c < 32 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|') return ERROR_INVALID_NAME;
            if ((c == u'*' || c == u'?') && !(wildcardsInLast && k + 1 == parts.size())) return ERROR_INVALID_NAME;
        }
        length += 1 + name.size();
    }
    if (length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    return ERROR_SUCCESS;
}

// The host entry of `dir` that the device name `name` stands for, or "".
std::string findEntry(const std::string& dir, const std::u16string& name) {
    std::string exact = wideToUtf8(name);
    struct stat st;
    if (stat((dir + "/" + exact).c_str(), &st) == 0) return exact;
    DIR* d = opendir(dir.c_str());
    if (!d) return "";
    std::vector<std::string> entries;
    while (dirent* e = readdir(d)) {
        std::string_view n = e->d_name;
        if (n != "." && n != "..") entries.emplace_back(n);
    }
    closedir(d);
    std::sort(entries.begin(), entries.end());
    std::string folded;
    for (const std::string& e : entries) {
        std::u16string shown = hostNameToDevice(e);
        if (shown == name) return e;  // a name that is not UTF-8, matched exactly
        if (folded.empty() && sameIgnoringCase(shown, name)) folded = e;
    }
    return folded;
}

bool isDirectory(const std::string& host) {
    struct stat st;
    return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// realpath of a path whose last part may not exist yet.
std::string canonicalHost(const std::string& host) {
    char buf[PATH_MAX];
    if (realpath(host.c_str(), buf)) return buf;
    std::filesystem::path p = absolute(host);
    if (realpath(p.parent_path().c_str(), buf)) return (std::filesystem::path(buf) / p.filename()).string();
    return p.string();
}

// The part of `path` below `base`, with `ok` false when it is not below.
std::string below(const std::string& path, const std::string& base, bool& ok) {
    ok = false;
    if (base.empty()) return "";
    if (path == base) {
        ok = true;
        return "";
    }
    std::string prefix = base == "/" ? base : base + "/";
    if (path.compare(0, prefix.size(), prefix) != 0) return "";
    ok = true;
    return path.substr(prefix.size());
}

}  // namespace

std::string defaultRootDir() {
    // A harness that names no program still gets a folder of its own.
    const std::string folder = programIdentity().dataFolder.empty() ? "device" : programIdentity().dataFolder;
    const char* xdg = getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/" + folder;
    return homeDir() + "/.local/share/" + folder;
}

std::string defaultCardDir() { return homeDir(); }

void fsSetRoot(const std::string& hostDir) { rootDir = absolute(hostDir.empty() ? defaultRootDir() : hostDir); }

void fsSetCard(const std::string& hostDir) { cardDir = absolute(hostDir.empty() ? defaultCardDir() : hostDir); }

const std::string& fsRoot() {
    if (rootDir.empty()) fsSetRoot("");
    return rootDir;
}

const std::string& fsCard() {
    if (cardDir.empty()) fsSetCard("");
    return cardDir;
}

bool fsCreateStandardFolders() {
    std::error_code ec;
    std::filesystem::create_directories(fsRoot(), ec);
    if (!isDirectory(fsRoot())) return false;
    std::vector<std::u16string> folders{u"\\My Documents", u"\\Program Files"};
    const std::u16string& own = programIdentity().folder;
    if (!own.empty()) folders.push_back(u"\\Program Files\\" + own);
    folders.push_back(u"\\Windows");
    for (const std::u16string& folder : folders) {
        ResolvedPath r;
        if (resolveDevicePath(folder, r) != ERROR_SUCCESS) return false;
        if (!r.exists && mkdir(r.host.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (!isDirectory(r.host)) return false;
    }
    return true;
}

std::u16string hostNameToDevice(std::string_view hostName) {
    return isValidUtf8(hostName) ? utf8ToWide(hostName) : ansiToWide(hostName);
}

DWORD resolveDevicePath(std::u16string_view path, ResolvedPath& out, bool wildcardsInLast) {
    out = ResolvedPath{};
    std::vector<std::u16string> parts;
    if (DWORD err = splitPath(path, parts, wildcardsInLast)) return err;
    std::string cur = fsRoot();
    size_t first = 0;
    out.device = u"\\";
    if (!parts.empty() && sameIgnoringCase(parts[0], kCardName) && !hasWildcards(parts[0])) {
        cur = fsCard();
        out.device += kCardName;
        first = 1;
        if (parts.size() == 1) {
            out.isCard = true;
            out.name = kCardName;
        }
    }
    if (parts.empty()) out.isRoot = true;
    out.parentIsFolder = true;
    for (size_t k = first; k < parts.size(); ++k) {
        bool last = k + 1 == parts.size();
        const std::u16string& name = parts[k];
        std::string entry = hasWildcards(name) ? "" : findEntry(cur, name);
        if (out.device.size() > 1) out.device += u'\\';
        if (entry.empty()) {
            if (!last) return ERROR_PATH_NOT_FOUND;
            out.host = cur + "/" + wideToUtf8(name);
            out.parentIsFolder = isDirectory(cur);
            out.device += name;
            out.name = name;
            return ERROR_SUCCESS;
        }
        std::string next = cur + "/" + entry;
        if (!last && !isDirectory(next)) return ERROR_PATH_NOT_FOUND;
        out.name = hostNameToDevice(entry);
        out.device += out.name;
        cur = next;
    }
    out.host = cur;
    struct stat st;
    out.exists = stat(cur.c_str(), &st) == 0;
    out.isFolder = out.exists && S_ISDIR(st.st_mode);
    if ((out.isRoot || out.isCard) && !out.exists) out.parentIsFolder = false;
    return ERROR_SUCCESS;
}

bool deviceToHost(std::u16string_view devicePath, std::string& hostPath) {
    ResolvedPath r;
    if (resolveDevicePath(devicePath, r) != ERROR_SUCCESS) return false;
    hostPath = r.host;
    return true;
}

bool hostToDevice(const std::string& hostPath, std::u16string& devicePath) {
    if (hostPath.empty()) return false;
    std::string path = canonicalHost(hostPath);
    bool inRoot, inCard;
    std::string root = canonicalHost(fsRoot()), card = canonicalHost(fsCard());
    std::string underRoot = below(path, root, inRoot);
    std::string underCard = below(path, card, inCard);
    // When one folder lies inside the other, the nearer one names the file.
    if (inRoot && inCard) (root.size() >= card.size() ? inCard : inRoot) = false;
    if (!inRoot && !inCard) return false;
    std::string rest = inRoot ? underRoot : underCard;
    std::u16string dev = inRoot ? u"" : u"\\Storage Card";
    size_t i = 0;
    while (i < rest.size()) {
        size_t j = rest.find('/', i);
        if (j == std::string::npos) j = rest.size();
        if (j > i) dev += u"\\" + hostNameToDevice(std::string_view(rest).substr(i, j - i));
        i = j + 1;
    }
    devicePath = dev.empty() ? u"\\" : dev;
    return true;
}

bool readDeviceFile(std::u16string_view devicePath, std::vector<uint8_t>& bytes) {
    ResolvedPath r;
    if (DWORD err = resolveDevicePath(devicePath, r)) {
        SetLastError(err);
        return false;
    }
    if (!r.exists) {
        SetLastError(r.parentIsFolder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return false;
    }
    if (r.isFolder) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    int fd = open(r.host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(errorFromErrno(errno));
        return false;
    }
    bytes.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            SetLastError(errorFromErrno(errno));
            close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buf, buf + n);
    }
    close(fd);
    return true;
}

DWORD errorFromErrno(int err, DWORD notFound) {
    switch (err) {
        case 0: return ERROR_SUCCESS;
        case ENOENT: return notFound;
        case ENOTDIR: return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EBUSY: return ERROR_ACCESS_DENIED;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
        case ENOSPC:
        case EDQUOT: return ERROR_DISK_FULL;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case EROFS: return ERROR_WRITE_PROTECT;
        case EMFILE:
        case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
        case EXDEV: return ERROR_NOT_SAME_DEVICE;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        case EINVAL: return ERROR_INVALID_PARAMETER;
        case EBADF: return ERROR_INVALID_HANDLE;
        default: return ERROR_GEN_FAILURE;
    }
}

}  // namespace device
