// Painting: the custom-draw stages and what their results change, the
// records the parent gets, and pixels of the control's own drawing.
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class Paint : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0, 200, 100);
        a = add(TVI_ROOT, "Alpha", 11);
        a1 = add(a, "Beta", 12);
        b = add(TVI_ROOT, "Gamma", 13);
        send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a);
        h = (int)send(TVM_GETITEMHEIGHT);
        repaint();
        parent().take();
        parent().draws.clear();
    }
    void repaint() {
        InvalidateRect(tree, nullptr, TRUE);
        device::runUntilIdle();
    }
    HTREEITEM a, a1, b;
    int h = 0;
};

TEST_F(Paint, TheOutlinesAnswersGetEveryRowThenThePostPaint) {
    parent().logCustomDraw = true;
    parent().drawAnswers[CDDS_PREPAINT] = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    parent().drawAnswers[CDDS_ITEMPREPAINT] = CDRF_SKIPDEFAULT | CDRF_NEWFONT;
    repaint();
    EXPECT_EQ(parent().take(), (Lines{"CD:PREERASE", "CD:PREPAINT", "CD:ITEMPREPAINT(Alpha)", "CD:ITEMPREPAINT(Beta)",
                                      "CD:ITEMPREPAINT(Gamma)", "CD:POSTPAINT"}));
    const auto& d = parent().draws;
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(d[3].nmcd.rc.top, h);
    EXPECT_EQ(d[3].nmcd.rc.bottom, 2 * h);
    EXPECT_EQ(d[3].nmcd.rc.left, 0);
    EXPECT_EQ(d[3].nmcd.rc.right, 200);
    EXPECT_EQ(d[3].iLevel, 1);
    EXPECT_EQ(d[3].nmcd.lItemlParam, 12);
    EXPECT_EQ((HTREEITEM)d[3].nmcd.dwItemSpec, a1);
    EXPECT_EQ(d[2].iLevel, 0);
    EXPECT_EQ(d[5].nmcd.rc.bottom, 100);
    EXPECT_NE(d[1].nmcd.hdc, nullptr);
}

TEST_F(Paint, SkippingAtPrePaintEndsThePaintAndItemPostPaintIsAskedFor) {
    parent().logCustomDraw = true;
    parent().drawAnswers[CDDS_PREPAINT] = CDRF_SKIPDEFAULT;
    repaint();
    EXPECT_EQ(parent().take(), (Lines{"CD:PREERASE", "CD:PREPAINT"}));
    parent().drawAnswers[CDDS_PREPAINT] = CDRF_NOTIFYITEMDRAW;
    parent().drawAnswers[CDDS_ITEMPREPAINT] = CDRF_NOTIFYPOSTPAINT;
    parent().drawAnswers[CDDS_PREERASE] = CDRF_NOTIFYPOSTERASE;
    repaint();
    EXPECT_EQ(parent().take(),
              (Lines{"CD:PREERASE", "CD:POSTERASE", "CD:PREPAINT", "CD:ITEMPREPAINT(Alpha)", "CD:ITEMPOSTPAINT(Alpha)",
                     "CD:ITEMPREPAINT(Beta)", "CD:ITEMPOSTPAINT(Beta)", "CD:ITEMPREPAINT(Gamma)",
                     "CD:ITEMPOSTPAINT(Gamma)"}));
}

TEST_F(Paint, OnlyRowsInTheUpdateAreaAreVisited) {
    parent().logCustomDraw = true;
    parent().drawAnswers[CDDS_PREPAINT] = CDRF_NOTIFYITEMDRAW;
    RECT second{0, h, 200, 2 * h};
    InvalidateRect(tree, &second, FALSE);
    device::runUntilIdle();
    EXPECT_EQ(parent().take(), (Lines{"CD:PREPAINT", "CD:ITEMPREPAINT(Beta)"}));
}

TEST_F(Paint, FocusIsReportedOnlyForTheSelectionOfAFocusedTree) {
    parent().drawAnswers[CDDS_PREPAINT] = CDRF_NOTIFYITEMDRAW;
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)b);
    SetFocus(top);
    repaint();
    auto stateOfRow = [&](HTREEITEM item) {
        for (const auto& d : parent().draws)
            if (d.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (HTREEITEM)d.nmcd.dwItemSpec == item) return d.nmcd.uItemState;
        return 0xFFFFu;
    };
    EXPECT_EQ(stateOfRow(b), (UINT)CDIS_SELECTED);
    parent().draws.clear();
    SetFocus(tree);
    repaint();
    EXPECT_EQ(stateOfRow(b), (UINT)(CDIS_SELECTED | CDIS_FOCUS));
    EXPECT_EQ(stateOfRow(a), 0u);
}

TEST_F(Paint, TheControlDrawsSelectionButtonsAndLinesItself) {
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)b);
    SetFocus(tree);
    repaint();
    RECT label = itemRect(b, true);
    int sy = 26 + label.top + h / 2;  // the parent sits below the navigation bar
    // Inside the label, left of the text: the highlight.
    EXPECT_EQ(screenPixel(label.left + 1, sy - 3), GetSysColor(COLOR_HIGHLIGHT));
    // The button of "Alpha": a box with a minus sign (it is open).
    int cx = 19 / 2, cy = 26 + h / 2;
    EXPECT_EQ(screenPixel(cx, cy), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(screenPixel(cx, cy - 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(screenPixel(cx - 4, cy), GetSysColor(COLOR_BTNSHADOW));
    // The dotted line from "Alpha" down to "Gamma" passes the row of "Beta".
    int lineY = 26 + h + h / 2;
    bool dotted = screenPixel(cx, lineY) == GetSysColor(COLOR_GRAYTEXT) ||
                  screenPixel(cx, lineY + 1) == GetSysColor(COLOR_GRAYTEXT);
    EXPECT_TRUE(dotted);
    // Losing the focus hides the selection without TVS_SHOWSELALWAYS ...
    SetFocus(top);
    repaint();
    EXPECT_EQ(screenPixel(label.left + 1, sy - 3), GetSysColor(COLOR_WINDOW));
    // ... and keeps it, greyed, with it.
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) | TVS_SHOWSELALWAYS);
    repaint();
    EXPECT_EQ(screenPixel(label.left + 1, sy - 3), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Paint, ThePlusSignShowsForAClosedItemAndBackgroundColourIsUsed) {
    send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)a);
    EXPECT_EQ(send(TVM_SETBKCOLOR, 0, RGB(200, 220, 240)), -1);
    repaint();
    int cx = 19 / 2, cy = 26 + h / 2;
    EXPECT_EQ(screenPixel(cx, cy - 2), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(screenPixel(150, 26 + 90), RGB(200, 220, 240));
    EXPECT_EQ(send(TVM_GETBKCOLOR), (LRESULT)RGB(200, 220, 240));
}

TEST_F(Paint, NoRedrawMeansNoPaintUntilItIsTurnedBackOn) {
    parent().logCustomDraw = true;
    send(WM_SETREDRAW, FALSE);
    add(TVI_ROOT, "Delta");
    InvalidateRect(tree, nullptr, TRUE);
    device::runUntilIdle();
    EXPECT_EQ(parent().take(), Lines{});
    send(WM_SETREDRAW, TRUE);
    device::runUntilIdle();
    Lines lines = parent().take();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "CD:PREPAINT");
}

}  // namespace
