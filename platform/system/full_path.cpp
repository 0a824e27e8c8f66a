// GetFullPathNameW: a path typed on the desktop's command line as the device
// sees it.
#include <filesystem>
#include <string>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "full_path.h"
#include "wcrt.h"
#include "winbase.h"
#include "winerror.h"

DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart) {
    if (!lpFileName || !lpFileName[0]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string device = lpFileName;
    if (device[0] != u'\\') {
        // The desktop's folder names are UTF-8; hostToDevice gives each
        // component the name the device shows for it.
        std::error_code ec;
        std::filesystem::path host = std::filesystem::absolute(device::wideToUtf8(device), ec);
        if (ec || !device::hostToDevice(host.lexically_normal().string(), device)) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return 0;
        }
    }
    if (!lpBuffer || nBufferLength <= device.size()) return DWORD(device.size() + 1);
    wcscpy(lpBuffer, device.c_str());
    if (lpFilePart) {
        size_t slash = device.rfind(u'\\');
        *lpFilePart = lpBuffer + (slash == std::u16string::npos ? 0 : slash + 1);
    }
    return DWORD(device.size());
}
