// Command-line parsing of the program's executable.
#include "platform/host/host_options.h"

#include <cctype>
#include <cstdlib>

#include "platform/system/program_identity.h"
#include "platform/system/system_code_page.h"

namespace device {
namespace {

constexpr int kMaxZoom = 8;

// Takes the value of an option that needs one; false at the end of argv or
// when the next word is another option.
bool takeValue(const std::vector<std::string>& args, size_t& i, std::string& value, std::string& error) {
    const std::string& name = args[i];
    if (i + 1 >= args.size() || (args[i + 1].size() > 1 && args[i + 1].rfind("--", 0) == 0)) {
        error = name + " needs a value";
        return false;
    }
    value = args[++i];
    if (value.empty()) {
        error = name + " needs a value";
        return false;
    }
    return true;
}

bool parseZoom(const std::string& text, int& zoom, std::string& error) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 1 || v > kMaxZoom) {
        error = "--zoom takes a whole number from 1 to " + std::to_string(kMaxZoom) + ", not \"" + text + "\"";
        return false;
    }
    zoom = (int)v;
    return true;
}

// "512K", "4M", "1G" or a number of bytes. A store too small for the
// device's own files is allowed: it is a full device from the start.
bool parseStorageLimit(const std::string& text, uint64_t& bytes, std::string& error) {
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    uint64_t unit = 1;
    if (end && (*end == 'K' || *end == 'k')) unit = 1024, ++end;
    else if (end && (*end == 'M' || *end == 'm')) unit = 1024 * 1024, ++end;
    else if (end && (*end == 'G' || *end == 'g')) unit = 1024 * 1024 * 1024, ++end;
    if (text.empty() || !isdigit((unsigned char)text[0]) || !end || *end != '\0' || v > (UINT64_MAX >> 30) ||
        v == 0) {
        error = "--storage-limit takes a size above 0 (as 512K, 4M or 1G, or bytes), not \"" + text + "\"";
        return false;
    }
    bytes = v * unit;
    return true;
}

// "WxH" in device pixels, from the smallest screen the program lays out
// (240 x 240, twice that at hi-res) to a size no desktop exceeds.
bool parseScreen(const std::string& text, bool hires, int& width, int& height, std::string& error) {
    const int smallest = hires ? 480 : 240;
    const int largest = 4096;
    char* end = nullptr;
    long w = std::strtol(text.c_str(), &end, 10);
    long h = 0;
    bool ok = end != text.c_str() && (*end == 'x' || *end == 'X');
    if (ok) {
        const char* rest = end + 1;
        h = std::strtol(rest, &end, 10);
        ok = end != rest && *end == '\0';
    }
    if (!ok || w < smallest || h < smallest || w > largest || h > largest) {
        error = "--screen takes WIDTHxHEIGHT in device pixels, each from " + std::to_string(smallest) + " to " +
                std::to_string(largest) + ", not \"" + text + "\"";
        return false;
    }
    width = (int)w;
    height = (int)h;
    return true;
}

}  // namespace

