// What the program's file tests share (header only, so that test programs
// that do not include it do not link the program): a temporary device root
// with its card, host access to device paths, a recorder in place of the
// message dialog, steps played while a modal dialog waits, and the headless
// screen with the program's resources.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/quillet_identity.h"
#include "common/message_dialog.h"
#include "platform/host/register_controls.h"
#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/system_startup.h"
#include "platform/window/headless_host.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "support/temp_folder.h"

namespace testsupport {

// A device root in a temporary host folder ("<root>/device", the card in
// "<root>/card"), removed with the object.
class TempDeviceRoot {
public:
    // Makes the folders and starts the device's system services on them.
    void create() {
        root = makeTempFolder("qp_files_root_");
        ASSERT_FALSE(root.empty());
        std::filesystem::create_directories(root + "/card");
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = root + "/device";
        config.cardDir = root + "/card";
        ASSERT_TRUE(device::systemStartup(config));
    }
    ~TempDeviceRoot() {
        if (root.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::string host(const std::string& devicePath) const {
        std::string out;
        device::deviceToHost(device::utf8ToWide(devicePath), out);
        return out;
    }
    void writeBytes(const std::string& devicePath, const std::string& bytes) const {
        std::ofstream(host(devicePath), std::ios::binary) << bytes;
    }
    std::string readBytes(const std::string& devicePath) const {
        std::ifstream in(host(devicePath), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    std::string root;
};

// Records every message ("caption|text|style", UTF-8) while installed and
// answers with `answers` in turn, then 1.
struct MessageLog {
    std::vector<std::string> shown;
    std::vector<int> answers;

    void install() {
        active() = this;
        setMessageDialogHandler(&MessageLog::record);
    }
    void uninstall() {
        setMessageDialogHandler(nullptr);
        active() = nullptr;
    }

private:
    static MessageLog*& active() {
        static MessageLog* log = nullptr;
        return log;
    }
    static int record(HWND, LPCWSTR text, LPCWSTR caption, int style) {
        MessageLog* log = active();
        if (!log) return 1;
        log->shown.push_back(device::wideToUtf8(caption) + "|" + device::wideToUtf8(text) + "|" +
                             std::to_string(style));
        if (log->answers.empty()) return 1;
        int answer = log->answers.front();
        log->answers.erase(log->answers.begin());
        return answer;
    }
};

// Steps played one by one whenever a modal loop waits; none left, the loop
// is told to give up.
struct StepList {
    std::vector<std::function<void()>> list;
    size_t next = 0;
    bool operator()() {
        if (next >= list.size()) return false;
        list[next++]();
        return true;
    }
};

// Plays `steps` (kept by the caller) while the next modal loops wait.
inline void playSteps(StepList& steps) { device::headlessHost().setIdleDriver(std::ref(steps)); }
inline void stopSteps() { device::headlessHost().setIdleDriver({}); }

// A fresh headless screen with the platform's controls and the program's
// resources.
inline void startHeadlessScreen() {
    device::windowSystemReset();
    device::screenConfigure(false);
    device::useHeadlessHost();
    stopSteps();
    device::registerDeviceClasses();
    registerProgramResources();
}

}  // namespace testsupport
