// DefDlgProcW's answers, the by-id helpers, binary templates and pages.
#include <cstring>

#include "dlg_fixture.h"
#include "platform/dialogs/dialog_binary.h"

using namespace dlgtest;

namespace {

HBRUSH gStaticBrush = nullptr;

INT_PTR CALLBACK answeringProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return TRUE;
        case WM_NOTIFY:
            if (((NMHDR*)lParam)->code == 7) {
                SetWindowLongW(hwnd, DWL_MSGRESULT, 42);
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC: return (INT_PTR)gStaticBrush;
        default: return FALSE;
    }
}

device::DialogTemplate smallDialog(DWORD style = WS_POPUP | WS_VISIBLE) {
    return device::DialogTemplate{
        (DWORD)(DS_SETFONT | style), 0, 0, 0, 100, 60, u"Small", u"Tahoma", 8,
        {{kEdit, u"", 100, WS_VISIBLE | WS_TABSTOP, 0, 5, 5, 60, 12},
         {kButton, u"Check", 101, WS_VISIBLE | WS_TABSTOP | kBsAutoCheckBox, 0, 5, 20, 60, 10},
         {kButton, u"A", 102, WS_VISIBLE | kBsAutoRadioButton | WS_GROUP, 0, 5, 32, 30, 10},
         {kButton, u"B", 103, WS_VISIBLE | kBsAutoRadioButton, 0, 40, 32, 30, 10},
         {kButton, u"C", 104, WS_VISIBLE | kBsAutoRadioButton, 0, 70, 32, 30, 10}}};
}

class Proc : public DialogTest {
protected:
    HWND open(DWORD style = WS_POPUP | WS_VISIBLE) {
        addTemplate(60, smallDialog(style));
        return CreateDialogParamW(nullptr, MAKEINTRESOURCEW(60), nullptr, answeringProc, 0);
    }
};

}  // namespace