bool parseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& error,
                      const std::vector<std::string>& commands) {
    HostOptions o;
    std::string screen;
    const auto isCommand = [&](const std::string& word) {
        for (const std::string& name : commands)
            if (word == name) return true;
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value;
        if (a == "--root") {
            if (!takeValue(args, i, o.rootDir, error)) return false;
        } else if (a == "--card") {
            if (!takeValue(args, i, o.cardDir, error)) return false;
        } else if (a == "--tasks") {
            if (!takeValue(args, i, o.tasksDir, error)) return false;
        } else if (a == "--hires") {
            o.hires = true;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--no-keyboard") {
            o.hasKeyboard = false;
        } else if (a == "--zoom") {
            if (!takeValue(args, i, value, error) || !parseZoom(value, o.zoom, error)) return false;
        } else if (a == "--storage-limit") {
            if (!takeValue(args, i, value, error) || !parseStorageLimit(value, o.storageLimit, error)) return false;
        } else if (a == "--code-page") {
            if (!takeValue(args, i, value, error)) return false;
            if (!(o.codePage = parseCodePage(value))) {
                error = "--code-page takes utf-8, 874 or 1250 to 1258, not \"" + value + "\"";
                return false;
            }
        } else if (a == "--screen") {
            if (!takeValue(args, i, screen, error)) return false;
        } else if (a == "--script") {
            // "-" (standard input) is a value here, not an option.
            if (i + 1 < args.size() && args[i + 1] == "-") {
                o.scriptPath = args[++i];
            } else if (!takeValue(args, i, o.scriptPath, error)) {
                return false;
            }
        } else if (a == "--help") {
            o.help = true;
        } else if (!o.command.empty()) {
            // The command's own words and options, in their order.
            o.commandArgs.push_back(a);
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else if (o.filePath.empty() && isCommand(a)) {
            o.command = a;
        } else {
            if (!o.filePath.empty()) {
                error = "only one database file can be opened, got \"" + o.filePath + "\" and \"" + a + "\"";
                return false;
            }
            o.filePath = a;
        }
    }
    // Read after the loop: the smallest screen depends on --hires.
    if (!screen.empty() && !parseScreen(screen, o.hires, o.screenWidth, o.screenHeight, error)) return false;
    if (!o.command.empty()) {
        // A command runs without a window: what only shapes the window has
        // no place beside it.
        const char* windowOnly = !o.scriptPath.empty() ? "--script" : o.zoom ? "--zoom" : !screen.empty() ? "--screen" : nullptr;
        if (windowOnly) {
            error = std::string(windowOnly) + " is for the window; the command " + o.command + " runs without one";
            return false;
        }
    }
    if (!o.scriptPath.empty()) {
        // A script runs on the virtual clock and must not touch the person's
        // own lists by accident: it needs --headless and its own root.
        if (!o.headless) {
            error = "--script runs only with --headless";
            return false;
        }
        if (o.rootDir.empty()) {
            error = "--script needs --root DIR (a device folder of its own)";
            return false;
        }
    }
    out = o;
    return true;
}

std::string hostUsage() {
    const ProgramIdentity& p = programIdentity();
    const std::string indent(p.command.size() + 8, ' ');
    const std::string file = "PATH." + p.databaseExtension;
    return "usage: " + p.command + " [--root DIR] [--card DIR] [--tasks DIR] [--hires] [--zoom N]\n" + indent +
           "[--screen WxH] [--headless] [--no-keyboard] [--storage-limit SIZE]\n" + indent +
           "[--code-page N] [--script FILE] [" + file + "]\n"
           "  --root DIR     the device's \\ folder (default $XDG_DATA_HOME/" + p.dataFolder + ",\n"
           "                 else ~/.local/share/" + p.dataFolder + ")\n"
           "  --card DIR     the folder behind \\Storage Card (default $HOME)\n"
           "  --tasks DIR    keep the device's tasks in DIR, one iCalendar (.ics) file a\n"
           "                 task, as calendar programs and their sync tools do (default\n"
           "                 the device's \\Windows\\Tasks)\n"
           "  --hires        the 480 x 640 screen at 192 dpi instead of 240 x 320 at 96\n"
           "  --zoom N       show each device pixel as N x N window pixels (1 to 8;\n"
           "                 default: the largest at which the window fits the desktop)\n"
           "  --screen WxH   start with a device screen of W x H pixels (e.g. 320x240)\n"
           "  --headless     no window: a virtual clock, for scripts and tests\n"
           "  --no-keyboard  the device has no hardware keyboard\n"
           "  --storage-limit SIZE  the device's store holds SIZE bytes (512K, 4M, 1G);\n"
           "                 writes beyond it fail as on a full disk (the card has none)\n"
           "  --code-page N  the device's code page from now on: utf-8 keeps every\n"
           "                 letter; 1252 (the default), 1250, 1251, 1253 ... (874, 1250\n"
           "                 to 1258) for other regions\n"
           "  --script FILE  play a script (needs --headless and --root; - reads stdin)\n"
           "  " + file + std::string(file.size() < 15 ? 15 - file.size() : 1, ' ') +
           "a database file inside the root or the card to open\n"
           "  --help         this text\n";
}

}  // namespace device
