// The Color page: colours picked are working copies until OK, the button
// picture is the list's the moment it is tapped, and the font sizes of the
// notes pane and the list name switch those windows' fonts and the layout.
#include "outline/tree_ops.h"
#include "settings_fixture.h"
#include "shell/layout.h"

using namespace settingstest;

namespace {

constexpr int kRedPreset = 1028;
constexpr int kColorPage = 1;

COLORREF swatchOnScreen(int id) {
    RECT r{};
    GetWindowRect(control(id), &r);
    return dlgs::screenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int cellHeightOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf.lfHeight;
}

using ColorPage = SettingsTest;

TEST_F(ColorPage, PickedColoursAreWorkingCopiesThatOnlyOkGivesTheList) {
    startWith(kMilkWithChildren + "UPDATE ListAttributes SET crNoteText=" + std::to_string(0x123456) + ";");
    COLORREF level0 = 0, noteText = 0;
    auto seeSwatches = [&] {
        level0 = swatchOnScreen(res::kIdColLevel0);
        noteText = swatchOnScreen(res::kIdColNoteText);
    };
    runSettings(std::vector<Step>{showPage(kColorPage)} + pickPreset(res::kIdColLevel0, kRedPreset) + seeSwatches +
                pressEscape());
    EXPECT_EQ(level0, 0x0000FFu);      // the swatch shows the colour picked
    EXPECT_EQ(noteText, 0x123456u);    // and the others the list's own
    EXPECT_EQ(attrCurrentList.crItemLevel0, 0xB40000u);
    EXPECT_EQ(stored("crItemLevel0"), std::to_string(0xB40000));

    HTREEITEM milk = treeRoot(hwndMainTV);
    runSettings(std::vector<Step>{showPage(kColorPage)} + pickPreset(res::kIdColLevel0, kRedPreset) +
                pickPreset(res::kIdColNoteBackground, kRedPreset) + tapOk());
    EXPECT_EQ(attrCurrentList.crItemLevel0, 0x0000FFu);
    EXPECT_EQ(attrCurrentList.crNoteBackground, 0x0000FFu);
    EXPECT_EQ(stored("crItemLevel0 || ',' || crNoteBackground || ',' || crNoteText"), "255,255," + std::to_string(0x123456));
    LOGBRUSH brush{};
    GetObjectW(hbrNoteBackground, sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, 0x0000FFu);  // the notes pane's background
    EXPECT_EQ(treeRoot(hwndMainTV), milk);  // repainted in the new colours, not reloaded
}

TEST_F(ColorPage, TheButtonPictureTappedIsTheListsEvenWhenTheSheetIsCancelledElsewhere) {
    startWith();
    SIZE picture{};
    auto seePicture = [&picture] {
        BITMAP bm{};
        GetObjectW((HBITMAP)SendMessageW(control(res::kIdColButtonBox), STM_GETIMAGE, IMAGE_BITMAP, 0), sizeof bm, &bm);
        picture = SIZE{bm.bmWidth, bm.bmHeight};
    };
    runSettings({showPage(kColorPage), seePicture, tapControl(res::kIdColButtonDiamond), showPage(2), pressEscape()});
    EXPECT_EQ(picture.cx, 20);  // the small pictures on this screen
    EXPECT_EQ(attrCurrentList.intButtonType, 0);
    EXPECT_EQ(stored("intButtonType"), "0");
    runSettings({showPage(kColorPage), tapControl(res::kIdColButtonBox), tapOk()});
    EXPECT_EQ(stored("intButtonType"), "1");
}

TEST_F(ColorPage, NotesFontSizeSixteenSwitchesTheNotesPaneAtOnce) {
    startWith();
    int shown = -1;
    runSettings(std::vector<Step>{showPage(kColorPage),
                                  [&shown] { shown = (int)SendMessageW(control(res::kIdColNotesFontSize), CB_GETCURSEL, 0, 0); }} +
                choose(res::kIdColNotesFontSize, 8) + tapOk());
    EXPECT_EQ(shown, 2);  // 10 points
    EXPECT_EQ(intFontSizeNotes, 16);
    EXPECT_EQ(setting(SETTING_FONTSIZENOTES), "16");
    EXPECT_EQ(setting(SETTING_FONTSIZENAME), "10");
    EXPECT_EQ(setting(SETTING_FONTSIZETV), "10");
    EXPECT_EQ((HFONT)SendMessageW(hwndNotes, WM_GETFONT, 0, 0), hfontNotes);
    EXPECT_EQ(cellHeightOf(hfontNotes), 16 * 96 / 72);
}

TEST_F(ColorPage, ALargerListNameMakesTheBarTallerAndMovesTheOutlineDown) {
    startWith();
    const int bottomBefore = intListBarBottom;
    HFONT before = hfontListName;
    runSettings(std::vector<Step>{showPage(kColorPage)} + choose(res::kIdColNameFontSize, 8) + tapOk());
    EXPECT_EQ(setting(SETTING_FONTSIZENAME), "16");
    EXPECT_NE(hfontListName, before);
    EXPECT_EQ((HFONT)SendMessageW(hwndListName, WM_GETFONT, 0, 0), hfontListName);
    EXPECT_EQ((HFONT)SendMessageW(hwndListCombo, WM_GETFONT, 0, 0), hfontListName);
    EXPECT_GT(intListBarBottom, bottomBefore);
    RECT bar{}, combo{}, tree{};
    GetWindowRect(hwndListName, &bar);
    GetWindowRect(hwndListCombo, &combo);
    EXPECT_EQ(bar.bottom - bar.top, combo.bottom - combo.top);
    EXPECT_EQ(intTreeTop, treeTopFor(bEditBarVisible));
    GetWindowRect(hwndMainTV, &tree);
    POINT top{tree.left, tree.top};
    ScreenToClient(hwndMain, &top);
    EXPECT_EQ(top.y, intTreeTop);
}

}  // namespace
