// The host tests' small program.
#include "test_program.h"

#include "commctrl.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/host/script.h"
#include "platform/system/resource_table.h"

namespace hosttest {
namespace {

std::string narrow(const std::u16string& s) { return device::utf16ToUtf8(s); }

void log(const std::string& line) { programLog().push_back(line); }

const device::MenuTemplate& mainMenu() {
    static const device::MenuTemplate m{{
        {0, u"&File", MF_POPUP, {
            {kCmdNewList, u"&New List..."},
            {kCmdOpen, u"&Open", MF_GRAYED},
            {0, nullptr, MF_SEPARATOR},
        }},
        {0, u"&Options", MF_POPUP, {
            {0, u"&Sort", MF_POPUP, {
                {kCmdByName, u"By &Name"},
                {kCmdByDate, u"By &Date", MF_CHECKED},
            }},
            {kCmdBeep, u"&Beep"},
        }},
    }};
    return m;
}

const device::MenuBarTemplate& mainBar() {
    static const device::MenuBarTemplate b{300, {
        {device::MenuBarButton::kMenu, 40002, u"&File", 0},
        {device::MenuBarButton::kMenu, 40003, u"&Options", 1},
        {device::MenuBarButton::kSeparator},
        {device::MenuBarButton::kPicture, kCmdNewItem, nullptr, 0, 0, TBSTATE_ENABLED},
        {device::MenuBarButton::kPicture, kCmdFind, nullptr, 0, 1, 0},
    }};
    return b;
}

// Two 16 x 16 pictures side by side, 24-bit.
const std::vector<unsigned char>& barBitmap() {
    static const std::vector<unsigned char> bmp = [] {
        const int w = 32, h = 16, rowBytes = w * 3;
        std::vector<unsigned char> b(54 + rowBytes * h, 0x80);
        auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) b[at + (size_t)i] = (unsigned char)(v >> (8 * i));
        };
        b[0] = 'B';
        b[1] = 'M';
        put32(2, (uint32_t)b.size());
        put32(6, 0);
        put32(10, 54);
        put32(14, 40);
        put32(18, w);
        put32(22, h);
        b[26] = 1;
        b[27] = 0;
        b[28] = 24;
        b[29] = 0;
        for (size_t i = 30; i < 54; ++i) b[i] = 0;
        return b;
    }();
    return bmp;
}

