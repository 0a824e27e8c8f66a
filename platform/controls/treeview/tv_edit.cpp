// Label editing: an ordinary edit control over the label, holding the item's
// text all selected. Enter commits, Escape cancels, losing the focus commits;
// the parent's answer to TVN_ENDLABELEDITW decides whether the text is taken.
// The program subclasses the editor in its turn, so the control's own hooks
// sit in a subclass procedure between the program's and the edit's.
#include <algorithm>

#include "platform/controls/treeview/treeview_internal.h"

#if __has_include("platform/controls/edit/edit_control.h")
#include "platform/controls/edit/edit_control.h"
#define QP_TV_HAVE_EDIT 1
#endif

#ifndef EM_SETSEL
#define EM_SETSEL 0x00B1
#endif
#ifndef DLGC_WANTARROWS
#define DLGC_WANTARROWS 0x0001
#endif
#ifndef DLGC_WANTALLKEYS
#define DLGC_WANTALLKEYS 0x0004
#endif
#ifndef ES_AUTOHSCROLL
#define ES_AUTOHSCROLL 0x0080L
#endif

namespace tv {
namespace {

// The edit's own procedure for each editor, kept apart from the tree so the
// editor still reaches it (down to WM_NCDESTROY) after the tree let it go.
std::unordered_map<HWND, WNDPROC>& editBases() {
    static std::unordered_map<HWND, WNDPROC> bases;
    return bases;
}

LRESULT CALLBACK editSubclassProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto found = editBases().find(edit);
    if (found == editBases().end()) return DefWindowProcW(edit, msg, wParam, lParam);
    WNDPROC base = found->second;
    if (msg == WM_NCDESTROY) {
        editBases().erase(found);
        return CallWindowProcW(base, edit, msg, wParam, lParam);
    }
    Tree* t = treeOf(GetParent(edit));
    if (!t || t->edit != edit) return CallWindowProcW(base, edit, msg, wParam, lParam);
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter and Escape belong to the editor, not to a dialog around the tree.
            return CallWindowProcW(base, edit, msg, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                endEdit(*t, wParam == VK_ESCAPE);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == u'\r' || wParam == 0x1B) return 0;
            break;
        case WM_KILLFOCUS: {
            LRESULT r = CallWindowProcW(base, edit, msg, wParam, lParam);
            Tree* again = treeOf(GetParent(edit));
            if (again && again->edit == edit && !again->endingEdit) endEdit(*again, false);
            return r;
        }
        default: break;
    }
    return CallWindowProcW(base, edit, msg, wParam, lParam);
}

void destroyEditor(Tree& t, HWND edit) {
    if (!IsWindow(edit)) return;
    if (GetFocus() == edit) SetFocus(t.hwnd);
    DestroyWindow(edit);
}

}  // namespace

HWND beginEdit(Tree& t, Item* it) {
    if (!it || it == &t.root) return nullptr;
    KillTimer(t.hwnd, kEditTimer);  // an edit asked for now replaces the one a second tap scheduled
    if (t.edit) endEdit(t, false);
    HTREEITEM h = it->handle;
    if (!(it = itemOf(t, h))) return nullptr;

    RECT label{0, 0, 0, 0};
    bool shown = itemRect(t, it, true, label);
    RECT client = clientRect(t);
    int height = rowHeight(t);
    int left = shown ? label.left : 0;
    int top = shown ? label.top : 0;
    int width = std::max<int>(std::max<LONG>(label.right - left, 30), client.right - left);
    HWND edit = CreateWindowExW(0, u"edit", nullptr, WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, left, top, width, height,
                                t.hwnd, nullptr, nullptr, nullptr);
    if (!edit) return nullptr;
    SendMessageW(edit, WM_SETFONT, (WPARAM)fontForItem(t, it), FALSE);
    std::u16string text = itemText(t, it);
    SetWindowTextW(edit, text.c_str());
    t.edit = edit;
    t.editProc = (WNDPROC)GetWindowLongW(edit, GWL_WNDPROC);
    editBases()[edit] = t.editProc;
    SetWindowLongW(edit, GWL_WNDPROC, (LONG_PTR)editSubclassProc);

    NMTVDISPINFOW info{};
    fillItem(t, it, info.item, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT);
    LRESULT refused = notify(t, info.hdr, TVN_BEGINLABELEDITW);
    if (refused || !(it = itemOf(t, h)) || t.edit != edit) {
        if (t.edit == edit) t.edit = nullptr;
        destroyEditor(t, edit);
        return nullptr;
    }
    t.editItem = it;
    ShowWindow(edit, SW_SHOW);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    invalidateItem(t, it);
    return t.edit;
}

bool endEdit(Tree& t, bool cancel) {
    if (!t.edit || t.endingEdit) return false;
    t.endingEdit = true;
    HWND hwnd = t.hwnd;
    HWND edit = t.edit;
    Item* it = t.editItem;
    HTREEITEM h = it ? it->handle : nullptr;

    std::vector<WCHAR> buffer;
    if (!cancel) {
        int length = GetWindowTextLengthW(edit);
        buffer.assign((size_t)std::max(length + 1, 260), 0);
        GetWindowTextW(edit, buffer.data(), (int)buffer.size());
    }
    NMTVDISPINFOW info{};
    if (it) fillItem(t, it, info.item, cancel ? 0 : TVIF_TEXT);
    info.item.hItem = h;
    info.item.pszText = cancel ? nullptr : buffer.data();
    info.item.cchTextMax = cancel ? 0 : (int)buffer.size();
    LRESULT take = it ? notify(t, info.hdr, TVN_ENDLABELEDITW) : 0;
    if (treeOf(hwnd) != &t) return true;  // the parent destroyed the tree

    if (!cancel && take && info.item.pszText && (it = itemOf(t, h))) {
        // The parent may have rewritten the buffer: take what it holds now.
        const WCHAR* p = info.item.pszText;
        size_t n = 0;
        while (n < buffer.size() && p[n]) ++n;
        it->text.assign(p, n);
        it->textCallback = false;
        it->textWidth = -1;
        invalidateLayout(t);
    }
    if (t.edit == edit) {
        t.edit = nullptr;
        t.editItem = nullptr;
    }
    t.endingEdit = false;
    destroyEditor(t, edit);
    if ((it = itemOf(t, h))) invalidateItem(t, it);
    return true;
}

void registerEditForLabels() {
#ifdef QP_TV_HAVE_EDIT
    device::registerEditControl();
#endif
}

void abandonEdit(Tree& t) {
    if (t.endingEdit) {
        t.editItem = nullptr;  // endEdit finds the item gone and only closes the editor
        return;
    }
    HWND edit = t.edit;
    t.edit = nullptr;
    t.editItem = nullptr;
    destroyEditor(t, edit);
}

}  // namespace tv
