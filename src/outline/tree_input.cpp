// The outline's own window procedure: taps on labels, check boxes and
// buttons, double taps that open the label editor or the notes pane, and
// the keys. What it does not consume goes on to the tree view's procedure.
//
// Sections: shared helpers | item menu | label editor | tap | double tap
// | keys | window procedure
#include "outline/tree_input.h"

#include "outline/current_items.h"
#include "outline/item_draw.h"
#include "outline/notes.h"
#include "outline/outline_paint.h"
#include "outline/outline_reload.h"
#include "outline/tree_checks.h"
#include "outline/tree_input_state.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"
#include "storage/statements.h"

using namespace outline_input;

namespace {

constexpr UINT kCmdItemNote = 40015;
constexpr UINT kCmdHideShowItem = 40073;
constexpr UINT kCmdItemCut = 40075;
constexpr UINT kCmdItemCopy = 40076;
constexpr UINT kCmdItemPaste = 40077;
constexpr UINT kCmdItemDeleteNote = 40079;
constexpr UINT kCmdItemDuplicate = 40080;
constexpr int kEditBarInvalidHeight = 40;
constexpr int kLabelLimit = 99;

WNDPROC labelEditorProc = nullptr;   // the editor's own procedure while we sit in front
HWND hwndLabelEditor = nullptr;

LRESULT passOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return hwndTreeProc ? CallWindowProcW(hwndTreeProc, hwnd, msg, wParam, lParam)
                        : DefWindowProcW(hwnd, msg, wParam, lParam);
}

POINT pointOf(LPARAM lParam) { return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)}; }

HTREEITEM hitTest(HWND tree, POINT p, UINT* flags) {
    TVHITTESTINFO info{};
    info.pt = p;
    HTREEITEM item = (HTREEITEM)SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)&info);
    *flags = info.flags;
    return item;
}

bool labelRect(HWND tree, HTREEITEM item, RECT* out) {
    RECT rc{};
    static_assert(sizeof(RECT) >= sizeof(HTREEITEM));
    __builtin_memcpy(&rc, &item, sizeof item);
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc)) return false;
    *out = rc;
    return true;
}

int readNoteFlag(LONG id) {
    ItemRecord record{};
    record.longID = id;
    if (!readItem(currentItemTable(), &record, ITEM_NOTEFLAG)) return 0;
    return record.bNote == 1;
}

bool storeChecked(LONG id, int checked) {
    ItemRecord record{};
    record.longID = id;
    record.bChecked = checked;
    record.fieldMask = ITEM_CHECK;
    return writeItem(currentItemTable(), record) > 0;
}

}  // namespace

// --- shared helpers --------------------------------------------------------------

namespace outline_input {

void enableMenuItem(UINT id, int enabled) {
    if (!hwndMenuBar) return;
    HMENU menu = (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0);
    if (menu) EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void raiseSipByRule() {
    if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(hwndMain, SIP_UP);
}

void showPanes() {
    HWND panes[] = {hwndMainTV, hwndNotes, hwndSplitter};
    for (HWND pane : panes)
        if (pane && !IsWindowVisible(pane)) ShowWindow(pane, SW_SHOW);
}

void deselect(HWND tree) {
    SetFocus(tree);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    updateMenus();
}

void invalidateEditBar(BOOL erase) {
    if (!hwndMain) return;
    RECT strip{0, intListBarBottom, intWorkWidth, intListBarBottom + intListBarHeight};
    InvalidateRect(hwndMain, &strip, erase);
}

}  // namespace outline_input

POINT lastOutlineTap() { return ptLastTap; }

// --- item menu -----------------------------------------------------------------------

void showItemMenu(HWND hwnd, int x, int y, int bDisplay, int bNote) {
    HMENU menu = LoadMenuW(hInstance, MAKEINTRESOURCEW(res::kMenuItemPopup));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) {
        InsertMenuW(popup, res::kItemPopupPosHide, MF_BYPOSITION | MF_STRING, kCmdHideShowItem,
                    bDisplay == 1 ? u"Hide" : u"Show");
        if (bNote == 1) EnableMenuItem(popup, kCmdItemDeleteNote, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, kCmdItemCut, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, kCmdItemCopy, MF_BYCOMMAND | MF_ENABLED);
        EnableMenuItem(popup, kCmdItemDuplicate, MF_BYCOMMAND | MF_ENABLED);
        if (longClipboardID != 0) EnableMenuItem(popup, kCmdItemPaste, MF_BYCOMMAND | MF_ENABLED);
        TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN, x, y, hwnd ? hwnd : hwndMain, nullptr);
    }
    DestroyMenu(menu);
}