const device::DialogTemplate& askDialog() {
    static const device::DialogTemplate d{
        DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_CENTER, 0, 0, 0, 110, 60,
        u"Question", u"Tahoma", 8,
        {{u"static", u"Keep going?", 1100, WS_VISIBLE, 0, 7, 7, 96, 10},
         {u"edit", u"", 1101, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 7, 19, 96, 12},
         {u"tbutton", u"OK", IDOK, WS_VISIBLE | WS_TABSTOP, 0, 7, 36, 45, 14},
         {u"tbutton", u"Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 58, 36, 45, 14}}};
    return d;
}

// A dialog with one of every control the program's dialogs are made of.
const device::DialogTemplate& controlsDialog() {
    constexpr DWORD kChild = WS_VISIBLE | WS_TABSTOP;
    static const device::DialogTemplate d{
        DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_CENTER, 0, 0, 0, 158, 142,
        u"Controls", u"Tahoma", 8,
        {{u"static", u"Name:", 1200, WS_VISIBLE | SS_LEFT, 0, 3, 4, 24, 9},
         {u"edit", u"", kCtlName, kChild | WS_BORDER | ES_AUTOHSCROLL, 0, 28, 2, 70, 11},
         {u"edit", u"", kCtlSecret, kChild | WS_BORDER | ES_PASSWORD | ES_AUTOHSCROLL, 0, 101, 2, 54, 11},
         {u"edit", u"A longer note that wraps over the lines of the box", kCtlNote,
          kChild | WS_BORDER | WS_VSCROLL | ES_MULTILINE, 0, 3, 16, 95, 24},
         {u"listbox", u"", kCtlList, kChild | WS_BORDER | WS_VSCROLL | LBS_SORT | LBS_NOTIFY, 0, 101, 16, 54, 36},
         {u"button", u"Checked", kCtlCheck, kChild | BS_AUTOCHECKBOX, 0, 3, 43, 50, 9},
         {u"button", u"Small", kCtlSmall, kChild | WS_GROUP | BS_AUTORADIOBUTTON, 0, 3, 54, 36, 9},
         {u"button", u"Large", kCtlLarge, kChild | BS_AUTORADIOBUTTON, 0, 45, 54, 36, 9},
         {u"combobox", u"", kCtlCombo, kChild | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0, 101, 54, 54, 50},
         {u"msctls_trackbar32", u"", kCtlTrack, kChild, 0, 3, 66, 95, 14},
         {u"msctls_progress32", u"", kCtlProgress, WS_VISIBLE | WS_BORDER, 0, 101, 69, 54, 8},
         {u"button", u"Folders", 1211, WS_VISIBLE | BS_GROUPBOX, 0, 3, 82, 152, 40},
         {u"SysTreeView32", u"", kCtlTree, kChild | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 7,
          92, 144, 27},
         {u"button", u"OK", IDOK, kChild | BS_DEFPUSHBUTTON, 0, 28, 125, 45, 13},
         {u"button", u"Cancel", IDCANCEL, kChild | BS_PUSHBUTTON, 0, 85, 125, 45, 13}}};
    return d;
}

// A push button of the test program's own, so the host's tests do not wait
// for the button control: it draws its text and reports a tap as BN_CLICKED.
LRESULT CALLBACK buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
            FrameRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
            WCHAR text[64] = {};
            GetWindowTextW(hwnd, text, 64);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, IsWindowEnabled(hwnd) ? RGB(0, 0, 0) : RGB(128, 128, 128));
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(dc, old);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN: SetCapture(hwnd); return 0;
        case WM_LBUTTONUP: {
            if (GetCapture() != hwnd) return 0;
            ReleaseCapture();
            RECT r;
            GetClientRect(hwnd, &r);
            POINT p{(SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam)};
            if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) {
                int id = GetDlgCtrlID(hwnd);
                SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, 0), (LPARAM)hwnd);
            }
            return 0;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// Until the static control is part of the platform, a plain text of the
// test program's own stands in under the same class name.
LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    WCHAR text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
    return 0;
}

INT_PTR CALLBACK askProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

std::string textOf(HWND control, UINT getLen, UINT getText, WPARAM index) {
    LRESULT n = SendMessageW(control, getLen, index, 0);
    if (n < 0) return "";
    std::u16string t((size_t)n + 1, 0);
    SendMessageW(control, getText, index, (LPARAM)t.data());
    t.resize((size_t)n);
    return narrow(t);
}

