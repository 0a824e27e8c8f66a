// The task store's tests: a fresh device root with the store's library
// installed, an empty desktop with the virtual clock, and the controls the
// task editor is made of.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "pimstore.h"
#include "platform/pim/pim_library.h"
#include "platform/pim/task_store.h"
#include "windows.h"

namespace pimtest {

class PimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string host(const std::string& devicePathBelowRoot) const { return root + "/" + devicePathBelowRoot; }
    void writeHost(const std::string& relative, const std::string& bytes) const;
    std::string readHost(const std::string& relative) const;
    // Runs `steps` one per idle moment of a nested loop (the editor's).
    void drive(std::vector<std::function<void()>> steps);

    // CoInitializeEx, CoCreateInstance of the application, Logon; fails the
    // test when any step does.
    IPOutlookApp* logOn();

    std::string base;
    std::string root;
    std::deque<std::function<void()>> steps_;
};

}  // namespace pimtest
