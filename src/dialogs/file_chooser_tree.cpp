// The chooser's folder tree, read from the file system as it is expanded.
#include "dialogs/file_chooser_tree.h"

#include <string>
#include <vector>

#include "dialogs/file_chooser.h"
#include "wcrt.h"

namespace {

HTREEITEM nextNode(HWND tree, HTREEITEM node, UINT code) {
    return (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, code, (LPARAM)node);
}

HTREEITEM insertNode(const ChooserTree& c, HTREEITEM parent, LPCWSTR label, int picture, int button) {
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_CHILDREN | (c.pictures ? TVIF_IMAGE | TVIF_SELECTEDIMAGE : 0);
    ins.item.pszText = const_cast<LPWSTR>(label);
    // The button is asked for explicitly, so it stays while the children
    // are not read yet (or were forgotten on collapse).
    ins.item.cChildren = button ? 1 : 0;
    ins.item.iImage = ins.item.iSelectedImage = picture;
    return (HTREEITEM)SendMessageW(c.tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
}

std::u16string listText(HWND box, int index) {
    LRESULT length = SendMessageW(box, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length < 0) return {};
    std::vector<WCHAR> text(size_t(length) + 1, 0);
    SendMessageW(box, LB_GETTEXT, WPARAM(index), (LPARAM)text.data());
    return text.data();
}

// A folder of the root with the temporary attribute is a storage card.
bool isStorageCard(DWORD attributes) {
    const DWORD card = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
    return (attributes & card) == card;
}

void deleteChildren(HWND tree, HTREEITEM node) {
    for (HTREEITEM child = nextNode(tree, node, TVGN_CHILD); child; child = nextNode(tree, node, TVGN_CHILD))
        SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)child);
}

}  // namespace

void nodeLabel(HWND tree, HTREEITEM node, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    out[0] = 0;
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node;
    item.pszText = out;
    item.cchTextMax = capacity;
    if (!node || !SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&item)) out[0] = 0;
    out[capacity - 1] = 0;
}

void setNodeLabel(HWND tree, HTREEITEM node, LPCWSTR label) {
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node;
    item.pszText = const_cast<LPWSTR>(label);
    SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&item);
}

void nodePath(HWND tree, HTREEITEM node, WCHAR* out, int capacity) {
    std::vector<std::u16string> labels;  // from the node up to its top-level node
    for (HTREEITEM n = node; n; n = nextNode(tree, n, TVGN_PARENT)) {
        WCHAR label[MAX_PATH];
        nodeLabel(tree, n, label, MAX_PATH);
        labels.push_back(label);
    }
    // Under the root "" the root gives only the leading backslash; a
    // top-level storage card is a folder of the root all the same.
    if (!labels.empty() && labels.back() == u"\\") labels.pop_back();
    std::u16string path;
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) path += u"\\" + *it;
    if (path.empty()) path.assign(1, u'\\');
    if (!out || capacity <= 0) return;
    size_t length = path.size() < size_t(capacity - 1) ? path.size() : size_t(capacity - 1);
    std::char_traits<WCHAR>::copy(out, path.data(), length);
    out[length] = 0;
}

int nodeHasButton(HWND tree, HTREEITEM node) {
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = node;
    if (!node || !SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&item)) return 0;
    return item.cChildren != 0;
}

void setNodeButton(HWND tree, HTREEITEM node, int flag) {
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = node;
    item.cChildren = flag ? 1 : 0;
    SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&item);
}

void setNodePicture(const ChooserTree& c, HTREEITEM node, int picture) {
    if (!c.pictures || !node) return;
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = node;
    item.iImage = item.iSelectedImage = picture;
    SendMessageW(c.tree, TVM_SETITEMW, 0, (LPARAM)&item);
}