void fillControls(HWND dlg) {
    for (const char16_t* s : {u"Work", u"home", u"Errands", u"Garden", u"Books", u"Car"})
        SendDlgItemMessageW(dlg, kCtlList, LB_ADDSTRING, 0, (LPARAM)s);
    for (const char16_t* s : {u"Weekly", u"Daily", u"Monthly"})
        SendDlgItemMessageW(dlg, kCtlCombo, CB_ADDSTRING, 0, (LPARAM)s);
    SendDlgItemMessageW(dlg, kCtlCombo, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(dlg, kCtlTrack, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendDlgItemMessageW(dlg, kCtlProgress, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
    CheckDlgButton(dlg, kCtlSmall, BST_CHECKED);
    HWND tree = GetDlgItem(dlg, kCtlTree);
    TVINSERTSTRUCTW ins{};
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<LPWSTR>(u"My Documents");
    HTREEITEM docs = (HTREEITEM)SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
    ins.hParent = docs;
    ins.item.pszText = const_cast<LPWSTR>(u"Lists");
    SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)docs);
}

INT_PTR CALLBACK controlsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: fillControls(dlg); return TRUE;
        case WM_HSCROLL: {
            if ((HWND)lParam != GetDlgItem(dlg, kCtlTrack) || LOWORD(wParam) != TB_ENDTRACK) return FALSE;
            LRESULT pos = SendMessageW((HWND)lParam, TBM_GETPOS, 0, 0);
            SendDlgItemMessageW(dlg, kCtlProgress, PBM_SETPOS, (WPARAM)pos, 0);
            log("controls track " + std::to_string((long long)pos));
            return TRUE;
        }
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            HWND control = (HWND)lParam;
            if (id == IDOK || id == IDCANCEL) {
                WCHAR name[64] = {};
                GetDlgItemTextW(dlg, kCtlName, name, 64);
                log("controls name " + narrow(name));
                EndDialog(dlg, id);
            } else if (id == kCtlList && code == LBN_SELCHANGE) {
                log("controls list " + textOf(control, LB_GETTEXTLEN, LB_GETTEXT, (WPARAM)SendMessageW(control, LB_GETCURSEL, 0, 0)));
            } else if (id == kCtlCombo && code == CBN_SELCHANGE) {
                log("controls combo " +
                    textOf(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, (WPARAM)SendMessageW(control, CB_GETCURSEL, 0, 0)));
            } else if (code == BN_CLICKED && (id == kCtlCheck || id == kCtlSmall || id == kCtlLarge)) {
                log("controls click " + std::to_string(id) + " " + std::to_string(IsDlgButtonChecked(dlg, id)));
            }
            return TRUE;
        }
        default: return FALSE;
    }
}

HWND makeButton(HWND parent, const char16_t* text, int id, int x, int y, DWORD extra = 0) {
    return CreateWindowExW(0, u"tbutton", text, WS_CHILD | WS_VISIBLE | extra, x, y, 70, 22, parent,
                           (HMENU)(intptr_t)id, nullptr, nullptr);
}

void fillTree(HWND tree) {
    auto add = [&](HTREEITEM parent, const char16_t* text, LPARAM param) {
        TVINSERTSTRUCTW ins{};
        ins.hParent = parent;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        ins.item.pszText = const_cast<LPWSTR>(text);
        ins.item.lParam = param;
        return (HTREEITEM)SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
    };
    HTREEITEM groceries = add(TVI_ROOT, u"Groceries", 1);
    add(groceries, u"Milk", 2);
    add(groceries, u"Bread", 3);
    HTREEITEM chores = add(TVI_ROOT, u"Chores", 4);
    for (int i = 0; i < 20; ++i) {
        std::u16string t = u"Chore " + std::u16string(1, (char16_t)(u'A' + i));
        add(chores, t.c_str(), 10 + i);
    }
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)chores);
}

void onCommand(HWND hwnd, int id) {
    log("command " + std::to_string(id));
    if (id == kAsk || id == kCmdNewList) {
        INT_PTR r = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(310), hwnd, askProc, 0);
        log("dialog " + std::to_string((long long)r));
    } else if (id == kControls) {
        INT_PTR r = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(311), hwnd, controlsProc, 0);
        log("controls " + std::to_string((long long)r));
    } else if (id == kWarn) {
        int r = MessageBoxW(hwnd, u"Delete everything?", u"Warning", MB_YESNO | MB_ICONWARNING);
        log("box " + std::to_string(r));
    }
}

