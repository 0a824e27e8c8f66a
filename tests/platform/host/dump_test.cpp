// The dump's JSON read back: screen, input panel, cursor, windows topmost
// first with their children and class fields, the menu bar; and screenshots
// of the right size on both screens.
#include "host_fixture.h"
#include "platform/gdi/png_io.h"
#include "test_program.h"

namespace hosttest {
namespace {

class DumpTest : public HostRun {};

TEST_F(DumpTest, TheDumpDescribesScreenWindowsAndMenuBar) {
    std::string file = path("state.json");
    ASSERT_EQ(runScript("click \"Ask\"\ntype \"Milk\"\nkey Left\ndump " + file + "\nclick \"OK\"\n"), kExitCode)
        << err();
    Json d;
    ASSERT_TRUE(parseJson(readFile(file), d)) << readFile(file);
    EXPECT_EQ(d["screen"]["width"].n, 240);
    EXPECT_EQ(d["screen"]["height"].n, 320);
    EXPECT_EQ(d["screen"]["dpi"].n, 96);
    EXPECT_EQ(d["sip"]["up"].kind, Json::Bool);
    EXPECT_EQ(d["cursor"].s, "arrow");

    // The dialog is in front of the main window, and has the focus.
    const Json& windows = d["windows"];
    int dialog = -1, main = -1;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i]["text"].s == "Question") dialog = (int)i;
        if (windows[i]["text"].s == "Host Test") main = (int)i;
    }
    ASSERT_GE(dialog, 0);
    ASSERT_GE(main, 0);
    EXPECT_LT(dialog, main);
    EXPECT_FALSE(windows[(size_t)main]["enabled"].b);  // disabled under its modal dialog

    const Json* ok = findWindow(windows, "text", "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ((*ok)["id"].n, 1);
    EXPECT_TRUE((*ok)["visible"].b);
    ASSERT_EQ((*ok)["rect"].size(), 4u);
    EXPECT_LT((*ok)["rect"][0].n, (*ok)["rect"][2].n);
    // The dialog's edit took the focus and the typing; the caret moved left.
    const Json* edit = findWindow(windows, "class", "edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ((*edit)["text"].s, "Milk");
    EXPECT_TRUE((*edit)["focused"].b);
    ASSERT_EQ((*edit)["sel"].size(), 2u);
    EXPECT_EQ((*edit)["sel"][0].n, 3);
    EXPECT_EQ((*edit)["sel"][1].n, 3);
    const Json* secret = findWindow(windows, "text", "Secret");
    ASSERT_NE(secret, nullptr);
    EXPECT_FALSE((*secret)["visible"].b);
    const Json* locked = findWindow(windows, "text", "Locked");
    ASSERT_NE(locked, nullptr);
    EXPECT_FALSE((*locked)["enabled"].b);
    EXPECT_EQ((*locked)["id"].n, kLocked);

    const Json* tree = findWindow(windows, "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    const Json& groceries = (*tree)["tree"][0];
    EXPECT_EQ(groceries["text"].s, "Groceries");
    EXPECT_EQ(groceries["param"].n, 1);
    EXPECT_EQ(groceries["children"].size(), 2u);
    EXPECT_EQ((*tree)["tree"][1]["children"].size(), 20u);
    EXPECT_TRUE((*tree)["tree"][1]["expanded"].b);

    const Json& bar = d["menubar"];
    ASSERT_EQ(bar["buttons"].size(), 4u);
    EXPECT_EQ(bar["buttons"][0]["text"].s, "File");
    EXPECT_EQ(bar["buttons"][2]["tooltip"].s, "New Item");
    EXPECT_EQ(bar["buttons"][2]["id"].n, kCmdNewItem);
    EXPECT_FALSE(bar["buttons"][3]["enabled"].b);
    const Json& sort = bar["menus"]["Options"][0];
    EXPECT_EQ(sort["text"].s, "Sort");
    EXPECT_EQ(sort["items"][1]["text"].s, "By Date");
    EXPECT_TRUE(sort["items"][1]["checked"].b);
    EXPECT_FALSE(bar["menus"]["File"][1]["enabled"].b);
}

TEST_F(DumpTest, ScreenshotsHaveTheScreensSize) {
    std::string small = path("small.png"), large = path("large.png");
    ASSERT_EQ(runScript("shot " + small + "\n"), kExitCode) << err();
    ASSERT_EQ(runScript("shot " + large + "\n", {"--hires"}), kExitCode) << err();
    gdi::Surface a, b;
    ASSERT_TRUE(gdi::readPng(small, a));
    ASSERT_TRUE(gdi::readPng(large, b));
    EXPECT_EQ(a.width, 240);
    EXPECT_EQ(a.height, 320);
    EXPECT_EQ(b.width, 480);
    EXPECT_EQ(b.height, 640);
    // The navigation bar is drawn at the top (its dark band), the page below is not.
    EXPECT_NE(a.row(5)[120], a.row(150)[120]);
}

TEST_F(DumpTest, TextWithQuotesAndControlCharactersStaysValidJson) {
    std::string file = path("state.json");
    ASSERT_EQ(runScript("dump " + file + "\n"), kExitCode) << err();
    Json d;
    ASSERT_TRUE(parseJson(readFile(file), d));
    EXPECT_TRUE(d.has("windows"));
    EXPECT_TRUE(d.has("menubar"));
}

}  // namespace
}  // namespace hosttest
