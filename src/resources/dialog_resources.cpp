// The program's dialog templates. The dialogs with the program's own framed
// look (message, notice, information, progress, tip) are plain popups: their
// procedures paint the caption band and the border themselves, so the
// templates ask the system for no caption or frame.
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "windows.h"
#include "winres.h"

namespace {

constexpr DWORD kVis = WS_VISIBLE;
constexpr DWORD kFramed = DS_SETFONT | DS_CENTER | WS_POPUP;
constexpr DWORD kModal = DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION;
constexpr DWORD kText = kVis | SS_CENTER | SS_NOPREFIX;
constexpr DWORD kButton = kVis | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefButton = kVis | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kPasswordEdit = kVis | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_PASSWORD;

// The shell's input-panel preference: a text field in the dialog raises
// the soft keyboard while it has the focus.
const device::DialogItemTemplate kSipPref{u"SIPPREF", u"", -1, 0, 0, 0, 0, 0, 0};

// Message box of the program's look. The two buttons sit at 17 and 68
// units from the left when both show; alone, "OK" is centred at run time.
const device::DialogTemplate kMessage{
    kFramed, 0, 0, 0, 124, 115, u"", u"MS Sans Serif", 8,
    {{u"button", u"OK", res::kIdOk, kDefButton, 0, 17, 92, 40, 14},
     {u"static", u"", res::kIdMessageText, kText, 0, 7, 30, 110, 50},
     {u"button", u"Cancel", res::kIdCancel, WS_TABSTOP | BS_PUSHBUTTON, 0, 68, 92, 40, 14}}};

const device::DialogTemplate kNotice{
    kFramed, 0, 0, 0, 151, 137, u"Notice", u"Tahoma", 8,
    {{u"static",
      u"For maximum performance, Quillet should be installed in main memory. Also, database files should be "
      u"located in main memory as well for fastest operation.",
      res::kIdNoticeText1, kText, 0, 6, 22, 139, 40},
     {u"static",
      u"Installing this application on an external SD or CF storage card will reduce performance due to the "
      u"slowness of the media.",
      res::kIdNoticeText2, kText, 0, 6, 64, 139, 34},
     {u"static", u"Please review the user guide for more details.", res::kIdNoticeText3, kText, 0, 6, 99, 139, 18},
     {u"button", u"Ok", res::kIdOk, kDefButton, 0, 55, 119, 40, 14}}};

const device::DialogTemplate kInformation{
    kFramed, 0, 0, 0, 124, 112, u"Database Attributes", u"MS Sans Serif", 8,
    {{u"button", u"OK", res::kIdOk, kDefButton, 0, 42, 90, 40, 14},
     {u"static", u"", res::kIdMessageText, kText, 0, 7, 30, 110, 52}}};

const device::DialogTemplate kProgress{
    kFramed | WS_VISIBLE, 0, 0, 0, 128, 50, u"", u"MS Sans Serif", 8,
    {{u"static", u"", res::kIdProgressMain, kText, 0, 6, 5, 116, 10},
     {u"static", u"", res::kIdProgressSub, kText, 0, 6, 17, 116, 10},
     {PROGRESS_CLASSW, u"", res::kIdProgressBar, kVis | PBS_SMOOTH, 0, 6, 31, 116, 10}}};

// The tip stretches its one text over itself at run time. It is never active: the outline keeps the focus, and with it the
// highlight of its selected item, while the tip shows.
const device::DialogTemplate kTip{
    DS_SETFONT | WS_POPUP, WS_EX_TOPMOST | WS_EX_NOACTIVATE, 0, 0, 60, 12, u"", u"Tahoma", 8,
    {{u"static", u"", res::kIdTipText, kText, 0, 0, 0, 60, 12}}};

// Shown full-screen by the shell, so its size is that of the work area.
const device::DialogTemplate kAbout{
    DS_SETFONT | WS_POPUP | WS_CAPTION, 0, 0, 0, 160, 180, u"About", u"Tahoma", 8,
    {{u"static", u"", res::kIdAboutName, kVis | SS_LEFT | SS_NOPREFIX, 0, 10, 12, 100, 14},
     {u"static", u"", res::kIdAboutVersion, kVis | SS_LEFT | SS_NOPREFIX, 0, 10, 28, 100, 10},
     {u"static", u"", res::kIdAboutSeparator, SS_LEFT, 0, 8, 50, 144, 1}}};

const device::DialogTemplate kListName{
    kModal, 0, 0, 0, 124, 60, u"", u"Tahoma", 8,
    {{u"edit", u"", res::kIdListNameEdit, kVis | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 7, 20, 110, 12},
     {u"button", u"OK", res::kIdOk, kDefButton, 0, 14, 40, 45, 14},
     {u"button", u"Cancel", res::kIdCancel, kButton, 0, 65, 40, 45, 14},
     kSipPref}};

// Labels above their fields; the procedure hides the fields a mode does not
// need and moves the rest up. With all three fields it still fits, buttons
// and all, between the navigation bar and the raised input panel.
const device::DialogTemplate kPasswordDialog{
    kModal, 0, 0, 0, 124, 112, u"", u"Tahoma", 8,
    {{u"static", u"Old Password:", res::kIdPwdOldLabel, kVis | SS_LEFT, 0, 7, 20, 110, 9},
     {u"edit", u"", res::kIdPwdOld, kPasswordEdit, 0, 7, 29, 110, 12},
     {u"static", u"New Password:", res::kIdPwdNewLabel, kVis | SS_LEFT, 0, 7, 44, 110, 9},
     {u"edit", u"", res::kIdPwdNew, kPasswordEdit, 0, 7, 53, 110, 12},
     {u"static", u"New Password (Confirm):", res::kIdPwdConfirmLabel, kVis | SS_LEFT, 0, 7, 68, 110, 9},
     {u"edit", u"", res::kIdPwdConfirm, kPasswordEdit, 0, 7, 77, 110, 12},
     {u"button", u"OK", res::kIdOk, kDefButton, 0, 14, 94, 45, 14},
     {u"button", u"Cancel", res::kIdCancel, kButton, 0, 65, 94, 45, 14},
     kSipPref}};

// The colour picker. The procedure narrows the dialog to the preset grid
// and centres the red, green and blue fields in it; the grid and the fields
// start hidden and the remembered mode shows one of them.
constexpr DWORD kSwatch = SS_NOTIFY | WS_BORDER;
constexpr DWORD kNumberEdit = WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL;

std::vector<device::DialogItemTemplate> colourPickerItems() {
    std::vector<device::DialogItemTemplate> items;
    for (int i = 0; i < 24; ++i) {
        short x = (short)(8 + (i % 6) * 24);
        short y = (short)(17 + (i / 6) * 13);
        items.push_back({u"static", u"", res::kIdColourPresetFirst + i, kSwatch, 0, x, y, 20, 11});
    }
    const struct {
        const char16_t* label;
        int labelId, editId;
        short y;
    } fields[3] = {{u"Red:", res::kIdColourRedLabel, res::kIdColourRed, 20},
                   {u"Green:", res::kIdColourGreenLabel, res::kIdColourGreen, 36},
                   {u"Blue:", res::kIdColourBlueLabel, res::kIdColourBlue, 52}};
    for (const auto& f : fields) {
        items.push_back({u"static", f.label, f.labelId, SS_LEFT | SS_NOPREFIX, 0, 40, (short)(f.y + 2), 26, 9});
        items.push_back({u"edit", u"", f.editId, kNumberEdit, 0, 68, f.y, 28, 12});
    }
    items.push_back({TRACKBAR_CLASSW, u"", res::kIdColourSlider, kVis | WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTTOM, 0,
                     6, 70, 146, 18});
    items.push_back({u"static", u"", res::kIdColourCurrent, kVis | WS_BORDER, 0, 8, 94, 40, 18});
    items.push_back({u"static", u"", res::kIdColourMode, kVis | SS_BITMAP | SS_NOTIFY, 0, 54, 95, 16, 16});
    items.push_back({u"button", u"Ok", res::kIdOk, kDefButton, 0, 78, 97, 34, 14});
    items.push_back({u"button", u"Cancel", res::kIdCancel, kButton, 0, 116, 97, 36, 14});
    items.push_back(kSipPref);
    return items;
}

const device::DialogTemplate kColourPicker{kFramed, 0, 0, 0, 166, 119, u"Color Selector", u"Tahoma", 8,
                                           colourPickerItems()};

// The file and folder chooser, shown full-screen by the shell. The band at
// the top holds the title and the pictures that act as its buttons; in the
// file-name mode the name box sits under the band, and the tree takes the
// rest. The two list boxes are never shown: they sort the names of a folder.
// The procedure places everything again for the screen it gets.
constexpr DWORD kPicture = kVis | SS_BITMAP | SS_NOTIFY;
const device::DialogTemplate kFileChooser{
    DS_SETFONT | WS_POPUP, 0, 0, 0, 160, 180, u"", u"Tahoma", 8,
    {{u"static", u"", res::kIdChooserTitle, kVis | SS_LEFT | SS_NOPREFIX, 0, 3, 4, 96, 12},
     {u"static", u"", res::kIdChooserNewFolder, SS_BITMAP | SS_NOTIFY, 0, 102, 2, 14, 13},
     {u"static", u"", res::kIdOk, kPicture, 0, 122, 2, 14, 13},
     {u"static", u"", res::kIdCancel, kPicture, 0, 142, 2, 14, 13},
     {u"static", u"Filename: ", res::kIdChooserFileLabel, kVis | SS_LEFT | SS_NOPREFIX, 0, 3, 25, 36, 10},
     {u"edit", u"", res::kIdChooserFileName, kVis | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 40, 23, 116, 12},
     {WC_TREEVIEWW, u"", res::kIdChooserTree,
      kVis | WS_TABSTOP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS |
          TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS,
      0, 0, 40, 160, 140},
     {u"listbox", u"", res::kIdChooserFolderSort, LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 10, 10},
     {u"listbox", u"", res::kIdChooserFileSort, LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 10, 10},
     kSipPref,
     kSipPref}};

// "Import Option": into a new list or into the current one.
const device::DialogTemplate kImportOption{
    kModal, 0, 0, 0, 124, 74, u"", u"Tahoma", 8,
    {{u"button", u"Import into a new list", res::kIdImportNewList, kVis | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 10, 22,
      104, 12},
     {u"button", u"Import into current list", res::kIdImportCurrentList, kVis | WS_TABSTOP | BS_AUTORADIOBUTTON, 0,
      10, 36, 104, 12},
     {u"button", u"OK", res::kIdOk, kDefButton, 0, 14, 54, 45, 14},
     {u"button", u"Cancel", res::kIdCancel, kButton, 0, 65, 54, 45, 14}}};

// The pages of the "Settings" sheet. The sheet sizes each page to its own
// page area; the hidden statics 1092 and 1093 mark the framed groups, and
// the Display page's hidden 1096 the place of the picture preview. Of the
// swatch and the image list under "Background" the procedure shows one.
constexpr DWORD kPage = DS_SETFONT | WS_CHILD | WS_CAPTION;
constexpr DWORD kLabel = kVis | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kMarker = 0;  // only gives a rectangle
constexpr DWORD kCheck = kVis | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kDropList = kVis | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kColourSwatch = kVis | SS_NOTIFY | WS_BORDER;

const device::DialogTemplate kSettingsDisplay{
    kPage, 0, 0, 0, 161, 171, u"Display", u"Tahoma", 8,
    {{u"static", u"Background", res::kIdSetTitle, kLabel, 0, 6, 3, 90, 10},
     {u"static", u"", res::kIdSetFrame1, kMarker, 0, 3, 13, 155, 62},
     {u"combobox", u"", res::kIdDispBackground, kDropList, 0, 8, 18, 145, 50},
     {u"static", u"Background color:", res::kIdDispColourLabel, SS_LEFT | SS_NOPREFIX, 0, 8, 39, 68, 9},
     {u"static", u"", res::kIdDispBackgroundColour, SS_NOTIFY | WS_BORDER, 0, 78, 37, 36, 12},
     {u"listbox", u"", res::kIdDispImages, WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_SORT | LBS_NOTIFY | LBS_HASSTRINGS,
      0, 8, 34, 76, 38},
     {u"static", u"", res::kIdDispPreview, kMarker, 0, 89, 34, 64, 37},
     {u"static", u"", res::kIdSetFrame2, kMarker, 0, 3, 79, 155, 89},
     {u"button", u"Draw checkboxes", res::kIdDispCheckboxes, kCheck, 0, 9, 83, 144, 8},
     {u"button", u"ClearType text", res::kIdDispClearType, kCheck, 0, 9, 92, 144, 8},
     {u"button", u"Backup database", res::kIdDispBackup, kCheck, 0, 9, 101, 144, 8},
     {u"button", u"Auto check", res::kIdDispAutoCheck, kCheck, 0, 9, 110, 144, 8},
     {u"button", u"Check items strikeout", res::kIdDispStrikeCheck, kCheck, 0, 9, 119, 144, 8},
     {u"button", u"Bold main items", res::kIdDispRootBold, kCheck, 0, 9, 128, 144, 8},
     {u"button", u"Display delete warning message", res::kIdDispWarning, kCheck, 0, 9, 137, 144, 8},
     {u"static", u"Show completion:", -1, kLabel, 0, 9, 153, 62, 9},
     {u"combobox", u"", res::kIdDispCompletion, kDropList, 0, 72, 151, 80, 50}}};

// The four levels step to the right, each marker just under the left edge
// of the swatch above, so the connectors drawn between them read as a tree.
std::vector<device::DialogItemTemplate> settingsColorItems() {
    std::vector<device::DialogItemTemplate> items = {
        {u"static", u"List item colors", res::kIdSetTitle, kLabel, 0, 6, 3, 90, 10},
        {u"static", u"", res::kIdSetFrame1, kMarker, 0, 3, 13, 155, 101}};
    for (int k = 0; k < 4; ++k) {
        items.push_back({u"static", u"-", res::kIdColMarker0 + k, kVis | SS_CENTER | SS_NOPREFIX, 0, (short)(9 + 8 * k),
                         (short)(18 + 13 * k), 6, 10});
        items.push_back({u"static", u"", res::kIdColLevel0 + k, kColourSwatch, 0, (short)(19 + 8 * k),
                         (short)(17 + 13 * k), 30, 11});
    }
    const std::vector<device::DialogItemTemplate> rest = {
        {u"static", u"Line color", res::kIdColLineTitle, kLabel, 0, 98, 16, 58, 10},
        {u"static", u"", res::kIdColLine, kColourSwatch, 0, 98, 28, 30, 11},
        {u"static", u"Button icon", res::kIdColButtonTitle, kLabel, 0, 98, 44, 58, 10},
        {u"static", u"", res::kIdColButtonBox, kVis | SS_BITMAP | SS_NOTIFY, 0, 100, 56, 14, 14},
        {u"static", u"", res::kIdColButtonDiamond, kVis | SS_BITMAP | SS_NOTIFY, 0, 126, 56, 14, 14},
        {u"static", u"Strikeout items", -1, kLabel, 0, 9, 75, 52, 9},
        {u"static", u"", res::kIdColChecked, kColourSwatch, 0, 62, 74, 24, 11},
        {u"static", u"Hidden items", -1, kLabel, 0, 9, 88, 52, 9},
        {u"static", u"", res::kIdColHidden, kColourSwatch, 0, 62, 87, 24, 11},
        {u"static", u"List name", -1, kLabel, 0, 9, 101, 52, 9},
        {u"static", u"", res::kIdColListName, kColourSwatch, 0, 62, 100, 24, 11},
        {u"static", u"Font size", -1, kLabel, 0, 92, 101, 32, 9},
        {u"combobox", u"", res::kIdColNameFontSize, kDropList, 0, 124, 99, 30, 80},
        {u"static", u"Notes colors", res::kIdColNotesTitle, kLabel, 0, 6, 117, 90, 10},
        {u"static", u"", res::kIdSetFrame2, kMarker, 0, 3, 127, 155, 41},
        {u"static", u"Background", -1, kLabel, 0, 9, 134, 52, 9},
        {u"static", u"", res::kIdColNoteBackground, kColourSwatch, 0, 62, 133, 24, 11},
        {u"static", u"Text", -1, kLabel, 0, 9, 151, 52, 9},
        {u"static", u"", res::kIdColNoteText, kColourSwatch, 0, 62, 150, 24, 11},
        {u"static", u"Font size", -1, kLabel, 0, 92, 151, 32, 9},
        {u"combobox", u"", res::kIdColNotesFontSize, kDropList, 0, 124, 149, 30, 80}};
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

const device::DialogTemplate kSettingsColor{kPage, 0, 0, 0, 161, 171, u"Color", u"Tahoma", 8, settingsColorItems()};

const device::DialogTemplate kSettingsOther{
    kPage, 0, 0, 0, 163, 188, u"Other", u"Tahoma", 8,
    {{u"static", u"", res::kIdSetFrame1, kMarker, 0, 3, 4, 157, 52},
     {u"static", u"Time/Date stamp", -1, kLabel, 0, 9, 13, 64, 9},
     {u"combobox", u"", res::kIdOtherTimeStamp, kDropList, 0, 76, 11, 78, 60},
     {u"button", u"Show SIP for hardware keyboard devices", res::kIdOtherKeyboardSip, kCheck, 0, 9, 32, 148, 10}}};

}  // namespace

void registerDialogResources() {
    device::resourceRegister(device::kResDialog, res::kDlgColourPicker, &kColourPicker, 0);
    device::resourceRegister(device::kResDialog, res::kDlgFileChooser, &kFileChooser, 0);
    device::resourceRegister(device::kResDialog, res::kDlgImportOption, &kImportOption, 0);
    device::resourceRegister(device::kResDialog, res::kDlgAbout, &kAbout, 0);
    device::resourceRegister(device::kResDialog, res::kDlgProgress, &kProgress, 0);
    device::resourceRegister(device::kResDialog, res::kDlgListName, &kListName, 0);
    device::resourceRegister(device::kResDialog, res::kDlgPassword, &kPasswordDialog, 0);
    device::resourceRegister(device::kResDialog, res::kDlgTip, &kTip, 0);
    device::resourceRegister(device::kResDialog, res::kDlgMessage, &kMessage, 0);
    device::resourceRegister(device::kResDialog, res::kDlgNotice, &kNotice, 0);
    device::resourceRegister(device::kResDialog, res::kDlgInformation, &kInformation, 0);
    device::resourceRegister(device::kResDialog, res::kDlgSettingsDisplay, &kSettingsDisplay, 0);
    device::resourceRegister(device::kResDialog, res::kDlgSettingsColor, &kSettingsColor, 0);
    device::resourceRegister(device::kResDialog, res::kDlgSettingsOther, &kSettingsOther, 0);
}
