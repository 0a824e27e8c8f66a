// The property sheet driven by taps and keys in its modal loop: the order of
// page notifications for OK and Cancel, pages made only when shown, the start
// page, the callback, pages that refuse to let go, and missing templates.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/dialog_internal.h"
#include "platform/system/resource_table.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

std::vector<std::string>& log() {
    static std::vector<std::string> l;
    return l;
}
HWND& sheetHwnd() {
    static HWND h = nullptr;
    return h;
}
bool& refuseKill() {
    static bool b = false;
    return b;
}

INT_PTR CALLBACK pageProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* psp = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
        SetWindowLongW(hwnd, GWL_USERDATA, psp->lParam);
        log().push_back("p" + std::to_string(psp->lParam) + " init");
        return TRUE;
    }
    if (msg == WM_NOTIFY) {
        auto* n = reinterpret_cast<PSHNOTIFY*>(lParam);
        std::string p = "p" + std::to_string(GetWindowLongW(hwnd, GWL_USERDATA));
        switch (n->hdr.code) {
            case PSN_SETACTIVE: log().push_back(p + " setactive"); break;
            case PSN_KILLACTIVE:
                log().push_back(p + " killactive");
                SetWindowLongW(hwnd, DWL_MSGRESULT, refuseKill() ? TRUE : FALSE);
                break;
            case PSN_APPLY: log().push_back(p + " apply"); break;
            case PSN_RESET: log().push_back(p + " reset"); break;
            default: return FALSE;
        }
        EXPECT_EQ(n->hdr.hwndFrom, GetParent(hwnd));  // pages are children of the sheet
        return TRUE;
    }
    return FALSE;
}

int CALLBACK sheetCallback(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == PSCB_GETVERSION) {
        log().push_back("cb version " + std::to_string(lParam));
        return COMCTL32_VERSION;
    }
    if (msg == PSCB_PRECREATE) log().push_back("cb precreate");
    if (msg == PSCB_INITIALIZED) {
        sheetHwnd() = hwnd;
        log().push_back("cb initialized");
    }
    return 0;
}

struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    bool operator()() {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    }
};

class PropSheets : public ::testing::Test {
protected:
    std::vector<std::unique_ptr<device::DialogTemplate>> templates;
    std::vector<std::u16string> captions{u"First", u"Second", u"Third"};
    PROPSHEETPAGEW pages[3]{};
    PROPSHEETHEADERW header{};

    void SetUp() override {
        device::windowSystemReset();
        device::screenConfigure(false);
        device::useHeadlessHost();
        device::headlessHost().setIdleDriver({});
        device::resourceClearAll();
        log().clear();
        sheetHwnd() = nullptr;
        refuseKill() = false;
        for (int i = 0; i < 3; ++i) {
            auto t = std::make_unique<device::DialogTemplate>();
            t->style = WS_POPUP | WS_CAPTION;
            t->cx = 100;
            t->cy = 100;
            t->caption = captions[(size_t)i].c_str();
            device::resourceRegister(device::kResDialog, 1049 + i, t.get(), 0);
            templates.push_back(std::move(t));
            pages[i].dwSize = sizeof(PROPSHEETPAGEW);
            pages[i].dwFlags = PSP_DEFAULT;
            pages[i].pszTemplate = MAKEINTRESOURCEW(1049 + i);
            pages[i].pfnDlgProc = pageProc;
            pages[i].lParam = i;
        }
        pages[0].dwFlags = PSP_USETITLE;
        pages[0].pszTitle = u"Display";
        header.dwSize = sizeof(header);
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_MAXIMIZE;
        header.pszCaption = u"Settings";
        header.nPages = 3;
        header.nStartPage = 0;
        header.ppsp = pages;
        header.pfnCallback = sheetCallback;
    }
    void TearDown() override {
        device::headlessHost().setIdleDriver({});
        EXPECT_TRUE(device::windowTreeConsistent());
        device::windowSystemReset();
        device::resourceClearAll();
    }
    INT_PTR run(Script& s) {
        device::headlessHost().setIdleDriver(std::ref(s));
        INT_PTR r = PropertySheetW(&header);
        device::headlessHost().setIdleDriver({});
        return r;
    }
};

void press(unsigned vk) {
    device::keyDown(vk);
    device::keyUp(vk);
}

