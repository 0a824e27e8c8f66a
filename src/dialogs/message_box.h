// The program's message dialog (template 1014): a framed window with the
// caption in its band, the message, an optional warning picture and the
// buttons the style asks for. It replaces the platform's message box for
// everything the program tells the user.
#pragma once

#include "windows.h"

enum { MESSAGE_TEXT_CHARS = 200 };  // 199 characters of message or caption, and the terminator

// Button sets, the style number less the warning picture's 48.
enum { MESSAGE_SET_OK = 0, MESSAGE_SET_OKCANCEL = 1, MESSAGE_SET_YESNO = 4 };

// A style number split into its picture flag and button set.
struct MessageStyle {
    bool warning;
    int buttons;
};
MessageStyle decodeMessageStyle(int style);

// Shows the dialog modally over `owner` and returns 1 (OK), 2 (Cancel),
// 6 (Yes) or 7 (No); -1 if the dialog could not be made.
int showMessageDialog(HWND owner, LPCWSTR text, LPCWSTR caption, int style);

// Makes messageDialog (src/common) show this dialog. Start-up calls it
// before anything could need to report.
void installMessageDialog();
