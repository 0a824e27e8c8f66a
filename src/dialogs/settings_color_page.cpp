// The "Color" page: the colours of the four item levels, the tree lines,
// checked and hidden items, the list name and the notes pane, the font
// sizes of the list name and the notes, and the expand button's picture.
//
// The colours are edited in working copies, which reach the list only when
// the sheet is closed with OK; the button picture is the list's the moment
// it is tapped.
#include <cassert>

#include "common/app_font.h"
#include "common/gdi_owner.h"
#include "dialogs/colour_picker.h"
#include "dialogs/dialog_look.h"
#include "dialogs/settings_pages.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/settings.h"

namespace {

constexpr int kMarkerPoints = 7;
constexpr COLORREF kConnectorColour = 0x969696;
constexpr int kSmallestFontSize = 8;
constexpr int kFontSizeCount = 9;  // 8 to 16 points
constexpr int kButtonMarkGap = 2;    // the chosen picture's outline lies this far out
constexpr int kButtonEraseGap = 3;   // and this much is wiped round the other
const WCHAR* const kFontSizes[kFontSizeCount] = {u"8", u"9", u"10", u"11", u"12", u"13", u"14", u"15", u"16"};

// Each swatch and the colour of the list it edits.
struct Swatch {
    int id;
    COLORREF ListAttributes::*colour;
};
constexpr int SWATCH_COUNT = 10;
const Swatch kSwatches[SWATCH_COUNT] = {
    {res::kIdColLevel0, &ListAttributes::crItemLevel0},
    {res::kIdColLevel0 + 1, &ListAttributes::crItemLevel1},
    {res::kIdColLevel0 + 2, &ListAttributes::crItemLevel2},
    {res::kIdColLevel0 + 3, &ListAttributes::crItemLevel3},
    {res::kIdColLine, &ListAttributes::crItemLine},
    {res::kIdColChecked, &ListAttributes::crItemCheck},
    {res::kIdColHidden, &ListAttributes::crItemHidden},
    {res::kIdColListName, &ListAttributes::crListName},
    {res::kIdColNoteBackground, &ListAttributes::crNoteBackground},
    {res::kIdColNoteText, &ListAttributes::crNoteText},
};
const int kTitles[] = {res::kIdSetTitle, res::kIdColLineTitle, res::kIdColButtonTitle, res::kIdColNotesTitle};
constexpr int kLevels = 4;

// The page's state while it exists; the sheet is modal, so there is one.
struct ColorPage {
    GdiObject<HFONT> hfontTitle;
    GdiObject<HFONT> hfontMarker;
    COLORREF colours[SWATCH_COUNT] = {};
    GdiObject<HBRUSH> brushes[SWATCH_COUNT];
    int intNameSizeAtOpen = 0;
    int intNotesSizeAtOpen = 0;
    GdiObject<HBITMAP> hbmBox;
    GdiObject<HBITMAP> hbmDiamond;
};
ColorPage page;

void releasePage() { page = ColorPage{}; }

int swatchIndex(HWND hwnd, HWND control) {
    for (int i = 0; i < SWATCH_COUNT; ++i)
        if (control == GetDlgItem(hwnd, kSwatches[i].id)) return i;
    return -1;
}

bool isMarker(HWND hwnd, HWND control) {
    int id = GetDlgCtrlID(control);
    return id >= res::kIdColMarker0 && id < res::kIdColMarker0 + kLevels && control == GetDlgItem(hwnd, id);
}

bool isTitle(HWND hwnd, HWND control) {
    for (int id : kTitles)
        if (control == GetDlgItem(hwnd, id)) return true;
    return false;
}

HBITMAP loadPicture(int id) {
    return (HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0);
}

BOOL onInit(HWND hwnd) {
    releasePage();
    page.hfontTitle.reset(createPageTitleFont(hwnd, kTitles, (int)(sizeof kTitles / sizeof kTitles[0])));
    page.hfontMarker.reset(createDialogFont(kMarkerPoints, 700));
    for (int k = 0; k < kLevels; ++k)
        SendDlgItemMessageW(hwnd, res::kIdColMarker0 + k, WM_SETFONT, (WPARAM)page.hfontMarker.get(), FALSE);
    for (int i = 0; i < SWATCH_COUNT; ++i) {
        page.colours[i] = attrCurrentList.*kSwatches[i].colour;
        page.brushes[i].reset(CreateSolidBrush(page.colours[i]));
    }
    fillDropList(hwnd, res::kIdColNameFontSize, kFontSizes, kFontSizeCount, intFontSizeName - kSmallestFontSize);
    fillDropList(hwnd, res::kIdColNotesFontSize, kFontSizes, kFontSizeCount, intFontSizeNotes - kSmallestFontSize);
    page.intNameSizeAtOpen = intFontSizeName;
    page.intNotesSizeAtOpen = intFontSizeNotes;
    page.hbmBox.reset(loadPicture(bHiRes == 1 ? res::kBmpButtonBoxHiRes : res::kBmpButtonBox));
    page.hbmDiamond.reset(loadPicture(bHiRes == 1 ? res::kBmpButtonDiamondHiRes : res::kBmpButtonDiamond));
    SendDlgItemMessageW(hwnd, res::kIdColButtonBox, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)page.hbmBox.get());
    SendDlgItemMessageW(hwnd, res::kIdColButtonDiamond, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)page.hbmDiamond.get());
    return TRUE;
}

void onSwatchTapped(HWND hwnd, int index) {
    assert(index >= 0 && index < SWATCH_COUNT);
    page.colours[index] = pickColor(hwnd, page.colours[index]);
    page.brushes[index].reset(CreateSolidBrush(page.colours[index]));
    InvalidateRect(GetDlgItem(hwnd, kSwatches[index].id), nullptr, TRUE);
}

