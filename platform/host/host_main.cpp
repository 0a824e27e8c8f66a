// hostMain: from the command line to the program's exit status.
#include "platform/host/host_main.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/host/register_controls.h"
#include "platform/host/script_player.h"
#include "platform/host/single_copy.h"
#include "platform/host/sdl_host.h"
#include "platform/pim/pim_library.h"
#include "platform/pim/task_store.h"
#include "platform/system/code_page.h"
#include "platform/system/device_clock.h"
#include "platform/system/device_fs.h"
#include "platform/system/registry.h"
#include "platform/system/system_code_page.h"
#include "platform/system/system_startup.h"
#include "platform/window/headless_host.h"
#include "platform/shell/shell_system.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"

namespace device {
namespace {

std::string noDisplay() {
    const std::string& command = programIdentity().command;
    return command + ": no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is usable).\n"
           "Run it with --headless (with --script FILE to drive it), or inside a virtual display:\n"
           "  xvfb-run -s \"-screen 0 800x800x24\" " + command + " ...\n";
}

// The program's instance handle: on the device it is the module's load
// address; nothing here dereferences it, it only has to be the same value
// every time and not null.
HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000)); }

bool setHasKeyboard(bool has) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\Microsoft\\Shell", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    DWORD value = has ? 1 : 0;
    LONG r = RegSetValueExW(key, u"HasKeyboard", 0, REG_DWORD, (const BYTE*)&value, sizeof value);
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

// Runs the program with the script player as its host.
int runScripted(const HostOptions& o, WinMainFn program, std::u16string& cmdLine) {
    Script script;
    std::string error;
    if (!loadScript(o.scriptPath, script, error)) {
        hostComplain(error);
        return kExitUsage;
    }
    ScriptPlayer player(std::move(script));
    setHost(&player);
    clockUseVirtual(true);
    int status = program(programInstance(), nullptr, cmdLine.data(), SW_SHOW);
    setHost(nullptr);
    if (player.stopStatus()) {
        // The program's loops unwound without closing its windows: take them
        // down, so their controls release what they hold before the exit.
        windowSystemReset();
        shellReset();
        hostComplain(player.stopMessage());
        return player.stopStatus();
    }
    if (!player.finished()) {
        hostComplain("the program ended with status " + std::to_string(status) + " before line " +
                 std::to_string(player.nextLine()) + " of the script");
    }
    return status;
}

}  // namespace

bool hostHasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

bool hostPrepareStore(const HostOptions& o, std::string& error) {
    SystemConfig config;
    config.rootDir = o.rootDir;
    config.cardDir = o.cardDir;
    config.storageLimit = o.storageLimit;
    if (!systemStartup(config)) {
        error = "cannot set up the device folders under " + (o.rootDir.empty() ? defaultRootDir() : o.rootDir);
        return false;
    }
    if (o.codePage && !storeSystemCodePage(o.codePage)) {
        error = "cannot write the device registry under " + fsRoot();
        return false;
    }
    return true;
}

bool hostPrepareDevice(const HostOptions& o, std::string& error) {
    if (!hostPrepareStore(o, error)) return false;
    screenConfigure(o.hires);
    if (o.screenWidth > 0) screenResize(o.screenWidth, o.screenHeight);
    if (!setHasKeyboard(o.hasKeyboard)) {
        error = "cannot write the device registry under " + fsRoot();
        return false;
    }
    registerDeviceClasses();
    pim::setTaskFolder(o.tasksDir);
    // Without the library the program still runs: the person can open the
    // lists and make room; Create Task then says that the task store is
    // missing, with its own messages.
    if (!installTaskStore())
        hostComplain("cannot write the task store's library under " + fsRoot() +
                 " (is the device full?); Create Task will not work");
    return true;
}

bool hostCommandLine(const HostOptions& o, std::u16string& cmdLine, std::string& error) {
    cmdLine.clear();
    if (o.filePath.empty()) return true;
    std::error_code ec;
    std::string abs = std::filesystem::absolute(o.filePath, ec).lexically_normal().string();
    std::u16string dev;
    if (ec || !hostToDevice(abs, dev)) {
        error = o.filePath + " lies neither in the device root (" + fsRoot() + ") nor on the card (" + fsCard() + ")";
        return false;
    }
    // The program takes one quoted device path.
    cmdLine = u"\"" + dev + u"\"";
    return true;
}

int hostMain(const std::vector<std::string>& args, const ProgramIdentity& identity, WinMainFn program,
             const HostCommands& commands) {
    setProgramIdentity(identity);
    HostOptions o;
    std::string error;
    std::vector<std::string> names;
    for (const char16_t* const* name = commands.names; name && *name; ++name) names.push_back(wideToUtf8(*name));
    const char* commandUsage = commands.usage ? commands.usage : "";
    if (!parseHostOptions(args, o, error, names)) {
        hostComplain(error);
        std::fprintf(stderr, "%s%s", hostUsage().c_str(), commandUsage);
        return kExitUsage;
    }
    if (o.help) {
        std::printf("%s%s", hostUsage().c_str(), commandUsage);
        return 0;
    }
    if (!o.command.empty()) return hostRunCommand(o, commands);
    if (!o.headless && !hostHasDisplay()) {
        std::fputs(noDisplay().c_str(), stderr);
        return kExitNoDisplay;
    }
    // Before anything touches the device's files: a second copy only asks
    // the first to come to the front.
    SingleCopy copy(identity.dataFolder);
    const std::string root = o.rootDir.empty() ? defaultRootDir() : o.rootDir;
    switch (copy.claim(root, error)) {
        case SingleCopy::Claim::First: break;
        case SingleCopy::Claim::Second:
            if (copy.askToRaise(root))
                hostComplain(identity.name + " already runs on " + root + "; it was brought to the front");
            else
                hostComplain(identity.name + " already runs on " + root + " and did not answer");
            return kExitAlreadyRunning;
        case SingleCopy::Claim::Failed:
            hostComplain(error);
            return kExitNoDisplay;
    }
    if (!hostPrepareDevice(o, error)) {
        hostComplain(error);
        return kExitNoDisplay;
    }
    std::u16string cmdLine;
    if (!hostCommandLine(o, cmdLine, error)) {
        hostComplain(error);
        return kExitUsage;
    }
    int status;
    if (!o.scriptPath.empty()) {
        copy.listen([] {});
        status = runScripted(o, program, cmdLine);
    } else if (o.headless) {
        copy.listen([] {});
        // No driver: timers run on the virtual clock until nothing can happen.
        headlessHost().setIdleDriver({});
        useHeadlessHost();
        status = program(programInstance(), nullptr, cmdLine.data(), SW_SHOW);
    } else {
        SdlHost sdl;
        if (!sdl.open(o, error)) {
            hostComplain(error);
            std::fputs(noDisplay().c_str(), stderr);
            return kExitNoDisplay;
        }
        copy.listen(SdlHost::requestRaise);
        setHost(&sdl);
        clockUseVirtual(false);
        status = program(programInstance(), nullptr, cmdLine.data(), SW_SHOW);
        setHost(nullptr);
        sdl.close();
    }
    registryFlush();
    return status;
}

void hostComplain(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", programIdentity().command.c_str(), text.c_str());
}

int hostMain(int argc, char** argv, const ProgramIdentity& identity, WinMainFn program, const HostCommands& commands) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return hostMain(args, identity, program, commands);
}

}  // namespace device
