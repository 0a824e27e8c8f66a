#include "common/message_dialog.h"

#include "winbase.h"
#include "winerror.h"

namespace {
MessageDialogHandler installedHandler = nullptr;
bool answeredFullStore = false;
int commandDepth = 0;
bool fullStoreTold = false;
}  // namespace

MessageDialogHandler setMessageDialogHandler(MessageDialogHandler handler) {
    MessageDialogHandler previous = installedHandler;
    installedHandler = handler;
    return previous;
}

int messageDialog(HWND owner, LPCWSTR text, LPCWSTR caption, int style) {
    if (!installedHandler) return 0;
    // A message that follows a write the full store refused tells of it
    // (the command's own words): the store's error is answered.
    answeredFullStore = GetLastError() == ERROR_DISK_FULL;
    if (answeredFullStore) SetLastError(ERROR_SUCCESS);
    if (answeredFullStore && commandDepth > 0) fullStoreTold = true;
    return installedHandler(owner, text, caption, style);
}

bool lastMessageAnsweredFullStore() { return answeredFullStore; }

void beginCommandMessages() {
    if (commandDepth++ == 0) fullStoreTold = false;
}

void endCommandMessages() {
    if (commandDepth > 0) --commandDepth;
}

bool insideCommand() { return commandDepth > 0; }

bool fullStoreToldInCommand() { return fullStoreTold; }
