// The program's message dialog, as every layer sees it.
//
// The dialog itself (rounded window, caption band, OK/Cancel/Yes/No buttons)
// belongs to the dialogs subsystem, which sits above storage and the shared
// helpers. So that code down here can still report a failure the way the
// program does, this file only forwards: the dialogs subsystem installs the
// real dialog at start-up with setMessageDialogHandler, and tests install a
// recorder. Styles: 0 OK; 48 warning picture and OK; 49 warning, OK and
// Cancel; 52 warning, Yes and No. Results: 1 OK, 2 Cancel, 6 Yes, 7 No.
#pragma once

#include "windef.h"

enum {
    MD_STYLE_OK = 0,
    MD_STYLE_WARNING = 48,
    MD_STYLE_WARNING_OKCANCEL = 49,
    MD_STYLE_WARNING_YESNO = 52,
};

typedef int (*MessageDialogHandler)(HWND owner, LPCWSTR text, LPCWSTR caption, int style);

// Installs the dialog that messageDialog shows; returns the one it replaces.
// Passing null removes it.
MessageDialogHandler setMessageDialogHandler(MessageDialogHandler handler);

// Shows the message dialog and returns the button chosen. Without an
// installed handler nothing can be shown and the result is 0 (no button),
// which no caller mistakes for OK or Yes.
// A message shown while the device's disk-full error (ERROR_DISK_FULL) is
// the last error answers it: the error is cleared, so that no second
// message tells of the same failure (see outline/unsaved_change.h).
int messageDialog(HWND owner, LPCWSTR text, LPCWSTR caption, int style);
// Whether the last message messageDialog showed answered the disk-full
// error in that way: for a caller that reports the failure further on (the
// command line's exit status).
bool lastMessageAnsweredFullStore();

// The command table runs each command between these two (they nest). A
// write that fails inside a command is told by the command, or at its end;
// one outside any (a layout, the close) is told where it fails.
void beginCommandMessages();
void endCommandMessages();
bool insideCommand();
// Whether a message of the command running now answered the disk-full error.
bool fullStoreToldInCommand();
