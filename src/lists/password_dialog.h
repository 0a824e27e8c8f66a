// The password dialog (template 164) in its three modes: change or remove
// (old, new, confirm), set (new, confirm) and enter (one field). Run it with
// runPasswordDialog (list_passwords.h); the procedure is here so tests can
// drive a modeless copy through its messages.
#pragma once

#include "windows.h"

// The dialog procedure; WM_INITDIALOG's lParam is the PasswordDialogRecord.
INT_PTR CALLBACK passwordDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
