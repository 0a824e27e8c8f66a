#include "command_line/command_status.h"

#include <cstdio>

#include "common/message_dialog.h"
#include "outline/unsaved_change.h"
#include "wcrt.h"
#include "winuser.h"

namespace {

int writeToStandardError(HWND, LPCWSTR text, LPCWSTR, int style) {
    reportCommandError(text);
    // Nobody is there to answer a question: the answer that changes nothing.
    switch (style) {
        case MD_STYLE_WARNING_OKCANCEL: return IDCANCEL;
        case MD_STYLE_WARNING_YESNO: return IDNO;
        default: return IDOK;
    }
}

}  // namespace

void reportMessagesOnStandardError() { setMessageDialogHandler(writeToStandardError); }

void reportCommandError(LPCWSTR text) {
    fputws(u"quillet: ", stderr);
    fputws(text ? text : u"", stderr);
    fputws(u"\n", stderr);
}

int failureStatus(int otherwise) {
    // The file system's word went with the message; SQLite's stays with the
    // connection and the statement that failed.
    return lastMessageAnsweredFullStore() || failedForFullStore() ? COMMAND_STORAGE_FULL : otherwise;
}