void onButtonTapped(HWND hwnd, int buttonType) {
    attrCurrentList.intButtonType = buttonType;
    invalidateAround(hwnd, res::kIdColButtonBox, kButtonEraseGap, TRUE);
    invalidateAround(hwnd, res::kIdColButtonDiamond, kButtonEraseGap, TRUE);
}

// A font of the main window made again at a new size, given to its windows.
void remakeFont(HFONT* font, int points, int weight, HWND first, HWND second) {
    HFONT old = *font;
    *font = createAppFont(points, weight, 0, bClearType);
    for (HWND window : {first, second})
        if (window) SendMessageW(window, WM_SETFONT, (WPARAM)*font, TRUE);
    if (old) DeleteObject(old);
}

void apply(HWND hwnd) {
    for (int i = 0; i < SWATCH_COUNT; ++i) attrCurrentList.*kSwatches[i].colour = page.colours[i];
    const int nameIndex = dropListIndex(hwnd, res::kIdColNameFontSize, intFontSizeName - kSmallestFontSize);
    intFontSizeName = nameIndex + kSmallestFontSize;
    if (intFontSizeName != page.intNameSizeAtOpen) {
        remakeFont(&hfontListName, intFontSizeName, 700, hwndListCombo, hwndListName);
        // The bar is as tall as the combo box with its font.
        placeListBar();
        if (hwndMain) SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    }
    const int notesIndex = dropListIndex(hwnd, res::kIdColNotesFontSize, intFontSizeNotes - kSmallestFontSize);
    intFontSizeNotes = notesIndex + kSmallestFontSize;
    if (intFontSizeNotes != page.intNotesSizeAtOpen) remakeFont(&hfontNotes, intFontSizeNotes, 400, hwndNotes, nullptr);
    setSettingInt(SETTING_FONTSIZETV, intFontSizeTV);
    setSettingInt(SETTING_FONTSIZENOTES, intFontSizeNotes);
    setSettingInt(SETTING_FONTSIZENAME, intFontSizeName);
}

POINT centreOf(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

// The connectors that make the four levels look like a branch of the
// outline: from each marker to its swatch, and up from it to the level
// above.
void drawConnectors(HWND hwnd, HDC hdc) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, intScale, kConnectorColour));
    SelectedObject selected(hdc, pen.get());
    for (int k = 0; k < kLevels; ++k) {
        RECT marker = dialogItemRect(hwnd, res::kIdColMarker0 + k);
        RECT swatch = dialogItemRect(hwnd, res::kIdColLevel0 + k);
        POINT c = centreOf(marker);
        MoveToEx(hdc, c.x, c.y, nullptr);
        LineTo(hdc, swatch.left, c.y);
        if (k == 0) continue;
        RECT upperMarker = dialogItemRect(hwnd, res::kIdColMarker0 + k - 1);
        RECT upperSwatch = dialogItemRect(hwnd, res::kIdColLevel0 + k - 1);
        MoveToEx(hdc, c.x, c.y, nullptr);
        LineTo(hdc, c.x, upperSwatch.top + (upperMarker.bottom - upperMarker.top) / 2);
    }
}

// The chosen picture is framed; round the other any earlier frame is wiped.
void drawButtonChoice(HWND hwnd, HDC hdc) {
    const bool box = attrCurrentList.intButtonType == 1;
    RECT chosen = dialogItemRect(hwnd, box ? res::kIdColButtonBox : res::kIdColButtonDiamond);
    RECT other = dialogItemRect(hwnd, box ? res::kIdColButtonDiamond : res::kIdColButtonBox);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(WHITE_PEN));
    Rectangle(hdc, other.left - kButtonEraseGap, other.top - kButtonEraseGap, other.right + kButtonEraseGap,
              other.bottom + kButtonEraseGap);
    SelectObject(hdc, GetStockObject(BLACK_PEN));
    Rectangle(hdc, chosen.left - kButtonMarkGap, chosen.top - kButtonMarkGap, chosen.right + kButtonMarkGap,
              chosen.bottom + kButtonMarkGap);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
}

void onPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    drawPageFrames(hwnd, hdc);
    drawConnectors(hwnd, hdc);
    drawButtonChoice(hwnd, hdc);
    EndPaint(hwnd, &ps);
}

INT_PTR onColour(HWND hwnd, HDC hdc, HWND control) {
    int index = swatchIndex(hwnd, control);
    if (index >= 0) return (INT_PTR)page.brushes[index].get();
    if (isTitle(hwnd, control)) return titleColours(hdc);
    // The connectors run into the markers, so a marker leaves the page's
    // drawing under its text.
    if (isMarker(hwnd, control)) {
        plainColours(hdc);
        return (INT_PTR)GetStockObject(NULL_BRUSH);
    }
    return plainColours(hdc);
}

BOOL onCommand(HWND hwnd, int id, int code, HWND control) {
    if (code != STN_CLICKED) return FALSE;
    if (id == res::kIdColButtonBox) onButtonTapped(hwnd, 1);
    else if (id == res::kIdColButtonDiamond) onButtonTapped(hwnd, 0);
    else if (int index = swatchIndex(hwnd, control); index >= 0) onSwatchTapped(hwnd, index);
    else return FALSE;
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK colorPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return onInit(hwnd);
        case WM_PAINT: onPaint(hwnd); return TRUE;
        case WM_CTLCOLORSTATIC: return onColour(hwnd, (HDC)wParam, (HWND)lParam);
        case WM_COMMAND: return onCommand(hwnd, LOWORD(wParam), HIWORD(wParam), (HWND)lParam);
        case WM_NOTIFY: return answerSheetNotify(hwnd, lParam, apply);
        case WM_DESTROY: releasePage(); return FALSE;
        default: return FALSE;
    }
}