LRESULT onNotify(const NMHDR* nm) {
    if (nm->code == TVN_SELCHANGEDW) {
        const NMTREEVIEWW* tv = (const NMTREEVIEWW*)nm;
        WCHAR text[64] = {};
        TVITEMW it{};
        it.mask = TVIF_TEXT;
        it.hItem = tv->itemNew.hItem;
        it.pszText = text;
        it.cchTextMax = 64;
        SendMessageW(nm->hwndFrom, TVM_GETITEMW, 0, (LPARAM)&it);
        log("tree select " + narrow(text));
    } else if (nm->code == NM_DBLCLK) {
        log("tree dblclk");
    } else if (nm->code == GN_CONTEXTMENU) {
        log("tree hold");
    }
    return 0;
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: {
            makeButton(hwnd, u"Ask", kAsk, 5, 5);
            makeButton(hwnd, u"Warn", kWarn, 80, 5);
            makeButton(hwnd, u"Locked", kLocked, 155, 5, WS_DISABLED);
            HWND secret = makeButton(hwnd, u"Secret", kSecret, 5, 30);
            ShowWindow(secret, SW_HIDE);
            makeButton(hwnd, u"Controls", kControls, 80, 30);
            CreateWindowExW(0, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                            TVS_LINESATROOT | TVS_CHECKBOXES, 5, 60, 230, 200, hwnd, (HMENU)(intptr_t)kTree, nullptr, nullptr);
            fillTree(GetDlgItem(hwnd, kTree));
            SetTimer(hwnd, kTimerId, kTimerMs, nullptr);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kTimerId) {
                KillTimer(hwnd, kTimerId);
                log("timer");
            }
            return 0;
        case WM_COMMAND: onCommand(hwnd, LOWORD(wParam)); return 0;
        case WM_NOTIFY: return onNotify((const NMHDR*)lParam);
        case WM_KEYDOWN: log("key " + std::to_string((int)wParam)); return 0;
        case WM_CHAR: log("char " + narrow(std::u16string(1, (char16_t)wParam))); return 0;
        case WM_CLOSE: log("close"); DestroyWindow(hwnd); return 0;
        case WM_DESTROY: PostQuitMessage(kExitCode); return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void registerClasses(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = buttonProc;
    wc.hInstance = instance;
    wc.lpszClassName = u"tbutton";
    RegisterClassW(&wc);
    WNDCLASSW existing{};
    if (!GetClassInfoW(nullptr, u"static", &existing)) {
        wc.lpfnWndProc = staticProc;
        wc.lpszClassName = u"static";
        RegisterClassW(&wc);
    }
    wc.lpfnWndProc = mainProc;
    wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
    wc.lpszClassName = u"HostTest";
    RegisterClassW(&wc);
}

}  // namespace

std::vector<std::string>& programLog() {
    static std::vector<std::string> lines;
    return lines;
}

std::u16string& programCommandLine() {
    static std::u16string line;
    return line;
}

int WINAPI testWinMain(HINSTANCE instance, HINSTANCE, LPWSTR cmdLine, int show) {
    programLog().clear();
    programCommandLine() = cmdLine ? cmdLine : u"";
    device::resourceRegister(device::kResMenu, 300, &mainMenu(), 0);
    device::resourceRegister(device::kResMenuBar, 301, &mainBar(), 0);
    device::resourceRegister(device::kResBitmap, 303, barBitmap().data(), barBitmap().size());
    device::resourceRegister(device::kResDialog, 310, &askDialog(), 0);
    device::resourceRegister(device::kResDialog, 311, &controlsDialog(), 0);
    registerClasses(instance);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND main = CreateWindowExW(0, u"HostTest", u"Host Test", WS_VISIBLE, work.left, work.top, work.right - work.left,
                                work.bottom - work.top - GetSystemMetrics(SM_CYMENU), nullptr, nullptr, instance, nullptr);
    if (!main) return 16;
    SHMENUBARINFO mb{};
    mb.cbSize = sizeof mb;
    mb.hwndParent = main;
    mb.nToolBarId = 301;
    mb.hInstRes = instance;
    mb.nBmpId = 303;
    mb.cBmpImages = 2;
    if (!SHCreateMenuBar(&mb)) return 16;
    const char16_t* tips[] = {u"", u"", u"New Item", u"Find"};
    SendMessageW(mb.hwndMB, TB_SETTOOLTIPS, 4, (LPARAM)tips);
    ShowWindow(main, show);
    UpdateWindow(main);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return (int)m.wParam;
}

}  // namespace hosttest
