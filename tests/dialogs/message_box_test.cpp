// The message dialog as a user meets it: the buttons of each style and what
// they answer, the keys that do and don't close it, its layout around the
// text, the warning picture and the framed look.
#include "common/message_dialog.h"
#include "dialogs/dialog_look.h"
#include "dialogs/message_box.h"
#include "dialogs_fixture.h"
#include "resources/resource_ids.h"

using namespace dlgs;

namespace {

struct Seen {
    std::u16string text, ok, cancel, caption;
    bool cancelVisible = false;
    bool okVisible = false;
    RECT okRect{}, cancelRect{}, textRect{}, client{};
    RECT window{};
};

Seen look(HWND dlg) {
    Seen s;
    HWND ok = GetDlgItem(dlg, res::kIdOk);
    HWND cancel = GetDlgItem(dlg, res::kIdCancel);
    HWND text = GetDlgItem(dlg, res::kIdMessageText);
    s.text = textOf(text);
    s.ok = textOf(ok);
    s.cancel = textOf(cancel);
    s.caption = textOf(dlg);
    s.okVisible = IsWindowVisible(ok);
    s.cancelVisible = IsWindowVisible(cancel);
    s.okRect = rectInParent(ok);
    s.cancelRect = rectInParent(cancel);
    s.textRect = rectInParent(text);
    GetClientRect(dlg, &s.client);
    GetWindowRect(dlg, &s.window);
    return s;
}

class MessageDialog : public DialogsTest {
protected:
    // Opens the dialog, records what it shows, then runs `answer` on it.
    int run(const char16_t* text, const char16_t* caption, int style, std::function<void(HWND)> answer) {
        HWND owner = makeOwner();
        Steps steps;
        steps.list = {[&] {
            seen = look(activeDialog());
            answer(activeDialog());
        }};
        play(steps);
        return showMessageDialog(owner, text, caption, style);
    }
    Seen seen;
};

void tapOk(HWND dlg) { tap(GetDlgItem(dlg, res::kIdOk)); }
void tapCancel(HWND dlg) { tap(GetDlgItem(dlg, res::kIdCancel)); }

}  // namespace

TEST(MessageStyle, TheWarningPictureIsFortyEightAndTheRestChoosesTheButtons) {
    EXPECT_FALSE(decodeMessageStyle(0).warning);
    EXPECT_EQ(decodeMessageStyle(0).buttons, MESSAGE_SET_OK);
    EXPECT_TRUE(decodeMessageStyle(48).warning);
    EXPECT_EQ(decodeMessageStyle(48).buttons, MESSAGE_SET_OK);
    EXPECT_EQ(decodeMessageStyle(49).buttons, MESSAGE_SET_OKCANCEL);
    EXPECT_EQ(decodeMessageStyle(52).buttons, MESSAGE_SET_YESNO);
    EXPECT_EQ(decodeMessageStyle(1).buttons, MESSAGE_SET_OKCANCEL);
    EXPECT_FALSE(decodeMessageStyle(4).warning);
    // A set that does not exist still gets a button to close the dialog.
    EXPECT_EQ(decodeMessageStyle(50).buttons, MESSAGE_SET_OK);
    EXPECT_EQ(decodeMessageStyle(3).buttons, MESSAGE_SET_OK);
}

TEST_F(MessageDialog, PlainStyleShowsOneCentredOkAndAnswersOne) {
    EXPECT_EQ(run(u"Could not open the list", u"Error", 0, tapOk), IDOK);
    EXPECT_EQ(seen.text, u"Could not open the list");
    EXPECT_EQ(seen.caption, u"Error");
    EXPECT_EQ(seen.ok, u"OK");
    EXPECT_TRUE(seen.okVisible);
    EXPECT_FALSE(seen.cancelVisible);
    int width = seen.client.right;
    int okWidth = seen.okRect.right - seen.okRect.left;
    EXPECT_EQ(seen.okRect.left, (width - okWidth) / 2);
}

