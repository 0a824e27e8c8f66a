// The device's file system through the calls the program makes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "platform/system/device_fs.h"
#include "windows.h"

namespace {

using testing_device::DeviceTest;

class FileSystem : public DeviceTest {
protected:
    // The names a search returns, in order, as "name/attributes".
    std::vector<std::u16string> find(const WCHAR* pattern) {
        std::vector<std::u16string> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(pattern, &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do names.push_back(fd.cFileName);
        while (FindNextFileW(h, &fd));
        EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError());
        EXPECT_TRUE(FindClose(h));
        return names;
    }
    DWORD findError(const WCHAR* pattern) {
        WIN32_FIND_DATAW fd;
        EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW(pattern, &fd));
        return GetLastError();
    }
};

TEST_F(FileSystem, StandardFoldersAndProgramPaths) {
    for (const WCHAR* f : {u"\\My Documents", u"\\Program Files\\Test Program", u"\\Windows"})
        EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(f));
    WCHAR buf[MAX_PATH];
    EXPECT_EQ(40u, GetModuleFileNameW(nullptr, buf, MAX_PATH));
    EXPECT_EQ(std::u16string(u"\\Program Files\\Test Program\\testprog.exe"), buf);
    WCHAR small[8];
    EXPECT_EQ(8u, GetModuleFileNameW(nullptr, small, 8));
    EXPECT_EQ(std::u16string(u"\\Progra"), small);
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, buf, CSIDL_PERSONAL, FALSE));
    EXPECT_EQ(std::u16string(u"\\My Documents"), buf);
    EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, buf, 0x7777, FALSE));
    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, buf, CSIDL_STARTMENU, TRUE));
    EXPECT_TRUE(hostExists(root + "/Windows/Start Menu"));
}

TEST_F(FileSystem, NamesResolveIgnoringCaseButAnExactMatchWins) {
    writeHost(root + "/My Documents/Lists.qu2", "upper");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\my documents\\LISTS.QU2"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(device::readDeviceFile(u"/MY DOCUMENTS/lists.qu2", bytes));
    EXPECT_EQ("upper", std::string(bytes.begin(), bytes.end()));
    writeHost(root + "/My Documents/lists.qu2", "lower");
    ASSERT_TRUE(device::readDeviceFile(u"\\My Documents\\lists.qu2", bytes));
    EXPECT_EQ("lower", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(device::readDeviceFile(u"\\My Documents\\Lists.qu2", bytes));
    EXPECT_EQ("upper", std::string(bytes.begin(), bytes.end()));
    // A new file keeps the case it was given; the folder's case is the disk's.
    HANDLE h = CreateFileW(u"\\MY DOCUMENTS\\New.TXT", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    EXPECT_TRUE(hostExists(root + "/My Documents/New.TXT"));
    EXPECT_EQ(std::vector<std::u16string>{u"New.TXT"}, find(u"\\my documents\\new.txt"));
}

TEST_F(FileSystem, BadPathsFailCleanly) {
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\My Documents\\..\\..\\etc"));
    EXPECT_EQ((DWORD)ERROR_INVALID_NAME, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\a|b"));
    EXPECT_EQ((DWORD)ERROR_INVALID_NAME, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\No Such\\file"));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\My Documents\\nothing"));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    std::u16string longPath = u"\\" + std::u16string(300, u'x');
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(longPath.c_str()));
    EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE, GetLastError());
    // The device has no current folder: a relative name starts at the root.
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(u"Windows"));
}

