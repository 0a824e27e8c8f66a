// A device whose store fills up: the file calls and the text streams fail as
// on a full disk and leave what was there intact (SQLite: sqlite_vfs_test).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "device_fixture.h"
#include "platform/system/device_fs.h"
#include "platform/system/storage_limit.h"
#include "wcrt.h"
#include "windows.h"

namespace {

using testing_device::DeviceTest;

class FullStorage : public DeviceTest {
protected:
    // Leaves `room` bytes free in the store.
    void leaveRoom(uint64_t room) { device::fsSetStorageLimit(device::fsStorageUsed() + room); }
    void TearDown() override {
        device::fsSetStorageLimit(0);
        DeviceTest::TearDown();
    }
    static bool writeFile(const WCHAR* path, const std::string& bytes, DWORD disposition = CREATE_ALWAYS) {
        HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        SetFilePointer(h, 0, nullptr, FILE_END);
        DWORD written = 0;
        BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        DWORD error = GetLastError();
        CloseHandle(h);
        SetLastError(error);
        return ok;
    }
};

TEST_F(FullStorage, FileWritesCopiesAndPlatformFilesStopAtTheSize) {
    ASSERT_TRUE(writeFile(u"\\My Documents\\a.txt", "12345"));
    leaveRoom(10);
    EXPECT_TRUE(writeFile(u"\\My Documents\\a.txt", "678", OPEN_EXISTING));
    // Growing past the size writes nothing of it.
    EXPECT_FALSE(writeFile(u"\\My Documents\\a.txt", "abcdefgh", OPEN_EXISTING));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    EXPECT_EQ("12345678", readHost(root + "/My Documents/a.txt"));
    // Rewriting bytes the file has already needs no room.
    HANDLE h = CreateFileW(u"\\My Documents\\a.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(h, "ABCDEFGH", 8, &n, nullptr));
    EXPECT_TRUE(SetEndOfFile(h));
    SetFilePointer(h, 100, nullptr, FILE_BEGIN);
    EXPECT_FALSE(SetEndOfFile(h));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    CloseHandle(h);

    // A copy that does not fit leaves the old target and no piece of itself.
    writeHost(root + "/My Documents/big.qu2", std::string(4000, 'x'));
    writeHost(root + "/My Documents/big-backup.qu2", "old");
    leaveRoom(100);
    EXPECT_FALSE(CopyFileW(u"\\My Documents\\big.qu2", u"\\My Documents\\big-backup.qu2", FALSE));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    EXPECT_EQ("old", readHost(root + "/My Documents/big-backup.qu2"));
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(root + "/My Documents")) entries += e.is_regular_file();
    EXPECT_EQ(3, entries);
    // The card is not the device's store: only its own disk limits it.
    EXPECT_TRUE(CopyFileW(u"\\My Documents\\big.qu2", u"\\Storage Card\\big-backup.qu2", FALSE));
    EXPECT_TRUE(writeFile(u"\\Storage Card\\c.txt", std::string(5000, 'c')));

    // The platform's own files (registry, task store) are replaced whole.
    EXPECT_FALSE(device::replaceDeviceFile(u"\\Windows\\tasks.dat", std::string(500, 't')));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    EXPECT_FALSE(hostExists(root + "/Windows/tasks.dat.tmp"));

    // A text stream that runs out of room reports it when it is flushed.
    FILE* f = _wfopen(u"\\My Documents\\export.txt", u"w");
    ASSERT_NE(nullptr, f);
    for (int i = 0; i < 50; ++i) fwprintf(f, u"%s\n", u"a line of the exported list");
    EXPECT_NE(0, fflush(f) | ferror(f));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    fclose(f);
    EXPECT_LE(device::fsStorageUsed(), device::fsStorageLimit());
}

TEST_F(FullStorage, AHostDiskThatIsFullIsAFullDevice) {
    // /dev/full refuses every write with ENOSPC, as a full disk does.
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(0, symlink("/dev/full", (root + "/My Documents/full.txt").c_str()));
    EXPECT_FALSE(writeFile(u"\\My Documents\\full.txt", "x", OPEN_EXISTING));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
}

}  // namespace
