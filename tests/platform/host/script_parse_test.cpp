// Reading scripts: arguments and quotes, comments, each step's arguments,
// and malformed lines named by number (status 2 before anything runs).
#include "host_fixture.h"
#include "platform/host/script.h"
#include "test_program.h"

namespace hosttest {
namespace {

using device::ScriptStep;
using device::StepKind;

TEST(ScriptSplit, QuotesHoldBlanksAndDoubledQuotes) {
    std::vector<std::string> a;
    std::string err;
    ASSERT_TRUE(device::splitScriptLine("  click  \"Save As\"\t", a, err));
    EXPECT_EQ(a, (std::vector<std::string>{"click", "Save As"}));
    ASSERT_TRUE(device::splitScriptLine("type \"say \"\"hi\"\"\" ", a, err));
    EXPECT_EQ(a, (std::vector<std::string>{"type", "say \"hi\""}));
    ASSERT_TRUE(device::splitScriptLine("type \"\"", a, err));
    EXPECT_EQ(a, (std::vector<std::string>{"type", ""}));
    EXPECT_FALSE(device::splitScriptLine("type \"open", a, err));
    EXPECT_FALSE(device::splitScriptLine("type \"a\"b", a, err));
    EXPECT_FALSE(device::splitScriptLine("type a\"b\"", a, err));
}

TEST(ScriptParse, StepsAndTheirArguments) {
    device::Script s;
    std::string err;
    const char* text =
        "# comment\r\n"
        "\n"
        "   # indented comment\n"
        "tap 10 20\n"
        "drag 1 2 3 4\n"
        "drag 1 2 3 4 5\n"
        "key Enter 3\n"
        "key pagedown\n"
        "key A\n"
        "key \xc3\xa9\n"
        "type \"Gr\xc3\xbc\xc3\x9f""e\"\n"
        "menu \"File/New List...\"\n"
        "select 12 \"Two words\"\n"
        "tree \"A/B\" check dtap\n"
        "tree \"A\" hold\n"
        "wait 250\n"
        "shot \"out dir/a.png\"\n"
        "key Ctrl+Shift+n\n"
        "key alt+Up\n"
        "key F12\n"
        "key +\n"
        "wheel 5 6 -2\n";
    ASSERT_TRUE(device::parseScript(text, s, err)) << err;
    ASSERT_EQ(s.steps.size(), 19u);
    EXPECT_EQ(s.steps[0].line, 4);
    EXPECT_EQ(s.steps[0].kind, StepKind::Tap);
    EXPECT_EQ(s.steps[0].y, 20);
    EXPECT_EQ(s.steps[1].count, 8);  // default drag steps
    EXPECT_EQ(s.steps[2].count, 5);
    EXPECT_EQ(s.steps[3].vk, (unsigned)VK_RETURN);
    EXPECT_EQ(s.steps[3].count, 3);
    EXPECT_EQ(s.steps[4].vk, (unsigned)VK_NEXT);
    EXPECT_EQ(s.steps[5].vk, (unsigned)'A');
    EXPECT_TRUE(s.steps[5].shift);
    EXPECT_EQ(s.steps[6].vk, 0u);  // no key types it: the character itself
    EXPECT_EQ(s.steps[6].ch, u'\u00e9');
    EXPECT_EQ(s.steps[7].text, u"Gr\u00fc\u00dfe");
    EXPECT_EQ(s.steps[8].path, (std::vector<std::u16string>{u"File", u"New List..."}));
    EXPECT_EQ(s.steps[9].id, 12);
    EXPECT_EQ(s.steps[9].text, u"Two words");
    EXPECT_EQ(s.steps[10].part, device::TreePart::Check);
    EXPECT_EQ(s.steps[10].action, StepKind::DoubleTap);
    EXPECT_EQ(s.steps[11].part, device::TreePart::Label);
    EXPECT_EQ(s.steps[11].action, StepKind::Hold);
    EXPECT_EQ(s.steps[12].ms, 250u);
    EXPECT_EQ(s.steps[13].file, "out dir/a.png");
    // With modifiers a letter names its key, whatever its case.
    EXPECT_EQ(s.steps[14].vk, (unsigned)'N');
    EXPECT_TRUE(s.steps[14].ctrl && s.steps[14].shift && !s.steps[14].alt);
    EXPECT_EQ(s.steps[15].vk, (unsigned)VK_UP);
    EXPECT_TRUE(s.steps[15].alt && !s.steps[15].ctrl);
    EXPECT_EQ(s.steps[16].vk, (unsigned)VK_F1 + 11);
    EXPECT_FALSE(s.steps[17].ctrl);  // a plus sign, not a modifier
    EXPECT_EQ(s.steps[18].count, -2);
}

TEST(ScriptParse, MalformedLinesAreNamed) {
    const char* bad[] = {
        "jump 1 2",           "tap 1",          "tap 1 2 3",       "tap -1 5",      "tap x 5",
        "drag 1 2 3",         "drag 1 2 3 4 0", "key",             "key Nope",      "key a 0",
        "type",               "type a b",       "menu \"\"",       "menu \"File//New\"", "click \"\"",
        "control abc",        "select 5",       "tree \"A\" left", "tree \"A\" tap label", "wait",
        "wait -5",            "shot",           "type \"\xff\"",   "click \"open",
        "key Ctrl+",          "key Meta+A",     "key Ctrl+Nope",   "key F13",       "wheel 1 2",
        "screen 320",         "drop 1 2",
    };
    for (const char* line : bad) {
        device::Script s;
        std::string err;
        std::string text = "# first\ntap 1 1\n" + std::string(line) + "\n";
        EXPECT_FALSE(device::parseScript(text, s, err)) << line;
        EXPECT_EQ(err.rfind("line 3: ", 0), 0u) << line << " -> " << err;
    }
}

class ScriptFileTest : public HostRun {};

TEST_F(ScriptFileTest, AMalformedScriptStopsBeforeTheProgramStarts) {
    EXPECT_EQ(runScript("tap 10 10\nfrobnicate\n"), 2);
    EXPECT_NE(err().find("line 2: unknown step \"frobnicate\""), std::string::npos) << err();
    EXPECT_TRUE(programLog().empty());
    EXPECT_EQ(runArgs({"--headless", "--root", root(), "--script", path("missing.txt")}), 2);
    EXPECT_NE(err().find("cannot read the script"), std::string::npos) << err();
}

}  // namespace
}  // namespace hosttest