// --- label editor ----------------------------------------------------------------------

namespace {

void setTextEditingCommands(HWND editor) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(editor, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    int selection = end != start;
    enableMenuItem(res::kCmdCut, selection);
    enableMenuItem(res::kCmdCopy, selection);
    enableMenuItem(res::kCmdPaste, IsClipboardFormatAvailable(CF_UNICODETEXT) ? 1 : 0);
    enableMenuItem(res::kCmdInsertTimeDate, 1);
    bTextEditActive = 1;
    invalidateEditBar(FALSE);
}

LRESULT CALLBACK labelEditorWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC base = labelEditorProc;
    switch (msg) {
    case WM_SETFOCUS:
    case WM_LBUTTONUP: setTextEditingCommands(hwnd); break;
    case WM_KILLFOCUS: bTextEditActive = 0; break;
    case WM_NCDESTROY:
        if (hwnd == hwndLabelEditor) {
            hwndLabelEditor = nullptr;
            labelEditorProc = nullptr;
            bTextEditActive = 0;
        }
        break;
    default: break;
    }
    return base ? CallWindowProcW(base, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

void openLabelEditor(HWND tree, HTREEITEM item, int hasNote) {
    bLabelEditAllowed = 1;
    SetFocus(tree);
    HWND editor = (HWND)SendMessageW(tree, TVM_EDITLABELW, 0, (LPARAM)item);
    if (!editor) {
        // The edit did not open (refused, or the item went away): nothing
        // will end it, so the permission must not linger.
        bLabelEditAllowed = 0;
        return;
    }
    SendMessageW(editor, EM_LIMITTEXT, kLabelLimit, 0);
    if (editor != hwndLabelEditor) {
        labelEditorProc = (WNDPROC)SetWindowLongPtrW(editor, GWLP_WNDPROC, (LONG_PTR)labelEditorWndProc);
        hwndLabelEditor = editor;
        // The editor took the focus while it was being opened, before its
        // procedure was ours: set the text-editing commands now.
        if (GetFocus() == editor) setTextEditingCommands(editor);
    }
    if (hasNote) {
        // Keep the note marker in front of the editor visible.
        RECT rc{};
        GetWindowRect(editor, &rc);
        POINT topLeft{rc.left, rc.top};
        ScreenToClient(tree, &topLeft);
        MoveWindow(editor, topLeft.x + intNoteMarkerSize + intUnit, topLeft.y, rc.right - rc.left, rc.bottom - rc.top,
                   TRUE);
    }
}

// --- tap ---------------------------------------------------------------------------------

void toggleCheck(HWND tree, HTREEITEM item) {
    LONG id = getItemId(tree, item);
    int s = isItemChecked(tree, item) ? 0 : 1;
    HTREEITEM parent = treeParent(tree, item);
    bool stored = false;
    WCHAR why[200] = {};
    {
        // The item, its ancestors and its branch are one change of the
        // file: one commit rather than one per row, and none of it when a
        // write fails, in which case the person is told and the outline
        // shows the file again (once the change is rolled back, when this
        // block ends).
        StatementReuse reuse(dbCurrent);
        CommandTransaction change(dbCurrent);
        storeChecked(id, s);
        if (attrCurrentList.bAutoCheck == 1) {
            if (parent) propagateCheckUp(tree, item, s);
            // Checking takes the whole branch along; unchecking clears it, so
            // that an item stays checked exactly when all its children are.
            if (s)
                checkSubtree(tree, item);
            else
                uncheckSubtree(tree, item);
        }
        stored = change.commit();
        if (!stored) unsavedChangeText(why, 200);
    }
    if (!stored) {
        reportUnsavedChangeAndReload(why);
        return;
    }
    setItemChecked(tree, item, s);
    int mode = attrCurrentList.intCompletionShow;
    if (attrCurrentList.bHideChecked == 1 && s == 1) {
        SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)item);
        if (mode > 0 && parent) updateCompletionUp(tree, parent, mode, nullptr, 0);
        return;
    }
    if (attrCurrentList.bCheckSort == 1) {
        HTREEITEM first = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
        if (first == item) first = treeNextSibling(tree, item);
        LONG firstId = first ? getItemId(tree, first) : 0;
        setWaitCursor(1);
        reloadOutline(tree);
        setWaitCursor(0);
        // The reload made every item anew, suffixes included.
        if (firstId != 0) {
            if (HTREEITEM again = findItemById(tree, nullptr, firstId))
                SendMessageW(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)again);
        }
        return;
    }
    if (mode > 0) {
        if (parent) updateCompletionUp(tree, parent, mode, item, s);
        if (hasChildren(tree, item)) updateCompletionSubtree(tree, item, mode);
    }
}

