// Export and import of lists as tab-indented text: the file a list gives,
// the list a file gives back, the rules of a line and of a new list's name,
// and files that are not what they should be.
#include "common/codepage.h"
#include "crypto/cipher.h"
#include "exchange/remembered_paths.h"
#include "exchange/text_export.h"
#include "exchange/text_import.h"
#include "exchange_fixture.h"
#include "state/app_state.h"

using namespace exchangetest;

namespace {

class Exchange : public ExchangeTest {
protected:
    // A list with order that differs from the identifiers, a checked item
    // with a three-line note, a hidden child, a grandchild, a parked item,
    // quotes and Windows-1252 characters.
    void fillGroceries() {
        addRow(1, 0, 2, "Milk 'fresh'", 1, 1, "line one\r\nline two\r\nline three", 1);
        addRow(2, 0, 1, "Bread");
        addRow(3, 1, 1, "Caf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC" "3", 0, 0, "", 1);
        addRow(4, 3, 1, "Deep \"quoted\"");
        addRow(-6, 0, 3, "Gone");
        addRow(5, 1, 2, "Second child", 1);
    }
    int import(const std::string& devicePath) {
        return importList(nullptr, nullptr, asWide(devicePath).c_str(), IMPORT_LINE_CHARS);
    }
    static std::u16string asWide(const std::string& utf8) { return std::u16string(utf8.begin(), utf8.end()); }
};

const char* const kGroceriesFile =
    "!Groceries\r\n"
    "Bread\r\n"
    "Milk 'fresh'\tX\r\n"
    "~line one\r\r\n"
    "~line two\r\r\n"
    "~line three\r\n"
    "\tCaf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC" "3\r\n"
    "\t\tDeep \"quoted\"\r\n"
    "\tSecond child\tX\r\n";

TEST_F(Exchange, AListIsWrittenAsIndentedLinesWithChecksAndNotesAndReadBackTheSame) {
    fillGroceries();
    ASSERT_EQ(exportList(nullptr, u"\\My Documents\\groceries.txt"), 1);
    EXPECT_EQ(readBytes("\\My Documents\\groceries.txt"), kGroceriesFile);

    useList("Copy");
    ASSERT_EQ(import("\\My Documents\\groceries.txt"), 1);
    EXPECT_TRUE(shown.empty()) << shown[0];
    EXPECT_EQ(outline("Copy"), outline("Groceries"));
    EXPECT_EQ(outline("Copy"),
              "0|Bread|0|\n"
              "0|Milk 'fresh'|1|line one\r\nline two\r\nline three\n"
              "1|Caf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC" "3|0|\n"
              "2|Deep \"quoted\"|0|\n"
              "1|Second child|1|\n");
    // Imported items are shown and expanded.
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Copy' WHERE bDisplay=1 AND bNodeExpand=1;"), "5");
}

TEST_F(Exchange, AnImportIntoAListWithItemsAppendsAfterThem) {
    addRow(1, 0, 7, "Existing");
    writeBytes("\\My Documents\\more.txt", "First\nSecond\n\tUnder second\n");
    ASSERT_EQ(import("\\My Documents\\more.txt"), 1);
    EXPECT_EQ(outline("Groceries"), "0|Existing|0|\n0|First|0|\n0|Second|0|\n1|Under second|0|\n");
    EXPECT_EQ(q("SELECT longOrder FROM 'Groceries' WHERE strText='First';"), "8");
}

TEST_F(Exchange, AProtectedListExportsPlainTextAndStoresImportedTextsEnciphered) {
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    writeBytes("\\My Documents\\in.txt", "Top 'one'\n~a note\n\tChild\n");
    ASSERT_EQ(import("\\My Documents\\in.txt"), 1);
    EXPECT_EQ(outline("Groceries"), "0|Top 'one'|0|a note\n1|Child|0|\n");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries' WHERE strText LIKE '%Top%' OR strNoteText LIKE '%note%';"), "0");
    ASSERT_EQ(exportList(nullptr, u"\\My Documents\\out.txt"), 1);
    EXPECT_EQ(readBytes("\\My Documents\\out.txt"), "!Groceries\r\nTop 'one'\r\n~a note\r\n\tChild\r\n");
}

TEST_F(Exchange, BadIndentationStopsTheImportAndKeepsWhatCameBefore) {
    writeBytes("\\My Documents\\jump.txt", "One\n\tTwo\n\t\t\tToo deep\nNever\n");
    EXPECT_EQ(import("\\My Documents\\jump.txt"), 0);
    EXPECT_EQ(outline("Groceries"), "0|One|0|\n1|Two|0|\n");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning Message|Incorrect number of tab characters in the input file!|48");

    useList("Second");
    shown.clear();
    writeBytes("\\My Documents\\tab.txt", "!Header\n\tIndented first\nTop\n");
    EXPECT_EQ(import("\\My Documents\\tab.txt"), 0);
    EXPECT_EQ(outline("Second"), "");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning Message|The first line in the input file cannot have a tab character!|48");
}

TEST_F(Exchange, FilesInOtherEncodingsAndWithOddLinesComeInAsText) {
    // UTF-16 with its byte order mark.
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string(u"Th\u00E9\n\tSub \u20AC\n")) {
        utf16 += char(c & 0xFF);
        utf16 += char(c >> 8);
    }
    writeBytes("\\My Documents\\utf16.txt", utf16);
    ASSERT_EQ(import("\\My Documents\\utf16.txt"), 1);
    // Windows-1252 bytes, blank lines, blanks around, a lower-case x, a very
    // long line (cut to what an item holds, its rest not a line of its own).
    std::string longLine(1500, 'L');
    writeBytes("\\My Documents\\cp1252.txt",
               "Caf\xE9 \x80\r\n\r\n   Padded   \r\nNot checked\tx\r\n" + longLine + "\r\nAfter\r\n");
    ASSERT_EQ(import("\\My Documents\\cp1252.txt"), 1);
    EXPECT_EQ(outline("Groceries"),
              "0|Th\xC3\xA9|0|\n1|Sub \xE2\x82\xAC|0|\n0|Caf\xC3\xA9 \xE2\x82\xAC|0|\n0|Padded|0|\n0|Not checked|0|\n0|" +
                  std::string(99, 'L') + "|0|\n0|After|0|\n");
    EXPECT_TRUE(shown.empty());
}

