// WinMain and the building of the main window: window classes, screen
// metrics, settings, drawing resources, fonts and child windows, in the
// order each step needs the one before. The database is opened by
// startup_database.cpp.
#include "shell/startup.h"

#include <vector>

#include "aygshell.h"
#include "common/app_font.h"
#include "common/trim_spaces.h"
#include "dialogs/message_box.h"
#include "outline/bulk_commands.h"
#include "outline/find.h"
#include "outline/item_draw.h"
#include "outline/notes.h"
#include "outline/outline_paint.h"
#include "outline/tree_input.h"
#include "outline/tree_load.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/desktop_keys.h"
#include "shell/layout.h"
#include "shell/main_window.h"
#include "shell/shell_install.h"
#include "shell/shell_state.h"
#include "shell/startup_database.h"
#include "state/app_state.h"
#include "state/settings_load.h"
#include "storage/settings.h"
#include "wcrt.h"

namespace {

// Style words of the child windows, as the controls are made.
constexpr DWORD kListComboStyle = 0x40200103;  // WS_CHILD WS_VSCROLL CBS_SORT CBS_DROPDOWNLIST
constexpr DWORD kListNameStyle = 0x4000008c;   // WS_CHILD SS_NOPREFIX SS_LEFTNOWORDWRAP
constexpr DWORD kOutlineStyle = 0x4001010f;    // WS_CHILD WS_TABSTOP, buttons, lines, edit labels, check boxes
constexpr DWORD kOutlineTreeStyle = 0x12f;     // the same tree bits with TVS_SHOWSELALWAYS
constexpr DWORD kNotesStyle = 0x40a00004;      // WS_CHILD WS_BORDER WS_VSCROLL ES_MULTILINE
constexpr DWORD kFindBarStyle = 0x48800000;    // WS_CHILD WS_DISABLED WS_BORDER
constexpr COLORREF kFindBarColour = 0xFFBB2D;
constexpr int kNoteTextLimit = 999;

void setInitialState(HINSTANCE instance) {
    hInstance = instance;
    bNoLists = 0;
    intPressedEditButton = -1;
    bOrderDirty = 0;
    longClipboardID = 0;
    bListLocked = 0;
    shellActivateInfo = SHACTIVATEINFO{};
    shellActivateInfo.cbSize = 12;
    bNoDatabase = 1;
    bStarting = 1;
}

void readScreenMetrics() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    intWorkWidth = work.right - work.left;
    intWorkHeight = work.bottom - work.top - GetSystemMetrics(SM_CYMENU);
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    bHiRes = dpiX >= 130 ? 1 : 0;
    intScale = bHiRes ? 2 : 1;
    intUnit = bHiRes ? 4 : 2;
    intMenuHeight = GetSystemMetrics(SM_CYMENU);
}

int deviceHasKeyboard() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\Microsoft\\Shell", 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD value = 0, type = 0, size = sizeof value;
    LONG r = RegQueryValueExW(key, u"HasKeyboard", nullptr, &type, (BYTE*)&value, &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 1;
}

// Import and export keep their last folders under this key.
void createProgramRegistryKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, nullptr, 0, 0, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

int windowHeight(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc.bottom - rc.top;
}

HWND createChild(LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExW(0, cls, text, style, x, y, w, h, hwndMain, (HMENU)(INT_PTR)id, hInstance, nullptr);
}

// The list combo box and the list-name bar in front of it share the top band.
// The edit bar is as tall as the combo box with the system's font.
void createListBar() {
    hwndListCombo =
        createChild(u"combobox", u"", kListComboStyle, 0, 0, intWorkWidth, intWorkHeight / 2, ID_LIST_COMBO);
    intListBarHeight = windowHeight(hwndListCombo);
    SendMessageW(hwndListCombo, WM_SETFONT, (WPARAM)hfontListName, FALSE);
    ShowWindow(hwndListCombo, SW_HIDE);
    hwndListName = createChild(u"static", u"", kListNameStyle, 0, 0, 0, 0, ID_LIST_NAME);
    layoutListBar();
}

