// The colour picker as a user meets it: presets, the lightness slider and
// the red, green and blue fields staying in step, "Ok" and "Cancel", the
// remembered mode, moving the dialog by its caption band, and its look on
// both screens.
#include <stdlib.h>

#include <filesystem>

#include "app/quillet_identity.h"
#include "dialogs/colour_convert.h"
#include "dialogs/colour_picker.h"
#include "dialogs/dialog_look.h"
#include "dialogs/dialogs_fixture.h"
#include "platform/system/system_startup.h"
#include "platform/window/input.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/settings.h"
#include "support/temp_folder.h"

using namespace dlgs;

namespace {

// What the dialog showed at one moment.
struct Seen {
    std::u16string red, green, blue;
    int slider = -1;
    bool presetsShown = false;
    bool fieldsShown = false;
    RECT window{};
};

Seen look(HWND dlg) {
    Seen s;
    s.red = textOf(GetDlgItem(dlg, res::kIdColourRed));
    s.green = textOf(GetDlgItem(dlg, res::kIdColourGreen));
    s.blue = textOf(GetDlgItem(dlg, res::kIdColourBlue));
    s.slider = (int)SendDlgItemMessageW(dlg, res::kIdColourSlider, TBM_GETPOS, 0, 0);
    s.presetsShown = IsWindowVisible(GetDlgItem(dlg, res::kIdColourPresetFirst)) != FALSE;
    s.fieldsShown = IsWindowVisible(GetDlgItem(dlg, res::kIdColourRed)) != FALSE;
    GetWindowRect(dlg, &s.window);
    return s;
}

HWND preset(HWND dlg, COLORREF colour) {
    for (int i = 0; i < COLOUR_PRESET_COUNT; ++i)
        if (kColourPresets[i] == colour) return GetDlgItem(dlg, res::kIdColourPresetFirst + i);
    return nullptr;
}

// The colour the large swatch shows, read off the screen.
COLORREF swatchOnScreen(HWND dlg) {
    RECT rc;
    GetWindowRect(GetDlgItem(dlg, res::kIdColourCurrent), &rc);
    return screenPixel((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// Replaces a field's text: the focus in it with all selected, then the
// keys as a person types them.
void typeInto(HWND dlg, int id, const std::u16string& text) {
    HWND field = GetDlgItem(dlg, id);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    press(VK_DELETE);
    for (char16_t c : text) device::typeChar(c);
}

class ColourPicker : public DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        root = testsupport::makeTempFolder("qp_colour_root_");
        ASSERT_FALSE(root.empty());
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = root;
        config.cardDir = root;
        ASSERT_TRUE(device::systemStartup(config));
    }
    void TearDown() override {
        DialogsTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    // Opens the picker on `given`; each action runs on the dialog at the
    // next moment the device waits for the pen, the last one should close it.
    COLORREF run(COLORREF given, std::vector<std::function<void(HWND)>> actions) {
        HWND owner = makeOwner();
        for (auto& action : actions) steps.list.push_back([action] { action(activeDialog()); });
        play(steps);
        return pickColor(owner, given);
    }
    static void tapOk(HWND dlg) { tap(GetDlgItem(dlg, res::kIdOk)); }
    static void tapCancel(HWND dlg) { tap(GetDlgItem(dlg, res::kIdCancel)); }
    std::function<void(HWND)> record(Seen* into) {
        return [into](HWND dlg) { *into = look(dlg); };
    }
    Steps steps;
    std::string root;
};

TEST_F(ColourPicker, OpensOnTheGivenColourWithItsNumbersAndLightness) {
    Seen seen;
    std::u16string caption;
    EXPECT_EQ(run(0x336699, {record(&seen), [&](HWND dlg) { caption = textOf(dlg); }, tapOk}), 0x336699u);
    EXPECT_EQ(caption, u"Color Selector");
    EXPECT_EQ(seen.red, u"153");
    EXPECT_EQ(seen.green, u"102");
    EXPECT_EQ(seen.blue, u"51");
    EXPECT_EQ(seen.slider, lightnessToSlider(colourToHsl(0x336699).L));
    // Mode 1 (the presets) is the one shown when nothing was chosen yet.
    EXPECT_TRUE(seen.presetsShown);
    EXPECT_FALSE(seen.fieldsShown);
}

TEST_F(ColourPicker, CancelKeepsTheGivenColourWhateverWasTapped) {
    auto tapYellow = [](HWND dlg) { tap(preset(dlg, 0x00FFFF)); };
    EXPECT_EQ(run(0x000080, {tapYellow, tapCancel}), 0x000080u);
    steps = Steps{};
    EXPECT_EQ(run(0x000080, {tapYellow, [](HWND dlg) { SendMessageW(dlg, WM_COMMAND, IDCANCEL, 0); }}), 0x000080u);
    steps = Steps{};
    // The platform's OK command is not the dialog's "Ok": it cancels too.
    EXPECT_EQ(run(0x000080, {tapYellow, [](HWND dlg) { SendMessageW(dlg, WM_COMMAND, IDOK, 0); }}), 0x000080u);
}

TEST_F(ColourPicker, APresetGoesThroughTheLightnessScaleWhileTheFieldsShowItExactly) {
    Seen seen, black, white;
    COLORREF swatch = 0;
    EXPECT_EQ(run(0x000080, {[](HWND dlg) { tap(preset(dlg, 0x000000)); }, record(&black),
                             [](HWND dlg) { tap(preset(dlg, 0xFFFFFF)); }, record(&white),
                             [](HWND dlg) { tap(preset(dlg, 0x00FFFF)); }, record(&seen),
                             [&](HWND dlg) { swatch = swatchOnScreen(dlg); }, tapOk}),
              0x00FFFEu);
    EXPECT_EQ(black.slider, 0);
    EXPECT_EQ(white.slider, 240);
    EXPECT_EQ(seen.red, u"255");
    EXPECT_EQ(seen.green, u"255");
    EXPECT_EQ(seen.blue, u"0");
    EXPECT_EQ(seen.slider, 120);
    EXPECT_EQ(swatch, 0x00FFFEu);
}

TEST_F(ColourPicker, TheSliderKeepsTheHueOfThePresetAndTheFieldsFollowIt) {
    Seen seen;
    auto toSixty = [](HWND dlg) {
        HWND slider = GetDlgItem(dlg, res::kIdColourSlider);
        SetFocus(slider);
        for (int i = 0; i < 60; ++i) press(VK_LEFT);  // from 120, one step a key
    };
    COLORREF chosen = run(0xFFFFFF, {[](HWND dlg) { tap(preset(dlg, 0x0000FF)); }, toSixty, record(&seen), tapOk});
    EXPECT_EQ(seen.slider, 60);
    EXPECT_EQ(chosen, 0x00007Fu);
    EXPECT_EQ(seen.red, u"127");
    EXPECT_EQ(seen.green, u"0");
    EXPECT_EQ(seen.blue, u"0");
}

TEST_F(ColourPicker, DraggingTheThumbChangesTheColourFromTheFirstMove) {
    COLORREF chosen = run(0x0000FF, {[](HWND dlg) {
                                         HWND slider = GetDlgItem(dlg, res::kIdColourSlider);
                                         RECT thumb{};
                                         SendMessageW(slider, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
                                         POINT at = toScreen(slider, (thumb.left + thumb.right) / 2,
                                                             (thumb.top + thumb.bottom) / 2);
                                         device::penDown(at.x, at.y);
                                         device::penMove(at.x + 20, at.y);
                                     },
                                     [](HWND dlg) {
                                         // Still held: the swatch follows already.
                                         int position =
                                             (int)SendDlgItemMessageW(dlg, res::kIdColourSlider, TBM_GETPOS, 0, 0);
                                         EXPECT_GT(position, 120);
                                         EXPECT_EQ(textOf(GetDlgItem(dlg, res::kIdColourGreen)),
                                                   textOf(GetDlgItem(dlg, res::kIdColourBlue)));
                                         EXPECT_NE(textOf(GetDlgItem(dlg, res::kIdColourGreen)), u"0");
                                         RECT rc;
                                         GetWindowRect(GetDlgItem(dlg, res::kIdColourSlider), &rc);
                                         device::penUp(rc.left, rc.top);
                                     },
                                     tapOk});
    // Lighter red: red stays full, green and blue rise together.
    EXPECT_EQ(GetRValue(chosen), 255);
    EXPECT_GT(GetGValue(chosen), 0);
    EXPECT_EQ(GetGValue(chosen), GetBValue(chosen));
}

TEST_F(ColourPicker, TypedNumbersAreClampedAnEmptiedFieldBecomesZeroAndTheSliderFollows) {
    setSettingInt(SETTING_COLORPICKERSELECTIONMODE, 0);
    Seen seen, afterClear;
    COLORREF swatch = 0;
    COLORREF chosen = run(0x808080, {[](HWND dlg) { typeInto(dlg, res::kIdColourRed, u"300"); }, record(&seen),
                                     [](HWND dlg) { typeInto(dlg, res::kIdColourGreen, u""); },
                                     record(&afterClear), [&](HWND dlg) { swatch = swatchOnScreen(dlg); }, tapOk});
    EXPECT_TRUE(seen.fieldsShown);
    EXPECT_FALSE(seen.presetsShown);
    EXPECT_EQ(seen.red, u"255");
    EXPECT_EQ(seen.green, u"128");
    EXPECT_EQ(seen.slider, lightnessToSlider(colourToHsl(RGB(255, 128, 128)).L));
    EXPECT_EQ(afterClear.green, u"0");
    EXPECT_EQ(afterClear.slider, lightnessToSlider(colourToHsl(RGB(255, 0, 128)).L));
    // Typed numbers are taken as they are, not through the lightness scale.
    EXPECT_EQ(chosen, RGB(255, 0, 128));
    EXPECT_EQ(swatch, RGB(255, 0, 128));
}

TEST_F(ColourPicker, TheFieldsOnlyTakeDigitsAndThreeOfThem) {
    setSettingInt(SETTING_COLORPICKERSELECTIONMODE, 0);
    Seen seen;
    run(0x000000, {[](HWND dlg) { typeInto(dlg, res::kIdColourBlue, u"1a2345"); }, record(&seen), tapCancel});
    EXPECT_EQ(seen.blue, u"123");
}

TEST_F(ColourPicker, TheModeChosenLastIsTheOneShownNextTime) {
    Seen first, switched, next;
    run(0x000000, {record(&first), [](HWND dlg) { tap(GetDlgItem(dlg, res::kIdColourMode)); }, record(&switched),
                   tapCancel});
    EXPECT_TRUE(first.presetsShown);
    EXPECT_TRUE(switched.fieldsShown);
    EXPECT_FALSE(switched.presetsShown);
    int stored = -1;
    ASSERT_EQ(getSettingInt(SETTING_COLORPICKERSELECTIONMODE, &stored), 1);
    EXPECT_EQ(stored, 0);
    steps = Steps{};
    run(0x000000, {record(&next), [](HWND dlg) { tap(GetDlgItem(dlg, res::kIdColourMode)); }, tapCancel});
    EXPECT_TRUE(next.fieldsShown);
    ASSERT_EQ(getSettingInt(SETTING_COLORPICKERSELECTIONMODE, &stored), 1);
    EXPECT_EQ(stored, 1);
}

TEST_F(ColourPicker, TheDialogIsAsWideAsTheGridWithTheFieldsCentredAndRoundedCorners) {
    RECT client{}, first{}, lastOfRow{}, owner{}, window{};
    RECT labels[3], fields[3];
    run(0x000000, {[&](HWND dlg) {
                       GetClientRect(dlg, &client);
                       GetWindowRect(dlg, &window);
                       GetWindowRect(GetWindow(dlg, GW_OWNER), &owner);
                       first = rectInParent(GetDlgItem(dlg, res::kIdColourPresetFirst));
                       lastOfRow = rectInParent(GetDlgItem(dlg, res::kIdColourPresetFirst + 5));
                       const int labelIds[3] = {res::kIdColourRedLabel, res::kIdColourGreenLabel,
                                                res::kIdColourBlueLabel};
                       const int fieldIds[3] = {res::kIdColourRed, res::kIdColourGreen, res::kIdColourBlue};
                       for (int i = 0; i < 3; ++i) {
                           labels[i] = rectInParent(GetDlgItem(dlg, labelIds[i]));
                           fields[i] = rectInParent(GetDlgItem(dlg, fieldIds[i]));
                       }
                       // Outside the rounded corner the owner shows.
                       EXPECT_EQ(screenPixel(window.left, window.top), 0xFFFFFFu);
                       EXPECT_EQ(screenPixel(window.left + 6, window.top), 0x000000u);  // the border
                       EXPECT_EQ(screenPixel(window.left + 8, window.top + 4), kDialogBandColour);
                   },
                   tapCancel});
    EXPECT_EQ(client.right, first.left + lastOfRow.right);
    EXPECT_EQ(client.right - lastOfRow.right, first.left);
    int middle = (owner.left + owner.right) / 2;
    EXPECT_LE(std::abs((window.left + window.right) / 2 - middle), 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(std::abs(labels[i].left - (client.right - fields[i].right)), 1) << i;
        EXPECT_LT(labels[i].right, fields[i].left);
    }
}

TEST_F(ColourPicker, TheCaptionBandMovesTheDialogWithThePenButNotOffTheScreen) {
    Seen before, after, unmoved, pushed;
    run(0x000000, {record(&before),
                   [](HWND dlg) {
                       POINT at = toScreen(dlg, 30, 4);
                       device::penDown(at.x, at.y);
                       device::penMove(at.x - 2, at.y + 30);
                       device::penUp(at.x - 2, at.y + 30);
                   },
                   record(&after),
                   [](HWND dlg) {
                       // Below the band the pen does not move it.
                       RECT rc;
                       GetClientRect(dlg, &rc);
                       POINT at = toScreen(dlg, rc.right - 3, rc.bottom - 3);
                       device::penDown(at.x, at.y);
                       device::penMove(at.x, at.y - 40);
                       device::penUp(at.x, at.y - 40);
                   },
                   record(&unmoved),
                   [](HWND dlg) {
                       POINT at = toScreen(dlg, 30, 4);
                       device::penDown(at.x, at.y);
                       device::penMove(at.x - 100, at.y + 400);
                       device::penUp(at.x - 100, at.y + 400);
                   },
                   record(&pushed), tapCancel});
    EXPECT_EQ(after.window.left, before.window.left - 2);
    EXPECT_EQ(after.window.top, before.window.top + 30);
    EXPECT_EQ(after.window.right - after.window.left, before.window.right - before.window.left);
    EXPECT_EQ(unmoved.window.top, after.window.top);
    EXPECT_EQ(pushed.window.left, 0);
    EXPECT_EQ(pushed.window.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(ColourPicker, TheThumbIsDrawnByTheDialog) {
    COLORREF inside = 0, edge = 0;
    run(0x000000, {[&](HWND dlg) {
                       HWND slider = GetDlgItem(dlg, res::kIdColourSlider);
                       RECT thumb{};
                       SendMessageW(slider, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
                       POINT middle = toScreen(slider, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
                       POINT corner = toScreen(slider, thumb.left, thumb.top);
                       inside = screenPixel(middle.x, middle.y);
                       edge = screenPixel(corner.x, corner.y);
                   },
                   tapCancel});
    EXPECT_EQ(inside, 0xFAFAFAu);
    EXPECT_EQ(edge, 0x000000u);
}

TEST_F(ColourPicker, LooksRightOnTheOrdinaryScreen) {
    // Screenshots to look at; the run itself must still end as a Cancel does.
    EXPECT_EQ(run(0x3366CC, {[](HWND dlg) { tap(preset(dlg, 0x0000FF)); }, [](HWND) { shot("colour_picker_presets"); },
                             [](HWND dlg) { tap(GetDlgItem(dlg, res::kIdColourMode)); },
                             [](HWND) { shot("colour_picker_fields"); }, tapCancel}),
              0x3366CCu);
}

TEST_F(ColourPicker, LooksRightOnTheHighResolutionScreen) {
    useHiRes();
    registerProgramResources();
    Seen seen;
    RECT client{}, first{}, lastOfRow{};
    run(0x3366CC, {[](HWND dlg) { tap(preset(dlg, 0x00FF00)); }, record(&seen),
                   [&](HWND dlg) {
                       GetClientRect(dlg, &client);
                       first = rectInParent(GetDlgItem(dlg, res::kIdColourPresetFirst));
                       lastOfRow = rectInParent(GetDlgItem(dlg, res::kIdColourPresetFirst + 5));
                       shot("colour_picker_hires_presets");
                   },
                   [](HWND dlg) { tap(GetDlgItem(dlg, res::kIdColourMode)); },
                   [](HWND) { shot("colour_picker_hires_fields"); }, tapOk});
    EXPECT_EQ(seen.green, u"255");
    EXPECT_EQ(client.right, first.left + lastOfRow.right);
    EXPECT_LE(client.right, 480);
}

}  // namespace
