// The chooser dialog (template 110): opening, layout, painting and the
// procedure that routes its messages. The rules are in
// file_chooser_rules.cpp, the tree in file_chooser_tree.cpp and the
// commands in file_chooser_commands.cpp.
//
// Sections: pictures and fonts | layout | opening | painting | messages
#include "dialogs/file_chooser.h"

#include "common/gdi_owner.h"
#include "common/paths.h"
#include "dialogs/dialog_look.h"
#include "dialogs/file_chooser_state.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "wcrt.h"

namespace {

// --- pictures and fonts --------------------------------------------------------

HBITMAP loadPicture(int normal, int hiRes) {
    int id = bHiRes == 1 ? hiRes : normal;
    return (HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0);
}

SIZE pictureSize(HBITMAP bitmap) {
    BITMAP bm = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// The five node pictures; the tree goes without pictures when they cannot
// all be had.
HIMAGELIST loadTreePictures() {
    int id = bHiRes == 1 ? res::kBmpChooserTreeHiRes : res::kBmpChooserTree;
    int width = bHiRes == 1 ? 30 : 16;
    HIMAGELIST list = ImageList_LoadImageW(hInstance, MAKEINTRESOURCEW(id), width, 0, 0x00FF00, IMAGE_BITMAP, 0);
    if (list && ImageList_GetImageCount(list) < CHOOSER_PIC_COUNT) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    return list;
}

void releaseState(ChooserState& s) {
    for (GdiObject<HFONT>* font : {&s.hfontTitle, &s.hfontLabel}) font->reset();
    for (GdiObject<HBITMAP>* bitmap : {&s.hbmOk, &s.hbmCancel, &s.hbmNewFolder}) bitmap->reset();
    s.hbrBand.reset();
    if (s.himlTree) ImageList_Destroy(s.himlTree);
    s.himlTree = nullptr;
}

// --- layout -------------------------------------------------------------------

void placePicture(HWND dialog, int id, HBITMAP bitmap, int x) {
    SIZE size = pictureSize(bitmap);
    RECT at = dialogItemRect(dialog, id);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Gives the tree the client area below its top, across the work width.
void fitTree(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    RECT tree = dialogItemRect(dialog, res::kIdChooserTree);
    int x = 2 * intUnit;
    int width = (intWorkWidth > 0 ? intWorkWidth : client.right) - x;
    SetWindowPos(GetDlgItem(dialog, res::kIdChooserTree), nullptr, x, tree.top, width, client.bottom - tree.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void layOut(ChooserState& s) {
    HWND dialog = s.dialog;
    if (s.request->intMode != CHOOSE_NEW_FILE) {
        // Without a name to type, the tree takes the name box's place.
        ShowWindow(GetDlgItem(dialog, res::kIdChooserFileLabel), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, res::kIdChooserFileName), SW_HIDE);
        RECT name = dialogItemRect(dialog, res::kIdChooserFileName);
        RECT tree = dialogItemRect(dialog, res::kIdChooserTree);
        SetWindowPos(GetDlgItem(dialog, res::kIdChooserTree), nullptr, tree.left, name.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fitTree(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    int bw = pictureSize(s.hbmCancel.get()).cx;
    int cancelX = client.right - (bw + bw / 4);
    int okX = cancelX - int(bw * 1.5);
    placePicture(dialog, res::kIdCancel, s.hbmCancel.get(), cancelX);
    placePicture(dialog, res::kIdOk, s.hbmOk.get(), okX);
    placePicture(dialog, res::kIdChooserNewFolder, s.hbmNewFolder.get(), okX - int(bw * 1.5));
    // The title keeps to the room left of the pictures.
    RECT title = dialogItemRect(dialog, res::kIdChooserTitle);
    int right = okX - int(bw * 1.5) - intUnit;
    SetWindowPos(GetDlgItem(dialog, res::kIdChooserTitle), nullptr, 0, 0, right - title.left, title.bottom - title.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- opening ------------------------------------------------------------------

ChooserState* stateOf(HWND dialog) { return (ChooserState*)GetWindowLongW(dialog, DWLP_USER); }

void setPicture(HWND dialog, int id, HBITMAP bitmap) {
    SendDlgItemMessageW(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
}

void prepareTree(ChooserState& s) {
    HWND dialog = s.dialog;
    s.tree.tree = GetDlgItem(dialog, res::kIdChooserTree);
    s.tree.folderSort = GetDlgItem(dialog, res::kIdChooserFolderSort);
    s.tree.fileSort = GetDlgItem(dialog, res::kIdChooserFileSort);
    s.tree.mode = s.request->intMode;
    s.tree.extension = s.request->strExtension ? s.request->strExtension : u"";
    s.himlTree = loadTreePictures();
    s.tree.pictures = s.himlTree != nullptr;
    if (s.himlTree) SendMessageW(s.tree.tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)s.himlTree);
}

BOOL onInitDialog(HWND dialog, ChooserState* s) {
    SetWindowLongW(dialog, DWLP_USER, (LONG_PTR)s);
    s->dialog = dialog;
    // Full screen with the shell's done button; that button sends IDOK,
    // which the chooser leaves alone: only the check mark accepts.
    SHINITDLGINFO init = {SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&init);
    s->activateInfo = SHACTIVATEINFO{};
    s->activateInfo.cbSize = sizeof s->activateInfo;
    SetWindowTextW(dialog, s->request->strTitle ? s->request->strTitle : u"");

    s->hfontTitle.reset(createDialogFont(10, 700));
    s->hfontLabel.reset(createDialogFont(10, 400));
    s->hbrBand.reset(CreateSolidBrush(kChooserBandColour));
    s->hbmOk.reset(loadPicture(res::kBmpOk, res::kBmpOkHiRes));
    s->hbmCancel.reset(loadPicture(res::kBmpCancel, res::kBmpCancelHiRes));
    s->hbmNewFolder.reset(loadPicture(res::kBmpNewFolder, res::kBmpNewFolderHiRes));
    setPicture(dialog, res::kIdOk, s->hbmOk.get());
    setPicture(dialog, res::kIdCancel, s->hbmCancel.get());
    setPicture(dialog, res::kIdChooserNewFolder, s->hbmNewFolder.get());
    SendDlgItemMessageW(dialog, res::kIdChooserTitle, WM_SETFONT, (WPARAM)s->hfontTitle.get(), FALSE);
    SendDlgItemMessageW(dialog, res::kIdChooserFileLabel, WM_SETFONT, (WPARAM)s->hfontLabel.get(), FALSE);
    layOut(*s);

    SetDlgItemTextW(dialog, res::kIdChooserTitle, s->request->strTitle ? s->request->strTitle : u"");
    HWND nameBox = GetDlgItem(dialog, res::kIdChooserFileName);
    SendMessageW(nameBox, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));
    SendMessageW(nameBox, EM_LIMITTEXT, CHOOSER_NAME_CHARS - 1, 0);

    prepareTree(*s);
    fillTopLevel(s->tree);
    WCHAR start[CHOOSER_PATH_CHARS + MAX_PATH];
    requestStartFolder(*s->request, start, CHOOSER_PATH_CHARS + MAX_PATH);
    if (s->request->intMode == CHOOSE_NEW_FILE) ShowWindow(GetDlgItem(dialog, res::kIdChooserNewFolder), SW_SHOW);
    if (!selectPath(s->tree, start)) {
        WCHAR documents[MAX_PATH];
        getDocumentsFolder(documents, MAX_PATH);
        selectPath(s->tree, documents);
    }
    if (s->request->intMode == CHOOSE_NEW_FILE) {
        WCHAR name[CHOOSER_NAME_CHARS];
        requestFileName(*s->request, name, CHOOSER_NAME_CHARS);
        SetWindowTextW(nameBox, name);
    }
    SetFocus(s->tree.tree);
    return FALSE;  // the focus is placed
}

// --- painting -----------------------------------------------------------------

void drawRule(HDC dc, int y, int width) {
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, width, y);
}

void onPaint(ChooserState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(s.dialog, &ps);
    RECT client;
    GetClientRect(s.dialog, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    int width = intWorkWidth > 0 ? intWorkWidth : client.right;
    RECT tree = dialogItemRect(s.dialog, res::kIdChooserTree);
    bool naming = s.request->intMode == CHOOSE_NEW_FILE;
    int nameTop = dialogItemRect(s.dialog, res::kIdChooserFileName).top;
    RECT band = {0, 0, width, naming ? nameTop - 2 * intUnit : tree.top};
    FillRect(dc, &band, s.hbrBand.get());
    {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, intScale, 0x000000));
        SelectedObject selected(dc, pen.get());
        drawRule(dc, tree.top - intScale, width);
        drawRule(dc, tree.bottom, width);
        if (naming) drawRule(dc, nameTop - 2 * intUnit, width);
    }
    EndPaint(s.dialog, &ps);
}

INT_PTR onCtlColorStatic(ChooserState& s, HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    int id = GetDlgCtrlID(control);
    if (id == res::kIdChooserFileLabel) {
        SetTextColor(dc, 0x000000);
        return (INT_PTR)GetStockObject(WHITE_BRUSH);
    }
    // The title and the pictures sit on the band.
    SetTextColor(dc, kChooserTitleColour);
    return (INT_PTR)s.hbrBand.get();
}

// --- messages -----------------------------------------------------------------

INT_PTR onCommand(ChooserState& s, int id, int code) {
    // The pictures are the buttons; a second tap soon after the first is a
    // tap all the same.
    bool tapped = code == STN_CLICKED || code == STN_DBLCLK;
    switch (id) {
        case res::kIdOk:
            if (tapped) acceptChoice(s);
            return TRUE;
        case res::kIdChooserNewFolder:
            if (tapped && s.request->intMode == CHOOSE_NEW_FILE) startNewFolder(s);
            return TRUE;
        case res::kIdCancel:
            if (!tapped) return TRUE;
            [[fallthrough]];
        case IDCANCEL:
            s.bNewFolder = 0;
            EndDialog(s.dialog, 0);
            return TRUE;
        default: return FALSE;  // IDOK, the shell's done button, is not acted on
    }
}

void onExpanding(ChooserState& s, const NMTREEVIEWW& tv) {
    HTREEITEM node = tv.itemNew.hItem;
    if (tv.action & TVE_EXPAND) {
        setNodePicture(s.tree, node, CHOOSER_PIC_OPEN_FOLDER);
        readFolderInto(s.tree, node);
    } else if (tv.action & TVE_COLLAPSE) {
        setNodePicture(s.tree, node, CHOOSER_PIC_FOLDER);
        forgetChildren(s.tree, node);
    }
}

void onSelectionChanged(ChooserState& s, const NMTREEVIEWW& tv) {
    if (s.request->intMode != CHOOSE_NEW_FILE) return;
    WCHAR label[MAX_PATH];
    nodeLabel(s.tree.tree, tv.itemNew.hItem, label, MAX_PATH);
    if (endsWithExtension(label, s.tree.extension)) SetDlgItemTextW(s.dialog, res::kIdChooserFileName, label);
}

// A double tap on a file (a node without a button) in mode 2 accepts it.
LRESULT onDoubleTap(ChooserState& s) {
    if (s.request->intMode != CHOOSE_FILE) return 0;
    HTREEITEM node = (HTREEITEM)SendMessageW(s.tree.tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (!node || nodeHasButton(s.tree.tree, node)) return 0;
    acceptChoice(s);
    return 1;
}

INT_PTR onNotify(ChooserState& s, const NMHDR* header) {
    if (!header || header->idFrom != UINT_PTR(res::kIdChooserTree)) return FALSE;
    LRESULT result = 0;
    switch (header->code) {
        case TVN_ITEMEXPANDINGW: onExpanding(s, *(const NMTREEVIEWW*)header); break;
        case TVN_SELCHANGEDW: onSelectionChanged(s, *(const NMTREEVIEWW*)header); break;
        case NM_DBLCLK: result = onDoubleTap(s); break;
        case TVN_BEGINLABELEDITW: result = beginLabelEdit(s, *(const NMTVDISPINFOW*)header); break;
        case TVN_ENDLABELEDITW: endLabelEdit(s, *(const NMTVDISPINFOW*)header); break;
        default: return FALSE;
    }
    SetWindowLongW(s.dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

void onSettingChange(ChooserState& s, WPARAM wParam, LPARAM lParam) {
    SHHandleWMSettingChange(s.dialog, wParam, lParam, &s.activateInfo);
    fitTree(s.dialog);
}

INT_PTR CALLBACK chooserProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInitDialog(dialog, (ChooserState*)lParam);
    ChooserState* s = stateOf(dialog);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(*s); return TRUE;
        case WM_ERASEBKGND: return TRUE;
        case WM_CTLCOLORSTATIC: return onCtlColorStatic(*s, (HDC)wParam, (HWND)lParam);
        case WM_COMMAND: return onCommand(*s, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: return onNotify(*s, (const NMHDR*)lParam);
        case WM_SETTINGCHANGE: onSettingChange(*s, wParam, lParam); return TRUE;
        case WM_DESTROY:
            releaseState(*s);
            SetWindowLongW(dialog, DWLP_USER, 0);
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

int chooseFile(HWND owner, FileChooserRequest* request) {
    if (!request || !request->strPath || request->intPathSize <= 0) return 0;
    ChooserState state;
    state.request = request;
    INT_PTR result = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgFileChooser), owner, chooserProc,
                                     (LPARAM)&state);
    releaseState(state);
    return result == 1 ? 1 : 0;
}
