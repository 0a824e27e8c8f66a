// The pane's own behaviour: time stamps and where they go, the tap-and-hold
// popup and its states, the find match drawn over the note, the background.
#include "notes_fixture.h"
#include "outline/notes.h"
#include "outline/tree_ops.h"
#include "platform/gdi/surface.h"
#include "platform/shell/menu_query.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "resources/resource_ids.h"
#include "storage/settings.h"

using namespace notestest;

namespace {

class NotesPane : public NotesTest {
protected:
    void SetUp() override {
        NotesTest::SetUp();
        row(1, 0, 1, "Milk", "semi skimmed");
        row(2, 0, 2, "Bread");
        load();
        select(1);
    }
    // Screen colour at a client point of the pane.
    COLORREF paneColour(int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwndNotes, &p);
        const gdi::Surface& s = device::screenSurface();
        return gdi::colorrefFromPixel(s.row(p.y)[p.x]);
    }
    std::map<std::u16string, bool> popupStates() {
        std::map<std::u16string, bool> states;
        for (const device::MenuItemState& item : device::openPopupItems(0))
            if (!item.separator) states[item.text] = item.enabled;
        return states;
    }
};

std::u16string dateOf(const SYSTEMTIME& t) {
    WCHAR out[80] = {};
    GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &t, nullptr, out, 80);
    return out;
}
std::u16string timeOf(const SYSTEMTIME& t) {
    WCHAR out[80] = {};
    GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, &t, nullptr, out, 80);
    return out;
}

}  // namespace

TEST(TimeStamp, EachFormatOfTheSetting) {
    SYSTEMTIME t{};
    t.wYear = 2024;
    t.wMonth = 3;
    t.wDay = 7;
    t.wHour = 14;
    t.wMinute = 5;
    t.wSecond = 59;
    std::u16string date = dateOf(t), time = timeOf(t);
    ASSERT_FALSE(date.empty());
    ASSERT_FALSE(time.empty());
    EXPECT_EQ(time.find(u"59"), std::u16string::npos) << "no seconds";
    WCHAR out[TIME_STAMP_CHARS];
    buildTimeStamp(t, 0, out, TIME_STAMP_CHARS);
    EXPECT_EQ(std::u16string(out), time + u" " + date);
    buildTimeStamp(t, 1, out, TIME_STAMP_CHARS);
    EXPECT_EQ(std::u16string(out), date + u" " + time);
    buildTimeStamp(t, 2, out, TIME_STAMP_CHARS);
    EXPECT_EQ(std::u16string(out), time);
    buildTimeStamp(t, 3, out, TIME_STAMP_CHARS);
    EXPECT_EQ(std::u16string(out), date);
    // An unknown setting falls back to the default order; a small buffer is cut.
    buildTimeStamp(t, 9, out, TIME_STAMP_CHARS);
    EXPECT_EQ(std::u16string(out), time + u" " + date);
    WCHAR small[4];
    buildTimeStamp(t, 3, small, 4);
    EXPECT_EQ(std::u16string(small), date.substr(0, 3));
}

TEST_F(NotesPane, InsertTimeDateReplacesTheSelectionOfTheFocusedPaneAndIsSaved) {
    intTimeStamp = 3;  // date only (no settings file: the loaded value counts)
    SetFocus(hwndNotes);
    SendMessageW(hwndNotes, EM_SETSEL, 5, 12);  // "skimmed"
    onInsertTimeDate(hwndMain, res::kCmdInsertTimeDate, nullptr, 0);
    device::runUntilIdle();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    std::u16string date = dateOf(now);
    EXPECT_EQ(paneText(), u"semi " + date);
    EXPECT_EQ(stored(1), "1|semi " + std::string(date.begin(), date.end()));
}

TEST_F(NotesPane, InsertTimeDateWithTheOutlineFocusedAndNoEditorInsertsNothing) {
    SetFocus(hwndMainTV);
    onInsertTimeDate(hwndMain, res::kCmdInsertTimeDate, nullptr, 0);
    device::runUntilIdle();
    EXPECT_EQ(paneText(), u"semi skimmed");
    EXPECT_EQ(stored(1), "1|semi skimmed");
}

TEST_F(NotesPane, InsertTimeDateGoesIntoAnOpenLabelEditorFirst) {
    intTimeStamp = 2;
    bLabelEditAllowed = 1;
    HTREEITEM item = findItemById(hwndMainTV, nullptr, 2);
    SetFocus(hwndMainTV);
    HWND editor = (HWND)SendMessageW(hwndMainTV, TVM_EDITLABELW, 0, (LPARAM)item);
    ASSERT_NE(editor, nullptr);
    SendMessageW(editor, EM_SETSEL, 0, -1);
    onInsertTimeDate(hwndMain, res::kCmdInsertTimeDate, nullptr, 0);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    WCHAR text[100] = {};
    GetWindowTextW(editor, text, 100);
    EXPECT_EQ(std::u16string(text), timeOf(now));
    EXPECT_EQ(paneText(), u"semi skimmed");
    SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, TRUE, 0);
    bLabelEditAllowed = 0;
}

