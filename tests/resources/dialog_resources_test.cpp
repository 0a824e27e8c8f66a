// The dialog templates as the dialog manager finds them: their sizes and
// fonts, and every control the procedures look up by id with the class it
// needs to be (a label where a label is drawn, a password edit for a password).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/dialogs/dialog_template.h"
#include "platform/system/resource_table.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "windows.h"

namespace {

struct Control {
    int id;
    const char16_t* cls;
    const char16_t* text;  // nullptr: not checked
};

const device::DialogTemplate* find(int id) {
    registerProgramResources();
    const device::Resource* r = device::resourceFind(device::kResDialog, id);
    return r ? static_cast<const device::DialogTemplate*>(r->data) : nullptr;
}

const device::DialogItemTemplate* item(const device::DialogTemplate& t, int id) {
    for (const auto& i : t.items)
        if (i.id == id) return &i;
    return nullptr;
}

void expectControls(const device::DialogTemplate& t, const std::vector<Control>& want) {
    for (const Control& c : want) {
        SCOPED_TRACE(c.id);
        const device::DialogItemTemplate* i = item(t, c.id);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(std::u16string(i->className), c.cls);
        if (c.text) {
            EXPECT_EQ(std::u16string(i->text), c.text);
        }
        // Every control must lie inside the dialog.
        EXPECT_GE(i->x, 0);
        EXPECT_GE(i->y, 0);
        EXPECT_LE(i->x + i->cx, t.cx);
        EXPECT_LE(i->y + i->cy, t.cy);
    }
}

void expectFrame(const device::DialogTemplate& t, short cx, short cy, const char16_t* face) {
    EXPECT_EQ(t.cx, cx);
    EXPECT_EQ(t.cy, cy);
    EXPECT_TRUE(t.style & DS_SETFONT);
    EXPECT_EQ(std::u16string(t.fontFace), face);
    EXPECT_EQ(t.pointSize, 8);
}

TEST(DialogResources, MessageDialogHidesCancelAndCentresItsText) {
    const device::DialogTemplate* t = find(res::kDlgMessage);
    ASSERT_NE(t, nullptr);
    expectFrame(*t, 124, 115, u"MS Sans Serif");
    expectControls(*t, {{1000, u"button", u"OK"}, {1017, u"static", u""}, {1016, u"button", u"Cancel"}});
    EXPECT_EQ(item(*t, 1000)->style & 0xF, (DWORD)BS_DEFPUSHBUTTON);
    EXPECT_FALSE(item(*t, 1016)->style & WS_VISIBLE);
    EXPECT_EQ(item(*t, 1017)->style & (SS_TYPEMASK | SS_NOPREFIX), (DWORD)(SS_CENTER | SS_NOPREFIX));
    // Two-button sets keep these places.
    EXPECT_EQ(item(*t, 1000)->x, 17);
    EXPECT_EQ(item(*t, 1016)->x, 68);
    EXPECT_FALSE(t->style & WS_CAPTION);  // the procedure paints its own band
}

TEST(DialogResources, NoticeCarriesItsThreeTexts) {
    const device::DialogTemplate* t = find(res::kDlgNotice);
    ASSERT_NE(t, nullptr);
    expectFrame(*t, 151, 137, u"Tahoma");
    expectControls(*t, {{1000, u"button", u"Ok"},
                        {res::kIdNoticeText1, u"static",
                         u"For maximum performance, Quillet should be installed in main memory. Also, database files "
                         u"should be located in main memory as well for fastest operation."},
                        {res::kIdNoticeText2, u"static",
                         u"Installing this application on an external SD or CF storage card will reduce performance "
                         u"due to the slowness of the media."},
                        {res::kIdNoticeText3, u"static", u"Please review the user guide for more details."}});
    for (int id : {res::kIdNoticeText1, res::kIdNoticeText2, res::kIdNoticeText3})
        EXPECT_EQ(item(*t, id)->style & SS_TYPEMASK, (DWORD)SS_CENTER) << id;
}

TEST(DialogResources, InformationAndProgress) {
    const device::DialogTemplate* info = find(res::kDlgInformation);
    ASSERT_NE(info, nullptr);
    expectFrame(*info, 124, 112, u"MS Sans Serif");
    expectControls(*info, {{1000, u"button", u"OK"}, {1017, u"static", nullptr}});
    EXPECT_TRUE(item(*info, 1017)->style & SS_NOPREFIX);

    const device::DialogTemplate* prog = find(res::kDlgProgress);
    ASSERT_NE(prog, nullptr);
    expectFrame(*prog, 128, 50, u"MS Sans Serif");
    expectControls(*prog, {{1011, u"static", nullptr}, {1012, u"static", nullptr}, {1010, u"msctls_progress32", nullptr}});
    EXPECT_EQ(item(*prog, 1011)->style & SS_TYPEMASK, (DWORD)SS_CENTER);
    EXPECT_EQ(item(*prog, 1012)->style & SS_TYPEMASK, (DWORD)SS_CENTER);
}

TEST(DialogResources, AboutTipAndNameDialogs) {
    const device::DialogTemplate* about = find(res::kDlgAbout);
    ASSERT_NE(about, nullptr);
    expectControls(*about, {{1001, u"static", nullptr}, {1003, u"static", nullptr}, {1056, u"static", nullptr}});
    EXPECT_FALSE(item(*about, 1056)->style & WS_VISIBLE);  // only marks where the rule is drawn

    const device::DialogTemplate* tip = find(res::kDlgTip);
    ASSERT_NE(tip, nullptr);
    ASSERT_EQ(tip->items.size(), 1u);
    expectControls(*tip, {{1126, u"static", nullptr}});
    EXPECT_TRUE(tip->style & WS_POPUP);

    const device::DialogTemplate* name = find(res::kDlgListName);
    ASSERT_NE(name, nullptr);
    expectControls(*name, {{1119, u"edit", u""}, {1000, u"button", u"OK"}, {1016, u"button", u"Cancel"}});
    EXPECT_NE(item(*name, -1), nullptr);
    EXPECT_EQ(std::u16string(item(*name, -1)->className), u"SIPPREF");
}

TEST(DialogResources, PasswordDialogLabelsAndMaskedEdits) {
    const device::DialogTemplate* t = find(res::kDlgPassword);
    ASSERT_NE(t, nullptr);
    expectControls(*t, {{1123, u"static", u"Old Password:"},
                        {1132, u"static", u"New Password:"},
                        {1124, u"static", u"New Password (Confirm):"},
                        {1125, u"edit", u""},
                        {1128, u"edit", u""},
                        {1126, u"edit", u""},
                        {1000, u"button", u"OK"},
                        {1016, u"button", u"Cancel"}});
    for (int id : {1125, 1128, 1126}) EXPECT_TRUE(item(*t, id)->style & ES_PASSWORD) << id;
    // Fields in the order they are filled in, each below its label.
    EXPECT_LT(item(*t, 1125)->y, item(*t, 1128)->y);
    EXPECT_LT(item(*t, 1128)->y, item(*t, 1126)->y);
    EXPECT_LT(item(*t, 1123)->y, item(*t, 1125)->y);
}

TEST(DialogResources, ColourPickerHasTheGridTheFieldsTheSliderAndItsButtons) {
    const device::DialogTemplate* t = find(res::kDlgColourPicker);
    ASSERT_NE(t, nullptr);
    expectFrame(*t, 166, 119, u"Tahoma");
    EXPECT_FALSE(t->style & WS_CAPTION);  // the procedure paints its own band
    expectControls(*t, {{1020, u"msctls_trackbar32", nullptr},
                        {1000, u"button", u"Ok"},
                        {1016, u"button", u"Cancel"},
                        {1045, u"static", nullptr},
                        {1063, u"static", nullptr},
                        {1064, u"edit", nullptr},
                        {1065, u"edit", nullptr},
                        {1066, u"edit", nullptr},
                        {1067, u"static", u"Red:"},
                        {1068, u"static", u"Green:"},
                        {1069, u"static", u"Blue:"}});
    // The presets start hidden, as do the fields, for the remembered mode
    // to show one group; the procedure measures the grid by its first row.
    for (int id = 1021; id <= 1044; ++id) {
        expectControls(*t, {{id, u"static", nullptr}});
        EXPECT_FALSE(item(*t, id)->style & WS_VISIBLE) << id;
        EXPECT_TRUE(item(*t, id)->style & SS_NOTIFY) << id;
    }
    EXPECT_EQ(item(*t, 1026)->y, item(*t, 1021)->y);
    EXPECT_GT(item(*t, 1026)->x, item(*t, 1021)->x);
    for (int id : {1064, 1065, 1066}) {
        EXPECT_TRUE(item(*t, id)->style & ES_NUMBER) << id;
        EXPECT_FALSE(item(*t, id)->style & WS_VISIBLE) << id;
    }
    EXPECT_TRUE(item(*t, 1063)->style & SS_NOTIFY);
    ASSERT_NE(item(*t, -1), nullptr);
    EXPECT_EQ(std::u16string(item(*t, -1)->className), u"SIPPREF");
}

TEST(DialogResources, TheChooserHasItsTreeSortingListsPicturesAndNameBox) {
    const device::DialogTemplate* t = find(res::kDlgFileChooser);
    ASSERT_NE(t, nullptr);
    const auto* tree = item(*t, res::kIdChooserTree);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(std::u16string(tree->className), u"SysTreeView32");
    EXPECT_EQ(tree->style & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_DISABLEDRAGDROP |
                             TVS_SHOWSELALWAYS),
              DWORD(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_DISABLEDRAGDROP |
                    TVS_SHOWSELALWAYS));
    for (int list : {res::kIdChooserFolderSort, res::kIdChooserFileSort}) {
        ASSERT_NE(item(*t, list), nullptr);
        EXPECT_EQ(item(*t, list)->style & (WS_VISIBLE | LBS_SORT), DWORD(LBS_SORT));  // hidden, sorted
    }
    for (int picture : {res::kIdOk, res::kIdCancel, res::kIdChooserNewFolder}) {
        ASSERT_NE(item(*t, picture), nullptr);
        EXPECT_EQ(item(*t, picture)->style & (SS_TYPEMASK | SS_NOTIFY), DWORD(SS_BITMAP | SS_NOTIFY));
    }
    EXPECT_FALSE(item(*t, res::kIdChooserNewFolder)->style & WS_VISIBLE);
    EXPECT_EQ(std::u16string(item(*t, res::kIdChooserFileLabel)->text), u"Filename: ");
    const device::DialogTemplate* options = find(res::kDlgImportOption);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(std::u16string(item(*options, res::kIdImportNewList)->text), u"Import into a new list");
    EXPECT_EQ(std::u16string(item(*options, res::kIdImportCurrentList)->text), u"Import into current list");
}

TEST(DialogResources, ControlIdsAreUniqueWithinEachDialog) {
    for (int d : {res::kDlgAbout, res::kDlgProgress, res::kDlgListName, res::kDlgPassword, res::kDlgTip,
                  res::kDlgMessage, res::kDlgNotice, res::kDlgInformation, res::kDlgColourPicker,
                  res::kDlgFileChooser, res::kDlgImportOption}) {
        const device::DialogTemplate* t = find(d);
        ASSERT_NE(t, nullptr) << d;
        std::vector<int> ids;
        for (const auto& i : t->items)
            if (i.id != -1) ids.push_back(i.id);
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << d;
    }
}

}  // namespace