void createPanes() {
    int y = intListBarBottom + 1 + (bEditBarVisible ? intListBarHeight : 0);
    intTreeTop = y;
    hwndMainTV = createChild(u"SysTreeView32", u"TreeView", kOutlineStyle, 0, y, intWorkWidth,
                             intWorkHeight - intSplitterHeight - y, ID_OUTLINE);
    hwndSplitter = CreateWindowExW(0, SPLITTER_CLASS, u"", WS_CHILD | WS_BORDER, -5, intSplitterTop, intWorkWidth + 10,
                                   intSplitterHeight, hwndMain, nullptr, hInstance, nullptr);
    SetWindowPos(hwndSplitter, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwndSplitter, SW_HIDE);
    int notesTop = intSplitterTop + intSplitterHeight;
    hwndNotes = createChild(u"edit", nullptr, kNotesStyle, 0, notesTop, intWorkWidth,
                            intWorkHeight > notesTop ? intWorkHeight - notesTop : 0, ID_NOTES);
    SendMessageW(hwndNotes, EM_LIMITTEXT, kNoteTextLimit, 0);
    hwndFind = CreateWindowExW(0, FIND_BAR_CLASS, u"", kFindBarStyle, 0, 0, intWorkWidth, FIND_BAR_HEIGHT, hwndMain,
                               nullptr, hInstance, nullptr);
    ShowWindow(hwndFind, SW_HIDE);
}

void giveFontsToControls() {
    SendMessageW(hwndMainTV, WM_SETFONT, (WPARAM)hfontTree, FALSE);
    createStateImageList(hwndMainTV, intTreeFontHeight);
    SendMessageW(hwndNotes, WM_SETFONT, (WPARAM)hfontNotes, FALSE);
    SendMessageW(hwndListName, WM_SETFONT, (WPARAM)hfontListName, FALSE);
    SendMessageW(hwndListCombo, WM_SETFONT, (WPARAM)hfontListName, FALSE);
    WORD margin = (WORD)(2 * intUnit);
    SendMessageW(hwndNotes, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(margin, margin));
}

// The tree bits of the outline's style are replaced; the window bits
// (child, tab stop, visibility) stay as they are.
void setOutlineStyle() {
    LONG_PTR style = GetWindowLongW(hwndMainTV, GWL_STYLE);
    SetWindowLongW(hwndMainTV, GWL_STYLE, (style & ~(LONG_PTR)0xFFFF) | kOutlineTreeStyle);
}

void subclassControls() {
    subclassNotesPane(hwndNotes);
    installOutlineProc(hwndMainTV);
    listNameBarProc = (WNDPROC)SetWindowLongW(hwndListName, GWL_WNDPROC, (LONG_PTR)listNameBarWndProc);
}

void setHiddenMenuMarks() {
    checkOptionsMenuItem(res::kCmdHideChecked, attrCurrentList.bHideChecked == 1);
    moveOptionsMenuItem(res::kOptionsPosHidden, res::kCmdHideOnOff,
                      attrCurrentList.bShowHiddenItems == 1 ? u"Hide Off" : u"Hide On");
}

}  // namespace

void parseCommandLine(LPCWSTR cmdLine, WCHAR* out, int capacity) {
    if (capacity <= 0) return;
    out[0] = 0;
    if (!cmdLine) return;
    size_t length = wcslen(cmdLine);
    if (length < 6) return;
    // The path ends one character before the end: the closing quote.
    const WCHAR* ending = cmdLine + length - 5;
    if (!(ending[0] == u'.' && ending[1] == u'q' && ending[2] == u'u' && ending[3] == u'2')) return;
    std::vector<WCHAR> path(cmdLine, cmdLine + length + 1);
    if (path[length - 1] == u'"') path[length - 1] = 0;
    if (path[0] == u'"') path[0] = u' ';
    trimSpaces(path.data());
    // A path that does not fit is refused rather than cut: a shortened path
    // names a different file.
    if (wcslen(path.data()) >= (size_t)capacity) return;
    wcscpy(out, path.data());
}

