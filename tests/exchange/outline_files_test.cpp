// Outline files as other outliners write them, read into the current list:
// the check attributes they use, encodings, the item limits, and Markdown
// whose headings jump a level.
#include "exchange/text_import.h"
#include "exchange_fixture.h"

using namespace exchangetest;

namespace {

class OutlineFiles : public ExchangeTest {
protected:
    int import(const char* devicePath) {
        std::string path = devicePath;
        return importList(nullptr, nullptr, std::u16string(path.begin(), path.end()).c_str(), IMPORT_LINE_CHARS);
    }
};

TEST_F(OutlineFiles, OpmlOfOtherOutlinersComesInWithItsCheckMarksAndLimits) {
    std::string longText(150, 'T');
    std::string longNote(1200, 'n');
    writeBytes("\\My Documents\\other.xml",
               "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<opml version=\"1.0\"><head><title>Other</title>"
               "</head><body>\n<outline text=\"Caf\xE9 \x80\" checked=\"true\" icon=\"star\">"
               "<outline text=\"Done\" _status=\"checked\"/><outline text=\"Also\" complete=\"1\"/>"
               "<outline text=\"Open\" _status=\"open\" _complete=\"false\"><foo/></outline></outline>\n"
               "<outline text=\"  " + longText + "\" _note=\"" + longNote + "\"/></body></opml>\n");
    ASSERT_EQ(import("\\My Documents\\other.xml"), 1);
    EXPECT_TRUE(shown.empty()) << shown[0];
    EXPECT_EQ(outline("Groceries"), "0|Caf\xC3\xA9 \xE2\x82\xAC|1|\n1|Done|1|\n1|Also|1|\n1|Open|0|\n0|" +
                                        std::string(99, 'T') + "|0|" + std::string(999, 'n') + "\n");
}

TEST_F(OutlineFiles, MarkdownHeadingsAndListsAndAJumpThatStopsAsATabJumpDoes) {
    writeBytes("\\My Documents\\plan.markdown",
               "Intro text before any item.\n\n# Home\n\nFix the door\nbefore winter\n\n"
               "* Paint\n  1. Walls\n  2. [x] Doors\n\n     Two coats\n\n## Garden\n#### Too deep\n\n- Never\n");
    EXPECT_EQ(import("\\My Documents\\plan.markdown"), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning Message|Incorrect number of tab characters in the input file!|48");
    // A numbered item can be a task too; the items before the jump stay.
    EXPECT_EQ(outline("Groceries"),
              "0|Home|0|Fix the door\r\nbefore winter\n1|Paint|0|\n2|Walls|0|\n2|Doors|1|Two coats\n1|Garden|0|\n");
}

}  // namespace
