// The notice, About box, information window and progress window: what they
// show, what closes them, and the information window's wrapping and size.
#include "commctrl.h"
#include "dialogs/about.h"
#include "dialogs/dialog_look.h"
#include "dialogs/info_window.h"
#include "dialogs/notice.h"
#include "dialogs/progress_window.h"
#include "dialogs_fixture.h"
#include "platform/window/window_system.h"
#include "resources/resource_ids.h"

using namespace dlgs;

namespace {

class Windows : public DialogsTest {};

// The lines of a wrapped text.
std::vector<std::u16string> linesOf(const std::u16string& text) {
    std::vector<std::u16string> lines(1);
    for (char16_t c : text) {
        if (c == u'\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

int widthOf(HFONT font, const std::u16string& line) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rc = {0, 0, 0, 0};
    DrawTextW(dc, line.c_str(), (int)line.size(), &rc, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return rc.right;
}

}  // namespace

TEST_F(Windows, TheNoticeShowsItsThreeParagraphsAndClosesOnOkOrThePlatformsCommands) {
    HWND owner = makeOwner();
    std::u16string caption, first, third;
    int regionCorner = -1;
    Steps steps;
    steps.list = {[&] {
        HWND dlg = activeDialog();
        caption = textOf(dlg);
        first = textOf(GetDlgItem(dlg, res::kIdNoticeText1));
        third = textOf(GetDlgItem(dlg, res::kIdNoticeText3));
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(dlg, rgn);
        regionCorner = PtInRegion(rgn, 0, 0);
        DeleteObject(rgn);
        shot("notice");
        tap(GetDlgItem(dlg, res::kIdOk));
    }};
    play(steps);
    showNotice(owner);
    EXPECT_EQ(steps.next, 1u);
    EXPECT_EQ(caption, u"Notice");
    EXPECT_EQ(first.rfind(u"For maximum performance, Quillet should be installed in main memory.", 0), 0u);
    EXPECT_EQ(third, u"Please review the user guide for more details.");
    EXPECT_EQ(regionCorner, 0);

    Steps escape;
    escape.list = {[] { press(VK_ESCAPE); }};
    play(escape);
    showNotice(owner);
    EXPECT_FALSE(IsWindowVisible(activeDialog()) && activeDialog() != owner);
}

TEST_F(Windows, TheAboutBoxIsFullScreenWithNameAndVersionAndItsDoneButtonClosesIt) {
    HWND owner = makeOwner();
    std::u16string name, version;
    RECT window{};
    bool closed = false;
    Steps steps;
    steps.list = {[&] {
        HWND dlg = activeDialog();
        name = textOf(GetDlgItem(dlg, res::kIdAboutName));
        version = textOf(GetDlgItem(dlg, res::kIdAboutVersion));
        GetWindowRect(dlg, &window);
        shot("about");
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        closed = true;
    }};
    play(steps);
    EXPECT_EQ(onAbout(owner, res::kCmdAbout, nullptr, 0), 0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(name, u"Quillet Pro");
    EXPECT_EQ(version, u"2.3");
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.right, 240);
    EXPECT_EQ(window.top, 26);
}

TEST_F(Windows, WrapBreaksBeforeTheCharacterThatWouldOverflowWhereverItFalls) {
    HFONT font = createDialogFont(10, 400);
    WCHAR text[INFO_TEXT_CHARS] = u"\\My Documents\\Lists\\Household\\groceries-and-errands.qu2";
    std::u16string original = text;
    wrapTextToWidth(text, INFO_TEXT_CHARS, 80, DT_CENTER | DT_NOPREFIX, font);
    std::vector<std::u16string> lines = linesOf(text);
    ASSERT_GT(lines.size(), 1u);
    std::u16string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(widthOf(font, lines[i]), 80) << "line " << i;
        // Each line is as full as it can be: the next character would not fit.
        if (i + 1 < lines.size()) {
            EXPECT_GT(widthOf(font, lines[i] + lines[i + 1][0]), 80) << "line " << i;
        }
        joined += lines[i];
    }
    EXPECT_EQ(joined, original) << "only line feeds are added";
    DeleteObject(font);
}

TEST_F(Windows, WrapKeepsTextThatFitsAndItsOwnLineFeedsAndCutsToTheCapacity) {
    HFONT font = createDialogFont(10, 400);
    WCHAR fits[INFO_TEXT_CHARS] = u"lists.qu2\n- Number of Lists: 3";
    wrapTextToWidth(fits, INFO_TEXT_CHARS, 200, DT_CENTER | DT_NOPREFIX, font);
    EXPECT_EQ(std::u16string(fits), u"lists.qu2\n- Number of Lists: 3");

    WCHAR empty[4] = u"";
    wrapTextToWidth(empty, 4, 10, 0, font);
    EXPECT_EQ(empty[0], 0);

    // Every character needs its own line: the feeds push the end out.
    WCHAR small[8] = u"WWWWWWW";
    wrapTextToWidth(small, 8, 1, 0, font);
    EXPECT_EQ(std::u16string(small).size(), 7u);
    EXPECT_EQ(std::u16string(small).substr(0, 3), u"\nW\n");
    DeleteObject(font);
}

TEST_F(Windows, TheInformationWindowGrowsWithItsTextAndOnlyOkClosesIt) {
    HWND owner = makeOwner();
    struct Seen {
        RECT text, ok, client;
        std::u16string shown, caption;
    };
    auto open = [&](const char16_t* text, std::function<void(HWND)> extra) {
        Seen seen{};
        Steps steps;
        steps.list = {[&] {
            HWND dlg = activeDialog();
            seen.text = rectInParent(GetDlgItem(dlg, res::kIdMessageText));
            seen.ok = rectInParent(GetDlgItem(dlg, res::kIdOk));
            GetClientRect(dlg, &seen.client);
            seen.shown = textOf(GetDlgItem(dlg, res::kIdMessageText));
            seen.caption = textOf(dlg);
            extra(dlg);
            tap(GetDlgItem(dlg, res::kIdOk));
        }};
        play(steps);
        EXPECT_EQ(showInfoWindow(owner, text, u"Database Attributes"), 1);
        return seen;
    };
    Seen shortOne = open(u"lists.qu2", [](HWND dlg) {
        // The platform's commands are not acted on.
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindowVisible(dlg));
    });
    Seen longOne = open(u"\\My Documents\\Household\\Lists of the whole family\\everything.qu2\n- Number of Lists: 12",
                        [](HWND dlg) {
                            // Every line of the text fits in the text area as it is drawn.
                            HWND text = GetDlgItem(dlg, res::kIdMessageText);
                            RECT area = rectInParent(text);
                            RECT need = {0, 0, area.right - area.left, 0};
                            HDC dc = GetDC(text);
                            SelectObject(dc, (HFONT)SendMessageW(text, WM_GETFONT, 0, 0));
                            std::u16string shown = textOf(text);
                            DrawTextW(dc, shown.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
                            ReleaseDC(text, dc);
                            EXPECT_LE(need.bottom, area.bottom - area.top);
                            shot("information");
                        });
    EXPECT_EQ(shortOne.caption, u"Database Attributes");
    EXPECT_EQ(shortOne.shown, u"lists.qu2");
    EXPECT_NE(longOne.shown.find(u'\n'), std::u16string::npos);
    EXPECT_GT(longOne.text.bottom - longOne.text.top, 2 * (shortOne.text.bottom - shortOne.text.top));
    for (const Seen& s : {shortOne, longOne}) {
        EXPECT_GT(s.ok.top, s.text.bottom) << "OK stays below the text";
        EXPECT_GT(s.client.bottom, s.ok.bottom);
    }
    // The template is 112 units high; a one-line text makes the dialog smaller.
    EXPECT_LT(shortOne.client.bottom, 112 * 13 / 8);
}

TEST_F(Windows, TheProgressWindowSetsItsLabelsRangeAndPositionAndGoesAwayOnClose) {
    HWND owner = makeOwner();
    HWND progress = openProgressWindow(owner);
    ASSERT_NE(progress, nullptr);
    HWND bar = GetDlgItem(progress, res::kIdProgressBar);
    startProgressWindow(progress, u"Importing List", u"Reading lines", 0, 250, 1);
    EXPECT_TRUE(IsWindowVisible(progress));
    EXPECT_EQ(textOf(GetDlgItem(progress, res::kIdProgressMain)), u"Importing List");
    EXPECT_EQ(textOf(GetDlgItem(progress, res::kIdProgressSub)), u"Reading lines");
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 250);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
    stepProgressWindow(progress, u"Item 120", 120);
    EXPECT_EQ(textOf(GetDlgItem(progress, res::kIdProgressSub)), u"Item 120");
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 120);
    UpdateWindow(progress);
    RECT w;
    GetWindowRect(progress, &w);
    EXPECT_EQ(screenPixel(w.left + 8, w.top + 3), kProgressYellow);
    EXPECT_EQ(screenPixel(w.left, w.top), 0xFFFFFFu) << "rounded corner";
    // Both labels are painted, not covered by the window's own background.
    for (int id : {res::kIdProgressMain, res::kIdProgressSub}) {
        RECT label;
        GetWindowRect(GetDlgItem(progress, id), &label);
        int inked = 0;
        for (int y = label.top; y < label.bottom; ++y)
            for (int x = label.left; x < label.right; ++x) inked += screenPixel(x, y) != kProgressYellow;
        EXPECT_GT(inked, 10) << "label " << id;
    }
    shot("progress");

    startProgressWindow(progress, u"Importing List", u"", 0, 10, 0);
    EXPECT_FALSE(IsWindowVisible(progress));
    closeProgressWindow(progress);
    EXPECT_FALSE(IsWindow(progress));
    closeProgressWindow(progress);  // a second close finds nothing to do
    closeProgressWindow(nullptr);
    stepProgressWindow(progress, u"gone", 3);
}
