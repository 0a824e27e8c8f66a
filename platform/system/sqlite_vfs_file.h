// The files the device VFS opens: each wraps the host VFS's file of the same
// name, so that a write growing a file under the root respects the device's
// storage size, and a host disk that is full reports SQLITE_FULL.
#pragma once

#include <sqlite3.h>

namespace device {

// Bytes a device file needs around the host VFS's own file.
int deviceFileSize(sqlite3_vfs* host);
// Opens `hostName` (null: a temporary file) through the host VFS inside
// `file`, which has deviceFileSize bytes. `file->pMethods` is set whenever
// the host's file needs closing, even when the open failed, as SQLite
// expects of xOpen.
int openDeviceFile(sqlite3_vfs* host, const char* hostName, sqlite3_file* file, int flags, int* outFlags);

}  // namespace device
