// The sheet itself and its Other page: the caption, the tabs and the pages
// made as they are chosen, the Other page's values, a sheet that cannot be
// shown, and the pages' layout on both screens (nothing overlapping or cut
// off).
#include "platform/system/resource_table.h"
#include "platform/window/message_box.h"
#include "settings_fixture.h"

using namespace settingstest;

namespace {

using SettingsSheet = SettingsTest;

TEST_F(SettingsSheet, OpensFullScreenOnDisplayAndTheOtherPageStoresItsTwoSettings) {
    setSettingInt(SETTING_TIMESTAMP, 2);
    setSettingInt(SETTING_KEYBOARDSIP, 0);
    startWith();
    std::u16string caption, firstPage;
    RECT sheetRect{};
    int stamp = -1;
    int sip = -1;
    runSettings(std::vector<Step>{[&] {
                                      caption = dlgs::textOf(front());
                                      firstPage = dlgs::textOf(page());
                                      GetWindowRect(front(), &sheetRect);
                                  },
                                  showPage(2),
                                  [&] {
                                      stamp = (int)SendMessageW(control(res::kIdOtherTimeStamp), CB_GETCURSEL, 0, 0);
                                      sip = (int)SendMessageW(control(res::kIdOtherKeyboardSip), BM_GETCHECK, 0, 0);
                                  }} +
                choose(res::kIdOtherTimeStamp, 3) + tapControl(res::kIdOtherKeyboardSip) + tapOk());
    EXPECT_EQ(caption, u"Settings");
    EXPECT_EQ(firstPage, u"Display");
    RECT work = device::screenWorkArea();
    EXPECT_EQ(sheetRect.top, work.top);
    EXPECT_EQ(sheetRect.bottom, work.bottom);
    EXPECT_EQ(sheetRect.right - sheetRect.left, work.right - work.left);
    EXPECT_EQ(stamp, 2);  // "Time"
    EXPECT_EQ(sip, BST_UNCHECKED);
    EXPECT_EQ(intTimeStamp, 3);  // "Date"
    EXPECT_EQ(bKeyboardSip, 1);
    EXPECT_EQ(setting(SETTING_TIMESTAMP), "3");
    EXPECT_EQ(setting(SETTING_KEYBOARDSIP), "1");
}

TEST_F(SettingsSheet, ASheetThatCannotBeShownSaysSoAndTheListIsStillStored) {
    startWith();
    device::resourceRegister(device::kResDialog, res::kDlgSettingsColor, nullptr, 0);
    ASSERT_EQ(sqlite3_exec(dbCurrent, "UPDATE ListAttributes SET crListName=5;", nullptr, nullptr, nullptr), SQLITE_OK);
    std::u16string text, title;
    runSettings({[&] {
        HWND box = GetForegroundWindow();
        ASSERT_TRUE(device::isMessageBox(box));
        text = device::messageBoxText(box);
        title = dlgs::textOf(box);
        dlgs::press(VK_RETURN);
    }});
    EXPECT_EQ(text, u"error in PropertySheet()");
    EXPECT_EQ(title, u"error");
    EXPECT_EQ(stored("crListName"), std::to_string(0x960000));
}

TEST_F(SettingsSheet, WithoutADatabaseTheChangedAttributesStayInMemory) {
    start();
    ASSERT_EQ(dbCurrent, nullptr);
    runSettings({showPage(1), tapControl(res::kIdColButtonDiamond), showPage(0), tapControl(res::kIdDispCheckboxes),
                 tapOk()});
    EXPECT_EQ(attrCurrentList.intButtonType, 0);
    EXPECT_EQ(attrCurrentList.bCheckbox, 0);
    EXPECT_FALSE(GetWindowLongW(hwndMainTV, GWL_STYLE) & TVS_CHECKBOXES);
}

// Every visible control of every page lies inside its page and clear of
// the others.
void expectTidyPages(std::vector<std::string>* problems) {
    for (int index = 0; index < 3; ++index) {
        SendMessageW(front(), PSM_SETCURSEL, (WPARAM)index, 0);
        HWND p = page();
        RECT client{};
        GetClientRect(p, &client);
        std::vector<std::pair<int, RECT>> shown;
        for (HWND c = GetWindow(p, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            RECT r = dlgs::rectInParent(c);
            const int id = GetDlgCtrlID(c);
            const std::string name = "page " + std::to_string(index) + " control " + std::to_string(id);
            if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom)
                problems->push_back(name + " is cut off");
            for (const auto& [otherId, other] : shown) {
                RECT both{};
                if (IntersectRect(&both, &r, &other))
                    problems->push_back(name + " overlaps control " + std::to_string(otherId));
            }
            shown.push_back({id, r});
        }
    }
}

TEST_F(SettingsSheet, ThePagesAreTidyOnBothScreens) {
    for (bool hires : {false, true}) {
        SCOPED_TRACE(hires ? "high resolution" : "ordinary screen");
        if (hires) {
            SendMessageW(hwnd_, WM_CLOSE, 0, 0);
            shelltest::pump();
            device::screenConfigure(true);
            start();
        } else {
            startWith();
        }
        std::vector<std::string> problems;
        // The Display page with the colour's swatch, then with the pictures.
        runSettings(std::vector<Step>{[&problems] { expectTidyPages(&problems); }, showPage(0)} +
                    choose(res::kIdDispBackground, 1) + [&problems] { expectTidyPages(&problems); } + pressEscape());
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(bHiRes, hires ? 1 : 0);
    }
}

}  // namespace
