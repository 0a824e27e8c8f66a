// The device's file system on the host. The device's "\" is a host folder
// (the root), "\Storage Card" another (the card, by default the user's home).
// Device paths are absolute, use backslashes and resolve without regard to
// case, as on the device: an exact match wins, else the first name in sorted
// order that equals it ignoring case. Components that do not exist yet keep
// the case they were given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "windef.h"

namespace device {

// The default root: the program's data folder (program_identity.h; "device"
// before the host names one) under $XDG_DATA_HOME, else under ~/.local/share.
std::string defaultRootDir();
// The default card: $HOME (else the current folder).
std::string defaultCardDir();
// Sets the host folders behind "\" and "\Storage Card" (made absolute). Empty
// selects the default. Call at start-up, before any file is used.
void fsSetRoot(const std::string& hostDir);
void fsSetCard(const std::string& hostDir);
const std::string& fsRoot();
const std::string& fsCard();
// Creates the root and its standard folders: "\My Documents",
// "\Program Files", the program's folder in it (when the host named the
// program) and "\Windows". False when one cannot be made.
bool fsCreateStandardFolders();

// What a device path stands for on the host.
struct ResolvedPath {
    std::string host;           // the host path (existing parts as found on disk)
    std::u16string device;      // the device path, normalised ("\A\B")
    std::u16string name;        // the last component, as on disk when it exists
    bool exists = false;        // the whole path exists
    bool parentIsFolder = false;  // the folder holding the last component exists
    bool isFolder = false;      // it exists and is a folder
    bool isRoot = false;        // "\"
    bool isCard = false;        // "\Storage Card" itself
};

// Resolves a device path. Returns ERROR_SUCCESS, or ERROR_INVALID_NAME
// (relative path, "..", characters a name may not hold, wildcards unless
// allowed in the last component), ERROR_FILENAME_EXCED_RANGE (longer than
// MAX_PATH - 1) or ERROR_PATH_NOT_FOUND (a folder on the way is missing or a
// file). A missing last component is no error: see `exists`.
DWORD resolveDevicePath(std::u16string_view path, ResolvedPath& out, bool wildcardsInLast = false);
// The host path for a device path, resolved as above; false when invalid.
bool deviceToHost(std::u16string_view devicePath, std::string& hostPath);
// The device path of a host file or folder (the command line gives host
// paths): inside the root it is "\...", inside the card "\Storage Card\...".
// False when the path lies in neither.
bool hostToDevice(const std::string& hostPath, std::u16string& devicePath);
// Name of a host directory entry as the device shows it: UTF-8, or
// Windows-1252 for names that are not valid UTF-8.
std::u16string hostNameToDevice(std::string_view hostName);

// Reads a whole device file. False (with the last error set) when it cannot.
bool readDeviceFile(std::u16string_view devicePath, std::vector<uint8_t>& bytes);
// Replaces a device file whole, as the platform keeps its own files (the
// registry, the task store): the bytes go to "<name>.tmp" beside it, reach
// the disk, and the temporary file is renamed over the old one, so an
// interrupted write leaves the previous contents. Makes the folder holding
// it when that is missing. False (with the last error set: ERROR_DISK_FULL
// when the store has no room) when any step failed.
bool replaceDeviceFile(std::u16string_view devicePath, std::string_view bytes);
// The same for a host path, for the platform's files that may lie outside
// the device (a task folder of the person's choosing); the storage size
// applies where it lies inside the root.
bool replaceHostFile(const std::string& hostPath, std::string_view bytes);
// Copies a file that could not be read whole to "<name>.damaged" beside it,
// for a person to look at, before the platform writes a fresh one.
void keepDamagedCopy(std::u16string_view devicePath);

// Win32 error for a host errno; notFound is used for ENOENT.
DWORD errorFromErrno(int err, DWORD notFound = 2 /* ERROR_FILE_NOT_FOUND */);

}  // namespace device
