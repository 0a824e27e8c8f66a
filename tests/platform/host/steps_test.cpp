// Each script step against the test program: what the program received,
// the end of a script (WM_CLOSE, the program's own status), and the runs
// that stop: a missing, hidden or disabled target (3) and something left
// open in front (4).
#include "host_fixture.h"
#include "test_program.h"

namespace hosttest {
namespace {

class StepsTest : public HostRun {};

TEST_F(StepsTest, AnEmptyScriptClosesTheMainWindowAndReturnsTheProgramsStatus) {
    EXPECT_EQ(runScript("# nothing to do\n"), kExitCode);
    ASSERT_FALSE(programLog().empty());
    EXPECT_EQ(programLog().back(), "close");
    EXPECT_EQ(err(), "");
}

TEST_F(StepsTest, MenuThroughADialogAndAMessageBox) {
    EXPECT_EQ(runScript("menu \"File/New List...\"\n"
                        "click \"OK\"\n"
                        "control 1002\n"
                        "key Right\n"
                        "key Enter\n"),
              kExitCode)
        << err();
    EXPECT_EQ(programLog(), (std::vector<std::string>{"command 101", "dialog 1", "command 1002", "box 7", "close"}));
}

TEST_F(StepsTest, MenusReachSubmenusAndPictureButtonsByTooltip) {
    EXPECT_EQ(runScript("menu \"Options/Sort/By Name\"\nmenu \"New Item\"\nmenu \"&Options/&Beep\"\n"), 3);
    EXPECT_TRUE(logged("command 111"));
    EXPECT_TRUE(logged("command 120"));
    // Texts are named without their "&" marks.
    EXPECT_NE(err().find("line 3: "), std::string::npos) << err();
}

TEST_F(StepsTest, ClickAndControlTapTheControl) {
    EXPECT_EQ(runScript("click \"Ask\"\ncontrol 2\n"), kExitCode) << err();
    EXPECT_EQ(programLog(), (std::vector<std::string>{"command 1001", "dialog 2", "close"}));
}

TEST_F(StepsTest, MissingHiddenOrDisabledTargetsStopWithStatus3NamingTheLine) {
    struct Case {
        const char* step;
        const char* says;
    } cases[] = {
        {"click \"Nowhere\"", "no control \"Nowhere\" in \"Host Test\""},
        {"click \"Secret\"", "the control \"Secret\" is hidden"},
        {"click \"Locked\"", "the control \"Locked\" is disabled"},
        {"control 4242", "no control with id 4242"},
        {"menu \"File/Open\"", "menu item \"Open\" is disabled"},
        {"menu \"File/Close\"", "no menu item \"Close\""},
        {"menu \"Find\"", "\"Find\" is disabled"},
        {"menu \"Options/Sort\"", "opens a submenu"},
        {"tree \"Groceries/Eggs\"", "no item \"Groceries/Eggs\""},
        {"tree \"Groceries/Milk\" button", "shows no expand button"},
        {"select 1010 \"Milk\"", "no list box or combo box"},
        {"tap 240 10", "outside the screen"},
        {"shot /nonexistent-folder/x.png", "cannot write /nonexistent-folder/x.png"},
    };
    for (const Case& c : cases) {
        std::string script = "# line 1\nwait 1\n" + std::string(c.step) + "\nclick \"Ask\"\n";
        EXPECT_EQ(runScript(script), 3) << c.step;
        EXPECT_NE(err().find("line 3: " + std::string(c.step) + ": "), std::string::npos) << err();
        EXPECT_NE(err().find(c.says), std::string::npos) << err();
        EXPECT_FALSE(logged("command 1001")) << c.step;  // nothing after the failed step ran
        EXPECT_FALSE(logged("close")) << c.step;
    }
}

TEST_F(StepsTest, ADialogLeftOpenStopsWithStatus4AndItsCaptionAndText) {
    EXPECT_EQ(runScript("click \"Ask\"\n"), 4);
    EXPECT_NE(err().find("a dialog is open at the end of the script: \"Question\": Keep going?"), std::string::npos)
        << err();
    EXPECT_FALSE(logged("close"));
}

TEST_F(StepsTest, AMessageBoxLeftOpenStopsWithStatus4) {
    EXPECT_EQ(runScript("click \"Warn\"\n"), 4);
    EXPECT_NE(err().find("a message box is open at the end of the script: \"Warning\""), std::string::npos) << err();
}

TEST_F(StepsTest, AMenuLeftOpenStopsWithStatus4) {
    // The File button's spot on the menu bar: tapped by hand, nothing chosen.
    EXPECT_EQ(runScript("tap 16 307\n"), 4);
    EXPECT_NE(err().find("a menu is open at the end of the script: New List..., Open"), std::string::npos) << err();
}

TEST_F(StepsTest, KeysAndTyping) {
    EXPECT_EQ(runScript("key a 2\nkey A\nkey Enter\ntype \"H\xc3\xa9!\"\nkey \xc3\xa9\n"), kExitCode) << err();
    std::vector<std::string> expect{"key 65", "char a", "key 65", "char a", "key 16", "key 65", "char A",
                                    "key 13", "char \r", "char H", "char \xc3\xa9", "char !", "char \xc3\xa9", "close"};
    EXPECT_EQ(programLog(), expect);
}

TEST_F(StepsTest, WaitAdvancesTheClockAndFiresTimersOnTheWay) {
    // The program's timer is due 500 ms after start.
    EXPECT_EQ(runScript("wait 499\nkey x\nwait 1\nkey y\n"), kExitCode) << err();
    int x = logIndex("char x"), timer = logIndex("timer"), y = logIndex("char y");
    ASSERT_GE(x, 0);
    EXPECT_GT(timer, x);
    EXPECT_GT(y, timer);
}

TEST_F(StepsTest, TapsDoubleTapsAndDrags) {
    // "Ask" is at (5..75, 31..53) on the screen.
    EXPECT_EQ(runScript("tap 40 42\nkey Escape\n"
                        "drag 10 40 140 40\n"            // off the button: no click
                        "drag 10 40 60 45 3\nkey Escape\n"),  // stays on it: a click
              kExitCode)
        << err();
    EXPECT_EQ(programLog(), (std::vector<std::string>{"command 1001", "dialog 2", "command 1001", "dialog 2", "close"}));
}

TEST_F(StepsTest, TreeStepsRevealTapCheckExpandAndHold) {
    std::string dump = path("tree.json");
    EXPECT_EQ(runScript("tree \"Groceries/Milk\"\n"
                        "tree \"Groceries/Bread\" check\n"
                        "tree \"Chores\" button\n"
                        "tree \"Groceries\" label dtap\n"
                        "tree \"Groceries/Milk\" hold\n"
                        "dump " + dump + "\n"),
              kExitCode)
        << err();
    EXPECT_TRUE(logged("tree select Milk"));
    EXPECT_TRUE(logged("tree dblclk"));
    EXPECT_TRUE(logged("tree hold"));
    Json d;
    ASSERT_TRUE(parseJson(readFile(dump), d));
    const Json* tree = findWindow(d["windows"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    const Json& items = (*tree)["tree"];
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]["children"][1]["text"].s, "Bread");
    EXPECT_EQ(items[0]["children"][1]["state_image"].n, 2);  // checked
    EXPECT_EQ(items[0]["children"][0]["state_image"].n, 1);
    EXPECT_TRUE(items[0]["children"][0]["selected"].b);
    EXPECT_FALSE(items[1]["expanded"].b);  // its button collapsed it
}

// The controls dialog driven by the script kept beside the demo: every
// control reaches the program through its own notifications, and the dump
// reports the state each one was left in.
TEST_F(StepsTest, AScriptDrivesADialogWithEveryControl) {
    const char* source = std::getenv("QP_SOURCE_DIR");
    std::string script = readFile(std::string(source ? source : ".") + "/tests/platform/host/scripts/controls.txt");
    ASSERT_FALSE(script.empty());
    for (const char* file : {"controls_open.png", "controls.png", "controls.json"}) {
        size_t at = script.find(file);
        ASSERT_NE(at, std::string::npos) << file;
        script.replace(at, std::string(file).size(), path(file));
    }
    ASSERT_EQ(runScript(script), kExitCode) << err();
    for (const char* line : {"controls list Garden", "controls combo Monthly", "controls click 1205 1",
                             "controls click 1207 1", "controls name Groceries", "controls 1"})
        EXPECT_TRUE(logged(line)) << line;
    int track = -1;
    for (const std::string& l : programLog())
        if (l.rfind("controls track ", 0) == 0) track = std::stoi(l.substr(15));
    EXPECT_GT(track, 3);
    EXPECT_LT(logIndex("controls list Garden"), logIndex("controls combo Monthly"));
    Json dump;
    ASSERT_TRUE(parseJson(readFile(path("controls.json")), dump));
    const Json* dialog = findWindow(dump["windows"], "text", "Controls");
    ASSERT_NE(dialog, nullptr);
    const Json* list = findWindow((*dialog)["children"], "class", "listbox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ((*list)["strings"][0].s, "Books");  // sorted, case ignored
    EXPECT_EQ((*list)["cursel"].n, 3);
    const Json* combo = findWindow((*dialog)["children"], "class", "combobox");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ((*combo)["text"].s, "Monthly");
    const Json* secret = findWindow((*dialog)["children"], "text", "secret");
    ASSERT_NE(secret, nullptr);
    EXPECT_EQ((*secret)["sel"][0].n, 6);
    const Json* large = findWindow((*dialog)["children"], "text", "Large");
    ASSERT_NE(large, nullptr);
    EXPECT_EQ((*large)["checked"].n, 1);
    const Json* small = findWindow((*dialog)["children"], "text", "Small");
    ASSERT_NE(small, nullptr);
    EXPECT_EQ((*small)["checked"].n, 0);
    const Json* tree = findWindow((*dialog)["children"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ((*tree)["tree"][0]["children"][0]["text"].s, "Lists");
}

}  // namespace
}  // namespace hosttest
