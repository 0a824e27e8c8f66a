// The chooser tests' device: a fresh device root (the file system the tree
// shows), a headless screen with the program's resources, a recorder in
// place of the message dialog, and steps played while the chooser waits.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/file_chooser.h"
#include "support/device_files.h"
#include "windows.h"

namespace choosertest {

class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a folder or a file (with `text`) under the device root, given as
    // a device path ("\My Documents\a.txt").
    void makeFolder(const std::string& devicePath);
    void makeFile(const std::string& devicePath, const std::string& text = "x");
    bool existsOnHost(const std::string& devicePath) const;

    // Runs the chooser with `steps` played one by one while it waits; the
    // result of chooseFile. `path` is the request's path in and out.
    int run(int mode, LPCWSTR extension, std::u16string& path, std::vector<std::function<void()>> steps,
            int capacity = CHOOSER_PATH_CHARS);

public:
    testsupport::TempDeviceRoot files;
    testsupport::MessageLog messages;
    std::vector<std::string>& shown = messages.shown;  // "caption|text|style" of every message
    std::vector<int>& answers = messages.answers;      // given to the messages in turn, then 1
};

// The chooser in front and its tree.
HWND chooser();
HWND chooserTree();
// The tree as "label" lines indented two blanks per level, with "+" for a
// node showing an expand button: "\\ +", "  My Documents +", ...
std::string treeText();
// The node at a path of labels separated by '/' ("\\/My Documents").
HTREEITEM node(const std::u16string& labels);
// Selects the node, as a tap on its label would.
void selectNode(const std::u16string& labels);
// Expands the node as the program does.
void expandNode(const std::u16string& labels);
// Taps the node's expand button with the pen (the tap is handled once the
// step has returned, as are the taps below).
void tapButton(const std::u16string& labels);
// Taps one of the pictures (1000 OK, 1016 Cancel, 1093 New Folder).
void tapPicture(int id);
// Types `text` into the open label editor and ends the edit (or cancels it).
void finishLabelEdit(const std::u16string& text, bool cancel = false);
// The file name box's text.
std::u16string fileNameText();
void setFileName(const std::u16string& text);

}  // namespace choosertest