TEST_F(Proc, NotifyAnswersComeFromDwlMsgresultAndColourAnswersDirectly) {
    HWND d = open();
    ASSERT_TRUE(d);
    NMHDR nm{GetDlgItem(d, 100), 100, 7};
    EXPECT_EQ(SendMessageW(d, WM_NOTIFY, 100, (LPARAM)&nm), 42);
    nm.code = 8;  // not handled: 0, whatever the last answer was
    EXPECT_EQ(SendMessageW(d, WM_NOTIFY, 100, (LPARAM)&nm), 0);

    HDC dc = GetDC(d);
    gStaticBrush = (HBRUSH)GetStockObject(GRAY_BRUSH);
    EXPECT_EQ(SendMessageW(d, WM_CTLCOLORSTATIC, (WPARAM)dc, 0), (LRESULT)gStaticBrush);
    gStaticBrush = nullptr;
    // Left to the default: the device's white.
    HBRUSH deflt = (HBRUSH)SendMessageW(d, WM_CTLCOLORSTATIC, (WPARAM)dc, 0);
    LOGBRUSH lb{};
    ASSERT_GT(GetObjectW(deflt, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
    HBRUSH dlgBrush = (HBRUSH)SendMessageW(d, WM_CTLCOLORDLG, (WPARAM)dc, 0);
    ASSERT_GT(GetObjectW(dlgBrush, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
    ReleaseDC(d, dc);
}

TEST_F(Proc, TheDialogBackgroundIsPaintedWhite) {
    HWND d = open();
    ASSERT_TRUE(d);
    device::runUntilIdle();
    RECT r;
    GetWindowRect(d, &r);
    const gdi::Surface& s = device::screenSurface();
    EXPECT_EQ(gdi::colorrefFromPixel(s.row(r.bottom - 3)[r.right - 3]), RGB(255, 255, 255));
}

TEST_F(Proc, TextsAndNumbersByControlId) {
    HWND d = open();
    ASSERT_TRUE(d);
    EXPECT_TRUE(SetDlgItemTextW(d, 100, u"Groceries"));
    char16_t buf[6];
    EXPECT_EQ(GetDlgItemTextW(d, 100, buf, 6), 5u);
    EXPECT_EQ(std::u16string(buf), u"Groce");
    EXPECT_FALSE(SetDlgItemTextW(d, 555, u"x"));
    EXPECT_EQ(GetDlgItemTextW(d, 555, buf, 6), 0u);
    EXPECT_EQ(buf[0], 0);

    BOOL ok = FALSE;
    SetDlgItemInt(d, 100, (UINT)-17, TRUE);
    EXPECT_EQ(textOf(GetDlgItem(d, 100)), u"-17");
    EXPECT_EQ((int)GetDlgItemInt(d, 100, &ok, TRUE), -17);
    EXPECT_TRUE(ok);
    EXPECT_EQ(GetDlgItemInt(d, 100, &ok, FALSE), 0u);  // a sign is no digit when unsigned
    EXPECT_FALSE(ok);
    SetDlgItemInt(d, 100, 4000000000u, FALSE);
    EXPECT_EQ(GetDlgItemInt(d, 100, &ok, FALSE), 4000000000u);
    EXPECT_TRUE(ok);
    EXPECT_EQ(GetDlgItemInt(d, 100, &ok, TRUE), 0u);  // beyond a signed value
    EXPECT_FALSE(ok);

    struct Case {
        const char16_t* text;
        bool ok;
        int value;
    } cases[] = {{u"  255", true, 255},      {u"12abc", true, 12},        {u"", false, 0},
                 {u"abc", false, 0},         {u"99999999999", false, 0}, {u"-2147483648", true, INT32_MIN},
                 {u"2147483648", false, 0}, {u"+7", true, 7}};
    for (const Case& c : cases) {
        SetDlgItemTextW(d, 100, c.text);
        ok = !c.ok;
        int v = (int)GetDlgItemInt(d, 100, &ok, TRUE);
        EXPECT_EQ(ok != FALSE, c.ok) << (const char*)std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)).c_str();
        EXPECT_EQ(v, c.value);
    }
    EXPECT_EQ(GetDlgItemInt(d, 555, nullptr, TRUE), 0u);
}

TEST_F(Proc, CheckMarksAndRadioGroupsByControlId) {
    HWND d = open();
    ASSERT_TRUE(d);
    EXPECT_TRUE(CheckDlgButton(d, 101, 1));
    EXPECT_EQ(IsDlgButtonChecked(d, 101), 1u);
    EXPECT_TRUE(CheckDlgButton(d, 101, 0));
    EXPECT_EQ(IsDlgButtonChecked(d, 101), 0u);
    EXPECT_FALSE(CheckDlgButton(d, 555, 1));
    EXPECT_EQ(IsDlgButtonChecked(d, 555), 0u);

    EXPECT_TRUE(CheckRadioButton(d, 102, 104, 103));
    EXPECT_EQ(IsDlgButtonChecked(d, 102), 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 103), 1u);
    EXPECT_EQ(IsDlgButtonChecked(d, 104), 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 101), 0u);  // outside the range: untouched
    CheckDlgButton(d, 101, 1);
    CheckRadioButton(d, 102, 104, 104);
    EXPECT_EQ(IsDlgButtonChecked(d, 101), 1u);
    EXPECT_EQ(IsDlgButtonChecked(d, 103), 0u);
    EXPECT_EQ(IsDlgButtonChecked(d, 104), 1u);
    EXPECT_EQ(SendDlgItemMessageW(d, 555, kBmGetCheck, 0, 0), 0);
}

namespace {

// A binary template writer for the tests: WORDs, strings, DWORD alignment.
struct Binary {
    std::vector<unsigned char> bytes;
    void raw(const void* p, size_t n) {
        auto* b = static_cast<const unsigned char*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
    void word(WORD w) { raw(&w, 2); }
    void str(const char16_t* s) {
        for (; *s; ++s) word((WORD)*s);
        word(0);
    }
    void align() {
        while (bytes.size() % 4) bytes.push_back(0);
    }
};

Binary binaryDialog() {
    Binary b;
    DLGTEMPLATE head{WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, 2, 4, 8, 100, 50};
    b.raw(&head, sizeof head);
    b.word(0);  // no menu
    b.word(0);  // the dialog class
    b.str(u"Binary");
    b.word(8);
    b.str(u"Tahoma");
    b.align();
    DLGITEMTEMPLATE edit{WS_VISIBLE | WS_TABSTOP, 0, 5, 5, 60, 12, 300};
    b.raw(&edit, sizeof edit);
    b.str(kEdit);
    b.str(u"typed");
    b.word(0);
    b.align();
    DLGITEMTEMPLATE button{WS_VISIBLE | WS_TABSTOP, 0, 5, 25, 40, 14, 0xFFFF};
    b.raw(&button, sizeof button);
    b.word(0xFFFF);
    b.word(0x0080);  // the predefined button class
    b.word(0xFFFF);
    b.word(125);     // a resource number as the title
    b.word(2);
    b.word(0xABCD);  // creation data is skipped
    return b;
}

}  // namespace

TEST_F(Proc, BinaryTemplatesMakeTheSameDialogs) {
    // The predefined atom 0x0080 is the class "button".
    WNDCLASSW wc{};
    GetClassInfoW(nullptr, kButton, &wc);
    wc.lpszClassName = u"button";
    ASSERT_NE(RegisterClassW(&wc), 0);
    Binary b = binaryDialog();
    HWND d = CreateDialogIndirectParamW(nullptr, (LPCDLGTEMPLATEW)b.bytes.data(), nullptr, answeringProc, 0);
    ASSERT_TRUE(d);
    EXPECT_EQ(textOf(d), u"Binary");
    EXPECT_EQ(textOf(GetDlgItem(d, 300)), u"typed");
    HWND button = GetDlgItem(d, -1);
    ASSERT_TRUE(button);
    char16_t cls[16];
    GetClassNameW(button, cls, 16);
    EXPECT_EQ(std::u16string(cls), u"button");
    EXPECT_TRUE(IsWindowVisible(d));

    dlg::ParsedDialogTemplate parsed;
    ASSERT_TRUE(dlg::parseDialogTemplate(b.bytes.data(), b.bytes.size(), parsed));
    EXPECT_EQ(parsed.t.pointSize, 8);
    EXPECT_EQ(parsed.t.items.size(), 2u);
    EXPECT_EQ(parsed.t.items[1].text, MAKEINTRESOURCEW(125));
    // Every shorter piece of it is refused, and so is the extended form.
    for (size_t n = 0; n < b.bytes.size(); ++n) EXPECT_FALSE(dlg::parseDialogTemplate(b.bytes.data(), n, parsed)) << n;
    std::vector<unsigned char> ex = b.bytes;
    const WORD sig[2] = {1, 0xFFFF};
    std::memcpy(ex.data(), sig, 4);
    EXPECT_FALSE(dlg::parseDialogTemplate(ex.data(), ex.size(), parsed));
    EXPECT_FALSE(dlg::parseDialogTemplate(nullptr, 100, parsed));
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, nullptr, nullptr, answeringProc, 0), -1);
}