LRESULT onTap(HWND tree, WPARAM wParam, LPARAM lParam) {
    POINT p = pointOf(lParam);
    clearNoteHighlight();
    SetFocus(tree);
    ptLastTap = p;
    if (bEditBarVisible == 1 && hwndMain) {
        RECT strip{0, intListBarBottom, intWorkWidth, intListBarBottom + kEditBarInvalidHeight};
        InvalidateRect(hwndMain, &strip, TRUE);
    }
    UINT flags = 0;
    HTREEITEM item = hitTest(tree, p, &flags);
    if (!item) {
        hitLastTap = nullptr;
        deselect(tree);
        return passOn(tree, WM_LBUTTONDOWN, wParam, lParam);
    }
    hitLastTap = item;
    RECT label{};
    if ((flags & TVHT_ONITEMLABEL) && labelRect(tree, item, &label) && PtInRect(&label, p)) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
        loadItemNote(getItemId(tree, item));
        updateMenus();
        return passOn(tree, WM_LBUTTONDOWN, wParam, lParam);
    }
    if (flags & TVHT_ONITEMSTATEICON) {
        // Its parents' and children's marks are written too; one that does
        // not fit is told as for a command.
        beginCommandWrites();
        toggleCheck(tree, item);
        endCommandWrites();
        return 0;
    }
    deselect(tree);
    return passOn(tree, WM_LBUTTONDOWN, wParam, lParam);
}

// --- double tap ----------------------------------------------------------------------------

LRESULT onDoubleTap(HWND tree, WPARAM wParam, LPARAM lParam) {
    POINT p = pointOf(lParam);
    UINT flags = 0;
    HTREEITEM item = hitTest(tree, p, &flags);
    if (!item) return 0;
    if (item != hitLastTap) {
        SendMessageW(tree, WM_LBUTTONDOWN, wParam, lParam);
        return 0;
    }
    int hasNote = readNoteFlag(getItemId(tree, item));
    RECT label{};
    bool haveLabel = labelRect(tree, item, &label);
    if (hasNote && haveLabel && p.x >= label.left && p.x < label.left + intNoteMarkerSize) {
        SendMessageW(hwndMain, WM_COMMAND, MAKEWPARAM(kCmdItemNote, 0), 0);
        return 0;
    }
    if (haveLabel && PtInRect(&label, p) && (flags & TVHT_ONITEMLABEL)) openLabelEditor(tree, item, hasNote);
    return 0;
}

