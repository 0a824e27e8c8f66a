#include "state/shell_calls.h"

#include <cassert>

namespace {

ShellCalls installed = {};

}  // namespace

void setShellCalls(const ShellCalls& calls) {
    // The shell fills every entry; one left out would make its calls do
    // nothing without a word.
    assert(calls.updateMenus && calls.updateEditBar && calls.setWaitCursor && calls.enableMenuCommand &&
           calls.checkOptionsItem && calls.renameOptionsItem && calls.toggleNotes && calls.placeListBar &&
           calls.askListPassword && calls.applyListAttributes && calls.reloadCurrentList && calls.fontSize &&
           calls.storeListAttributes);
    installed = calls;
}

void updateMenus() {
    if (installed.updateMenus) installed.updateMenus();
}

void updateEditBar() {
    if (installed.updateEditBar) installed.updateEditBar();
}

void setWaitCursor(int on) {
    if (installed.setWaitCursor) installed.setWaitCursor(on);
}

void enableMenuCommand(UINT id, int enable) {
    if (installed.enableMenuCommand) installed.enableMenuCommand(id, enable);
}

void checkOptionsItem(UINT id, int flag) {
    if (installed.checkOptionsItem) installed.checkOptionsItem(id, flag);
}

void renameOptionsItem(int position, UINT id, LPCWSTR text) {
    if (installed.renameOptionsItem) installed.renameOptionsItem(position, id, text);
}

LRESULT onToggleNotes(HWND hwnd, int id, HWND hwndCtl, int code) {
    return installed.toggleNotes ? installed.toggleNotes(hwnd, id, hwndCtl, code) : 0;
}

void placeListBar() {
    if (installed.placeListBar) installed.placeListBar();
}

int askCurrentListPassword() { return installed.askListPassword ? installed.askListPassword() : 0; }

void showListAttributes(ListAttributes record) {
    if (installed.applyListAttributes) installed.applyListAttributes(record);
}

void reloadShownList() {
    if (installed.reloadCurrentList) installed.reloadCurrentList();
}

bool storeShownListAttributes() { return installed.storeListAttributes ? installed.storeListAttributes() : true; }

LRESULT applyOutlineFontSize(HWND hwnd, int id, HWND hwndCtl, int code) {
    return installed.fontSize ? installed.fontSize(hwnd, id, hwndCtl, code) : 0;
}
