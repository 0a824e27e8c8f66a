// Dialog units and where a template's dialog and controls land.
#include "dlg_fixture.h"

using namespace dlgtest;

namespace {

INT_PTR CALLBACK plainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

device::DialogTemplate threeControls(DWORD style) {
    return device::DialogTemplate{
        (DWORD)(style | DS_SETFONT), 0, 10, 20, 120, 80, u"Three", u"Tahoma", 8,
        {{kLabel, u"Name:", 1001, WS_VISIBLE, 0, 7, 9, 40, 8},
         {kEdit, u"Milk", 1002, WS_VISIBLE | WS_TABSTOP | WS_BORDER, WS_EX_CLIENTEDGE, 50, 7, 60, 12},
         {kButton, u"OK", IDOK, WS_VISIBLE | WS_TABSTOP | kBsDefPushButton, 0, 35, 60, 50, 14}}};
}

class Layout : public DialogTest {};

}  // namespace

TEST_F(Layout, TheGuiFontGivesAboutSixByThirteenPixelUnitsAndTwiceThatOnTheHighResolutionScreen) {
    SIZE low = device::fontBaseUnits((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_GE(low.cx, 5);
    EXPECT_LE(low.cx, 7);
    EXPECT_GE(low.cy, 12);
    EXPECT_LE(low.cy, 14);
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(low.cx, low.cy));

    device::screenConfigure(true);
    addTemplate(7, threeControls(WS_POPUP));
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(7), nullptr, plainProc, 0);
    ASSERT_TRUE(d);
    SIZE high = device::dialogBaseUnits(d);
    EXPECT_GE(high.cx, 2 * low.cx - 1);
    EXPECT_LE(high.cx, 2 * low.cx + 1);
    EXPECT_GE(high.cy, 2 * low.cy - 2);
    EXPECT_LE(high.cy, 2 * low.cy + 2);
    DestroyWindow(d);
    device::windowSystemReset();
    device::screenConfigure(false);
}

TEST_F(Layout, MsSansSerifUnitsAreTwiceAsLargeOnTheHighResolutionScreen) {
    // A face of pixel strikes only: the dense screen draws it with the
    // dialog face at twice the size, so dialogs keep their share of the screen.
    device::DialogTemplate t = threeControls(WS_POPUP);
    t.fontFace = u"MS Sans Serif";
    SIZE units[2];
    for (bool hires : {false, true}) {
        device::screenConfigure(hires);
        addTemplate(8, t);
        HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(8), nullptr, plainProc, 0);
        ASSERT_TRUE(d);
        units[hires] = device::dialogBaseUnits(d);
        DestroyWindow(d);
    }
    device::screenConfigure(false);
    EXPECT_NEAR(units[1].cx, 2 * units[0].cx, 1);
    EXPECT_NEAR(units[1].cy, 2 * units[0].cy, 2);
}

TEST_F(Layout, ControlsLandAtTheirDialogUnitsWithTheirIdsTextsAndStyles) {
    addTemplate(7, threeControls(WS_POPUP | WS_VISIBLE));
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(7), nullptr, plainProc, 0);
    ASSERT_TRUE(d);
    SIZE b = device::dialogBaseUnits(d);
    ASSERT_GT(b.cx, 0);
    auto px = [&](int x, int y, int cx, int cy) {
        return RECT{MulDiv(x, b.cx, 4), MulDiv(y, b.cy, 8), MulDiv(x, b.cx, 4) + MulDiv(cx, b.cx, 4),
                    MulDiv(y, b.cy, 8) + MulDiv(cy, b.cy, 8)};
    };
    HWND edit = GetDlgItem(d, 1002);
    ASSERT_TRUE(edit);
    RECT want = px(50, 7, 60, 12), got = rectInParent(edit);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
    EXPECT_EQ(textOf(edit), u"Milk");
    EXPECT_EQ(GetDlgCtrlID(edit), 1002);
    DWORD style = (DWORD)GetWindowLongW(edit, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    char16_t cls[32];
    GetClassNameW(d, cls, 32);
    EXPECT_EQ(std::u16string(cls), u"#32770");
    EXPECT_EQ(textOf(d), u"Three");

    // The template's size is the client area's.
    RECT client;
    GetClientRect(d, &client);
    EXPECT_EQ(client.right, MulDiv(120, b.cx, 4));
    EXPECT_EQ(client.bottom, MulDiv(80, b.cy, 8));

    // MapDialogRect uses the same units.
    RECT r{50, 7, 110, 19};
    ASSERT_TRUE(MapDialogRect(d, &r));
    EXPECT_EQ(r.left, want.left);
    EXPECT_EQ(r.bottom, want.bottom);
    HWND notADialog = CreateWindowExW(0, u"towner", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(MapDialogRect(notADialog, &r));
    EXPECT_FALSE(MapDialogRect(d, nullptr));
}

TEST_F(Layout, TheTemplateOrderIsTheChildOrderAndEveryControlGetsTheDialogFont) {
    addTemplate(7, threeControls(WS_POPUP));
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(7), nullptr, plainProc, 0);
    ASSERT_TRUE(d);
    HWND c = GetWindow(d, GW_CHILD);
    EXPECT_EQ(GetDlgCtrlID(c), 1001);
    c = GetWindow(c, GW_HWNDNEXT);
    EXPECT_EQ(GetDlgCtrlID(c), 1002);
    c = GetWindow(c, GW_HWNDNEXT);
    EXPECT_EQ(GetDlgCtrlID(c), IDOK);
    EXPECT_FALSE(GetWindow(c, GW_HWNDNEXT));

    std::vector<std::string> want = {"ctl 1001 WM_CREATE", "ctl 1001 WM_SETFONT", "ctl 1002 WM_CREATE",
                                     "ctl 1002 WM_SETFONT", "ctl 1 WM_CREATE",    "ctl 1 WM_SETFONT"};
    std::vector<std::string> got;
    for (const std::string& l : takeLog())
        if (l.find("WM_CREATE") != std::string::npos || l.find("WM_SETFONT") != std::string::npos) got.push_back(l);
    EXPECT_EQ(got, want);

    HFONT font = (HFONT)SendMessageW(d, WM_GETFONT, 0, 0);
    ASSERT_TRUE(font);
    LOGFONTW lf{};
    ASSERT_GT(GetObjectW(font, sizeof lf, &lf), 0);
    EXPECT_EQ(std::u16string(lf.lfFaceName), u"Tahoma");
    EXPECT_EQ(lf.lfHeight, -11);  // 8 points at 96 dpi
}

