// The chooser's folder tree: the top level, reading a folder into a node
// as it expands and forgetting it as it collapses, node paths, finding a
// path, and the node of a new folder. Used by the chooser's procedure only.
#pragma once

#include "windows.h"

struct ChooserTree {
    HWND tree = nullptr;        // 1058
    HWND folderSort = nullptr;  // 1059, hidden, sorted
    HWND fileSort = nullptr;    // 1060, hidden, sorted
    int mode = 0;
    LPCWSTR extension = u"";
    int pictures = 0;           // 1 when the tree has its image list
};

// The label of `node` (cut to capacity - 1 characters).
void nodeLabel(HWND tree, HTREEITEM node, WCHAR* out, int capacity);
// Sets the label of `node`.
void setNodeLabel(HWND tree, HTREEITEM node, LPCWSTR label);
// The device path of `node`: its label and its ancestors' joined with
// backslashes; a top-level node other than the root "\" stands for a
// folder of the root (a storage card) and gets its leading backslash.
void nodePath(HWND tree, HTREEITEM node, WCHAR* out, int capacity);
// 1 when `node` shows an expand button.
int nodeHasButton(HWND tree, HTREEITEM node);
// Gives `node` an expand button (flag 1) or takes it away.
void setNodeButton(HWND tree, HTREEITEM node, int flag);
// Sets the node's picture (both the normal and the selected one).
void setNodePicture(const ChooserTree& c, HTREEITEM node, int picture);

// The top level: "\" and every storage card (a root folder with the
// temporary attribute), each with an expand button.
void fillTopLevel(const ChooserTree& c);
// Reads the folder of `node` into its children: sorted folders (a button
// for those with content), then in modes 2 and 4 the sorted files with the
// extension. Children it had are replaced.
void readFolderInto(const ChooserTree& c, HTREEITEM node);
// Deletes the node's children; the next expansion reads the folder again.
void forgetChildren(const ChooserTree& c, HTREEITEM node);
// Expands the nodes of `path` from the root down, matching each component
// exactly (letter case counts), then selects and shows the last one. 1 when
// every component was found, else 0 (the selection is left alone).
int selectPath(const ChooserTree& c, LPCWSTR path);
// Adds a child "New Folder" (closed folder, no button) under `parent`, or
// at the top level when `parent` is null; the new node.
HTREEITEM addFolderNode(const ChooserTree& c, HTREEITEM parent, LPCWSTR label);
