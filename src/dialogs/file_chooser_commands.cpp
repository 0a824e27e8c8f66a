// The chooser's commands: accepting the choice, making a folder, and
// renaming folders and files by editing their labels.
#include <string>

#include "common/message_dialog.h"
#include "common/paths.h"
#include "common/trim_spaces.h"
#include "dialogs/file_chooser_state.h"
#include "resources/resource_ids.h"
#include "wcrt.h"

namespace {

HTREEITEM selectedNode(HWND tree) { return (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0); }

// Something of that path is there: a file or a folder.
bool pathTaken(LPCWSTR path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES || fileExists(path); }

void warn(HWND dialog, LPCWSTR text, LPCWSTR caption, int style) { messageDialog(dialog, text, caption, style); }

// The result goes to the caller's buffer whole or not at all: a path cut to
// fit would name another file or folder than the one chosen.
bool deliver(ChooserState& s, const std::u16string& result) {
    if (result.size() > size_t(s.request->intPathSize - 1)) {
        warn(s.dialog, u"The path is too long!", u"Warning", MD_STYLE_WARNING);
        return false;
    }
    std::char_traits<WCHAR>::copy(s.request->strPath, result.data(), result.size());
    s.request->strPath[result.size()] = 0;
    s.bNewFolder = 0;
    EndDialog(s.dialog, 1);
    return true;
}

void removeNode(ChooserState& s, HTREEITEM node) {
    HTREEITEM parent = (HTREEITEM)SendMessageW(s.tree.tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)node);
    SendMessageW(s.tree.tree, TVM_DELETEITEM, 0, (LPARAM)node);
    if (parent) SendMessageW(s.tree.tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)parent);
}

}  // namespace

void acceptChoice(ChooserState& s) {
    const FileChooserRequest& r = *s.request;
    HTREEITEM node = selectedNode(s.tree.tree);
    if (!node) {
        if (r.intMode == CHOOSE_FOLDER)
            warn(s.dialog, u"You must select a folder!", u"Warning Message", MD_STYLE_WARNING);
        else if (r.intMode == CHOOSE_FILE)
            warn(s.dialog, u"You must select a file!", u"Warning Message", MD_STYLE_WARNING);
        return;
    }
    WCHAR path[MAX_PATH];
    nodePath(s.tree.tree, node, path, MAX_PATH);
    std::u16string folder = path;

    if (r.intMode == CHOOSE_FOLDER) {
        if (folder.back() != u'\\') folder += u'\\';
        deliver(s, folder);
        return;
    }
    if (r.intMode == CHOOSE_FILE) {
        if (folder.size() < 3 || !endsWithExtension(folder.c_str(), r.strExtension)) {
            warn(s.dialog, u"Must select a file!", u"Warning", MD_STYLE_WARNING);
            return;
        }
        deliver(s, folder);
        return;
    }
    WCHAR name[CHOOSER_NAME_CHARS] = {};
    GetDlgItemTextW(s.dialog, res::kIdChooserFileName, name, CHOOSER_NAME_CHARS);
    trimSpaces(name);
    if (!name[0]) {
        warn(s.dialog, u"Must define a filename!", u"Warning", MD_STYLE_WARNING);
        return;
    }
    WCHAR target[MAX_PATH + CHOOSER_NAME_CHARS];
    newFilePath(path, r.strExtension, name, target, MAX_PATH + CHOOSER_NAME_CHARS);
    if (pathTaken(target) &&
        messageDialog(s.dialog, u"File exists. Do you want to overwrite?", u"Warning", MD_STYLE_WARNING_YESNO) != 6)
        return;
    deliver(s, target);
}

void startNewFolder(ChooserState& s) {
    HWND tree = s.tree.tree;
    HTREEITEM parent = selectedNode(tree);
    HTREEITEM node = addFolderNode(s.tree, parent, u"New Folder");
    if (!node) return;
    SetFocus(tree);
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)node);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
    s.bNewFolder = 1;
    if (!SendMessageW(tree, TVM_EDITLABELW, 0, (LPARAM)node)) {
        // No editor came up: there is no name to give, so no folder.
        s.bNewFolder = 0;
        removeNode(s, node);
    }
}

BOOL beginLabelEdit(ChooserState& s, const NMTVDISPINFOW& info) {
    HWND tree = s.tree.tree;
    HTREEITEM parent = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)info.item.hItem);
    // The root and the storage cards are not folders a rename could move.
    if (!parent && !s.bNewFolder) return TRUE;
    SHSipPreference(s.dialog, SIP_UP);
    s.editNode = info.item.hItem;
    if (!s.bNewFolder) {
        nodePath(tree, info.item.hItem, s.strEditPath, MAX_PATH);
        nodeLabel(tree, info.item.hItem, s.strEditLabel, MAX_PATH);
    }
    return FALSE;
}

void endLabelEdit(ChooserState& s, const NMTVDISPINFOW& info) {
    SHSipPreference(s.dialog, SIP_DOWN);
    HWND tree = s.tree.tree;
    HTREEITEM node = info.item.hItem;
    int newFolder = s.bNewFolder;
    s.bNewFolder = 0;
    s.editNode = nullptr;

    WCHAR text[CHOOSER_LABEL_CHARS] = {};
    if (info.item.pszText) {
        wcsncpy(text, info.item.pszText, CHOOSER_LABEL_CHARS - 1);
        text[CHOOSER_LABEL_CHARS - 1] = 0;
        trimSpaces(text);
    }
    if (!info.item.pszText || !text[0]) {
        if (newFolder) removeNode(s, node);
        return;
    }

    setNodeLabel(tree, node, text);
    WCHAR path[MAX_PATH];
    nodePath(tree, node, path, MAX_PATH);
    if (newFolder) {
        if (pathTaken(path)) {
            warn(s.dialog, u"Folder already exists!", u"Warning", MD_STYLE_OK);
            removeNode(s, node);
            return;
        }
        // A name the file system refuses makes no folder; the tree shows
        // only what is on the disk.
        if (!CreateDirectoryW(path, nullptr)) {
            removeNode(s, node);
            return;
        }
        HTREEITEM parent = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)node);
        if (parent) setNodeButton(tree, parent, 1);
        return;
    }
    if (wcscmp(path, s.strEditPath) == 0) return;
    if (pathTaken(path)) {
        warn(s.dialog, u"Folder already exists!", u"Warning", MD_STYLE_OK);
        setNodeLabel(tree, node, s.strEditLabel);
        return;
    }
    if (!MoveFileW(s.strEditPath, path)) setNodeLabel(tree, node, s.strEditLabel);
}
