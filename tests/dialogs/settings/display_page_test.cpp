// The Display page as a person uses it: the boxes and lists show the list's
// and the program's values, OK stores what they show, Cancel and pages never
// opened store nothing, the background choice and colour take effect at
// once, the pictures offered, and what a change of the completion counts
// and of the bold roots does to the outline.
#include <filesystem>
#include <fstream>

#include "outline/outline_paint.h"
#include "outline/tree_ops.h"
#include "settings_fixture.h"

using namespace settingstest;

namespace {

constexpr int kCheckBoxes[] = {res::kIdDispCheckboxes, res::kIdDispClearType, res::kIdDispBackup,
                               res::kIdDispAutoCheck,  res::kIdDispStrikeCheck, res::kIdDispRootBold,
                               res::kIdDispWarning};

// What the page showed when it opened.
struct Seen {
    std::string checks;  // the seven boxes, top to bottom, as 0/1
    int background = -1;
    int completion = -1;
    bool swatchShown = false, listShown = false;
    std::vector<std::u16string> images;
    std::u16string image;  // the selected one
};

Step look(Seen* seen) {
    return [seen] {
        for (int id : kCheckBoxes) seen->checks += SendMessageW(control(id), BM_GETCHECK, 0, 0) ? '1' : '0';
        seen->background = (int)SendMessageW(control(res::kIdDispBackground), CB_GETCURSEL, 0, 0);
        seen->completion = (int)SendMessageW(control(res::kIdDispCompletion), CB_GETCURSEL, 0, 0);
        seen->swatchShown = IsWindowVisible(control(res::kIdDispBackgroundColour));
        seen->listShown = IsWindowVisible(control(res::kIdDispImages));
        HWND list = control(res::kIdDispImages);
        WCHAR text[MAX_PATH] = {};
        for (int i = 0; i < (int)SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            SendMessageW(list, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
            seen->images.push_back(text);
        }
        LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (selected >= 0) seen->image = seen->images[(size_t)selected];
    };
}

std::u16string itemText(LONG id) {
    WCHAR text[TREE_COPY_CHARS] = {};
    getItemText(hwndMainTV, findItemById(hwndMainTV, nullptr, id), text, TREE_COPY_CHARS);
    return text;
}

class DisplayPage : public SettingsTest {
protected:
    // Files of the program's folder, named as given; none is a real picture,
    // so each one that is chosen shows the built-in picture.
    void addProgramFiles(std::initializer_list<const char*> names) {
        const std::string folder = root_ + "/Program Files/Quillet Pro/";
        for (const char* name : names) std::ofstream(folder + name) << "not a picture";
        std::filesystem::create_directories(folder + "album.jpg");
    }
};

TEST_F(DisplayPage, OpensOnTheCurrentValuesAndOkStoresWhatTheControlsShow) {
    setSettingInt(SETTING_CLEARTYPE, 1);
    setSettingInt(SETTING_WARNINGMESSAGE, 0);
    startWith("UPDATE ListAttributes SET bCheckbox=0, bAutoCheck=1, bStrikeCheck=0, intCompletionShow=2;");
    Seen seen;
    runSettings(std::vector<Step>{look(&seen), tapControl(res::kIdDispCheckboxes), tapControl(res::kIdDispClearType),
                                  tapControl(res::kIdDispBackup), tapControl(res::kIdDispWarning)} +
                choose(res::kIdDispCompletion, 1) + tapOk());
    EXPECT_EQ(seen.checks, "0111010");
    EXPECT_EQ(seen.background, 0);  // "Use solid color"
    EXPECT_EQ(seen.completion, 2);  // "Percentage"
    EXPECT_TRUE(seen.swatchShown);
    EXPECT_FALSE(seen.listShown);

    EXPECT_EQ(attrCurrentList.bCheckbox, 1);
    EXPECT_EQ(attrCurrentList.intCompletionShow, 1);
    EXPECT_EQ(bClearType, 0);
    EXPECT_EQ(bBackupDatabase, 0);
    EXPECT_EQ(bWarningMessage, 1);
    EXPECT_EQ(setting(SETTING_CLEARTYPE), "0");
    EXPECT_EQ(setting(SETTING_BACKUPDATABASE), "0");
    EXPECT_EQ(setting(SETTING_WARNINGMESSAGE), "1");
    EXPECT_EQ(stored("bCheckbox || bAutoCheck || bStrikeCheck || bRootBold || intCompletionShow"), "11011");
    EXPECT_TRUE(GetWindowLongW(hwndMainTV, GWL_STYLE) & TVS_CHECKBOXES);
}

TEST_F(DisplayPage, CancelStoresNothingAndPagesNeverOpenedAreNotApplied) {
    startWith();
    runSettings(std::vector<Step>{tapControl(res::kIdDispCheckboxes), tapControl(res::kIdDispBackup)} +
                choose(res::kIdDispCompletion, 2) + showPage(2) + choose(res::kIdOtherTimeStamp, 3) + pressEscape());
    EXPECT_EQ(attrCurrentList.bCheckbox, 1);
    EXPECT_EQ(attrCurrentList.intCompletionShow, 0);
    EXPECT_EQ(bBackupDatabase, 1);
    EXPECT_EQ(intTimeStamp, 0);
    EXPECT_EQ(setting(SETTING_BACKUPDATABASE), "<none>");
    EXPECT_EQ(setting(SETTING_TIMESTAMP), "<none>");

    // OK on the first page alone applies only that page, and the list's
    // row is written whenever the sheet closes, changed or not.
    ASSERT_EQ(sqlite3_exec(dbCurrent, "UPDATE ListAttributes SET crListName=5;", nullptr, nullptr, nullptr), SQLITE_OK);
    runSettings({tapOk()});
    EXPECT_EQ(setting(SETTING_BACKUPDATABASE), "1");
    for (LPCWSTR untouched : {SETTING_TIMESTAMP, SETTING_KEYBOARDSIP, SETTING_FONTSIZENAME, SETTING_FONTSIZENOTES})
        EXPECT_EQ(setting(untouched), "<none>");
    EXPECT_EQ(stored("crListName"), std::to_string(0x960000));
}

TEST_F(DisplayPage, ThePicturesOfTheProgramFolderAreOfferedAndTheChoiceCountsEvenOnCancel) {
    addProgramFiles({"Sky.JPG", "photo.jpeg", "Sunset.gif", "a.bmp", "readme.txt"});
    startWith("UPDATE ListAttributes SET strBitmapFile='Sky.JPG';");
    Seen seen;
    runSettings(choose(res::kIdDispBackground, 1) + look(&seen) + pressEscape());
    EXPECT_EQ(seen.images, (std::vector<std::u16string>{u"(Default)", u"a.bmp", u"Sky.JPG", u"Sunset.gif"}));
    EXPECT_EQ(seen.image, u"Sky.JPG");
    EXPECT_TRUE(seen.listShown);
    EXPECT_FALSE(seen.swatchShown);
    EXPECT_EQ(attrCurrentList.bUseBitmapFile, 1);
    EXPECT_EQ(stored("bUseBitmapFile || strBitmapFile"), "1Sky.JPG");
    EXPECT_EQ(backgroundPictureInUse(), 1);

    // A picture tapped in the list is the list's with OK.
    runSettings({tapListEntry(res::kIdDispImages, 1), tapOk()});
    EXPECT_EQ(stored("strBitmapFile"), "a.bmp");
    EXPECT_EQ(std::u16string(strBackgroundImage), u"a.bmp");

    // Back to the solid colour, the list goes and the swatch comes back.
    Seen solid;
    runSettings(choose(res::kIdDispBackground, 0) + look(&solid) + tapOk());
    EXPECT_TRUE(solid.swatchShown);
    EXPECT_FALSE(solid.listShown);
    EXPECT_EQ(stored("bUseBitmapFile"), "0");
    EXPECT_EQ(backgroundPictureInUse(), 0);
}

TEST_F(DisplayPage, AnUnlistedPictureNameBecomesTheFirstEntryWithOk) {
    startWith();  // strBitmapFile "(None)", which no file is called
    runSettings(choose(res::kIdDispBackground, 1) + tapOk());
    EXPECT_EQ(stored("bUseBitmapFile || strBitmapFile"), "1(Default)");
    EXPECT_EQ(backgroundPictureInUse(), 1);  // the built-in picture
}

TEST_F(DisplayPage, TheBackgroundColourIsTheListsAsSoonAsItIsPicked) {
    startWith();
    COLORREF onScreen = 0;
    runSettings(pickPreset(res::kIdDispBackgroundColour, 1028) +  // red
                [&onScreen] {
                    RECT r{};
                    GetWindowRect(control(res::kIdDispBackgroundColour), &r);
                    onScreen = dlgs::screenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                } +
                pressEscape());
    EXPECT_EQ(onScreen, 0x0000FFu);
    EXPECT_EQ(attrCurrentList.crBackground, 0x0000FFu);
    EXPECT_EQ(stored("crBackground"), "255");
    LOGBRUSH brush{};
    GetObjectW(hbrBackground, sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, 0x0000FFu);
}

TEST_F(DisplayPage, ChangingTheCompletionCountsReloadsTheOutline) {
    startWith(kMilkWithChildren);
    HTREEITEM before = findItemById(hwndMainTV, nullptr, 1);
    ASSERT_NE(before, nullptr);
    runSettings({tapControl(res::kIdDispAutoCheck), tapOk()});
    EXPECT_EQ(findItemById(hwndMainTV, nullptr, 1), before);  // not reloaded
    runSettings(choose(res::kIdDispCompletion, 1) + tapOk());
    EXPECT_NE(findItemById(hwndMainTV, nullptr, 1), before);
    EXPECT_EQ(itemText(1), u"Milk [1/2]");
    runSettings(choose(res::kIdDispCompletion, 2) + tapOk());
    EXPECT_EQ(itemText(1), u"Milk [50%]");
}

TEST_F(DisplayPage, BoldMainItemsMakesTheOutlineFontsAgain) {
    startWith(kMilkWithChildren);
    HFONT bold = hfontTreeBold;
    runSettings({tapControl(res::kIdDispRootBold), tapOk()});
    EXPECT_EQ(attrCurrentList.bRootBold, 0);
    EXPECT_NE(hfontTreeBold, bold);
    EXPECT_EQ((HFONT)SendMessageW(hwndMainTV, WM_GETFONT, 0, 0), hfontTree);
    runSettings({tapControl(res::kIdDispRootBold), tapOk()});
    EXPECT_EQ((HFONT)SendMessageW(hwndMainTV, WM_GETFONT, 0, 0), hfontTreeBold);
    EXPECT_EQ(setting(SETTING_FONTSIZETV), "10");
}

}  // namespace
