#include "device_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/system/device_fs.h"
#include "platform/system/system_startup.h"
#include "support/test_identity.h"

namespace testing_device {

void DeviceTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qp-system-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(pattern.data()));
    base = pattern;
    root = base + "/root";
    card = base + "/card";
    std::filesystem::create_directories(card);
    device::setProgramIdentity(testsupport::testIdentity());
    device::SystemConfig config;
    config.rootDir = root;
    config.cardDir = card;
    ASSERT_TRUE(device::systemStartup(config));
}

void DeviceTest::TearDown() {
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
}

void DeviceTest::writeHost(const std::string& hostPath, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    std::ofstream(hostPath, std::ios::binary) << bytes;
}

std::string DeviceTest::readHost(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool DeviceTest::hostExists(const std::string& hostPath) { return std::filesystem::exists(hostPath); }

}  // namespace testing_device
