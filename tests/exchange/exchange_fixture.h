// The exchange tests' device: a fresh device root for the text files, a
// list database in memory as the open database with the list "Groceries"
// current, and a recorder in place of the message dialog.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/storage_test_util.h"
#include "support/device_files.h"
#include "windows.h"

namespace exchangetest {

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes `name` the current list (creating its table and row when missing).
    void useList(const std::string& name);
    // Adds an item row: id, parent, order, text, checked, display, note (a
    // note of "" means none), child count.
    void addRow(long id, long parent, long order, const std::string& text, int checked = 0, int display = 1,
                const std::string& note = "", int children = 0);

    // Host access to files under the device root, given as device paths.
    void writeBytes(const std::string& devicePath, const std::string& bytes) const {
        files.writeBytes(devicePath, bytes);
    }
    std::string readBytes(const std::string& devicePath) const { return files.readBytes(devicePath); }

    // The list's rows as "depth|text|checked|note" lines, in outline order
    // (texts and notes deciphered when the current list is protected).
    std::string outline(const std::string& list);
    std::string q(const std::string& sql) { return storage_test::scalar(db, sql); }

public:
    testsupport::TempDeviceRoot files;
    testsupport::MessageLog messages;
    std::vector<std::string>& shown = messages.shown;  // "caption|text|style"
    storage_test::MemoryListDb db;
};

}  // namespace exchangetest