TEST_F(MessageDialog, OkCancelAnswersOneOrTwo) {
    EXPECT_EQ(run(u"Delete the list?", u"Warning", 49, tapCancel), IDCANCEL);
    EXPECT_TRUE(seen.cancelVisible);
    EXPECT_EQ(seen.cancel, u"Cancel");
    EXPECT_EQ(run(u"Delete the list?", u"Warning", 49, tapOk), IDOK);
    // Both keep their places side by side on one row.
    EXPECT_LT(seen.okRect.right, seen.cancelRect.left);
    EXPECT_EQ(seen.okRect.top, seen.cancelRect.top);
}

TEST_F(MessageDialog, YesNoRelabelsTheButtonsAndAnswersSixOrSeven) {
    EXPECT_EQ(run(u"Save changes?", u"Warning Message", 52, tapCancel), IDNO);
    EXPECT_EQ(seen.ok, u"Yes");
    EXPECT_EQ(seen.cancel, u"No");
    EXPECT_EQ(run(u"Save changes?", u"Warning Message", 52, tapOk), IDYES);
}

TEST_F(MessageDialog, EnterPressesTheDefaultButton) {
    EXPECT_EQ(run(u"Really?", u"Warning", 52, [](HWND) { press(VK_RETURN); }), IDYES);
    EXPECT_EQ(run(u"Really?", u"Warning", 49, [](HWND) { press(VK_RETURN); }), IDOK);
}

TEST_F(MessageDialog, EscapeAndThePlatformsOkAndCancelDoNotAnswer) {
    bool openAfter = false;
    int result = run(u"Really?", u"Warning", 52, [&](HWND dlg) {
        press(VK_ESCAPE);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        SendMessageW(dlg, WM_CLOSE, 0, 0);
        openAfter = IsWindowVisible(dlg);
    });
    EXPECT_TRUE(openAfter);
    // Nothing answered, so the loop only ended when the test ran out of input.
    EXPECT_NE(result, IDYES);
    EXPECT_NE(result, IDNO);
    EXPECT_NE(result, IDCANCEL);
}

TEST_F(MessageDialog, AOneLineMessageGetsTwoLinesAndALongOneWrapsAndGrowsTheDialog) {
    run(u"Short", u"Info", 0, tapOk);
    Seen shortOne = seen;
    std::u16string longText;
    for (int i = 0; i < 12; ++i) longText += u"words that wrap ";
    run(longText.c_str(), u"Info", 0, tapOk);
    Seen longOne = seen;
    int shortHeight = shortOne.textRect.bottom - shortOne.textRect.top;
    int longHeight = longOne.textRect.bottom - longOne.textRect.top;
    EXPECT_GT(longHeight, 2 * shortHeight);
    EXPECT_GT(longOne.window.bottom - longOne.window.top, shortOne.window.bottom - shortOne.window.top);
    // Each time the button row sits below the text and the dialog ends below it.
    for (const Seen& s : {shortOne, longOne}) {
        EXPECT_GT(s.okRect.top, s.textRect.bottom);
        EXPECT_GT(s.client.bottom, s.okRect.bottom);
    }
    // The one-line area is exactly two of its lines high.
    run(u"Short", u"Info", 0, [&](HWND dlg) {
        TEXTMETRICW tm = {};
        HDC dc = GetDC(dlg);
        SelectObject(dc, (HFONT)SendDlgItemMessageW(dlg, res::kIdMessageText, WM_GETFONT, 0, 0));
        GetTextMetricsW(dc, &tm);
        ReleaseDC(dlg, dc);
        EXPECT_EQ(shortHeight, 2 * tm.tmHeight);
        tapOk(dlg);
    });
}