TEST_F(FileSystem, FindWithWildcardsAttributesAndTheCard) {
    writeHost(root + "/My Documents/b.qu2", "12345");
    writeHost(root + "/My Documents/a.qu2", "");
    writeHost(root + "/My Documents/a.qu2x", "");
    writeHost(root + "/My Documents/notes.txt", "");
    writeHost(root + "/My Documents/Sub/x.qu2", "");
    EXPECT_EQ((std::vector<std::u16string>{u"a.qu2", u"b.qu2"}), find(u"\\My Documents\\*.qu2"));
    EXPECT_EQ((std::vector<std::u16string>{u"Sub", u"a.qu2", u"a.qu2x", u"b.qu2", u"notes.txt"}),
              find(u"\\My Documents\\*.*"));
    EXPECT_EQ((std::vector<std::u16string>{u"a.qu2", u"b.qu2"}), find(u"\\My Documents\\?.QU2"));
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(u"\\My Documents\\b.qu2", &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ(5u, fd.nFileSizeLow);
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_ARCHIVE, fd.dwFileAttributes);
    EXPECT_GT(fd.ftLastWriteTime.dwHighDateTime, 0x01D00000u);  // after 2015
    EXPECT_FALSE(FindNextFileW(h, &fd));
    FindClose(h);
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, findError(u"\\My Documents\\*.zip"));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, findError(u"\\Missing\\*.qu2"));
    EXPECT_FALSE(FindClose(h));  // already closed
    // The root lists the card as a temporary folder.
    std::vector<std::u16string> top = find(u"\\*");
    EXPECT_EQ((std::vector<std::u16string>{u"My Documents", u"Program Files", u"Storage Card", u"Windows"}), top);
    h = FindFirstFileW(u"\\storage card", &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ((DWORD)(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY), fd.dwFileAttributes);
    EXPECT_EQ(std::u16string(u"Storage Card"), fd.cFileName);
    FindClose(h);
    writeHost(card + "/backup.qu2", "b");
    EXPECT_EQ(std::vector<std::u16string>{u"backup.qu2"}, find(u"\\Storage Card\\*.qu2"));
}

TEST_F(FileSystem, FoldersCreateAndRemove) {
    EXPECT_TRUE(CreateDirectoryW(u"\\My Documents\\Backup", nullptr));
    EXPECT_FALSE(CreateDirectoryW(u"\\my documents\\BACKUP", nullptr));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_FALSE(CreateDirectoryW(u"\\Nope\\Deeper", nullptr));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    writeHost(root + "/My Documents/Backup/f", "x");
    EXPECT_FALSE(RemoveDirectoryW(u"\\My Documents\\Backup"));
    EXPECT_EQ((DWORD)ERROR_DIR_NOT_EMPTY, GetLastError());
    EXPECT_FALSE(RemoveDirectoryW(u"\\My Documents\\Backup\\f"));
    EXPECT_EQ((DWORD)ERROR_DIRECTORY, GetLastError());
    EXPECT_TRUE(DeleteFileW(u"\\My Documents\\Backup\\F"));
    EXPECT_TRUE(RemoveDirectoryW(u"\\My Documents\\backup"));
    EXPECT_FALSE(RemoveDirectoryW(u"\\Storage Card"));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_TRUE(hostExists(card));
}

TEST_F(FileSystem, CopyMoveDeleteAndTheirErrors) {
    writeHost(root + "/My Documents/lists.qu2", "data");
    EXPECT_TRUE(CopyFileW(u"\\My Documents\\lists.qu2", u"\\Storage Card\\lists.qu2", TRUE));
    EXPECT_EQ("data", readHost(card + "/lists.qu2"));
    EXPECT_FALSE(CopyFileW(u"\\My Documents\\lists.qu2", u"\\Storage Card\\LISTS.qu2", TRUE));
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
    writeHost(root + "/My Documents/lists.qu2", "newer");
    EXPECT_TRUE(CopyFileW(u"\\My Documents\\lists.qu2", u"\\Storage Card\\LISTS.qu2", FALSE));
    EXPECT_EQ("newer", readHost(card + "/lists.qu2"));
    EXPECT_FALSE(CopyFileW(u"\\My Documents\\none.qu2", u"\\x.qu2", FALSE));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(CopyFileW(u"\\My Documents\\lists.qu2", u"\\No\\x.qu2", FALSE));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_FALSE(CopyFileW(u"\\My Documents\\lists.qu2", u"\\Windows", FALSE));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    // No copy leaves a stray temporary behind.
    EXPECT_EQ(std::vector<std::u16string>{u"lists.qu2"}, find(u"\\Storage Card\\*"));

    EXPECT_FALSE(MoveFileW(u"\\My Documents\\lists.qu2", u"\\Storage Card\\lists.qu2"));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_TRUE(MoveFileW(u"\\My Documents\\lists.qu2", u"\\My Documents\\renamed.qu2"));
    EXPECT_EQ("newer", readHost(root + "/My Documents/renamed.qu2"));
    EXPECT_TRUE(MoveFileW(u"\\My Documents\\renamed.qu2", u"\\My Documents\\Renamed.QU2"));  // case only
    EXPECT_TRUE(hostExists(root + "/My Documents/Renamed.QU2"));
    EXPECT_FALSE(hostExists(root + "/My Documents/renamed.qu2"));
    EXPECT_FALSE(MoveFileW(u"\\My Documents\\gone", u"\\x"));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());

    EXPECT_FALSE(DeleteFileW(u"\\My Documents\\gone"));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(DeleteFileW(u"\\Gone\\gone"));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_FALSE(DeleteFileW(u"\\My Documents"));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_TRUE(DeleteFileW(u"\\my documents\\renamed.qu2"));
}

