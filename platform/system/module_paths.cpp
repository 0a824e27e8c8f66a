// Where the program lives and where its special folders are, as device paths.
#include <errno.h>
#include <sys/stat.h>

#include <string>

#include "platform/system/device_fs.h"
#include "platform/system/program_identity.h"
#include "shlobj.h"
#include "wcrt.h"
#include "winbase.h"
#include "winerror.h"

DWORD GetModuleFileNameW(HMODULE, LPWSTR lpFilename, DWORD nSize) {
    const std::u16string kProgram = device::programFilePath();
    if (kProgram.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (kProgram.size() >= nSize) {
        wcsncpy(lpFilename, kProgram.c_str(), nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    wcscpy(lpFilename, kProgram.c_str());
    return (DWORD)kProgram.size();
}

BOOL SHGetSpecialFolderPath(HWND, LPWSTR lpszPath, int nFolder, BOOL fCreate) {
    const char16_t* folder = nullptr;
    switch (nFolder) {
        case CSIDL_PERSONAL: folder = u"\\My Documents"; break;
        case CSIDL_PROGRAM_FILES: folder = u"\\Program Files"; break;
        case CSIDL_WINDOWS: folder = u"\\Windows"; break;
        case CSIDL_APPDATA: folder = u"\\Application Data"; break;
        case CSIDL_DESKTOP:
        case CSIDL_DESKTOPDIRECTORY: folder = u"\\Windows\\Desktop"; break;
        case CSIDL_PROGRAMS: folder = u"\\Windows\\Start Menu\\Programs"; break;
        case CSIDL_STARTMENU: folder = u"\\Windows\\Start Menu"; break;
        case CSIDL_STARTUP: folder = u"\\Windows\\StartUp"; break;
        case CSIDL_FAVORITES: folder = u"\\Windows\\Favorites"; break;
        case CSIDL_RECENT: folder = u"\\Windows\\Recent"; break;
        case CSIDL_FONTS: folder = u"\\Windows\\Fonts"; break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
    if (!lpszPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (fCreate) {
        // Make each missing folder on the way.
        std::u16string path = folder;
        for (size_t at = 1; at <= path.size(); ++at) {
            if (at < path.size() && path[at] != u'\\') continue;
            std::u16string part = path.substr(0, at);
            if (GetFileAttributesW(part.c_str()) == INVALID_FILE_ATTRIBUTES && !CreateDirectoryW(part.c_str(), nullptr))
                return FALSE;
        }
    }
    wcscpy(lpszPath, folder);
    return TRUE;
}