// --- keys ------------------------------------------------------------------------------------

void notifyExpansion(HWND tree, UINT code, UINT action, HTREEITEM item) {
    NMTREEVIEWW info{};
    info.hdr.hwndFrom = tree;
    info.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(tree);
    info.hdr.code = code;
    info.action = action;
    info.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
    info.itemNew.hItem = item;
    info.itemNew.lParam = getItemId(tree, item);
    SendMessageW(hwndMain, WM_NOTIFY, info.hdr.idFrom, (LPARAM)&info);
}

bool isLetter(WPARAM key) { return key >= 0x41 && key <= 0x5A; }

LRESULT onKeyDown(HWND tree, WPARAM wParam, LPARAM lParam) {
    if (isLetter(wParam)) return 0;
    HTREEITEM selected = treeSelection(tree);
    switch (wParam) {
    case VK_RETURN:
        if (selected) {
            int s = isItemChecked(tree, selected) ? 0 : 1;
            if (storeChecked(getItemId(tree, selected), s))
                setItemChecked(tree, selected, s);
            else
                reportUnsavedChange();  // the box keeps the stored mark
        }
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        if (!selected) break;
        if (!hasChildren(tree, selected)) return 1;
        UINT action = wParam == VK_LEFT ? TVE_COLLAPSE : TVE_EXPAND;
        notifyExpansion(tree, TVN_ITEMEXPANDINGW, action, selected);
        SendMessageW(tree, TVM_EXPAND, action, (LPARAM)selected);
        notifyExpansion(tree, TVN_ITEMEXPANDEDW, action, selected);
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)selected);
        return 1;
    }
    case VK_UP:
    case VK_DOWN: InvalidateRect(tree, nullptr, FALSE); break;
    default: break;
    }
    return passOn(tree, WM_KEYDOWN, wParam, lParam);
}

LRESULT onKeyUp(HWND tree, WPARAM wParam, LPARAM lParam) {
    if (isLetter(wParam)) return 0;
    if (wParam == VK_UP || wParam == VK_DOWN) {
        HTREEITEM selected = treeSelection(tree);
        if (selected && hwndNotes && IsWindowVisible(hwndNotes)) loadItemNote(getItemId(tree, selected));
    }
    return passOn(tree, WM_KEYUP, wParam, lParam);
}

}  // namespace

void editSelectedLabel() {
    HWND tree = hwndMainTV;
    HTREEITEM item = tree ? treeSelection(tree) : nullptr;
    if (!item || !dbCurrent) return;
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)item);
    openLabelEditor(tree, item, readNoteFlag(getItemId(tree, item)));
}

// --- window procedure ---------------------------------------------------------------------

void installOutlineProc(HWND tree) {
    if (!tree) return;
    hwndTreeProc = (WNDPROC)SetWindowLongPtrW(tree, GWLP_WNDPROC, (LONG_PTR)outlineWndProc);
}

LRESULT CALLBACK outlineWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFOCUS: updateMenus(); return passOn(hwnd, msg, wParam, lParam);
    case WM_KILLFOCUS: return (HWND)wParam && (HWND)wParam == hwndNotes ? 0 : passOn(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return eraseOutlineBackground(hwnd, (HDC)wParam);
    case WM_KEYDOWN: return onKeyDown(hwnd, wParam, lParam);
    case WM_KEYUP: return onKeyUp(hwnd, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The picture stays put while the items scroll over it.
        if (backgroundPictureInUse() && LOWORD(wParam) <= 5) InvalidateRect(hwnd, nullptr, TRUE);
        return passOn(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN: return onTap(hwnd, wParam, lParam);
    case WM_LBUTTONDBLCLK: return onDoubleTap(hwnd, wParam, lParam);
    default: return passOn(hwnd, msg, wParam, lParam);
    }
}