void createFonts() {
    createOutlineFonts(intFontSizeTV);
    for (HFONT* font : {&hfontNotes, &hfontListName}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
    hfontNotes = createAppFont(intFontSizeNotes, 400, 0, bClearType);
    hfontListName = createAppFont(intFontSizeName, 700, 0, bClearType);
}

int registerWindowClasses(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.hInstance = instance;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = mainWndProc;
    wc.lpszClassName = MAIN_WINDOW_CLASS;
    if (!RegisterClassW(&wc)) return 1;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = splitterWndProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_SCROLLBAR);
    wc.lpszClassName = SPLITTER_CLASS;
    if (!RegisterClassW(&wc)) return 1;
    wc.lpfnWndProc = findBarWndProc;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = FIND_BAR_CLASS;
    if (!RegisterClassW(&wc)) return 1;
    return 0;
}

HWND initInstance(HINSTANCE instance, LPWSTR cmdLine, int show) {
    installShellCalls();
    hInstance = instance;
    // One copy at a time: a second start brings the first to the front.
    if (HWND running = FindWindowW(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE)) {
        SetForegroundWindow((HWND)((UINT_PTR)running | 1));
        return nullptr;
    }
    setInitialState(instance);
    readScreenMetrics();
    bHasKeyboard = deviceHasKeyboard();
    HWND hwnd = CreateWindowExW(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                intWorkWidth, intWorkHeight, nullptr, nullptr, instance, nullptr);
    if (!IsWindow(hwnd)) return nullptr;
    intSplitterHeight = 3 * intUnit;
    // Before loadSettings, which creates the file: its absence marks the first run.
    int settingsExisted = settingsFileExists();
    loadSettings();
    createBackBuffers(hwnd);
    loadButtonPictures(1);
    hbrBackground = CreateSolidBrush(attrCurrentList.crBackground);
    hbrNoteBackground = CreateSolidBrush(attrCurrentList.crNoteBackground);
    hbrFindBar = CreateSolidBrush(kFindBarColour);
    loadPaintBitmaps();
    createProgramRegistryKey();
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    hwndMain = hwnd;

    hfontTree = hfontTreeBold = hfontTreeStrike = hfontTreeBoldStrike = hfontNotes = hfontListName = nullptr;
    createFonts();
    createListBar();
    createPanes();
    markFontSizeItem(intFontSizeTV);
    makeItemPictures(intTreeFontHeight);
    giveFontsToControls();
    setOutlineStyle();
    subclassControls();
    layoutPanes();

    intListIndex = 0;
    strOrderClause[0] = 0;
    strFilterClause[0] = 0;
    strBackgroundImage[0] = 0;
    openDatabaseAtStart(settingsExisted);

    if (SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0) > 0) {
        for (HWND w : {hwndMainTV, hwndNotes, hwndSplitter}) ShowWindow(w, SW_SHOW);
    }
    setHiddenMenuMarks();
    if (intListCount == 0) bNoLists = 1;
    ShowWindow(hwndListName, SW_SHOW);
    bStarting = 0;
    InvalidateRect(hwndMain, nullptr, TRUE);
    InvalidateRect(hwndListName, nullptr, TRUE);
    SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    if (IsWindowVisible(hwndMainTV)) {
        SetFocus(hwndMainTV);
        SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    }
    return hwndMain;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR cmdLine, int show) {
    parseCommandLine(cmdLine, strCurrentDbFile, CURRENT_DB_FILE_CHARS);
    registerProgramResources();
    installMessageDialog();
    if (registerWindowClasses(instance)) return 1;
    if (!initInstance(instance, cmdLine, show)) return 16;
    loadDesktopKeys();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (translateDesktopKeys(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
