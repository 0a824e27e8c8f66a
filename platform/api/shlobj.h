// Special folders of the device shell.
#pragma once
#include "windef.h"

#define CSIDL_DESKTOP 0x0000
#define CSIDL_PROGRAMS 0x0002
#define CSIDL_PERSONAL 0x0005
#define CSIDL_FAVORITES 0x0006
#define CSIDL_STARTUP 0x0007
#define CSIDL_RECENT 0x0008
#define CSIDL_STARTMENU 0x000b
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_FONTS 0x0014
#define CSIDL_APPDATA 0x001a
#define CSIDL_WINDOWS 0x0024
#define CSIDL_PROGRAM_FILES 0x0026

// Copies the device path of a special folder into lpszPath (MAX_PATH
// characters): CSIDL_PERSONAL is "\My Documents", CSIDL_PROGRAM_FILES
// "\Program Files", CSIDL_WINDOWS "\Windows", CSIDL_APPDATA
// "\Application Data"; the start-menu folders lie under "\Windows". With
// fCreate the folder is made when missing. An unknown id returns FALSE.
BOOL SHGetSpecialFolderPath(HWND hwndOwner, LPWSTR lpszPath, int nFolder, BOOL fCreate);
#define SHGetSpecialFolderPathW SHGetSpecialFolderPath
