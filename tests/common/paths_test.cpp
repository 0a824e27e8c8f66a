// The path helpers on a device root.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/quillet_identity.h"
#include "common/paths.h"
#include "platform/system/system_startup.h"
#include "support/temp_folder.h"

namespace {

class Paths : public ::testing::Test {
protected:
    void SetUp() override {
        root = testsupport::makeTempFolder("qp_common_root_");
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
    void touch(const std::string& relative) { std::ofstream(root + "/" + relative) << "x"; }
    std::string root;
};

std::u16string folderPart(LPCWSTR path, int capacity = 100) {
    WCHAR out[100];
    getFolderPart(path, out, capacity);
    return out;
}
std::u16string filePart(LPCWSTR path) {
    WCHAR out[100];
    getFilePart(path, out, 100);
    return out;
}

TEST_F(Paths, ProgramAndDocumentsFolders) {
    WCHAR folder[200];
    getProgramFolder(folder, 200);
    EXPECT_EQ(std::u16string(folder), u"\\Program Files\\Quillet Pro");
    getProgramFolder(folder, 9);
    EXPECT_EQ(std::u16string(folder), u"\\Program");
    getDocumentsFolder(folder, 200);
    EXPECT_EQ(std::u16string(folder), u"\\My Documents");
}

TEST(PathParts, SplitAtTheLastBackslash) {
    EXPECT_EQ(folderPart(u"\\My Documents\\lists.qu2"), u"\\My Documents");
    EXPECT_EQ(filePart(u"\\My Documents\\lists.qu2"), u"lists.qu2");
    EXPECT_EQ(folderPart(u"\\lists.qu2"), u"");
    EXPECT_EQ(filePart(u"\\lists.qu2"), u"lists.qu2");
    EXPECT_EQ(folderPart(u"lists.qu2"), u"");
    EXPECT_EQ(filePart(u"lists.qu2"), u"lists.qu2");
    EXPECT_EQ(folderPart(u"\\A\\B\\"), u"\\A\\B");
    EXPECT_EQ(filePart(u"\\A\\B\\"), u"");
    EXPECT_EQ(folderPart(u"\\My Documents\\x", 4), u"\\My");
    EXPECT_EQ(folderPart(nullptr), u"");
}

TEST_F(Paths, ExistenceIsAFileSystemSearch) {
    touch("My Documents/lists.qu2");
    EXPECT_EQ(fileExists(u"\\My Documents\\lists.qu2"), 1);
    EXPECT_EQ(fileExists(u"\\My Documents"), 1);
    EXPECT_EQ(fileExists(u"\\My Documents\\other.qu2"), 0);
    EXPECT_EQ(fileExists(u"\\Nowhere\\lists.qu2"), 0);
    EXPECT_EQ(fileExists(u""), 0);
    EXPECT_EQ(fileExists(nullptr), 0);
}

TEST_F(Paths, UniqueFileNameTakesTheFirstFreeNumber) {
    WCHAR name[100];
    makeUniqueFileName(u"\\My Documents", u"quillet", u".qu2", name, 100);
    EXPECT_EQ(std::u16string(name), u"\\My Documents\\quillet1.qu2");
    touch("My Documents/quillet1.qu2");
    touch("My Documents/quillet2.qu2");
    touch("My Documents/quillet4.qu2");
    makeUniqueFileName(u"\\My Documents", u"quillet", u".qu2", name, 100);
    EXPECT_EQ(std::u16string(name), u"\\My Documents\\quillet3.qu2");
    makeUniqueFileName(u"", u"quillet", u".qu2", name, 100);
    EXPECT_EQ(std::u16string(name), u"\\quillet1.qu2");
}

TEST_F(Paths, WhenEveryNumberIsTakenTheLastOneIsUsed) {
    std::filesystem::create_directories(root + "/full");
    for (int n = 1; n <= 1999; ++n) touch("full/x" + std::to_string(n) + ".txt");
    WCHAR name[100];
    makeUniqueFileName(u"\\full", u"x", u".txt", name, 100);
    EXPECT_EQ(std::u16string(name), u"\\full\\x1999.txt");
}

}  // namespace
