// The command line: options, their values and mistakes (status 2), no
// display (status 1), the program's command line and the HasKeyboard value.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host_fixture.h"
#include "platform/host/host_main.h"
#include "test_program.h"
#include "windows.h"

namespace hosttest {
namespace {

using device::HostOptions;

bool parse(std::vector<std::string> args, HostOptions& o, std::string& err) {
    return device::parseHostOptions(args, o, err);
}

TEST(HostOptions, EveryOptionIsRead) {
    HostOptions o;
    std::string err;
    ASSERT_TRUE(parse({"--root", "/r", "--card", "/c", "--tasks", "/t", "--hires", "--zoom", "3", "--no-keyboard", "--screen", "480x800",
                       "x.qu2"},
                      o, err))
        << err;
    EXPECT_EQ(o.screenWidth, 480);
    EXPECT_EQ(o.screenHeight, 800);
    EXPECT_EQ(o.rootDir, "/r");
    EXPECT_EQ(o.cardDir, "/c");
    EXPECT_EQ(o.tasksDir, "/t");
    EXPECT_TRUE(o.hires);
    EXPECT_EQ(o.zoom, 3);
    EXPECT_FALSE(o.hasKeyboard);
    EXPECT_FALSE(o.headless);
    EXPECT_EQ(o.filePath, "x.qu2");
    EXPECT_EQ(o.storageLimit, 0u);
    ASSERT_TRUE(parse({"--storage-limit", "512K"}, o, err)) << err;
    EXPECT_EQ(o.storageLimit, 512u * 1024);
    ASSERT_TRUE(parse({"--storage-limit", "4m"}, o, err)) << err;
    EXPECT_EQ(o.storageLimit, 4u * 1024 * 1024);
    ASSERT_TRUE(parse({"--storage-limit", "40000"}, o, err)) << err;
    EXPECT_EQ(o.storageLimit, 40000u);
    EXPECT_EQ(o.codePage, 0u);  // the one the device has
    ASSERT_TRUE(parse({"--code-page", "UTF-8"}, o, err)) << err;
    EXPECT_EQ(o.codePage, 65001u);
    ASSERT_TRUE(parse({"--code-page", "1251"}, o, err)) << err;
    EXPECT_EQ(o.codePage, 1251u);
    ASSERT_TRUE(parse({"--headless", "--root", "/r", "--script", "-"}, o, err)) << err;
    EXPECT_EQ(o.scriptPath, "-");
    EXPECT_TRUE(o.hasKeyboard);
    EXPECT_EQ(o.zoom, 0);  // the largest that fits
}

TEST(HostOptions, MistakesAreNamed) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--root"}, "--root needs a value"},
        {{"--root", "--hires"}, "--root needs a value"},
        {{"--zoom", "0"}, "--zoom takes"},
        {{"--zoom", "9"}, "--zoom takes"},
        {{"--zoom", "2x"}, "--zoom takes"},
        {{"--storage-limit", "0"}, "--storage-limit takes"},
        {{"--storage-limit", "4MB"}, "--storage-limit takes"},
        {{"--storage-limit", "-1K"}, "--storage-limit takes"},
        {{"--storage-limit", "99999999999G"}, "--storage-limit takes"},
        {{"--screen", "320"}, "--screen takes"},
        {{"--screen", "200x320"}, "--screen takes"},
        {{"--screen", "320x480", "--hires"}, "from 480"},  // the hi-res screen is at least 480
        {{"--screen", "320x240x2"}, "--screen takes"},
        {{"--code-page", "437"}, "--code-page takes"},
        {{"--code-page", "utf-16"}, "--code-page takes"},
        {{"a.qu2", "b.qu2"}, "only one database file"},
        {{"--script", "s.txt", "--root", "/r"}, "--script runs only with --headless"},
        {{"--headless", "--script", "s.txt"}, "--script needs --root"},
    };
    for (const Case& c : cases) {
        HostOptions o;
        std::string err;
        EXPECT_FALSE(parse(c.args, o, err)) << c.says;
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
    }
}

class HostMainTest : public HostRun {};

TEST_F(HostMainTest, BadOptionsPrintTheUsageAndGiveStatus2) {
    EXPECT_EQ(runArgs({"--zoom", "many"}), 2);
    EXPECT_NE(err().find("usage: testprog"), std::string::npos);
    EXPECT_NE(err().find("--zoom takes"), std::string::npos);
    EXPECT_TRUE(programLog().empty());  // the program never started
}

TEST_F(HostMainTest, WithoutADisplaySaysHowToRunAndGivesStatus1) {
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    std::string wayland = std::getenv("WAYLAND_DISPLAY") ? std::getenv("WAYLAND_DISPLAY") : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    int status = runArgs({"--root", root()});
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    if (!wayland.empty()) setenv("WAYLAND_DISPLAY", wayland.c_str(), 1);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err().find("--headless"), std::string::npos);
    EXPECT_NE(err().find("xvfb-run"), std::string::npos);
    EXPECT_TRUE(programLog().empty());
}

TEST_F(HostMainTest, AFileInTheRootOrOnTheCardBecomesAQuotedDevicePath) {
    std::filesystem::create_directories(root() + "/My Documents");
    std::ofstream(root() + "/My Documents/x.qu2") << "";
    EXPECT_EQ(runScript("", {root() + "/My Documents/x.qu2"}), kExitCode);
    EXPECT_EQ(programCommandLine(), u"\"\\My Documents\\x.qu2\"");
    std::ofstream(path("card.qu2")) << "";
    EXPECT_EQ(runScript("", {path("card.qu2")}), kExitCode);
    EXPECT_EQ(programCommandLine(), u"\"\\Storage Card\\card.qu2\"");
    EXPECT_EQ(runScript(""), kExitCode);
    EXPECT_EQ(programCommandLine(), u"");
}

TEST_F(HostMainTest, AFileOutsideTheDeviceIsRefused) {
    EXPECT_EQ(runScript("", {"/proc/version"}), 2);
    EXPECT_NE(err().find("lies neither in the device root"), std::string::npos) << err();
    EXPECT_TRUE(programLog().empty());
}

DWORD hasKeyboard() {
    HKEY key = nullptr;
    DWORD value = 99, size = sizeof value, type = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\Microsoft\\Shell", 0, KEY_READ, &key) != ERROR_SUCCESS) return 98;
    RegQueryValueExW(key, u"HasKeyboard", nullptr, &type, (BYTE*)&value, &size);
    RegCloseKey(key);
    return type == REG_DWORD ? value : 97;
}

TEST_F(HostMainTest, HasKeyboardFollowsTheOption) {
    EXPECT_EQ(runScript(""), kExitCode);
    EXPECT_EQ(hasKeyboard(), 1u);
    EXPECT_EQ(runScript("", {"--no-keyboard"}), kExitCode);
    EXPECT_EQ(hasKeyboard(), 0u);
}

}  // namespace
}  // namespace hosttest
