// SQLite opens device paths. The program hands sqlite3_open() a device path
// in the system code page ("\My Documents\lists.db"); a VFS
// registered as the default translates such names to host paths and lets the
// host's "unix" VFS do the rest. Journals ("-journal", "-wal") lie beside
// their database. Files under the root keep to the device's storage size
// (storage_limit.h): a write beyond it is SQLITE_FULL. sqlite3_db_filename() shows the device path, so the
// program never sees a host path. Host code that wants host paths opens with
// the VFS named "unix".
#pragma once

namespace device {

// The VFS's name.
inline constexpr const char* kDeviceVfsName = "device";
// Registers the device VFS as SQLite's default; safe to call again.
bool installSqliteVfs();

}  // namespace device
