#include "pim_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/controls/common/scroll_bar.h"
#include "platform/controls/edit/edit_control.h"
#include "platform/controls/listbox/listbox_control.h"
#include "platform/controls/static/static_control.h"
#include "platform/pim/pim_objects.h"
#include "platform/shell/shell_system.h"
#include "platform/system/system_startup.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/window_system.h"
#include "support/test_identity.h"

namespace pimtest {

void PimTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qp-pim-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(pattern.data()));
    base = pattern;
    root = base + "/root";
    std::filesystem::create_directories(base + "/card");
    device::setProgramIdentity(testsupport::testIdentity());
    device::SystemConfig config;
    config.rootDir = root;
    config.cardDir = base + "/card";
    ASSERT_TRUE(device::systemStartup(config));
    ASSERT_TRUE(device::installTaskStore());
    device::windowSystemReset();
    device::shellReset();
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::registerShellClasses();
    device::registerScrollBars();
    device::registerStaticControl();
    device::registerEditControl();
    device::registerListBoxControl();
}

void PimTest::TearDown() {
    pim::setTaskFolder("");
    device::headlessHost().setIdleDriver({});
    device::windowSystemReset();
    device::shellReset();
    // Every object a test made was released again.
    EXPECT_EQ(pim::liveObjects(), 0);
    // COM is left as the test found it: the first call initialises afresh.
    EXPECT_EQ(CoInitializeEx(nullptr, 0), S_OK);
    CoUninitialize();
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
}

void PimTest::writeHost(const std::string& relative, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(host(relative)).parent_path());
    std::ofstream(host(relative), std::ios::binary | std::ios::trunc) << bytes;
}

std::string PimTest::readHost(const std::string& relative) const {
    std::ifstream in(host(relative), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void PimTest::drive(std::vector<std::function<void()>> steps) {
    steps_.assign(steps.begin(), steps.end());
    device::headlessHost().setIdleDriver([this] {
        if (steps_.empty()) return false;
        auto step = steps_.front();
        steps_.pop_front();
        step();
        return true;
    });
}

IPOutlookApp* PimTest::logOn() {
    EXPECT_EQ(CoInitializeEx(nullptr, 0), S_OK);
    HMODULE library = LoadLibraryW(u"pimstore.dll");
    FARPROC registerServer = GetProcAddress(library, u"DllRegisterServer");
    EXPECT_NE(registerServer, nullptr);
    if (registerServer) {
        EXPECT_EQ(registerServer(), S_OK);
    }
    FreeLibrary(library);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp, &object), S_OK);
    IPOutlookApp* app = static_cast<IPOutlookApp*>(object);
    if (app) {
        EXPECT_EQ(app->Logon(nullptr), S_OK);
    }
    return app;
}

}  // namespace pimtest
