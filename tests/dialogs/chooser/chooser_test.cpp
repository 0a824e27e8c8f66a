// The file and folder chooser driven as a person uses it: what its tree
// shows in each mode, where it starts, what each mode returns, and making
// and renaming folders on disk.
#include "chooser_fixture.h"
#include "resources/resource_ids.h"

using namespace choosertest;

namespace {

class Chooser : public ChooserTest {};

TEST(ChooserRules, ExtensionsPicturesAndPaths) {
    EXPECT_EQ(endsWithExtension(u"Lists.QU2", u".qu2"), 1);
    EXPECT_EQ(endsWithExtension(u"qu2", u".qu2"), 0);
    EXPECT_EQ(endsWithExtension(u"a.txt", u""), 0);
    EXPECT_EQ(endsWithExtension(u"Trip.OPML", u".txt;.opml;.md"), 1);
    EXPECT_EQ(endsWithExtension(u"a.mdx", u".txt;.md"), 0);
    EXPECT_EQ(isListedFile(u".md", CHOOSE_FILE, u".txt;.md"), 0);
    EXPECT_EQ(isListedFile(u"x.md", CHOOSE_FILE, u".txt;.md"), 1);
    EXPECT_EQ(pictureForFile(u"SETUP.EXE"), CHOOSER_PIC_PROGRAM);
    EXPECT_EQ(pictureForFile(u"old.Db"), CHOOSER_PIC_DATABASE);
    EXPECT_EQ(pictureForFile(u"list.txt"), CHOOSER_PIC_DOCUMENT);

    WCHAR out[MAX_PATH];
    joinNodePath(u"\\", u"My Documents", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\My Documents");
    joinNodePath(u"\\My Documents", u"Old", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\My Documents\\Old");
    folderPattern(u"\\", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\*.*");
    folderPattern(u"\\Storage Card", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\Storage Card\\*.*");

    WCHAR path[CHOOSER_PATH_CHARS] = u"\\export_list.txt";
    FileChooserRequest r = {path, u"", u".txt", CHOOSE_NEW_FILE, CHOOSER_PATH_CHARS};
    requestStartFolder(r, out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\");
    requestFileName(r, out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"export_list.txt");
    r.intMode = CHOOSE_FILE;
    requestStartFolder(r, out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\export_list.txt");

    newFilePath(u"\\My Documents", u".txt", u"plan", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\My Documents\\plan");  // no extension is added
    newFilePath(u"\\My Documents\\old.TXT", u".txt", u"new.txt", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\My Documents\\new.txt");  // beside the selected file
    newFilePath(u"\\", u".txt", u"a.txt", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\a.txt");
    newFilePath(u"\\top.txt", u".txt", u"a.txt", out, MAX_PATH);
    EXPECT_EQ(std::u16string(out), u"\\a.txt");
}

TEST_F(Chooser, ChoosingAFileShowsOnlyFoldersWithSomethingToShowAndFilesOfTheExtension) {
    makeFolder("\\My Documents\\Lists");
    makeFile("\\My Documents\\Lists\\b.qu2");
    makeFile("\\My Documents\\Lists\\A.QU2");
    makeFile("\\My Documents\\Lists\\notes.txt");
    makeFile("\\My Documents\\Lists\\.qu2");  // no name before the extension
    makeFolder("\\My Documents\\Photos");
    makeFile("\\My Documents\\Photos\\cat.jpg");
    std::string tree;
    std::u16string path = u"\\My Documents\\Lists";
    int result = run(CHOOSE_FILE, u".qu2", path,
                     {[&] {
                          expandNode(u"\\/My Documents/Lists");
                          expandNode(u"\\/My Documents/Photos");
                          tree = treeText();
                          selectNode(u"\\/My Documents/Lists/b.qu2");
                          tapPicture(res::kIdOk);
                      }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, u"\\My Documents\\Lists\\b.qu2");
    // The storage card follows the root at the top level.
    EXPECT_NE(tree.find("\\ +\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("\nStorage Card +\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("  My Documents +\n    Lists +\n      A.QU2\n      b.qu2\n    Photos\n"), std::string::npos)
        << tree;
    EXPECT_EQ(tree.find("notes.txt"), std::string::npos);
    EXPECT_TRUE(shown.empty());
}

TEST_F(Chooser, AFolderIsNoFileAndADoubleTapOnAFileAcceptsIt) {
    makeFile("\\My Documents\\one.qu2");
    std::u16string path = u"\\My Documents";
    int result = run(CHOOSE_FILE, u".qu2", path,
                     {[&] { tapPicture(res::kIdOk); },  // the folder is selected
                      [&] {
                          expandNode(u"\\/My Documents");
                          selectNode(u"\\/My Documents/one.qu2");
                          NMHDR header = {chooserTree(), UINT_PTR(res::kIdChooserTree), NM_DBLCLK};
                          SendMessageW(chooser(), WM_NOTIFY, res::kIdChooserTree, (LPARAM)&header);
                      }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, u"\\My Documents\\one.qu2");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning|Must select a file!|48");
}

TEST_F(Chooser, AMissingOrMisspeltStartingFolderOpensOnTheDocumentsFolder) {
    makeFolder("\\My Documents\\Work");
    for (std::u16string start : {u"\\No Such Folder", u"\\my documents\\Work", u"relative"}) {
        std::u16string path = start;
        int result = run(CHOOSE_FOLDER, u".qu2", path, {[&] { tapPicture(res::kIdOk); }});
        EXPECT_EQ(result, 1);
        EXPECT_EQ(path, u"\\My Documents\\");
    }
}

TEST_F(Chooser, AFolderComesBackWithItsBackslashAndTheRootAsOne) {
    makeFolder("\\My Documents\\Backups");
    std::u16string path = u"\\My Documents\\Backups";
    EXPECT_EQ(run(CHOOSE_FOLDER, u".qu2", path, {[&] { tapPicture(res::kIdOk); }}), 1);
    EXPECT_EQ(path, u"\\My Documents\\Backups\\");
    path = u"\\";
    EXPECT_EQ(run(CHOOSE_FOLDER, u".qu2", path, {[&] { tapPicture(res::kIdOk); }}), 1);
    EXPECT_EQ(path, u"\\");
    path = u"\\Storage Card";
    EXPECT_EQ(run(CHOOSE_FOLDER, u".qu2", path, {[&] { tapPicture(res::kIdOk); }}), 1);
    EXPECT_EQ(path, u"\\Storage Card\\");
}

TEST_F(Chooser, LongFolderNamesKeepTheirButtonsAndTheCardIsListedOnce) {
    const std::string name20(20, 'a'), name38(38, 'b'), name60(60, 'c');
    for (const std::string& name : {name20, name38, name60}) {
        for (const std::string& folder : {"\\Storage Card\\" + name, "\\My Documents\\" + name}) {
            makeFolder(folder);
            makeFolder(folder + "\\Inside");
        }
    }
    std::string tree;
    std::u16string path = u"\\Storage Card";
    int result = run(CHOOSE_FOLDER, u".qu2", path, {[&] {
                         expandNode(u"\\");
                         expandNode(u"\\/My Documents");
                         expandNode(u"Storage Card");
                         tree = treeText();
                         // A label wider than the tree leaves its button in view.
                         tapButton(u"Storage Card/" + std::u16string(name60.begin(), name60.end()));
                     },
                     [&] {
                         selectNode(u"Storage Card/" + std::u16string(name60.begin(), name60.end()) + u"/Inside");
                         tapPicture(res::kIdOk);
                     }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, u"\\Storage Card\\" + std::u16string(name60.begin(), name60.end()) + u"\\Inside\\");
    for (const std::string& name : {name20, name38, name60}) {
        EXPECT_NE(tree.find("    " + name + " +\n"), std::string::npos) << tree;  // in My Documents
        EXPECT_NE(tree.find("\n  " + name + " +\n"), std::string::npos) << tree;  // on the card
    }
    EXPECT_EQ(tree.find("Storage Card"), tree.rfind("Storage Card")) << tree;
}

TEST_F(Chooser, CancelLeavesThePathAsItWas) {
    std::u16string path = u"\\My Documents\\export_list.txt";
    EXPECT_EQ(run(CHOOSE_NEW_FILE, u".txt", path, {[&] { tapPicture(res::kIdCancel); }}), 0);
    EXPECT_EQ(path, u"\\My Documents\\export_list.txt");
    // The shell's done button (IDOK) does not accept: only the check mark does.
    EXPECT_EQ(run(CHOOSE_NEW_FILE, u".txt", path,
                  {[&] { SendMessageW(chooser(), WM_COMMAND, IDOK, 0); },
                   [&] { SendMessageW(chooser(), WM_COMMAND, IDCANCEL, 0); }}),
              0);
    EXPECT_EQ(path, u"\\My Documents\\export_list.txt");
}

TEST_F(Chooser, ANewFileNameIsTakenAsTypedOrFromTheSelectedFile) {
    makeFile("\\My Documents\\old list.txt");
    std::u16string proposed, afterSelect;
    std::u16string path = u"\\My Documents\\export_list.txt";
    int result = run(CHOOSE_NEW_FILE, u".txt", path,
                     {[&] {
                          proposed = fileNameText();
                          expandNode(u"\\/My Documents");
                          selectNode(u"\\/My Documents/old list.txt");
                          afterSelect = fileNameText();
                          setFileName(u"  plan  ");
                          tapPicture(res::kIdOk);
                      }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(proposed, u"export_list.txt");
    EXPECT_EQ(afterSelect, u"old list.txt");
    EXPECT_EQ(path, u"\\My Documents\\plan");
}

TEST_F(Chooser, AnExistingTargetIsOverwrittenOnlyOnYesAndAnEmptyNameIsRefused) {
    makeFile("\\My Documents\\taken.txt");
    answers = {1, 7, 6};  // OK, No, then Yes
    std::u16string path = u"\\My Documents\\taken.txt";
    int result = run(CHOOSE_NEW_FILE, u".txt", path,
                     {[&] {
                          setFileName(u"   ");
                          tapPicture(res::kIdOk);
                      },
                      [&] {
                          setFileName(u"taken.txt");
                          tapPicture(res::kIdOk);
                      },
                      [&] { tapPicture(res::kIdOk); }});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, u"\\My Documents\\taken.txt");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "Warning|Must define a filename!|48");
    EXPECT_EQ(shown[1], "Warning|File exists. Do you want to overwrite?|52");
    EXPECT_EQ(shown[2], "Warning|File exists. Do you want to overwrite?|52");
}

TEST_F(Chooser, APathLongerThanTheCallersRoomIsRefusedNotCut) {
    std::u16string path = u"\\My Documents\\a.txt";
    std::u16string longName(60, u'n');
    int result = run(CHOOSE_NEW_FILE, u".txt", path,
                     {[&] {
                          setFileName(longName + u".txt");
                          tapPicture(res::kIdOk);
                      },
                      [&] {
                          setFileName(u"short.txt");
                          tapPicture(res::kIdOk);
                      }},
                     40);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, u"\\My Documents\\short.txt");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning|The path is too long!|48");
}

TEST_F(Chooser, CollapsingAndExpandingReadsTheFolderAgain) {
    makeFile("\\My Documents\\first.txt");
    std::string before, after;
    std::u16string path = u"\\My Documents\\x.txt";
    run(CHOOSE_NEW_FILE, u".txt", path,
        {[&] { tapButton(u"\\/My Documents"); },  // open
         [&] {
             before = treeText();
             makeFile("\\My Documents\\second.txt");
             tapButton(u"\\/My Documents");  // close
         },
         [&] { tapButton(u"\\/My Documents"); },  // open again
         [&] {
             after = treeText();
             tapPicture(res::kIdCancel);
         }});
    EXPECT_NE(before.find("first.txt"), std::string::npos) << before;
    EXPECT_EQ(before.find("second.txt"), std::string::npos) << before;
    EXPECT_NE(after.find("    first.txt\n    second.txt\n"), std::string::npos) << after;
}

TEST_F(Chooser, ANewFolderIsMadeWhenNamedAndForgottenWhenTheNameIsCancelled) {
    makeFolder("\\My Documents\\Taken");
    bool newFolderShown = false;
    std::string cancelled;
    std::u16string path = u"\\My Documents\\x.txt";
    run(CHOOSE_NEW_FILE, u".txt", path,
        {[&] {
             newFolderShown = IsWindowVisible(GetDlgItem(chooser(), res::kIdChooserNewFolder));
             selectNode(u"\\/My Documents");
             tapPicture(res::kIdChooserNewFolder);
         },
         [&] {
             finishLabelEdit(u"", true);
             cancelled = treeText();
             selectNode(u"\\/My Documents");
             tapPicture(res::kIdChooserNewFolder);
         },
         [&] {
             finishLabelEdit(u"  Trips  ");
             selectNode(u"\\/My Documents");
             tapPicture(res::kIdChooserNewFolder);
         },
         [&] { finishLabelEdit(u"Taken"); },
         [&] { tapPicture(res::kIdCancel); }});
    EXPECT_TRUE(newFolderShown);
    EXPECT_EQ(cancelled.find("New Folder"), std::string::npos) << cancelled;
    EXPECT_FALSE(existsOnHost("\\My Documents\\New Folder"));
    EXPECT_TRUE(existsOnHost("\\My Documents\\Trips"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning|Folder already exists!|0");
}

TEST_F(Chooser, RenamingAFolderMovesItOnDiskUnlessTheNameIsTaken) {
    makeFolder("\\My Documents\\Old");
    makeFolder("\\My Documents\\Other");
    std::string afterRefusal;
    std::u16string path = u"\\My Documents";
    run(CHOOSE_FOLDER, u".qu2", path,
        {[&] {
             expandNode(u"\\/My Documents");
             selectNode(u"\\/My Documents/Old");
             SendMessageW(chooserTree(), TVM_EDITLABELW, 0, (LPARAM)node(u"\\/My Documents/Old"));
             finishLabelEdit(u"Other");
             afterRefusal = treeText();
             SendMessageW(chooserTree(), TVM_EDITLABELW, 0, (LPARAM)node(u"\\/My Documents/Old"));
             finishLabelEdit(u"Renamed");
             // The root and the cards cannot be renamed.
             EXPECT_EQ(SendMessageW(chooserTree(), TVM_EDITLABELW, 0, (LPARAM)node(u"\\")), 0);
             tapPicture(res::kIdCancel);
         }});
    EXPECT_NE(afterRefusal.find("    Old\n"), std::string::npos) << afterRefusal;
    EXPECT_TRUE(existsOnHost("\\My Documents\\Renamed"));
    EXPECT_FALSE(existsOnHost("\\My Documents\\Old"));
    EXPECT_TRUE(existsOnHost("\\My Documents\\Other"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Warning|Folder already exists!|0");
}

}  // namespace
