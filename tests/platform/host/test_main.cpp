// The host tests' executable is also the small test program as a process:
//   test_platform_host --program [host options]
// runs it through hostMain exactly as the program's executable runs the
// program; anything else runs the tests.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/host/host_main.h"
#include "support/test_identity.h"
#include "test_program.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--program") == 0) {
        std::vector<std::string> args(argv + 2, argv + argc);
        return device::hostMain(args, testsupport::testIdentity(), hosttest::testWinMain);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
