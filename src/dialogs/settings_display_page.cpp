// The "Display" page: the outline's background (a solid colour or a
// picture of the program's folder, with a preview), the check boxes of the
// list's drawing and checking options and of three program settings, and
// the completion counts.
#include <cstring>

#include "common/gdi_owner.h"
#include "common/paths.h"
#include "dialogs/background_image.h"
#include "dialogs/colour_picker.h"
#include "dialogs/dialog_look.h"
#include "dialogs/settings_pages.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/settings.h"

namespace {

constexpr WCHAR kDefaultImage[] = u"(Default)";
constexpr int kPreviewMargin = 2;  // the outline drawn round the preview lies inside this
enum { IMAGE_NAME_CHARS = MAX_PATH + 1 };

const WCHAR* const kBackgroundChoices[] = {u"Use solid color", u"Use bitmap image file"};
const WCHAR* const kCompletionChoices[] = {u"None", u"Fraction", u"Percentage"};

// The page's state while it exists; the sheet is modal, so there is one.
struct DisplayPage {
    GdiObject<HFONT> hfontTitle;
    GdiObject<HBRUSH> hbrSwatch;  // crBackground
    int intCompletionAtOpen = 0;
    int bRootBoldAtOpen = 0;
    // The preview's picture, kept while the same name stays chosen so that
    // a repaint does not decode the file again.
    GdiObject<HBITMAP> hbmPreview;
    WCHAR strPreviewName[BACKGROUND_IMAGE_CHARS] = {};
};
DisplayPage page;

void releasePage() { page = DisplayPage{}; }

// "(Default)" and the names of the folder's pictures; the list sorts them.
void fillImageList(HWND list) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)kDefaultImage);
    WCHAR pattern[MAX_PATH + 8] = {};
    getProgramFolder(pattern, MAX_PATH);
    wcscat(pattern, u"\\*.*");
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (isBackgroundImageName(found.cFileName)) SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Selects `name` in the image list, or its first entry when it is not there.
void selectImage(HWND hwnd, LPCWSTR name) {
    HWND list = GetDlgItem(hwnd, res::kIdDispImages);
    LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    SendMessageW(list, LB_SETCURSEL, index == LB_ERR ? 0 : (WPARAM)index, 0);
}

// The selected image name, cut to `capacity`; false when none is selected.
bool selectedImage(HWND hwnd, WCHAR* out, int capacity) {
    HWND list = GetDlgItem(hwnd, res::kIdDispImages);
    LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return false;
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (length == LB_ERR || length >= IMAGE_NAME_CHARS) return false;
    WCHAR text[IMAGE_NAME_CHARS] = {};
    SendMessageW(list, LB_GETTEXT, (WPARAM)index, (LPARAM)text);
    wcsncpy(out, text, (size_t)capacity - 1);
    out[capacity - 1] = 0;
    return true;
}

// The picture shows the image list; the solid colour its label and swatch.
void showBackgroundControls(HWND hwnd, int picture) {
    ShowWindow(GetDlgItem(hwnd, res::kIdDispImages), picture ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(hwnd, res::kIdDispColourLabel), picture ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(hwnd, res::kIdDispBackgroundColour), picture ? SW_HIDE : SW_SHOW);
}

void repaintPreview(HWND hwnd) {
    // Without a picture the place must be wiped; a picture covers it whole.
    invalidateAround(hwnd, res::kIdDispPreview, kPreviewMargin, attrCurrentList.bUseBitmapFile == 1 ? FALSE : TRUE);
}

HBITMAP previewPicture() {
    if (page.hbmPreview && wcscmp(page.strPreviewName, strBackgroundImage) == 0) return page.hbmPreview.get();
    page.hbmPreview.reset();  // before the next is decoded, so that two are never held
    page.hbmPreview.reset(loadBackgroundImage(strBackgroundImage));
    if (!page.hbmPreview)
        page.hbmPreview.reset(
            (HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(res::kBmpBackground), IMAGE_BITMAP, 0, 0, 0));
    wcscpy(page.strPreviewName, strBackgroundImage);
    return page.hbmPreview.get();
}

void paintPreview(HWND hwnd, HDC hdc) {
    if (attrCurrentList.bUseBitmapFile != 1) return;
    RECT rc = dialogItemRect(hwnd, res::kIdDispPreview);
    HBITMAP picture = previewPicture();
    BITMAP bm{};
    if (picture && GetObjectW(picture, sizeof bm, &bm)) {
        MemoryDC mem(hdc);
        SelectedObject selected(mem.get(), picture);
        StretchBlt(hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem.get(), 0, 0, bm.bmWidth,
                   bm.bmHeight, SRCCOPY);
    }
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, intScale, 0x000000));
    SelectedObject selectedPen(hdc, pen.get());
    SelectedObject hollow(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, rc.left, rc.top, rc.right + 1, rc.bottom + 1);
}

