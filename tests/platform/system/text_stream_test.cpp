// Wide text streams as export and import use them: fwprintf after "w",
// fgetws after "r", through device paths.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "windows.h"

namespace {

using testing_device::DeviceTest;

class TextStream : public DeviceTest {
protected:
    // All lines of a device file as fgetws returns them with room for n-1.
    std::vector<std::u16string> lines(const WCHAR* path, int n = 1000) {
        std::vector<std::u16string> out;
        FILE* f = _wfopen(path, u"r");
        EXPECT_NE(nullptr, f);
        if (!f) return out;
        std::vector<WCHAR> buf((size_t)n);
        while (fgetws(buf.data(), n, f)) out.emplace_back(buf.data());
        EXPECT_EQ(0, fclose(f));
        return out;
    }
    std::string file(const std::string& name) { return root + "/My Documents/" + name; }
};

TEST_F(TextStream, ExportWritesUtf8WithDeviceLineEnds) {
    FILE* f = _wfopen(u"\\My Documents\\export_list.txt", u"w");
    ASSERT_NE(nullptr, f);
    EXPECT_EQ(9, fwprintf(f, u"!%s\n", u"Gro\u00DFe \u20AC"));
    fwprintf(f, u"\t%s\tX\n", u"Milk");
    fwprintf(f, u"\t~line one\r");  // a note's own carriage return stays
    fputws(u"\n", f);
    EXPECT_EQ(0, fclose(f));
    EXPECT_EQ("!Gro\xC3\x9F" "e \xE2\x82\xAC\r\n\tMilk\tX\r\n\t~line one\r\r\n", readHost(file("export_list.txt")));
    EXPECT_EQ((std::vector<std::u16string>{u"!Gro\u00DFe \u20AC\n", u"\tMilk\tX\n", u"\t~line one\r\n"}),
              lines(u"\\my documents\\EXPORT_LIST.TXT"));
}

TEST_F(TextStream, ReadsBomsUtf16AndLineEnds) {
    writeHost(file("bom8.txt"), "\xEF\xBB\xBF" "a\r\nb\nc");
    EXPECT_EQ((std::vector<std::u16string>{u"a\n", u"b\n", u"c"}), lines(u"\\My Documents\\bom8.txt"));
    writeHost(file("le.txt"), std::string("\xFF\xFE" "a\0\r\0\n\0\xAC\x20\n\0", 12));
    EXPECT_EQ((std::vector<std::u16string>{u"a\n", u"\u20AC\n"}), lines(u"\\My Documents\\le.txt"));
    writeHost(file("be.txt"), std::string("\xFE\xFF\0x\xD8\x3D\xDE\x00\0\n", 10));
    EXPECT_EQ((std::vector<std::u16string>{u"x\U0001F600\n"}), lines(u"\\My Documents\\be.txt"));
    writeHost(file("odd.txt"), std::string("\xFF\xFE" "a\0b", 5));  // a torn last unit
    EXPECT_EQ((std::vector<std::u16string>{u"a\uFFFD"}), lines(u"\\My Documents\\odd.txt"));
    writeHost(file("short.txt"), "ab");  // shorter than any byte order mark
    EXPECT_EQ((std::vector<std::u16string>{u"ab"}), lines(u"\\My Documents\\short.txt"));
    writeHost(file("empty.txt"), "");
    EXPECT_TRUE(lines(u"\\My Documents\\empty.txt").empty());
}

TEST_F(TextStream, InvalidUtf8LinesReadAsTheSystemCodePage) {
    writeHost(file("mixed.txt"), "caf\xC3\xA9\r\ncaf\xE9 \x80\r\n\xC3\xA9t\xE9\n");
    EXPECT_EQ((std::vector<std::u16string>{u"caf\u00E9\n", u"caf\u00E9 \u20AC\n", u"\u00C3\u00A9t\u00E9\n"}),
              lines(u"\\My Documents\\mixed.txt"));
}

TEST_F(TextStream, LongLinesAreSplitByTheBufferSize) {
    writeHost(file("long.txt"), "abcdefg\nhi\n");
    EXPECT_EQ((std::vector<std::u16string>{u"abc", u"def", u"g\n", u"hi\n"}), lines(u"\\My Documents\\long.txt", 4));
    // A character of two units never starts in the last place.
    writeHost(file("pair.txt"), "a\xF0\x9F\x98\x80" "b");
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"\U0001F600", u"b"}), lines(u"\\My Documents\\pair.txt", 3));
    FILE* f = _wfopen(u"\\My Documents\\long.txt", u"r");
    WCHAR one[1] = {u'x'};
    EXPECT_EQ(one, fgetws(one, 1, f));  // room for the NUL only
    EXPECT_EQ(0, one[0]);
    EXPECT_EQ(nullptr, fgetws(one, 0, f));
    fclose(f);
}

TEST_F(TextStream, OpenFailures) {
    errno = 0;
    EXPECT_EQ(nullptr, _wfopen(u"\\My Documents\\none.txt", u"r"));
    EXPECT_EQ(ENOENT, errno);
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, _wfopen(u"\\No Folder\\x.txt", u"w"));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, _wfopen(u"\\My Documents", u"r"));
    EXPECT_EQ(nullptr, _wfopen(u"\\My Documents\\x.txt", u"r+"));
    EXPECT_EQ(nullptr, _wfopen(u"\\My Documents\\x.txt", u"q"));
    EXPECT_FALSE(hostExists(file("x.txt")));
    // Binary mode keeps line ends; append adds to the end.
    FILE* f = _wfopen(u"\\My Documents\\raw.txt", u"wb");
    fputws(u"a\n", f);
    fclose(f);
    f = _wfopen(u"\\My Documents\\raw.txt", u"a");
    fputws(u"b\n", f);
    fclose(f);
    EXPECT_EQ("a\nb\r\n", readHost(file("raw.txt")));
}

}  // namespace
