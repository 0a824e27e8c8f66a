#include "common/message_dialog.h"

namespace {
MessageDialogHandler installedHandler = nullptr;
int shownCount = 0;
}

MessageDialogHandler setMessageDialogHandler(MessageDialogHandler handler) {
    MessageDialogHandler previous = installedHandler;
    installedHandler = handler;
    return previous;
}

int messageDialog(HWND owner, LPCWSTR text, LPCWSTR caption, int style) {
    if (!installedHandler) return 0;
    ++shownCount;
    return installedHandler(owner, text, caption, style);
}

int messageDialogsShown() { return shownCount; }