TEST_F(FileSystem, OpenFilesReadWriteSeek) {
    HANDLE h = CreateFileW(u"\\Windows\\data.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_EQ((DWORD)ERROR_SUCCESS, GetLastError());
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(h, "hello world", 11, &n, nullptr));
    EXPECT_EQ(11u, n);
    EXPECT_EQ(11u, GetFileSize(h, nullptr));
    EXPECT_EQ(6u, SetFilePointer(h, 6, nullptr, FILE_BEGIN));
    char buf[16] = {};
    EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(5u, n);
    EXPECT_STREQ("world", buf);
    EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));  // end of file: success, nothing read
    EXPECT_EQ(0u, n);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(h, -20, nullptr, FILE_END));
    EXPECT_EQ((DWORD)ERROR_NEGATIVE_SEEK, GetLastError());
    EXPECT_EQ(5u, SetFilePointer(h, -6, nullptr, FILE_END));
    EXPECT_TRUE(SetEndOfFile(h));
    EXPECT_EQ(5u, GetFileSize(h, nullptr));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());

    h = CreateFileW(u"\\windows\\DATA.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    CloseHandle(h);
    h = CreateFileW(u"\\Windows\\data.bin", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    CloseHandle(h);
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileW(u"\\Windows\\data.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileW(u"\\Windows\\none", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileW(u"\\Windows", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    // A search handle is not a file.
    WIN32_FIND_DATAW fd;
    HANDLE search = FindFirstFileW(u"\\*", &fd);
    EXPECT_FALSE(ReadFile(search, buf, 1, &n, nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    FindClose(search);
}

TEST_F(FileSystem, HostPathsTurnIntoDevicePaths) {
    std::u16string dev;
    ASSERT_TRUE(device::hostToDevice(root + "/My Documents/lists.qu2", dev));
    EXPECT_EQ(u"\\My Documents\\lists.qu2", dev);
    ASSERT_TRUE(device::hostToDevice(card + "/sub/../x.qu2", dev));
    EXPECT_EQ(u"\\Storage Card\\x.qu2", dev);
    ASSERT_TRUE(device::hostToDevice(root, dev));
    EXPECT_EQ(u"\\", dev);
    EXPECT_FALSE(device::hostToDevice("/proc/version", dev));
    // By default the root lies inside the card (the home folder): the nearer
    // of the two names the file.
    device::fsSetRoot(card + "/.local/share/test-program");
    ASSERT_TRUE(device::hostToDevice(card + "/.local/share/test-program/My Documents/a.qu2", dev));
    EXPECT_EQ(u"\\My Documents\\a.qu2", dev);
    ASSERT_TRUE(device::hostToDevice(card + "/Documents/a.qu2", dev));
    EXPECT_EQ(u"\\Storage Card\\Documents\\a.qu2", dev);
    device::fsSetRoot(root);
    // A name that is not UTF-8 on the host reads as the system code page and
    // still finds its file.
    writeHost(root + "/My Documents/caf\xE9.qu2", "old");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(device::readDeviceFile(u"\\My Documents\\CAF\u00C9.qu2", bytes));
    EXPECT_EQ(3u, bytes.size());
    std::string host;
    ASSERT_TRUE(device::deviceToHost(u"\\Storage Card\\f\u00E9e.txt", host));
    EXPECT_EQ(card + "/f\xC3\xA9" "e.txt", host);
}

}  // namespace
