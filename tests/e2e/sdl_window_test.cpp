// The program in its SDL window on a virtual X display, driven by X input
// as a person drives it: the window is titled "Quillet Pro", is the device
// screen at the zoom asked for, shows what the headless run shows (pixel for
// pixel, below the navigation bar whose clock differs), turns clicks into
// taps and key presses into typing, and ends through File > Exit with the
// first list stored. Skipped where Xvfb, xdotool or xwd is not installed.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "e2e_run.h"
#include "platform/gdi/png_io.h"

extern char** environ;

namespace {

constexpr int kZoom = 2;
constexpr int kNavBar = 26;  // device pixels; its clock reads the real time here

bool haveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Standard output of a shell command.
std::string capture(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    pclose(p);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

pid_t spawn(const std::vector<std::string>& argv, const std::string& display, int stdoutFd = -1,
            bool quietLeaks = false) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string var(*e);
        if (var.rfind("DISPLAY=", 0) == 0 || (quietLeaks && var.rfind("ASAN_OPTIONS=", 0) == 0)) continue;
        env.push_back(var);
    }
    if (!display.empty()) env.push_back("DISPLAY=" + display);
    // The desktop's libraries under SDL (D-Bus, X11) keep blocks to the end
    // that a sanitizer build would report as the program's; the program's
    // own memory is checked by every headless run.
    if (quietLeaks) env.push_back("ASAN_OPTIONS=detect_leaks=0");
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// A virtual X display for the length of a test.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "800x800x24", "-nolisten",
                      "tcp"},
                     "");
        close(fds[1]);
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~VirtualDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// The window's pixels, read from an X window dump (ZPixmap, 24 or 32 bits).
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[(size_t)y * width + x]; }
};

uint32_t be32(const std::string& d, size_t at) {
    return (uint32_t)(unsigned char)d[at] << 24 | (uint32_t)(unsigned char)d[at + 1] << 16 |
           (uint32_t)(unsigned char)d[at + 2] << 8 | (uint32_t)(unsigned char)d[at + 3];
}

