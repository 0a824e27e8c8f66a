// The test program as a process, as people and CI run it: the demo script
// from standard input with its files, and the exit statuses a shell sees.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host_fixture.h"
#include "platform/gdi/png_io.h"
#include "platform/host/host_options.h"
#include "platform/host/single_copy.h"
#include "support/test_identity.h"
#include "test_program.h"

namespace hosttest {
namespace {

std::string scriptsDir() {
    const char* src = std::getenv("QP_SOURCE_DIR");
    std::string base = src ? src : ".";
    return base + "/tests/platform/host/scripts";
}

// Runs a shell command line in `dir`; the exit status and stderr.
int shell(const std::string& dir, const std::string& command, std::string& errors) {
    std::string errFile = dir + "/stderr.txt";
    std::string line = "cd '" + dir + "' && " + command + " 2>'" + errFile + "'";
    int r = std::system(line.c_str());
    errors = readFile(errFile);
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

class ProcessTest : public HostRun {
protected:
    std::string self() { return std::filesystem::canonical("/proc/self/exe").string(); }
    std::string program() { return "'" + self() + "' --program --headless --root '" + root() + "' --card '" + dir_ + "'"; }
};

TEST_F(ProcessTest, TheDemoScriptFromStandardInputWritesItsFilesAndEndsNormally) {
    std::string errors;
    int status = shell(dir_, program() + " --script - < '" + scriptsDir() + "/demo.txt'", errors);
    EXPECT_EQ(status, kExitCode) << errors;
    for (const char* f : {"dialog.png", "box.png", "end.png"}) {
        gdi::Surface s;
        ASSERT_TRUE(gdi::readPng(path(f), s)) << f;
        EXPECT_EQ(s.width, 240);
    }
    Json dialog, end;
    ASSERT_TRUE(parseJson(readFile(path("dialog.json")), dialog));
    EXPECT_NE(findWindow(dialog["windows"], "text", "Question"), nullptr);
    ASSERT_TRUE(parseJson(readFile(path("end.json")), end));
    EXPECT_EQ(findWindow(end["windows"], "text", "Question"), nullptr);
    const Json* tree = findWindow(end["windows"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ((*tree)["tree"][0]["children"][1]["state_image"].n, 2);
}

TEST_F(ProcessTest, ExitStatusesReachTheShell) {
    std::string errors;
    EXPECT_EQ(shell(dir_, program() + " --script '" + scriptsDir() + "/left_open.txt'", errors), 4);
    EXPECT_NE(errors.find("\"Question\""), std::string::npos) << errors;
    EXPECT_EQ(shell(dir_, "echo 'click \"Nope\"' | " + program() + " --script -", errors), 3);
    EXPECT_NE(errors.find("line 1: click \"Nope\""), std::string::npos) << errors;
    EXPECT_EQ(shell(dir_, "echo 'tap' | " + program() + " --script -", errors), 2);
    EXPECT_EQ(shell(dir_, "'" + self() + "' --program --zoom", errors), 2);
}

// Two processes on one root: a copy holding the root (another process) is
// asked to come to the front by a second start, which ends with the
// program's status for a second copy and leaves the root as it was; once
// the first copy is killed, its lock is gone and a start runs.
TEST_F(ProcessTest, ASecondStartRaisesTheFirstCopyAndTouchesNoFile) {
    const std::string shared = dir_ + "/shared";
    std::filesystem::create_directories(shared);
    int toParent[2];
    ASSERT_EQ(pipe(toParent), 0);
    pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        device::SingleCopy copy(testsupport::testIdentity().dataFolder);
        std::string error;
        if (copy.claim(shared, error) != device::SingleCopy::Claim::First) _exit(1);
        copy.listen([&] { (void)!write(toParent[1], "R", 1); });
        (void)!write(toParent[1], "C", 1);
        for (;;) pause();
    }
    char got = 0;
    ASSERT_EQ(read(toParent[0], &got, 1), 1);
    ASSERT_EQ(got, 'C');
    std::string errors;
    std::string second = "'" + self() + "' --program --headless --root '" + shared + "' --script -";
    EXPECT_EQ(shell(dir_, "echo 'dump d.json' | " + second, errors), device::kExitAlreadyRunning);
    EXPECT_NE(errors.find("already runs"), std::string::npos) << errors;
    ASSERT_EQ(read(toParent[0], &got, 1), 1);
    EXPECT_EQ(got, 'R');
    EXPECT_TRUE(std::filesystem::is_empty(shared));
    EXPECT_FALSE(std::filesystem::exists(path("d.json")));
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    close(toParent[0]);
    close(toParent[1]);
    EXPECT_EQ(shell(dir_, "echo 'dump d.json' | " + second, errors), kExitCode) << errors;
    EXPECT_TRUE(std::filesystem::exists(path("d.json")));
}

}  // namespace
}  // namespace hosttest