void fillTopLevel(const ChooserTree& c) {
    insertNode(c, nullptr, u"\\", CHOOSER_PIC_FOLDER, 1);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(u"\\*.*", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (isStorageCard(found.dwFileAttributes)) insertNode(c, nullptr, found.cFileName, CHOOSER_PIC_FOLDER, 1);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void readFolderInto(const ChooserTree& c, HTREEITEM node) {
    deleteChildren(c.tree, node);
    SendMessageW(c.folderSort, LB_RESETCONTENT, 0, 0);
    SendMessageW(c.fileSort, LB_RESETCONTENT, 0, 0);

    WCHAR folder[MAX_PATH];
    nodePath(c.tree, node, folder, MAX_PATH);
    WCHAR pattern[MAX_PATH + 4];
    folderPattern(folder, pattern, MAX_PATH + 4);
    bool atRoot = wcscmp(folder, u"\\") == 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (wcscmp(found.cFileName, u".") == 0 || wcscmp(found.cFileName, u"..") == 0) continue;
            // Storage cards have their own top-level nodes beside "\".
            if (atRoot && isStorageCard(found.dwFileAttributes)) continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                WCHAR sub[MAX_PATH + 2];
                joinNodePath(folder, found.cFileName, sub, MAX_PATH + 2);
                LRESULT at = SendMessageW(c.folderSort, LB_ADDSTRING, 0, (LPARAM)found.cFileName);
                if (at >= 0)
                    SendMessageW(c.folderSort, LB_SETITEMDATA, WPARAM(at),
                                 LPARAM(folderHasContent(sub, c.mode, c.extension)));
            } else if (isListedFile(found.cFileName, c.mode, c.extension)) {
                SendMessageW(c.fileSort, LB_ADDSTRING, 0, (LPARAM)found.cFileName);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    int folders = int(SendMessageW(c.folderSort, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < folders; ++i) {
        int content = int(SendMessageW(c.folderSort, LB_GETITEMDATA, WPARAM(i), 0));
        insertNode(c, node, listText(c.folderSort, i).c_str(), CHOOSER_PIC_FOLDER, content == 1);
    }
    int files = c.mode == CHOOSE_FOLDER ? 0 : int(SendMessageW(c.fileSort, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < files; ++i) {
        std::u16string name = listText(c.fileSort, i);
        insertNode(c, node, name.c_str(), pictureForFile(name.c_str()), 0);
    }
}

void forgetChildren(const ChooserTree& c, HTREEITEM node) {
    deleteChildren(c.tree, node);
    // The next expansion must ask for the folder again, so the tree may
    // not take the node for one it has already filled.
    TVITEMW item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = node;
    item.stateMask = TVIS_EXPANDEDONCE;
    item.state = 0;
    SendMessageW(c.tree, TVM_SETITEMW, 0, (LPARAM)&item);
}

namespace {

// The first node from `first` on (through its next siblings) labelled `name`,
// other than `skip`.
HTREEITEM siblingNamed(HWND tree, HTREEITEM first, const std::u16string& name, HTREEITEM skip) {
    for (HTREEITEM node = first; node; node = nextNode(tree, node, TVGN_NEXT)) {
        WCHAR label[MAX_PATH];
        nodeLabel(tree, node, label, MAX_PATH);
        if (node != skip && name == label) return node;
    }
    return nullptr;
}

}  // namespace

int selectPath(const ChooserTree& c, LPCWSTR path) {
    if (!path || path[0] != u'\\') return 0;
    HTREEITEM current = nextNode(c.tree, nullptr, TVGN_ROOT);
    for (; current; current = nextNode(c.tree, current, TVGN_NEXT)) {
        WCHAR label[4];
        nodeLabel(c.tree, current, label, 4);
        if (wcscmp(label, u"\\") == 0) break;
    }
    if (!current) return 0;
    HTREEITEM root = current;
    SendMessageW(c.tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)current);
    std::u16string rest = path + 1;
    while (!rest.empty()) {
        size_t slash = rest.find(u'\\');
        std::u16string component = rest.substr(0, slash);
        rest = slash == std::u16string::npos ? std::u16string() : rest.substr(slash + 1);
        if (component.empty()) continue;
        SendMessageW(c.tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)current);
        // A storage card is a top-level node of its own, not a child of "\".
        HTREEITEM match = current == root ? siblingNamed(c.tree, nextNode(c.tree, nullptr, TVGN_ROOT), component, root)
                                          : nullptr;
        if (!match) match = siblingNamed(c.tree, nextNode(c.tree, current, TVGN_CHILD), component, nullptr);
        if (!match) return 0;
        current = match;
    }
    SendMessageW(c.tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)current);
    SendMessageW(c.tree, TVM_ENSUREVISIBLE, 0, (LPARAM)current);
    return 1;
}

HTREEITEM addFolderNode(const ChooserTree& c, HTREEITEM parent, LPCWSTR label) {
    if (parent) {
        // The folder is read first, so that its reading cannot replace the
        // new node; after that an expansion by the program asks for nothing.
        setNodeButton(c.tree, parent, 1);
        SendMessageW(c.tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    }
    HTREEITEM node = insertNode(c, parent, label, CHOOSER_PIC_FOLDER, 0);
    if (parent) {
        setNodeButton(c.tree, parent, 1);
        SendMessageW(c.tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
    }
    return node;
}