bool readXwd(const std::string& data, Capture& out) {
    if (data.size() < 100) return false;
    uint32_t headerSize = be32(data, 0);
    uint32_t format = be32(data, 8), width = be32(data, 16), height = be32(data, 20);
    uint32_t byteOrder = be32(data, 28), bitsPerPixel = be32(data, 44), bytesPerLine = be32(data, 48);
    uint32_t red = be32(data, 56), green = be32(data, 60), blue = be32(data, 64), colours = be32(data, 76);
    size_t pixels = headerSize + (size_t)colours * 12;
    if (format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24) || data.size() < pixels + (size_t)bytesPerLine * height)
        return false;
    auto channel = [](uint32_t v, uint32_t mask) {
        int shift = 0;
        while (mask && !(mask & 1)) mask >>= 1, ++shift;
        return (v >> shift) & 0xFF;
    };
    out.width = (int)width;
    out.height = (int)height;
    out.rgb.assign((size_t)width * height, 0);
    int bytes = (int)bitsPerPixel / 8;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = (const unsigned char*)data.data() + pixels + (size_t)y * bytesPerLine + x * bytes;
            uint32_t v = 0;
            for (int i = 0; i < bytes; ++i) v |= (uint32_t)p[i] << (byteOrder == 0 ? 8 * i : 8 * (bytes - 1 - i));
            out.rgb[(size_t)y * width + x] = channel(v, red) << 16 | channel(v, green) << 8 | channel(v, blue);
        }
    }
    return true;
}

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xdotool", "xwd"})
            if (!haveTool(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    void TearDown() override {
        if (program_ > 0) {
            kill(program_, SIGKILL);
            waitpid(program_, nullptr, 0);
        }
    }
    std::string x(const std::string& args) { return capture("DISPLAY=" + display_.name() + " timeout 20 xdotool " + args); }
    Capture shot(const std::string& file) {
        Capture c;
        std::system(("DISPLAY=" + display_.name() + " xwd -silent -id " + window_ + " > '" + file + "'").c_str());
        readXwd(e2e::readFile(file), c);
        return c;
    }
    // Waits until the window shows something other than `before`.
    Capture changedFrom(const Capture& before, const std::string& file) {
        for (int i = 0; i < 100; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            Capture now = shot(file);
            if (now.width && now.rgb != before.rgb) return now;
        }
        return shot(file);
    }
    void tapAt(int deviceX, int deviceY) {
        x("mousemove --window " + window_ + " " + std::to_string(deviceX * kZoom + kZoom / 2) + " " +
          std::to_string(deviceY * kZoom + kZoom / 2) + " click 1");
    }
    // Pixels that differ from the headless screenshot, below the navigation bar.
    static int differences(const Capture& c, const gdi::Surface& device) {
        int bad = 0;
        for (int y = kNavBar; y < device.height; ++y)
            for (int xx = 0; xx < device.width; ++xx)
                for (int dy = 0; dy < kZoom; ++dy)
                    for (int dx = 0; dx < kZoom; ++dx)
                        if (c.at(xx * kZoom + dx, y * kZoom + dy) != (device.row(y)[xx] & 0xFFFFFF)) ++bad;
        return bad;
    }

    VirtualDisplay display_;
    pid_t program_ = -1;
    std::string window_;
};

// The centre of the control with this window text in a dump, in screen pixels.
bool centreOf(const e2e::Json& dump, const std::string& text, int& cx, int& cy) {
    const e2e::Json* w = e2e::findWindow(dump["windows"], "text", text);
    if (!w) return false;
    const e2e::Json& r = (*w)["rect"];
    cx = (int)(r[0].n + r[2].n) / 2;
    cy = (int)(r[1].n + r[3].n) / 2;
    return true;
}

TEST_F(SdlWindow, ShowsTheDeviceScreenTakesThePenAndKeysAndEndsThroughExit) {
    ASSERT_FALSE(display_.name().empty()) << "Xvfb did not start";
    // What the headless run shows at each step of a first start.
    e2e::Run reference;
    ASSERT_EQ(reference.script("dump notice.json\nshot notice.png\nclick \"Ok\"\ndump info.json\nclick \"OK\"\n"
                               "type \"Groceries\"\nkey Enter\nshot list.png\n"),
              0)
        << reference.err();
    e2e::Json notice = e2e::readJson(reference.path("notice.json"));
    e2e::Json info = e2e::readJson(reference.path("info.json"));
    int okX, okY, infoX, infoY;
    ASSERT_TRUE(centreOf(notice, "Ok", okX, okY));
    ASSERT_TRUE(centreOf(info, "OK", infoX, infoY));
    gdi::Surface noticeScreen, listScreen;
    ASSERT_TRUE(gdi::readPng(reference.path("notice.png"), noticeScreen));
    ASSERT_TRUE(gdi::readPng(reference.path("list.png"), listScreen));

    e2e::Run run;
    program_ = spawn({e2e::binary(), "--root", run.root(), "--card", run.card(), "--zoom", std::to_string(kZoom)},
                     display_.name(), -1, true);
    ASSERT_GT(program_, 0);
    window_ = x("search --sync --limit 1 --name '^Quillet Pro$'");
    ASSERT_FALSE(window_.empty());
    std::string geometry = x("getwindowgeometry --shell " + window_);
    EXPECT_NE(geometry.find("WIDTH=" + std::to_string(240 * kZoom)), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=" + std::to_string(320 * kZoom)), std::string::npos) << geometry;

    // The notice, as the headless screen has it.
    Capture first;
    for (int i = 0; i < 100 && differences(first = shot(run.path("1.xwd")), noticeScreen) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(first.width, 240 * kZoom);
    EXPECT_EQ(differences(first, noticeScreen), 0);

    tapAt(okX, okY);
    Capture second = changedFrom(first, run.path("2.xwd"));
    tapAt(infoX, infoY);
    changedFrom(second, run.path("3.xwd"));
    x("type --delay 20 Groceries");
    x("key Return");
    Capture list;
    for (int i = 0; i < 100 && differences(list = shot(run.path("4.xwd")), listScreen) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(differences(list, listScreen), 0);

    // File > Exit: the menu opens upward from its button; Up reaches its
    // last item.
    tapAt(17, 307);
    changedFrom(list, run.path("5.xwd"));
    x("key Up");
    x("key Return");
    int status = -1;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(program_, &status, WNOHANG) == program_) {
            program_ = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(program_, -1) << "the program did not end after File > Exit";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strListName FROM ListAttributes;"), "Groceries");
}

// Without --zoom the window takes the largest zoom that fits the display
// (two on 800 x 800); resized, the device screen follows it in device
// pixels (the navigation bar spans the new width); Ctrl+- zooms out; a
// second start on the same root ends with the status of a second copy.
TEST_F(SdlWindow, FitsTheDisplayFollowsAResizeAndTurnsASecondStartAway) {
    ASSERT_FALSE(display_.name().empty()) << "Xvfb did not start";
    e2e::Run run;
    // A list longer than the outline, for the wheel.
    std::string items = e2e::kFirstStart;
    for (int i = 1; i <= 30; ++i) items += "menu \"New Item\"\ntype \"Item " + std::to_string(i) + "\"\nkey Enter\n";
    ASSERT_EQ(run.script(items), 0) << run.err();
    program_ = spawn({e2e::binary(), "--root", run.root(), "--card", run.card()}, display_.name(), -1, true);
    ASSERT_GT(program_, 0);
    window_ = x("search --sync --limit 1 --name '^Quillet Pro$'");
    ASSERT_FALSE(window_.empty());
    std::string geometry = x("getwindowgeometry --shell " + window_);
    EXPECT_NE(geometry.find("WIDTH=480"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=640"), std::string::npos) << geometry;

    // The window carries the program's icon.
    if (haveTool("xprop")) {
        // The window can be found before the host has given it its icon.
        std::string icon;
        for (int tries = 0; tries < 50 && icon.find("Icon (") == std::string::npos; ++tries) {
            if (tries) usleep(100 * 1000);
            icon = capture("DISPLAY=" + display_.name() + " xprop -id " + window_ + " _NET_WM_ICON");
        }
        EXPECT_NE(icon.find("Icon (64 x 64)"), std::string::npos) << icon.substr(0, 200);
    }

    // The wheel over the outline scrolls it.
    Capture still;
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        still = shot(run.path("still.xwd"));
    }
    x("mousemove --window " + window_ + " 240 300 click --repeat 3 5");
    Capture scrolled = changedFrom(still, run.path("scrolled.xwd"));
    // Below the navigation bar, whose clock may tick meanwhile.
    const size_t below = (size_t)still.width * 2 * kNavBar;
    ASSERT_EQ(scrolled.rgb.size(), still.rgb.size());
    EXPECT_FALSE(std::equal(still.rgb.begin() + below, still.rgb.end(), scrolled.rgb.begin() + below));

    x("windowsize " + window_ + " 640 480");
    Capture wide;
    for (int i = 0; i < 100 && (wide = shot(run.path("wide.xwd"))).width != 640; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(wide.width, 640);
    ASSERT_EQ(wide.height, 480);
    for (int i = 0; i < 100 && wide.at(630, 4) != wide.at(4, 4); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        wide = shot(run.path("wide.xwd"));
    }
    EXPECT_EQ(wide.at(630, 4), wide.at(4, 4));

    // Ctrl+- makes the same device screen one zoom smaller; the program
    // never sees the key.
    x("windowactivate --sync " + window_);
    x("key --window " + window_ + " ctrl+minus");
    for (int i = 0; i < 100 && geometry.find("WIDTH=320") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        geometry = x("getwindowgeometry --shell " + window_);
    }
    EXPECT_NE(geometry.find("WIDTH=320"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=240"), std::string::npos) << geometry;

    pid_t second = spawn({e2e::binary(), "--root", run.root(), "--card", run.card()}, display_.name(), -1, true);
    ASSERT_GT(second, 0);
    int status = -1;
    bool ended = false;
    for (int i = 0; i < 200 && !(ended = waitpid(second, &status, WNOHANG) == second); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!ended) {
        kill(second, SIGKILL);
        waitpid(second, nullptr, 0);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 16) << status;
}

}  // namespace
