// Lists going out as OPML and Markdown and coming back, and the same files
// read and written by programs no one here wrote (pandoc, hnb): each list
// is checked by its stored rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "e2e_run.h"

namespace {

// A list's rows in the order they were stored: id, parent, text, check
// mark, note flag and note.
std::string rowsOf(const std::string& database, const std::string& list) {
    std::string out;
    for (const auto& row : e2e::query(database, "SELECT longID,longParentID,strText,bChecked,bNote,strNoteText FROM '" +
                                                    list + "' WHERE longID > 0 ORDER BY longID;")) {
        for (const std::string& field : row) out += field + "|";
        out += "\n";
    }
    return out;
}

std::string listNames(const std::string& database) {
    std::string out;
    for (const auto& row : e2e::query(database, "SELECT strListName FROM ListAttributes ORDER BY rowid;"))
        out += (out.empty() ? "" : ",") + row[0];
    return out;
}

bool hasTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

TEST(Formats, AListGoesOutAsOpmlAndMarkdownAndComesBackTheSame) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "formats_roundtrip.txt"), 0) << run.err();
    const std::string documents = run.root() + "/My Documents/";
    EXPECT_EQ(e2e::readFile(documents + "groceries.opml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<opml version=\"2.0\">\r\n  <head>\r\n"
              "    <title>Groceries</title>\r\n  </head>\r\n  <body>\r\n"
              "    <outline text=\"Milk &amp; &lt;b&gt;*fresh*&lt;/b&gt; \xE2\x82\xAC" "3\" _complete=\"true\"/>\r\n"
              "    <outline text=\"# Bread &quot;rye&quot; [x]\">\r\n"
              "      <outline text=\"1. Sliced_thin\" _note=\"Baker's &lt;own&gt; &amp; co&#10;    - before noon\">\r\n"
              "        <outline text=\"- Crust\"/>\r\n"
              "      </outline>\r\n    </outline>\r\n  </body>\r\n</opml>\r\n");
    EXPECT_EQ(e2e::readFile(documents + "groceries.md"),
              "# Groceries\r\n\r\n"
              "- [x] Milk & \\<b\\>\\*fresh\\*\\</b\\> \xE2\x82\xAC" "3\r\n"
              "- [ ] \\# Bread \"rye\" \\[x\\]\r\n"
              "  - [ ] 1\\. Sliced\\_thin\r\n\r\n"
              "    Baker's \\<own\\> & co\r\n"
              "    &#32;&#32;&#32;&#32;\\- before noon\r\n\r\n"
              "    - [ ] \\- Crust\r\n");
    // Stored texts are Windows-1252; the note keeps its line end and blanks.
    const std::string groceries =
        "1|0|Milk & <b>*fresh*</b> \x80" "3|1|0||\n"
        "2|0|# Bread \"rye\" [x]|0|0||\n"
        "3|2|1. Sliced_thin|0|1|Baker's <own> & co\r\n    - before noon|\n"
        "4|3|- Crust|0|0||\n";
    EXPECT_EQ(rowsOf(run.database(), "Groceries"), groceries);
    EXPECT_EQ(rowsOf(run.database(), "Groceries 1"), groceries);  // from the OPML file
    EXPECT_EQ(rowsOf(run.database(), "Groceries 2"), groceries);  // from the Markdown file
}

TEST(Formats, FilesThatAreNotOutlinesAreRefusedAndChangeNothing) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"), 0) << run.err();
    const std::string documents = run.root() + "/My Documents/";
    std::ofstream(documents + "broken.opml") << "<?xml version=\"1.0\"?>\n<opml><body>\n<outline text=\"a\">\n</body></opml>\n";
    std::ofstream(documents + "nobody.opml") << "<opml version=\"2.0\"><head><title>T</title></head></opml>\n";
    std::ofstream(documents + "notes.md") << "# Notes\n\nJust a paragraph, no list.\n";
    // Content that starts as XML is read as OPML whatever the file's name.
    std::ofstream(documents + "xml.txt") << "<?xml version=\"1.0\"?>\n<outline text=\"x\"/>\n";
    ASSERT_EQ(e2e::play(run, "formats_bad.txt", false), 0) << run.err();
    const std::pair<const char*, const char*> expected[] = {
        {"formats_broken.json", "The OPML file is broken at line 4 (mismatched tag)!"},
        {"formats_nobody.json", "The OPML file has no body!"},
        {"formats_notes.json", "The Markdown file holds no list!"},
        {"formats_xml.json", "The file is not an OPML outline!"},
    };
    for (const auto& [dump, message] : expected)
        EXPECT_NE(e2e::readFile(run.path(dump)).find(message), std::string::npos) << dump << " lacks " << message;
    EXPECT_EQ(listNames(run.database()), "Groceries");
    EXPECT_EQ(rowsOf(run.database(), "Groceries"), "1|0|Milk|0|0||\n");
}

