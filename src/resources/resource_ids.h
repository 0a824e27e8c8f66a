// The numbers of the program's menus, menu bar, dialog templates and menu
// commands, named as the code refers to them. They are the numbers the
// stored settings, scripts and the platform's loaders know, so they never move.
#pragma once

namespace res {

// Menus and the menu bar.
constexpr int kMenuMain = 103;        // the File, Edit and Options popups
constexpr int kMenuBarMain = 103;     // the menu bar resource (buttons and pictures)
constexpr int kMenuItemPopup = 162;   // "Item_Popup": tap-and-hold on an outline item
constexpr int kMenuNotesPopup = 167;  // "Notes Popup": tap-and-hold in the notes pane

// Menu bar buttons (not commands: the ids SHCMBM_GETSUBMENU takes).
constexpr unsigned kButtonFile = 40002;
constexpr unsigned kButtonEdit = 40003;
constexpr unsigned kButtonOptions = 40004;

// Positions inside the Options popup that the program addresses by place.
constexpr int kOptionsPosSort = 0;
constexpr int kOptionsPosFontSize = 1;
constexpr int kOptionsPosChecked = 2;
constexpr int kOptionsPosHidden = 3;
constexpr int kOptionsPosExpand = 4;
constexpr int kOptionsPosSetPassword = 5;
// Where the run-time "Hide"/"Show" item goes in the item popup.
constexpr int kItemPopupPosHide = 3;

// Dialog templates.
constexpr int kDlgAbout = 101;
constexpr int kDlgProgress = 106;
constexpr int kDlgFileChooser = 110;
constexpr int kDlgListName = 145;
constexpr int kDlgImportOption = 163;
constexpr int kDlgPassword = 164;
constexpr int kDlgTip = 165;
constexpr int kDlgMessage = 1014;
constexpr int kDlgColourPicker = 1018;
constexpr int kDlgSettingsDisplay = 1049;  // the pages of the "Settings" sheet
constexpr int kDlgSettingsColor = 1050;
constexpr int kDlgSettingsOther = 1051;
constexpr int kDlgNotice = 1052;
constexpr int kDlgInformation = 1053;

// Bitmaps of the menu bar's pictures.
constexpr int kBmpToolbarHiRes = 117;
constexpr int kBmpToolbar = 118;
// Bitmaps of the colour picker's mode picture: the grid of presets, or the
// red, green and blue bars.
constexpr int kBmpColourGridHiRes = 126;
constexpr int kBmpColourGrid = 127;
constexpr int kBmpColourBarsHiRes = 128;
constexpr int kBmpColourBars = 129;
// The built-in background picture (240 x 268, 8 bits per pixel).
constexpr int kBmpBackground = 147;
// Bitmaps of the settings' "Button icon" choice: the boxed plus sign
// (button type 1) and the blue diamond (button type 0).
constexpr int kBmpButtonBoxHiRes = 141;
constexpr int kBmpButtonDiamondHiRes = 142;
constexpr int kBmpButtonBox = 143;
constexpr int kBmpButtonDiamond = 144;
// Bitmaps of the file chooser: the tree's five node pictures side by side,
// and the OK, Cancel and New Folder pictures.
constexpr int kBmpChooserTreeHiRes = 119;  // five 30 x 30
constexpr int kBmpChooserTree = 120;       // five 16 x 15
constexpr int kBmpCancelHiRes = 121;
constexpr int kBmpCancel = 122;
constexpr int kBmpOkHiRes = 124;
constexpr int kBmpOk = 125;
constexpr int kBmpNewFolderHiRes = 139;
constexpr int kBmpNewFolder = 140;

// Commands: File.
constexpr unsigned kCmdOpenDatabase = 40001;
constexpr unsigned kCmdExit = 40009;
constexpr unsigned kCmdBackupFolder = 40016;
constexpr unsigned kCmdNewDatabase = 40017;
constexpr unsigned kCmdNewList = 40039;
constexpr unsigned kCmdRenameList = 40040;
constexpr unsigned kCmdDeleteList = 40041;
constexpr unsigned kCmdExportList = 40042;
constexpr unsigned kCmdImportList = 40043;
constexpr unsigned kCmdDatabaseAttributes = 40057;
// Commands: Edit (and the notes popup).
constexpr unsigned kCmdCopy = 40023;
constexpr unsigned kCmdPaste = 40024;
constexpr unsigned kCmdCut = 40028;
constexpr unsigned kCmdUndo = 40031;
constexpr unsigned kCmdSelectAll = 40034;
constexpr unsigned kCmdClear = 40035;
constexpr unsigned kCmdInsertTimeDate = 40044;
// Commands: Options.
constexpr unsigned kCmdAbout = 40007;
constexpr unsigned kCmdSettings = 40008;
constexpr unsigned kCmdFontSize8 = 40045;   // 40045 + (points - 8), up to 16 points
constexpr unsigned kCmdFontSize16 = 40053;
constexpr unsigned kCmdSortAlphabetic = 40055;
constexpr unsigned kCmdSortChecked = 40056;
constexpr unsigned kCmdSortBoth = 40082;
constexpr unsigned kCmdSortNone = 40083;
constexpr unsigned kCmdCheckAll = 40058;
constexpr unsigned kCmdUncheckAll = 40059;
constexpr unsigned kCmdDeleteChecked = 40060;
constexpr unsigned kCmdSetAllShow = 40061;
constexpr unsigned kCmdSetAllHide = 40062;
constexpr unsigned kCmdHiliteHidden = 40063;
constexpr unsigned kCmdHideChecked = 40064;
constexpr unsigned kCmdExpandAll = 40065;
constexpr unsigned kCmdCollapseAll = 40066;
constexpr unsigned kCmdHideOnOff = 40067;
constexpr unsigned kCmdSetPasswordForList = 40085;
constexpr unsigned kCmdSetPasswordAlt = 40086;  // no menu item; same as "For List..."
constexpr unsigned kCmdCheckOutlineVisible = 40088;  // no menu item
// Commands: menu bar pictures.
constexpr unsigned kCmdNewItem = 40013;
constexpr unsigned kCmdNewSubItem = 40014;
constexpr unsigned kCmdItemNote = 40015;
constexpr unsigned kCmdFind = 40029;
constexpr unsigned kCmdEditBar = 40030;
// Commands: the item popup.
constexpr unsigned kCmdItemEdit = 40071;
constexpr unsigned kCmdItemDelete = 40072;
constexpr unsigned kCmdItemHideShow = 40073;
constexpr unsigned kCmdItemCreateTask = 40074;
constexpr unsigned kCmdItemCut = 40075;
constexpr unsigned kCmdItemCopy = 40076;
constexpr unsigned kCmdItemPaste = 40077;
constexpr unsigned kCmdItemNewSubitem = 40078;
constexpr unsigned kCmdItemDeleteNote = 40079;
constexpr unsigned kCmdItemDuplicate = 40080;
constexpr unsigned kCmdItemAddNote = 40084;

// Commands of the desktop keys that no menu item has.
constexpr unsigned kCmdFindNextKey = 40090;  // F3: the find bar's "Next"
constexpr unsigned kCmdMoveDownKey = 40091;  // Alt+Down, Alt+Up, Alt+Left, Alt+Right:
constexpr unsigned kCmdMoveUpKey = 40092;    //   the edit bar's four moves
constexpr unsigned kCmdMoveLeftKey = 40093;
constexpr unsigned kCmdMoveRightKey = 40094;
constexpr unsigned kCmdEditLabelKey = 40095;  // F2: edit the selected item's label

// Accelerator tables: keys anywhere in the main window, and keys that act on
// items while the outline has the focus (in a text field they edit text).
constexpr int kAccelMain = 200;
constexpr int kAccelOutline = 201;

// Controls shared by the dialogs.
constexpr int kIdOk = 1000;
constexpr int kIdCancel = 1016;
constexpr int kIdMessageText = 1017;  // message and information dialogs
// About.
constexpr int kIdAboutName = 1001;
constexpr int kIdAboutVersion = 1003;
constexpr int kIdAboutSeparator = 1056;
// Progress.
constexpr int kIdProgressBar = 1010;
constexpr int kIdProgressMain = 1011;
constexpr int kIdProgressSub = 1012;
// List name.
constexpr int kIdListNameEdit = 1119;
// Password.
constexpr int kIdPwdOldLabel = 1123;
constexpr int kIdPwdNewLabel = 1132;
constexpr int kIdPwdConfirmLabel = 1124;
constexpr int kIdPwdOld = 1125;
constexpr int kIdPwdNew = 1128;
constexpr int kIdPwdConfirm = 1126;
// Tip.
constexpr int kIdTipText = 1126;
// Colour picker. The 24 preset swatches are 1021..1044, row by row.
constexpr int kIdColourSlider = 1020;
constexpr int kIdColourPresetFirst = 1021;
constexpr int kIdColourPresetLast = 1044;
constexpr int kIdColourCurrent = 1045;  // the large swatch
constexpr int kIdColourMode = 1063;     // the picture that switches the entry mode
constexpr int kIdColourRed = 1064;
constexpr int kIdColourGreen = 1065;
constexpr int kIdColourBlue = 1066;
constexpr int kIdColourRedLabel = 1067;
constexpr int kIdColourGreenLabel = 1068;
constexpr int kIdColourBlueLabel = 1069;
// File chooser.
constexpr int kIdChooserTitle = 1055;
constexpr int kIdChooserTree = 1058;
constexpr int kIdChooserFolderSort = 1059;  // hidden, sorts folder names
constexpr int kIdChooserFileSort = 1060;    // hidden, sorts file names
constexpr int kIdChooserFileName = 1061;
constexpr int kIdChooserFileLabel = 1062;
constexpr int kIdChooserNewFolder = 1093;
// Import options.
constexpr int kIdImportNewList = 1122;
constexpr int kIdImportCurrentList = 1123;
// Settings pages. Each page is a dialog of its own, so the numbers repeat
// from page to page. The hidden frame markers only give the rectangles the
// pages draw their rounded frames around.
constexpr int kIdSetTitle = 1011;   // "Background" (Display), "List item colors" (Color)
constexpr int kIdSetFrame1 = 1092;
constexpr int kIdSetFrame2 = 1093;  // Display and Color
// Display.
constexpr int kIdDispImages = 1060;          // the image files of the program's folder
constexpr int kIdDispBackground = 1094;      // "Use solid color" / "Use bitmap image file"
constexpr int kIdDispColourLabel = 1095;     // "Background color:"
constexpr int kIdDispPreview = 1096;         // hidden: where the picture is previewed
constexpr int kIdDispBackup = 1097;          // "Backup database"
constexpr int kIdDispWarning = 1098;         // "Display delete warning message"
constexpr int kIdDispCompletion = 1099;      // "Show completion:"
constexpr int kIdDispCheckboxes = 1100;      // "Draw checkboxes"
constexpr int kIdDispAutoCheck = 1101;       // "Auto check"
constexpr int kIdDispClearType = 1102;       // "ClearType text"
constexpr int kIdDispRootBold = 1103;        // "Bold main items"
constexpr int kIdDispStrikeCheck = 1104;     // "Check items strikeout"
constexpr int kIdDispBackgroundColour = 1121;  // the swatch
// Color: swatches, the two font sizes, the level markers and the button icons.
constexpr int kIdColLevel0 = 1100;  // .. 1103 for levels 1 to 3
constexpr int kIdColNotesFontSize = 1104;
constexpr int kIdColLine = 1105;
constexpr int kIdColChecked = 1108;
constexpr int kIdColHidden = 1109;
constexpr int kIdColListName = 1110;
constexpr int kIdColNoteBackground = 1111;
constexpr int kIdColNoteText = 1112;
constexpr int kIdColNameFontSize = 1113;
constexpr int kIdColMarker0 = 1114;  // .. 1117, the "-" before each level
constexpr int kIdColButtonBox = 1118;
constexpr int kIdColButtonDiamond = 1119;
constexpr int kIdColLineTitle = 1012;
constexpr int kIdColButtonTitle = 1013;
constexpr int kIdColNotesTitle = 1017;
// Other.
constexpr int kIdOtherTimeStamp = 1105;
constexpr int kIdOtherKeyboardSip = 1130;

// Notice: its three paragraphs.
constexpr int kIdNoticeText1 = 1040;
constexpr int kIdNoticeText2 = 1041;
constexpr int kIdNoticeText3 = 1042;

}  // namespace res