TEST_F(Layout, WithoutDsSetfontTheControlsKeepTheirOwnFont) {
    device::DialogTemplate t = threeControls(WS_POPUP);
    t.style &= ~(DWORD)DS_SETFONT;
    addTemplate(7, t);
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(7), nullptr, plainProc, 0);
    ASSERT_TRUE(d);
    EXPECT_EQ(SendMessageW(d, WM_GETFONT, 0, 0), 0);
    for (const std::string& l : takeLog()) EXPECT_EQ(l.find("WM_SETFONT"), std::string::npos) << l;
    SIZE gui = device::fontBaseUnits((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(device::dialogBaseUnits(d).cx, gui.cx);
}

TEST_F(Layout, APopupSitsRelativeToItsOwnerOrCentredOrAbsolute) {
    HWND owner = makeOwner(0, 60, 240, 200);
    addTemplate(7, threeControls(WS_POPUP));
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(7), owner, plainProc, 0);
    ASSERT_TRUE(d);
    SIZE b = device::dialogBaseUnits(d);
    RECT wr;
    GetWindowRect(d, &wr);
    EXPECT_EQ(wr.left, MulDiv(10, b.cx, 4));
    EXPECT_EQ(wr.top, 60 + MulDiv(20, b.cy, 8));
    EXPECT_EQ(GetWindow(d, GW_OWNER), owner);

    device::DialogTemplate centred = threeControls(WS_POPUP | DS_CENTER);
    addTemplate(8, centred);
    HWND c = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(8), owner, plainProc, 0);
    RECT cr, work;
    GetWindowRect(c, &cr);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((cr.left - work.left) - (work.right - cr.right)), 1);
    EXPECT_LE(std::abs((cr.top - work.top) - (work.bottom - cr.bottom)), 1);

    // Off the screen to the lower right: pulled back inside the work area.
    device::DialogTemplate far = threeControls(WS_POPUP | DS_ABSALIGN);
    far.x = 300;
    far.y = 500;
    addTemplate(9, far);
    HWND f = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(9), owner, plainProc, 0);
    RECT fr;
    GetWindowRect(f, &fr);
    EXPECT_EQ(fr.right, work.right);
    EXPECT_EQ(fr.bottom, work.bottom);
}

TEST_F(Layout, ACaptionedDialogHasItsTitleBarAboveTheTemplateClientArea) {
    addTemplate(7, threeControls(WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE));
    HWND d = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(7), nullptr, plainProc, 0);
    ASSERT_TRUE(d);
    RECT wr, cr;
    GetWindowRect(d, &wr);
    GetClientRect(d, &cr);
    SIZE b = device::dialogBaseUnits(d);
    EXPECT_EQ(cr.bottom, MulDiv(80, b.cy, 8));
    EXPECT_GE((wr.bottom - wr.top) - cr.bottom, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_TRUE(GetWindowLongW(d, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}