BOOL onInit(HWND hwnd) {
    releasePage();
    const int titles[] = {res::kIdSetTitle};
    page.hfontTitle.reset(createPageTitleFont(hwnd, titles, 1));
    page.hbrSwatch.reset(CreateSolidBrush(attrCurrentList.crBackground));
    const int picture = attrCurrentList.bUseBitmapFile == 1 ? 1 : 0;
    fillDropList(hwnd, res::kIdDispBackground, kBackgroundChoices, 2, picture);
    fillImageList(GetDlgItem(hwnd, res::kIdDispImages));
    selectImage(hwnd, strBackgroundImage);
    showBackgroundControls(hwnd, picture);
    setCheck(hwnd, res::kIdDispCheckboxes, attrCurrentList.bCheckbox);
    setCheck(hwnd, res::kIdDispClearType, bClearType);
    setCheck(hwnd, res::kIdDispBackup, bBackupDatabase);
    setCheck(hwnd, res::kIdDispAutoCheck, attrCurrentList.bAutoCheck);
    setCheck(hwnd, res::kIdDispStrikeCheck, attrCurrentList.bStrikeCheck);
    setCheck(hwnd, res::kIdDispRootBold, attrCurrentList.bRootBold);
    setCheck(hwnd, res::kIdDispWarning, bWarningMessage);
    fillDropList(hwnd, res::kIdDispCompletion, kCompletionChoices, 3, attrCurrentList.intCompletionShow);
    page.intCompletionAtOpen = attrCurrentList.intCompletionShow;
    page.bRootBoldAtOpen = attrCurrentList.bRootBold;
    return TRUE;
}

// The choice between colour and picture takes effect at once: the outline
// shows it when the sheet closes, whichever way it is closed.
void onBackgroundChosen(HWND hwnd) {
    const int picture = dropListIndex(hwnd, res::kIdDispBackground, 0) == 1 ? 1 : 0;
    attrCurrentList.bUseBitmapFile = picture;
    showBackgroundControls(hwnd, picture);
    if (picture) selectImage(hwnd, strBackgroundImage);
    repaintPreview(hwnd);
}

void onImageChosen(HWND hwnd) {
    selectedImage(hwnd, strBackgroundImage, BACKGROUND_IMAGE_CHARS);
    repaintPreview(hwnd);
}

void onSwatchTapped(HWND hwnd) {
    attrCurrentList.crBackground = pickColor(hwnd, attrCurrentList.crBackground);
    page.hbrSwatch.reset(CreateSolidBrush(attrCurrentList.crBackground));
    InvalidateRect(GetDlgItem(hwnd, res::kIdDispBackgroundColour), nullptr, TRUE);
}

void storeSetting(LPCWSTR key, int* value, int checked) {
    *value = checked;
    setSettingInt(key, checked);
}

void apply(HWND hwnd) {
    WCHAR name[LIST_BITMAP_CHARS] = {};
    if (selectedImage(hwnd, name, LIST_BITMAP_CHARS)) {
        wcscpy(attrCurrentList.strBitmapFile, name);
        wcsncpy(strBackgroundImage, name, BACKGROUND_IMAGE_CHARS - 1);
        strBackgroundImage[BACKGROUND_IMAGE_CHARS - 1] = 0;
    }
    storeSetting(SETTING_BACKUPDATABASE, &bBackupDatabase, isChecked(hwnd, res::kIdDispBackup));
    storeSetting(SETTING_WARNINGMESSAGE, &bWarningMessage, isChecked(hwnd, res::kIdDispWarning));
    storeSetting(SETTING_CLEARTYPE, &bClearType, isChecked(hwnd, res::kIdDispClearType));
    attrCurrentList.bAutoCheck = isChecked(hwnd, res::kIdDispAutoCheck);
    attrCurrentList.bRootBold = isChecked(hwnd, res::kIdDispRootBold);
    attrCurrentList.bStrikeCheck = isChecked(hwnd, res::kIdDispStrikeCheck);
    attrCurrentList.bCheckbox = isChecked(hwnd, res::kIdDispCheckboxes);
    attrCurrentList.intCompletionShow =
        dropListIndex(hwnd, res::kIdDispCompletion, attrCurrentList.intCompletionShow);
    // The counts are part of the items' texts, so only a reload shows or
    // removes them.
    if (attrCurrentList.intCompletionShow != page.intCompletionAtOpen) {
        setWaitCursor(1);
        reloadShownList();
        setWaitCursor(0);
    }
    // The outline's font is the bold one or not by this option, so the
    // font-size command makes the fonts again at the size in force.
    if (attrCurrentList.bRootBold != page.bRootBoldAtOpen)
        applyOutlineFontSize(hwndMain, (int)res::kCmdFontSize8 + intFontSizeTV - 8, nullptr, 0);
}

void onPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    drawPageFrames(hwnd, hdc);
    paintPreview(hwnd, hdc);
    EndPaint(hwnd, &ps);
}

INT_PTR onColour(HWND hwnd, HDC hdc, HWND control) {
    if (control == GetDlgItem(hwnd, res::kIdDispBackgroundColour)) return (INT_PTR)page.hbrSwatch.get();
    if (control == GetDlgItem(hwnd, res::kIdSetTitle)) return titleColours(hdc);
    return plainColours(hdc);
}

BOOL onCommand(HWND hwnd, int id, int code) {
    if (id == res::kIdDispBackground && (code == CBN_CLOSEUP || code == CBN_SELCHANGE)) {
        // A choice made with the keys changes the selection without a close.
        if (code == CBN_CLOSEUP || !SendDlgItemMessageW(hwnd, id, CB_GETDROPPEDSTATE, 0, 0)) onBackgroundChosen(hwnd);
        return TRUE;
    }
    if (id == res::kIdDispImages && code == LBN_SELCHANGE) {
        onImageChosen(hwnd);
        return TRUE;
    }
    if (id == res::kIdDispBackgroundColour && code == STN_CLICKED) {
        onSwatchTapped(hwnd);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK displayPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return onInit(hwnd);
        case WM_PAINT: onPaint(hwnd); return TRUE;
        case WM_CTLCOLORSTATIC: return onColour(hwnd, (HDC)wParam, (HWND)lParam);
        case WM_COMMAND: return onCommand(hwnd, LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: return answerSheetNotify(hwnd, lParam, apply);
        case WM_DESTROY: releasePage(); return FALSE;
        default: return FALSE;
    }
}