// The list the other programs get: two-line and one-line notes, three
// levels, check marks at two of them, and letters beyond ASCII.
const char* const kTrip =
    "!Trip\n"
    "Passport\tX\n~Check the expiry date\n~and the visa\n"
    "Clothes\n\tShirts\tX\n\tSocks\n\t\tWool\n\t\t~Two pairs, both grey\n"
    "Tickets\n~Print them\n"
    "Caf\xC3\xA9 na\xC3\xAFve \xE2\x82\xAC" "5\n";

const char* const kSample =
    "# Garden\n\nWater on Sundays\n\n## Roses\n\n## Tomatoes\n\nTie them up\n\n### Cherry\n\n"
    "# Shed\n\nOil the hinges\n";

TEST(Formats, OtherProgramsReadWhatWeWriteAndWeReadWhatTheyWrite) {
    for (const char* tool : {"pandoc", "hnb"})
        if (!hasTool(tool)) GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
    e2e::Run run;
    const std::string documents = run.root() + "/My Documents/";
    ASSERT_EQ(run.script(e2e::kFirstStart), 0) << run.err();
    std::ofstream(documents + "trip.txt") << kTrip;
    std::ofstream(run.path("sample.md")) << kSample;
    ASSERT_EQ(e2e::play(run, "formats_peers_out.txt", false), 0) << run.err();

    // pandoc reads our OPML (its outlines as headings, its notes as
    // paragraphs) and our Markdown, and writes what it read as Markdown;
    // hnb imports our OPML and exports it again (with a processing
    // instruction, <?pos="1"?>, that XML does not allow and our reader
    // refuses, so it is taken out). Then pandoc turns a sample
    // outline into OPML and into Markdown.
    const std::string commands[] = {
        "pandoc -f opml -t gfm --wrap=preserve " + quoted(documents + "trip.opml") + " -o " +
            quoted(documents + "pandoc_opml.md"),
        "pandoc -f gfm -t gfm --wrap=preserve " + quoted(documents + "trip.md") + " -o " +
            quoted(documents + "pandoc_gfm.md"),
        // hnb reads nothing from a path with a blank in it.
        "cp " + quoted(documents + "trip.opml") + " " + quoted(run.dir()) + " && cd " + quoted(run.dir()) +
            " && HOME=" + quoted(run.dir()) + " hnb -ui cli -opml trip.opml -e 'export_opml hnb.opml' >/dev/null 2>&1" +
            " && sed 's/<?pos=\"[0-9]*\"?>//' hnb.opml > " + quoted(documents + "hnb.opml"),
        "pandoc -f markdown -t opml -s --metadata title=Sample " + quoted(run.path("sample.md")) + " -o " +
            quoted(documents + "sample.opml"),
        "pandoc -f markdown -t gfm " + quoted(run.path("sample.md")) + " -o " + quoted(documents + "sample.md"),
    };
    for (const std::string& command : commands) ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_EQ(e2e::play(run, "formats_peers_in.txt", false), 0) << run.err();

    const std::string db = run.database();
    EXPECT_EQ(listNames(db), "Groceries,Trip,List,Trip 1,outline exported from hnb,Sample,List 1");
    const std::string trip =
        "1|0|Passport|1|1|Check the expiry date\r\nand the visa|\n"
        "2|0|Clothes|0|0||\n"
        "3|2|Shirts|1|0||\n"
        "4|2|Socks|0|0||\n"
        "5|4|Wool|0|1|Two pairs, both grey|\n"
        "6|0|Tickets|0|1|Print them|\n"
        "7|0|Caf\xE9 na\xEFve \x80" "5|0|0||\n";
    ASSERT_EQ(rowsOf(db, "Trip"), trip);
    // pandoc's OPML reader has no check marks; the rest is the same.
    EXPECT_EQ(rowsOf(db, "List"),
              "1|0|Passport|0|1|Check the expiry date\r\nand the visa|\n"
              "2|0|Clothes|0|0||\n"
              "3|2|Shirts|0|0||\n"
              "4|2|Socks|0|0||\n"
              "5|4|Wool|0|1|Two pairs, both grey|\n"
              "6|0|Tickets|0|1|Print them|\n"
              "7|0|Caf\xE9 na\xEFve \x80" "5|0|0||\n");
    EXPECT_EQ(rowsOf(db, "Trip 1"), trip);
    // hnb keeps a character reference in an attribute as text, so the line
    // end of the two-line note comes back as "&#10;"; tree, checks and the
    // other notes are the same.
    std::string viaHnb = trip;
    viaHnb.replace(viaHnb.find("date\r\nand"), 9, "date&#10;and");
    EXPECT_EQ(rowsOf(db, "outline exported from hnb"), viaHnb);

    const std::string sample =
        "1|0|Garden|0|1|Water on Sundays|\n"
        "2|1|Roses|0|0||\n"
        "3|1|Tomatoes|0|1|Tie them up|\n"
        "4|3|Cherry|0|0||\n"
        "5|0|Shed|0|1|Oil the hinges|\n";
    EXPECT_EQ(rowsOf(db, "Sample"), sample);
    EXPECT_EQ(rowsOf(db, "List 1"), sample);
}

}  // namespace