TEST_F(PropSheets, OkDeactivatesTheCurrentPageThenAppliesEveryMadePage) {
    header.nStartPage = 1;
    Script s;
    s.steps = {[] {
                   // Full screen below the navigation bar, and page 2 not made yet.
                   RECT r{};
                   GetWindowRect(sheetHwnd(), &r);
                   RECT work = device::screenWorkArea();
                   EXPECT_EQ(r.top, work.top);
                   EXPECT_EQ(r.bottom, work.bottom);
                   EXPECT_EQ(r.right - r.left, device::screenConfig().width);
                   SendMessageW(sheetHwnd(), PSM_SETCURSEL, 0, 0);
               },
               [] { press(VK_RETURN); }};
    EXPECT_EQ(run(s), 1);
    EXPECT_EQ(log(), (std::vector<std::string>{"cb version 524", "cb precreate", "p1 init", "p1 setactive",
                                               "cb initialized", "p1 killactive", "p0 init", "p0 setactive",
                                               "p0 killactive", "p0 apply", "p1 apply"}));
    EXPECT_FALSE(IsWindow(sheetHwnd()));
}

TEST_F(PropSheets, CancelResetsTheMadePagesAndAppliesNothing) {
    Script s;
    s.steps = {[] { press(VK_ESCAPE); }};
    EXPECT_EQ(run(s), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{"cb version 524", "cb precreate", "p0 init", "p0 setactive",
                                               "cb initialized", "p0 reset"}));
}

TEST_F(PropSheets, APageThatRefusesToLetGoKeepsTheSheetOpen) {
    Script s;
    s.steps = {[] {
                   log().clear();
                   refuseKill() = true;
                   press(VK_RETURN);
               },
               [] {
                   EXPECT_TRUE(IsWindow(sheetHwnd()));
                   EXPECT_EQ(SendMessageW(sheetHwnd(), PSM_SETCURSEL, 2, 0), FALSE);
                   EXPECT_EQ(PropSheet_GetCurrentPageHwnd(sheetHwnd()), GetWindow(sheetHwnd(), GW_CHILD));
                   refuseKill() = false;
                   SendMessageW(sheetHwnd(), WM_COMMAND, IDOK, 0);  // the navigation bar's ok
               }};
    EXPECT_EQ(run(s), 1);
    EXPECT_EQ(log(), (std::vector<std::string>{"p0 killactive", "p0 killactive", "p0 killactive", "p0 apply"}));
}

TEST_F(PropSheets, TappingATabShowsItsPage) {
    header.nStartPage = 2;
    Script s;
    s.steps = {[] {
                   log().clear();
                   RECT work = device::screenWorkArea();
                   device::penDown(3, work.bottom - 5);  // the first tab, at the bottom left
                   device::penUp(3, work.bottom - 5);
               },
               [] {
                   HWND page = PropSheet_GetCurrentPageHwnd(sheetHwnd());
                   EXPECT_EQ(GetWindowLongW(page, GWL_USERDATA), 0);
                   EXPECT_TRUE(IsWindowVisible(page));
                   press(VK_ESCAPE);
               }};
    EXPECT_EQ(run(s), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{"p2 killactive", "p0 init", "p0 setactive", "p0 reset",
                                               "p2 reset"}));
}

TEST_F(PropSheets, MissingTemplateOrBadHeaderCannotBeShown) {
    pages[2].pszTemplate = MAKEINTRESOURCEW(4242);
    Script s;
    EXPECT_EQ(run(s), -1);
    EXPECT_TRUE(log().empty());  // nothing was made or asked
    header.nPages = 0;
    EXPECT_EQ(PropertySheetW(&header), -1);
    EXPECT_EQ(PropertySheetW(nullptr), -1);
}

TEST_F(PropSheets, StartPageOutOfRangeFallsBackToTheFirst) {
    header.nStartPage = 7;
    header.dwFlags &= ~(DWORD)PSH_USECALLBACK;
    Script s;
    s.steps = {[] { press(VK_RETURN); }};
    EXPECT_EQ(run(s), 1);
    EXPECT_EQ(log(), (std::vector<std::string>{"p0 init", "p0 setactive", "p0 killactive", "p0 apply"}));
}

}  // namespace
