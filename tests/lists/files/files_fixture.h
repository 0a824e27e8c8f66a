// The database-file tests' device: a fresh device root, a headless screen
// with the program's resources, a main window with the list combo box,
// list-name bar, outline, splitter and notes pane, a recorder in place of
// the message dialog, and steps played while a modal dialog waits.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/device_files.h"
#include "windows.h"

namespace filestest {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host paths of device paths, and files on the host.
    std::string host(const std::string& devicePath) const { return files.host(devicePath); }
    void writeBytes(const std::string& devicePath, const std::string& bytes) const {
        files.writeBytes(devicePath, bytes);
    }
    std::string readBytes(const std::string& devicePath) const { return files.readBytes(devicePath); }
    // Runs SQL on a database file with SQLite's own host access.
    void hostSql(const std::string& devicePath, const std::string& sql) const;
    // The first column of the first row of a query on a database file.
    std::string hostQuery(const std::string& devicePath, const std::string& sql) const;

    // Opens `devicePath` as the current database (as start-up does) with
    // its lists in the box and no list current.
    void openAsCurrent(const std::u16string& devicePath);
    // Plays `steps` while the next modal loops wait.
    void play(std::vector<std::function<void()>> steps);

public:
    testsupport::TempDeviceRoot files;
    testsupport::MessageLog messages;
    std::vector<std::string>& shown = messages.shown;  // "caption|text|style"
    std::vector<int>& answers = messages.answers;      // given to the messages in turn, then 1
    testsupport::StepList steps;
};

// In the chooser in front: expands the nodes of `labels` ("\\/My
// Documents/a.qu2") down to the last and selects it.
void pickInChooser(const std::u16string& labels);
// Taps the chooser's check mark (1000) or cross (1016).
void tapChooser(int id);

}  // namespace filestest
