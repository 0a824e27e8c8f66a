// Base services of the device: errors, files, memory, time, modules.
#pragma once
#include "windef.h"

// --- errors (codes in winerror.h). The last error is kept per thread.
DWORD GetLastError(void);
void SetLastError(DWORD dwErrCode);

// --- files. Paths are device paths ("\My Documents\lists.qu2"); '/' is
// accepted as a separator too. Names resolve without regard to case (an
// exact match wins). "\Storage Card" is the storage card.
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_FLAG_WRITE_THROUGH 0x80000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

// The device's form of the search record: an object id, no short name.
typedef struct _WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwOID;
    WCHAR cFileName[MAX_PATH];
} WIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAW LPWIN32_FIND_DATA;

// The last component may hold the wildcards '*' and '?' ("*.*" is "*"); a
// path without them finds that one file or folder. There are no "." and ".."
// entries. No match: ERROR_FILE_NOT_FOUND; a missing folder:
// ERROR_PATH_NOT_FOUND. Entries come in name order.
HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);  // ERROR_NO_MORE_FILES at the end
BOOL FindClose(HANDLE hFindFile);
DWORD GetFileAttributesW(LPCWSTR lpFileName);
BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
BOOL RemoveDirectoryW(LPCWSTR lpPathName);
// The copy is written beside its destination and renamed into place, so a
// failed copy never leaves a half-written destination behind.
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
// Fails with ERROR_ALREADY_EXISTS when the destination exists (except for a
// change of case of the same name). Files move between the card and the
// device's own store by copying.
BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
BOOL DeleteFileW(LPCWSTR lpFileName);

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped);
DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LONG* lpDistanceToMoveHigh, DWORD dwMoveMethod);
BOOL SetEndOfFile(HANDLE hFile);
BOOL FlushFileBuffers(HANDLE hFile);
BOOL CloseHandle(HANDLE hObject);

#define FindFirstFile FindFirstFileW
#define FindNextFile FindNextFileW
#define GetFileAttributes GetFileAttributesW
#define CreateDirectory CreateDirectoryW
#define RemoveDirectory RemoveDirectoryW
#define CopyFile CopyFileW
#define MoveFile MoveFileW
#define DeleteFile DeleteFileW
#define CreateFile CreateFileW

// --- modules. The program file is "\Program Files\<program>\<program>.exe",
// as the host names the program; 0 with ERROR_MOD_NOT_FOUND when it names none.
// A short buffer receives what fits (terminated); the result is then nSize
// with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
#define GetModuleFileName GetModuleFileNameW

// Libraries. The platform's libraries live in "\Windows"; a name without a
// folder is looked for there. A library whose file is missing gives
// ERROR_MOD_NOT_FOUND, a file that is no library ERROR_BAD_EXE_FORMAT.
// Loading the same library again gives the same handle and needs one more
// FreeLibrary. Export names are wide and match exactly, as on the device
// (GetProcAddress is GetProcAddressW); a missing one is ERROR_PROC_NOT_FOUND.
typedef int (*FARPROC)();
HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
FARPROC GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);
#define LoadLibrary LoadLibraryW
#define GetProcAddress GetProcAddressW

// --- time. Under the headless host's virtual clock the device's time is a
// fixed start (2026-01-15 09:30:00, in a zone without offset) plus the
// device clock, so the same script always sees the same time.
void GetLocalTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTime(LPSYSTEMTIME lpSystemTime);
// Milliseconds since the device started (wraps after 49.7 days).
DWORD GetTickCount(void);

// --- memory blocks. Fixed blocks are their own pointers; moveable ones are
// handles that GlobalLock turns into the pointer. On the device the Global
// calls are the Local ones.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GMEM_DDESHARE 0x2000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_ZEROINIT 0x0040
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
typedef size_t SIZE_T;

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID GlobalLock(HGLOBAL hMem);
// TRUE while the block stays locked; FALSE with ERROR_SUCCESS once unlocked.
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
// Returns NULL when freed, else the handle (ERROR_INVALID_HANDLE).
HGLOBAL GlobalFree(HGLOBAL hMem);
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
LPVOID LocalLock(HLOCAL hMem);
BOOL LocalUnlock(HLOCAL hMem);
SIZE_T LocalSize(HLOCAL hMem);
HLOCAL LocalFree(HLOCAL hMem);