TEST_F(NotesPane, TapAndHoldWithAnEmptySelectionGraysCutCopyAndClear) {
    SetFocus(hwndNotes);
    SendMessageW(hwndNotes, EM_SETSEL, 2, 2);
    std::map<std::u16string, bool> states;
    holdOnPane(20, 10, [&] {
        states = popupStates();
        device::dismissOpenPopup();
    });
    ASSERT_FALSE(states.empty()) << "the popup did not open";
    EXPECT_FALSE(states[u"Cut"]);
    EXPECT_FALSE(states[u"Copy"]);
    EXPECT_FALSE(states[u"Clear"]);
    EXPECT_FALSE(states[u"Paste"]) << "nothing on the clipboard";
    EXPECT_TRUE(states[u"Select All"]);
    EXPECT_TRUE(states[u"Insert Time/Date"]);
    EXPECT_EQ(paneText(), u"semi skimmed");
}

TEST_F(NotesPane, ThePopupsSelectAllAndClearActOnThePaneAndClearIsSaved) {
    SetFocus(hwndNotes);
    holdOnPane(20, 10, [] { EXPECT_TRUE(device::tapOpenPopupItem(u"Select All")); });
    DWORD start = 1, end = 0;
    SendMessageW(hwndNotes, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 12u);
    std::map<std::u16string, bool> states;
    holdOnPane(20, 10, [&] {
        states = popupStates();
        EXPECT_TRUE(device::tapOpenPopupItem(u"Clear"));
    });
    EXPECT_TRUE(states[u"Cut"]);
    EXPECT_TRUE(states[u"Copy"]);
    EXPECT_EQ(paneText(), u"");
    EXPECT_EQ(stored(1), "0|");
}

TEST_F(NotesPane, ThePopupsInsertTimeDateStampsThePane) {
    intTimeStamp = 2;
    SendMessageW(hwndNotes, EM_SETSEL, 0, 0);
    holdOnPane(20, 10, [] { EXPECT_TRUE(device::tapOpenPopupItem(u"Insert Time/Date")); });
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(paneText(), timeOf(now) + u"semi skimmed");
}

TEST_F(NotesPane, AFindMatchIsDrawnOverTheTextUntilThePenGoesDown) {
    setNoteHighlight(5, u"skimmed", 7);
    device::runUntilIdle();
    LRESULT pos = SendMessageW(hwndNotes, EM_POSFROMCHAR, 5, 0);
    int x = (short)LOWORD(pos), y = (short)HIWORD(pos);
    EXPECT_EQ(noteHighlightIndex(), 5);
    EXPECT_EQ(paneColour(x + 1, y + 1), kNoteMatchColour);
    // Tapping the pane clears the highlight and the text is drawn plainly again.
    POINT at{x + 1, y + 1};
    ClientToScreen(hwndNotes, &at);
    device::penDown(at.x, at.y);
    device::penUp(at.x, at.y);
    device::runUntilIdle();
    EXPECT_EQ(noteHighlightIndex(), -1);
    EXPECT_NE(paneColour(x + 1, y + 1), kNoteMatchColour);
}

TEST_F(NotesPane, AMatchOnALineBelowThePaneIsNotDrawn) {
    std::u16string longNote;
    for (int i = 0; i < 30; ++i) longNote += u"line\r\n";
    longNote += u"needle";
    SetWindowTextW(hwndNotes, longNote.c_str());
    setNoteHighlight((int)longNote.size() - 6, u"needle", 6);
    device::runUntilIdle();
    RECT client;
    GetClientRect(hwndNotes, &client);
    int magenta = 0;
    for (int yy = 0; yy < client.bottom; ++yy)
        for (int xx = 0; xx < client.right; ++xx) magenta += paneColour(xx, yy) == kNoteMatchColour;
    EXPECT_EQ(magenta, 0);
    clearNoteHighlight();
    EXPECT_EQ(noteHighlightIndex(), -1);
}

TEST_F(NotesPane, TheBackgroundIsTheListsNoteColour) {
    HBRUSH before = hbrNoteBackground;
    hbrNoteBackground = CreateSolidBrush(0x80FFFF);
    SetWindowTextW(hwndNotes, u"");
    InvalidateRect(hwndNotes, nullptr, TRUE);
    UpdateWindow(hwndNotes);
    EXPECT_EQ(paneColour(100, 40), 0x80FFFFu);
    DeleteObject(hbrNoteBackground);
    hbrNoteBackground = before;
}