TEST_F(Exchange, EmptyMissingAndBinaryFiles) {
    writeBytes("\\My Documents\\empty.txt", "");
    EXPECT_EQ(import("\\My Documents\\empty.txt"), 1);
    EXPECT_EQ(outline("Groceries"), "");
    EXPECT_EQ(import("\\My Documents\\missing.txt"), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning Message|Could not open file!|48");

    writeBytes("\\My Documents\\picture.txt", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    EXPECT_EQ(looksLikeText(u"\\My Documents\\picture.txt"), 0);
    writeBytes("\\My Documents\\wide.txt", std::string("\xFF\xFEH\0i\0", 6));
    EXPECT_EQ(looksLikeText(u"\\My Documents\\wide.txt"), 1);
    EXPECT_EQ(looksLikeText(u"\\My Documents\\empty.txt"), 1);
}

TEST_F(Exchange, ExportRefusesAnEmptyListAndAFileItCannotMake) {
    EXPECT_EQ(exportList(nullptr, u"\\My Documents\\none.txt"), 0);
    addRow(1, 0, 1, "Item");
    EXPECT_EQ(exportList(nullptr, u"\\No Such Folder\\out.txt"), 0);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Warning Message|Record count in list is zero!|48");
    EXPECT_EQ(shown[1], "Warning Message|Could not open file!|48");
}

TEST(ImportRules, OneLine) {
    struct Case {
        std::u16string line;
        int skip, depth, checked, note;
        std::u16string text;
    } cases[] = {
        {u"\t\tMilk\tX\n", 0, 2, 1, 0, u"Milk"},
        {u"Milk\tx", 0, 0, 0, 0, u"Milk"},
        {u"Milk X", 0, 0, 0, 0, u"Milk X"},
        {u"  \t Eggs  \n", 0, 1, 0, 0, u"Eggs"},
        {u"\t\t", 0, 2, 0, 0, u""},  // an empty item two levels down
        {u"!Header", 1, 0, 0, 0, u""},
        {u"   \n", 1, 0, 0, 0, u""},
        {u"\t~a note\r\n", 0, 1, 0, 1, u"a note"},
        {u"~", 0, 0, 0, 1, u""},
        {u"Text\tmore\tX", 0, 0, 1, 0, u"Text"},
    };
    for (const Case& c : cases) {
        ImportLine l = parseImportLine(c.line.c_str());
        std::string shown(c.line.begin(), c.line.end());
        EXPECT_EQ(l.skip, c.skip) << shown;
        if (c.skip) continue;
        EXPECT_EQ(l.depth, c.depth) << shown;
        EXPECT_EQ(l.checked, c.checked) << shown;
        EXPECT_EQ(l.note, c.note) << shown;
        EXPECT_EQ(l.text, c.text) << shown;
    }
}

TEST_F(Exchange, TheNameOfANewList) {
    HWND box = CreateWindowExW(0, u"combobox", u"", CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
    WCHAR name[LIST_NAME_CHARS];
    makeImportListName(u"!O'Brien's\n", box, name, LIST_NAME_CHARS);
    EXPECT_EQ(std::u16string(name), u"O_Brien_s");
    makeImportListName(u"Just an item\n", box, name, LIST_NAME_CHARS);
    EXPECT_EQ(std::u16string(name), u"List");
    makeImportListName(u"! Spaced\n", box, name, LIST_NAME_CHARS);
    EXPECT_EQ(std::u16string(name), u"List");
    makeImportListName(u"", box, name, LIST_NAME_CHARS);
    EXPECT_EQ(std::u16string(name), u"List");
    if (box) {
        std::u16string longName(39, u'N');
        for (std::u16string entry : {std::u16string(u"groceries"), std::u16string(u"Groceries 1"), longName})
            SendMessageW(box, CB_ADDSTRING, 0, (LPARAM)entry.c_str());
        makeImportListName(u"!Groceries\n", box, name, LIST_NAME_CHARS);
        EXPECT_EQ(std::u16string(name), u"Groceries 2");
        makeImportListName((u"!" + longName + u"NNNN").c_str(), box, name, LIST_NAME_CHARS);
        EXPECT_EQ(std::u16string(name), std::u16string(37, u'N') + u" 1");  // the number fits the name
        DestroyWindow(box);
    }
}

TEST_F(Exchange, RememberedPathsFallBackWhenTheyCannotBeRead) {
    WCHAR out[200] = u"junk";
    EXPECT_EQ(readRegistryText(REGISTRY_PREVIOUS_EXPORT, out, 200), 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(writeRegistryText(REGISTRY_PREVIOUS_EXPORT, u"\\x.txt"), 1);  // no key yet
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, REGISTRY_KEY_PATH, 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(writeRegistryText(REGISTRY_PREVIOUS_EXPORT, u"\\My Documents\\Caf\u00E9.txt"), 0);
    EXPECT_EQ(readRegistryText(REGISTRY_PREVIOUS_EXPORT, out, 200), 0);
    EXPECT_EQ(std::u16string(out), u"\\My Documents\\Caf\u00E9.txt");
    EXPECT_EQ(readRegistryText(REGISTRY_PREVIOUS_IMPORT, out, 200), 1);
}

}  // namespace
