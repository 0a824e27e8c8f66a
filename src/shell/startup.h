// The life of the process: the entry point, the window classes, building the
// main window with its child windows, fonts, brushes and pictures, opening
// the remembered database (or creating the default one on the very first
// run), and the message loop. Shutdown lives in shutdown.h.
#pragma once

#include "windows.h"

// The program's entry point, as the device calls it. Returns 1 when a window
// class cannot be registered, 16 when the program cannot start (another copy
// runs, or the main window cannot be made), else the quit message's code.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR cmdLine, int show);

// Registers "Quillet Pro", "splitter" and "finditem"; 0, or 1 at the first
// failure.
int registerWindowClasses(HINSTANCE instance);
// Builds everything and returns the main window; null when another copy is
// running (it is brought to the front) or the main window cannot be made.
HWND initInstance(HINSTANCE instance, LPWSTR cmdLine, int show);

// Puts the database path of a command line into `out` (`capacity` wide
// characters): only a line that ends in ".qu2" followed by one more
// character (the closing quote of a quoted path) is taken, its quotes
// removed and its blanks trimmed; anything else leaves `out` empty.
void parseCommandLine(LPCWSTR cmdLine, WCHAR* out, int capacity);

// Deletes and recreates the six fonts from the font-size settings.
void createFonts();