TEST_F(Proc, APageIsAHiddenChildWhoseControlsJoinItsParentsTabOrder) {
    HWND sheet = open();
    ASSERT_TRUE(sheet);
    HWND focusBefore = GetFocus();
    device::DialogTemplate page{DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 30, 30, 80, 40, u"Page", u"Tahoma", 8,
                                {{kEdit, u"", 200, WS_VISIBLE | WS_TABSTOP, 0, 5, 5, 60, 12}}};
    HWND p = device::createDialogFromTemplate(page, nullptr, sheet, answeringProc, 0, device::kDialogAsChild);
    ASSERT_TRUE(p);
    EXPECT_EQ(GetParent(p), sheet);
    EXPECT_FALSE(IsWindowVisible(p));
    EXPECT_EQ(GetFocus(), focusBefore);
    DWORD style = (DWORD)GetWindowLongW(p, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    RECT r = rectInParent(p);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(GetNextDlgTabItem(sheet, GetDlgItem(sheet, 101), FALSE), GetDlgItem(sheet, 100));  // hidden page: skipped
    ShowWindow(p, SW_SHOW);
    EXPECT_EQ(GetNextDlgTabItem(sheet, GetDlgItem(sheet, 101), FALSE), GetDlgItem(p, 200));
    EXPECT_EQ(GetNextDlgTabItem(sheet, GetDlgItem(p, 200), FALSE), GetDlgItem(sheet, 100));
    EXPECT_TRUE(device::isDialogWindow(p));
    EXPECT_FALSE(device::createDialogFromTemplate(page, nullptr, nullptr, answeringProc, 0, device::kDialogAsChild));
}

TEST_F(Proc, DestroyingADialogReleasesItsRecordAndFont) {
    HWND d = open();
    ASSERT_TRUE(d);
    HFONT font = (HFONT)SendMessageW(d, WM_GETFONT, 0, 0);
    ASSERT_TRUE(font);
    DestroyWindow(d);
    EXPECT_FALSE(device::isDialogWindow(d));
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(device::dialogBaseUnits(d).cx, 0);
}

TEST_F(Proc, ARecordGoesEvenWhenTheProcedureClaimsTheLastMessage) {
    addTemplate(60, smallDialog());
    struct Local {
        static INT_PTR CALLBACK claimsAll(HWND, UINT msg, WPARAM, LPARAM) { return msg != WM_ERASEBKGND; }
    };
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(60), nullptr, Local::claimsAll, 0);
    ASSERT_TRUE(d);
    HFONT font = (HFONT)SendMessageW(d, WM_GETFONT, 0, 0);
    EXPECT_EQ(font, nullptr);  // claimed: the procedure's answer, DWL_MSGRESULT 0
    EXPECT_TRUE(device::isDialogWindow(d));
    DestroyWindow(d);
    EXPECT_FALSE(device::isDialogWindow(d));
}
