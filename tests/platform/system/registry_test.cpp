// The registry as the program uses it: its key under HKEY_CLASSES_ROOT, two
// remembered paths, a 32-bit value read at start-up, and the file behind it.
#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "platform/system/registry.h"
#include "platform/system/registry_store.h"
#include "windows.h"

namespace {

using testing_device::DeviceTest;

class Registry : public DeviceTest {
protected:
    std::string file() { return root + "/Windows/registry.dat"; }

    void writeText(const WCHAR* name, const std::u16string& text) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, 0, &key));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)text.c_str(),
                                                (DWORD)((text.size() + 1) * sizeof(WCHAR))));
        RegCloseKey(key);
    }
    std::u16string readText(const WCHAR* name) {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, 0, &key) != ERROR_SUCCESS) return u"<no key>";
        WCHAR buf[512];
        DWORD size = sizeof buf, type = 0;
        LONG rc = RegQueryValueExW(key, name, nullptr, &type, (LPBYTE)buf, &size);
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS) return u"<error " + std::u16string(1, (char16_t)(u'0' + rc % 10)) + u">";
        EXPECT_EQ((DWORD)REG_SZ, type);
        return buf;
    }
    void createProgramKey() {
        HKEY key;
        DWORD disposition = 0;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, nullptr, 0, 0,
                                                 nullptr, &key, &disposition));
        RegCloseKey(key);
    }
};

TEST_F(Registry, KeysValuesAndReturnCodes) {
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, nullptr, 0, 0,
                                             nullptr, &key, &disposition));
    EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, u"BRAMBLEWORKS\\quilletpro", 0, nullptr, 0, 0,
                                             nullptr, &key, &disposition));
    EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disposition);

    DWORD one = 1;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"count", 0, REG_DWORD, (const BYTE*)&one, sizeof one));
    const BYTE blob[3] = {0, 0xFF, 7};
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"blob", 0, REG_BINARY, blob, 3));
    DWORD type = 0, size = 0, value = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"COUNT", nullptr, &type, nullptr, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"count", nullptr, &type, (LPBYTE)&value, &size));
    EXPECT_EQ(1u, value);
    BYTE small[2] = {9, 9};
    size = sizeof small;
    EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, u"blob", nullptr, &type, small, &size));
    EXPECT_EQ(3u, size);
    EXPECT_EQ(9, small[0]);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"missing", nullptr, &type, small, &size));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, u"Blob"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, u"blob"));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueExW(key, u"count", nullptr, &type, nullptr, &size));

    // The start-up check of a hardware keyboard finds nothing here.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\Microsoft\\Shell", 0, 0, &key));
    EXPECT_EQ(ERROR_BAD_PATHNAME, RegOpenKeyExW(HKEY_CURRENT_USER, u"\\SOFTWARE", 0, 0, &key));
    EXPECT_EQ(ERROR_BAD_PATHNAME, RegCreateKeyExW(HKEY_CURRENT_USER, u"a\\\\b", 0, nullptr, 0, 0, nullptr, &key, nullptr));
}

TEST_F(Registry, ValuesSurviveAReloadOfTheDevice) {
    createProgramKey();
    writeText(u"previousexportfile", u"\\My Documents\\export_list.txt");
    writeText(u"previousimportfolder", u"\\Storage Card\\Caf\u00E9 \u20AC\\list.txt");
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Brambleworks\\QuilletPro", 0, 0, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    RegCloseKey(key);
    device::registryReload();
    EXPECT_EQ(u"\\My Documents\\export_list.txt", readText(u"previousexportfile"));
    EXPECT_EQ(u"\\Storage Card\\Caf\u00E9 \u20AC\\list.txt", readText(u"previousimportfolder"));
}

TEST_F(Registry, TheFileIsReplacedWholeAndOddNamesRoundTrip) {
    device::RegTree tree;
    auto key = std::make_unique<device::RegKey>();
    key->name = u"we%ird\tkey name";
    key->values.push_back({u"", REG_SZ, {'a', 0, 0, 0}});
    key->values.push_back({u"line\nbreak", REG_BINARY, {}});
    tree.roots[2].children.push_back(std::move(key));
    device::RegTree back;
    EXPECT_TRUE(device::regParse(device::regSerialize(tree), back));
    // The same with CRLF line ends, as after an edit elsewhere.
    std::string crlf;
    for (char c : device::regSerialize(tree)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    device::RegTree fromCrlf;
    EXPECT_TRUE(device::regParse(crlf, fromCrlf));
    EXPECT_EQ(device::regSerialize(tree), device::regSerialize(fromCrlf));
    ASSERT_EQ(1u, back.roots[2].children.size());
    device::RegKey* k = back.roots[2].child(u"WE%IRD\tKEY NAME");
    ASSERT_NE(nullptr, k);
    ASSERT_EQ(2u, k->values.size());
    EXPECT_EQ(4u, k->value(u"")->data.size());
    EXPECT_TRUE(k->value(u"line\nbreak")->data.empty());

    createProgramKey();
    writeText(u"previousexportfile", u"first");
    std::string before = readHost(file());
    // A temporary left over by an interrupted write does not matter.
    writeHost(file() + ".tmp", "partial garb");
    writeText(u"previousexportfile", u"second");
    EXPECT_NE(before, readHost(file()));
    EXPECT_FALSE(hostExists(file() + ".tmp"));
    device::registryReload();
    EXPECT_EQ(u"second", readText(u"previousexportfile"));
}

TEST_F(Registry, ADamagedFileLoadsWhatCanBeRead) {
    createProgramKey();
    writeText(u"previousexportfile", u"kept");
    std::string good = readHost(file());
    // Damage: a torn line, a value without a key, bad hex, and binary junk.
    writeHost(file(), good + "value\t1\tx\tzz\nkey\t9\tBad\n\x01\xFF\xFE junk\nvalue\t1\n");
    device::registryReload();
    EXPECT_EQ(u"kept", readText(u"previousexportfile"));
    EXPECT_TRUE(hostExists(file() + ".damaged"));
    // Not a registry file at all: empty, and writing still works.
    writeHost(file(), std::string("\0\0\0garbage", 10));
    device::registryReload();
    EXPECT_EQ(u"<no key>", readText(u"previousexportfile"));
    createProgramKey();
    writeText(u"previousexportfile", u"fresh");
    device::registryReload();
    EXPECT_EQ(u"fresh", readText(u"previousexportfile"));
}

}  // namespace
