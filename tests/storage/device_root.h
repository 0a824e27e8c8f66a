// A fresh device root for a test: a temporary host folder behind "\", with
// the standard folders and the SQLite VFS that opens device paths; removed
// afterwards. Also host-side access to the files inside it.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/quillet_identity.h"
#include "platform/system/system_startup.h"
#include "support/temp_folder.h"

namespace storage_test {

class DeviceRoot : public ::testing::Test {
protected:
    void SetUp() override {
        root = testsupport::makeTempFolder("qp_storage_root_");
        ASSERT_FALSE(root.empty());
        std::filesystem::create_directories(root + "/card");
        device::setProgramIdentity(quilletIdentity());
        device::SystemConfig config;
        config.rootDir = root;
        config.cardDir = root + "/card";
        ASSERT_TRUE(device::systemStartup(config));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    // The host path of a file in "\My Documents".
    std::string documents(const std::string& name) const { return root + "/My Documents/" + name; }
    std::string programFolder(const std::string& name) const { return root + "/Program Files/Quillet Pro/" + name; }

    static std::vector<char> bytesOf(const std::string& hostPath) {
        std::ifstream in(hostPath, std::ios::binary);
        return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static void writeBytes(const std::string& hostPath, const std::vector<char>& bytes) {
        std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // Runs statements on a host file with SQLite's own host VFS, as another
    // program would have written it.
    static void hostSql(const std::string& hostPath, const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(hostPath.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, "unix"), SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    std::string root;
};

}  // namespace storage_test
