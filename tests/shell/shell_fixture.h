// A headless device with the program's classes and resources registered, a
// fresh root per test, and the main window started and closed as WinMain
// does it, without the message loop.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/quillet_identity.h"
#include "aygshell.h"
#include "platform/host/host_main.h"
#include "platform/window/headless_host.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/app_reset.h"
#include "shell/startup.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"
#include "support/temp_folder.h"

namespace shelltest {


inline const WCHAR* kDatabase = u"\\Program Files\\Quillet Pro\\quillet.qu2";
inline HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000));

inline void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class ShellDevice : public ::testing::Test {
protected:
    void SetUp() override {
        resetAppState();
        root_ = testsupport::makeTempFolder("qp_shell_test_");
        ASSERT_FALSE(root_.empty());
        std::filesystem::create_directories(root_ + "/card");
        device::setProgramIdentity(quilletIdentity());
        device::HostOptions options;
        options.rootDir = root_;
        options.cardDir = root_ + "/card";
        options.headless = true;
        std::string error;
        ASSERT_TRUE(device::hostPrepareDevice(options, error)) << error;
        device::useHeadlessHost();
        registerProgramResources();
        static bool registered = registerWindowClasses(kInstance) == 0;
        ASSERT_TRUE(registered);
        // A settings file: this is not the first run, so no dialog comes up.
        ASSERT_EQ(setSettingInt(SETTING_WARNINGMESSAGE, 1), 0);
    }
    void TearDown() override {
        if (hwnd_ && IsWindow(hwnd_)) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        pump();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    // A database with the given lists, the first one active, remembered in
    // the settings.
    void makeDatabase(std::initializer_list<const char*> lists) {
        sqlite3* db = openListDatabase(kDatabase);
        ASSERT_NE(db, nullptr);
        bool first = true;
        for (const char* name : lists) {
            ASSERT_TRUE(createItemTable(db, name));
            ASSERT_TRUE(writeListAttributes(db, name, defaultListAttributes()));
            if (first) {
                ASSERT_TRUE(setActiveList(db, name));
            }
            first = false;
        }
        closeDatabaseFile(db);
        ASSERT_EQ(setSettingText(SETTING_CURRENTDBFILE, kDatabase), 0);
    }

    void start() {
        WCHAR none[1] = {0};
        hwnd_ = initInstance(kInstance, none, SW_SHOW);
        ASSERT_NE(hwnd_, nullptr);
        pump();
    }

    HMENU menu() const { return (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0); }
    bool enabled(UINT id) const { return !(GetMenuState(menu(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); }
    bool checked(UINT id) const { return (GetMenuState(menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    bool buttonEnabled(UINT id) const { return SendMessageW(hwndMenuBar, TB_ISBUTTONENABLED, id, 0) != 0; }

    std::string root_;
    HWND hwnd_ = nullptr;
};

}  // namespace shelltest