TEST_F(MessageDialog, TheWarningPictureMovesTheTextRightAndTheButtonsBelowIt) {
    run(u"Careful", u"Warning", 0, tapOk);
    Seen plain = seen;
    run(u"Careful", u"Warning", 48, tapOk);
    Seen warned = seen;
    EXPECT_GT(warned.textRect.left, plain.textRect.left);
    EXPECT_LT(warned.textRect.right - warned.textRect.left, plain.textRect.right - plain.textRect.left);
    // The picture (33 x 29) is drawn from (w, 3w): the button row is at least
    // its height + 4w down.
    EXPECT_GE(warned.okRect.top, 29 + 4 * 10);
    EXPECT_GT(warned.okRect.top, plain.okRect.top);
}

TEST_F(MessageDialog, TextsAreCutTo199Characters) {
    std::u16string text(300, u'x');
    std::u16string caption(250, u'c');
    run(text.c_str(), caption.c_str(), 0, tapOk);
    EXPECT_EQ(seen.text.size(), 199u);
    EXPECT_EQ(seen.caption.size(), 199u);
}

TEST_F(MessageDialog, ItHasRoundedCornersAWhiteClientAndABlueCaptionBand) {
    COLORREF corner = 0, inside = 0, band = 0, body = 0, edge = 0;
    int regionCornerIn = -1, regionInsideIn = -1;
    run(u"Look at me", u"Information", 48, [&](HWND dlg) {
        RECT w;
        GetWindowRect(dlg, &w);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(dlg, rgn);
        regionCornerIn = PtInRegion(rgn, 0, 0);
        regionInsideIn = PtInRegion(rgn, 5, 0);
        DeleteObject(rgn);
        corner = screenPixel(w.left, w.top);
        inside = screenPixel(w.left + 2, w.top + 6);
        band = screenPixel(w.left + 8, w.top + 3);
        body = screenPixel(w.right - 8, w.bottom - 3);
        edge = screenPixel(w.left, w.top + 10);
        shot("message_dialog_warning");
        tapOk(dlg);
    });
    EXPECT_EQ(regionCornerIn, 0);
    EXPECT_NE(regionInsideIn, 0);
    EXPECT_EQ(corner, 0xFFFFFFu) << "the owner's white shows through the cut corner";
    EXPECT_EQ(band, kDialogBandColour);
    EXPECT_EQ(body, kDialogWhite);
    EXPECT_EQ(edge, 0x000000u) << "the bevelled border";
    (void)inside;
}

TEST_F(MessageDialog, MessageDialogOfTheSharedHelpersShowsItOnceInstalled) {
    MessageDialogHandler before = setMessageDialogHandler(nullptr);
    HWND owner = makeOwner();
    EXPECT_EQ(messageDialog(owner, u"x", u"y", 0), 0);
    installMessageDialog();
    std::u16string shown;
    Steps steps;
    steps.list = {[&] {
        shown = textOf(GetDlgItem(activeDialog(), res::kIdMessageText));
        tap(GetDlgItem(activeDialog(), res::kIdCancel));
    }};
    play(steps);
    EXPECT_EQ(messageDialog(owner, u"You need to select an item", u"Warning", 49), IDCANCEL);
    EXPECT_EQ(shown, u"You need to select an item");
    setMessageDialogHandler(before);
}

TEST_F(MessageDialog, OnTheHighResolutionScreenTheBiggerPictureAndATripleBorder) {
    useHiRes();
    run(u"Careful", u"Warning", 48, [](HWND dlg) {
        RECT w;
        GetWindowRect(dlg, &w);
        // Three rings of border on the left edge, a little below the bevel.
        int y = (w.top + w.bottom) / 2;
        EXPECT_EQ(screenPixel(w.left, y), 0x000000u);
        EXPECT_EQ(screenPixel(w.left + 1, y), 0x000000u);
        EXPECT_EQ(screenPixel(w.left + 2, y), 0x000000u);
        EXPECT_EQ(screenPixel(w.left + 3, y), kDialogWhite);
        shot("message_dialog_hires");
        tapOk(dlg);
    });
    EXPECT_GE(seen.okRect.top, 57);
}
