// A fresh device for each test: its root and storage card are new temporary
// host folders, removed again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testing_device {

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes a host file (relative to the root or the card folder).
    void writeHost(const std::string& hostPath, const std::string& bytes);
    std::string readHost(const std::string& hostPath);
    bool hostExists(const std::string& hostPath);

    std::string base;  // the temporary folder holding both
    std::string root;  // the device's "\"
    std::string card;  // "\Storage Card"
};

}  // namespace testing_device
