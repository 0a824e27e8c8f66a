// Options > Settings... driven as a person does it: values changed on the
// three pages (their tabs tapped at the bottom of the sheet), the sheet
// closed with the navigation bar's ok or cancelled with Escape, and the
// database's attribute row and settings.qux read back afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e_run.h"
#include "support/picture_files.h"

namespace {

std::string attribute(e2e::Run& run, const std::string& column) {
    return e2e::queryOne(run.database(), "SELECT " + column + " FROM ListAttributes WHERE strListName='Groceries';");
}

// The texts of the outline's top-level items in a dump.
std::string rootTexts(e2e::Run& run, const std::string& dumpName) {
    e2e::Json dump = e2e::readJson(run.path(dumpName));
    const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32");
    if (!tree) return "(no outline)";
    std::string out;
    for (const e2e::Json& item : (*tree)["tree"].items) out += item["text"].s + ";";
    return out;
}

// The caption of the page shown in the sheet of a dump.
bool pageShown(e2e::Run& run, const std::string& dumpName, const std::string& caption) {
    e2e::Json dump = e2e::readJson(run.path(dumpName));
    const e2e::Json* sheet = e2e::findWindow(dump["windows"], "text", "Settings");
    if (!sheet) return false;
    for (const e2e::Json& child : (*sheet)["children"].items)
        if (child["text"].s == caption) return child["visible"].b;
    return false;
}

uint32_t sky(int, int y) { return y < 100 ? 0xE0B080 : 0x60A060; }

TEST(SettingsE2E, EachPagesChangesAreStoredWithOkAndShowInTheOutline) {
    e2e::Run run;
    std::filesystem::create_directories(run.programFolder());
    pictures::writeFile(run.programFolder() + "/Sky.JPG", pictures::jpegBytes(240, 268, sky));
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("settings_pages.txt")), 0) << run.err();
    EXPECT_TRUE(pageShown(run, "settings_color.json", "Color"));
    EXPECT_EQ(attribute(run, "bRootBold"), "0");
    EXPECT_EQ(attribute(run, "intCompletionShow"), "1");
    EXPECT_EQ(attribute(run, "bUseBitmapFile || ' ' || strBitmapFile"), "1 Sky.JPG");
    EXPECT_EQ(attribute(run, "intButtonType"), "0");
    EXPECT_EQ(attribute(run, "crItemLevel0"), "255");
    EXPECT_EQ(e2e::setting(run.settings(), "fontsizeNotes"), "16");
    EXPECT_EQ(e2e::setting(run.settings(), "timestamp"), "3");
    EXPECT_EQ(e2e::setting(run.settings(), "keyboardsip"), "0");
    EXPECT_EQ(rootTexts(run, "settings_after.json"), "Milk [1/1];");

    // A later start on the high-resolution screen: what was picked at once
    // stays when the sheet is cancelled, the rest does not.
    ASSERT_EQ(run.script(e2e::scriptFile("settings_cancel.txt"), {"--hires"}), 0) << run.err();
    EXPECT_TRUE(pageShown(run, "settings_cancel_other.json", "Other"));
    EXPECT_EQ(attribute(run, "intButtonType"), "1");
    EXPECT_EQ(e2e::setting(run.settings(), "fontsizeName"), "10");
    EXPECT_EQ(e2e::setting(run.settings(), "timestamp"), "3");
    EXPECT_EQ(rootTexts(run, "settings_cancel_after.json"), "Milk [1/1];");
}

}  // namespace
