// A list whose attributes name a background picture starts with that
// picture behind the list-name bar and the outline: a JPEG and a bitmap of
// the program's folder, a name that does not load (the built-in picture),
// the high-resolution screen (a small picture stretched to the work area),
// and the input panel coming up over the picture.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>

#include "e2e_run.h"
#include "platform/gdi/png_io.h"
#include "support/picture_files.h"
#include "windows.h"

namespace {

// A function, not a constant: the first-start steps are another file's
// constant, which may not be made yet when this file's constants are.
std::string threeItems() {
    return e2e::firstStart("Groceries") +
           "menu \"New Item\"\n"
           "type \"Milk\"\n"
           "key Enter\n"
           "menu \"New Item\"\n"
           "type \"Bread\"\n"
           "key Enter\n"
           "menu \"New Item\"\n"
           "type \"Apples\"\n"
           "key Enter\n";
}

// Horizontal colour bands 16 pixels high.
uint32_t band(int, int y) { return pictures::bandColour(y); }

void useBackground(const std::string& database, const std::string& file) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    std::string sql = "UPDATE ListAttributes SET bUseBitmapFile=1, strBitmapFile='" + file + "';";
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

Rect rectOf(const e2e::Json& dump, const std::string& cls) {
    const e2e::Json* w = e2e::findWindow(dump["windows"], "class", cls);
    if (!w) return {};
    const e2e::Json& r = (*w)["rect"];
    return {(int)r[0].n, (int)r[1].n, (int)r[2].n, (int)r[3].n};
}

COLORREF at(const gdi::Surface& s, int x, int y) { return gdi::colorrefFromPixel(s.row(y)[x]); }

bool near(COLORREF a, COLORREF b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

// Screen rows of a column near the right end of `area` (past the texts,
// and before the name bar's drop-down mark) that do not show the picture.
// `expected` gives the picture's colour for a row of the main window, whose
// client area starts at `clientTop`.
int mismatches(const gdi::Surface& shot, Rect area, int clientTop, int tolerance,
               const std::function<COLORREF(int)>& expected) {
    int x = area.right - 12;
    int wrong = 0;
    for (int y = area.top; y < area.bottom; ++y)
        if (!near(at(shot, x, y), expected(y - clientTop), tolerance)) ++wrong;
    return wrong;
}

class Background : public ::testing::Test {
protected:
    // A first start with three items, then the picture named for the list.
    void prepare(const std::string& file) {
        ASSERT_EQ(run.script(threeItems()), 0) << run.err();
        useBackground(run.database(), file);
    }
    void shoot(const std::vector<std::string>& args = {}, const std::string& more = "") {
        ASSERT_EQ(run.script(more + "shot start.png\ndump start.json\n", args), 0) << run.err();
        ASSERT_TRUE(gdi::readPng(run.path("start.png"), shot));
        dump = e2e::readJson(run.path("start.json"));
        outline = rectOf(dump, "systreeview32");
        nameBar = rectOf(dump, "static");
        ASSERT_GT(outline.bottom, outline.top);
    }
    e2e::Run run;
    gdi::Surface shot;
    e2e::Json dump;
    Rect outline, nameBar;
};

TEST_F(Background, AJpegNamedByTheListIsBehindTheNameBarAndTheOutline) {
    prepare("sky.jpg");
    pictures::writeFile(run.programFolder() + "/sky.jpg", pictures::jpegBytes(240, 268, band));
    shoot();
    int top = nameBar.top;  // the main window's client area starts with the bar
    auto picture = [](int y) { return pictures::bandColour(y); };
    // Decoding is lossy, and band edges blur: a row may be off near an edge.
    EXPECT_LE(mismatches(shot, outline, top, 24, picture), (outline.bottom - outline.top) / 8);
    EXPECT_LE(mismatches(shot, nameBar, top, 24, picture), 2);
    // The items are drawn over it.
    EXPECT_EQ((*e2e::findWindow(dump["windows"], "class", "systreeview32"))["visible"].b, true);
}

TEST_F(Background, ABitmapShowsExactlyAndAnUnknownNameGivesTheBuiltInPicture) {
    prepare("bands.bmp");
    pictures::writeFile(run.programFolder() + "/bands.bmp", pictures::bmpBytes(240, 300, band));
    shoot();
    int top = nameBar.top;
    auto picture = [](int y) { return pictures::bandColour(y); };
    EXPECT_EQ(mismatches(shot, outline, top, 0, picture), 0);
    EXPECT_EQ(mismatches(shot, nameBar, top, 0, picture), 0);

    useBackground(run.database(), "nowhere.jpg");
    shoot();
    // The built-in picture is a light wash, nothing like the bands.
    EXPECT_GT(mismatches(shot, outline, top, 0, picture), (outline.bottom - outline.top) / 2);
    COLORREF c = at(shot, outline.right - 6, outline.top + 10);
    EXPECT_GT(GetRValue(c), 200);
    EXPECT_GT(GetBValue(c), 200);
    EXPECT_NE(c, 0xFFFFFFu);  // not the plain white of a list without a picture
}

TEST_F(Background, OnTheHighResolutionScreenASmallPictureIsStretchedToTheWorkArea) {
    prepare("bands.bmp");
    pictures::writeFile(run.programFolder() + "/bands.bmp", pictures::bmpBytes(240, 268, band));
    shoot({"--hires"});
    ASSERT_EQ(shot.width, 480);
    int top = nameBar.top;
    // Work area 480 x 536: the 268 rows are stretched to twice their height.
    auto stretched = [](int y) { return pictures::bandColour(y * 268 / 536); };
    EXPECT_LE(mismatches(shot, outline, top, 0, stretched), 4);
}

TEST_F(Background, ThePictureStaysInPlaceWhenTheInputPanelComesUp) {
    prepare("bands.bmp");
    pictures::writeFile(run.programFolder() + "/bands.bmp", pictures::bmpBytes(240, 300, band));
    // The menu bar's keyboard button (right end) raises the panel.
    shoot({}, "tap 225 307\n");
    ASSERT_TRUE(dump["sip"]["up"].b);
    int top = nameBar.top;
    EXPECT_EQ(mismatches(shot, outline, top, 0, [](int y) { return pictures::bandColour(y); }), 0);
}

}  // namespace
