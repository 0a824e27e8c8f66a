// The root's lock (flock on the root folder) and the raise requests (an
// abstract local socket, which leaves no file behind).
#include "platform/host/single_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace device {
namespace {

const char kRaise[] = "raise\n";
const char kDone[] = "ok\n";

// The socket's name: the program's, then the root's real path, hashed so
// that any path fits.
sockaddr_un socketName(const std::string& program, const std::string& rootDir, socklen_t& length) {
    std::error_code ec;
    std::string path = std::filesystem::weakly_canonical(rootDir, ec).string();
    if (ec) path = rootDir;
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    // sun_path[0] stays 0: an abstract name.
    int n = std::snprintf(a.sun_path + 1, sizeof a.sun_path - 1, "%.60s-%016llx", program.c_str(),
                          (unsigned long long)hash);
    length = (socklen_t)(offsetof(sockaddr_un, sun_path) + 1 + n);
    return a;
}

}  // namespace

SingleCopy::~SingleCopy() { release(); }

SingleCopy::Claim SingleCopy::claim(const std::string& rootDir, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(rootDir, ec);
    int fd = open(rootDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open the device root " + rootDir + ": " + std::strerror(errno);
        return Claim::Failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int why = errno;
        close(fd);
        if (why == EWOULDBLOCK) return Claim::Second;
        error = "cannot lock the device root " + rootDir + ": " + std::strerror(why);
        return Claim::Failed;
    }
    lockFd_ = fd;
    root_ = rootDir;
    return Claim::First;
}

bool SingleCopy::listen(std::function<void()> onRaise) {
    if (lockFd_ < 0 || listenFd_ >= 0) return false;
    socklen_t length = 0;
    sockaddr_un name = socketName(program_, root_, length);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (bind(fd, (sockaddr*)&name, length) != 0 || ::listen(fd, 4) != 0) {
        close(fd);
        return false;
    }
    listenFd_ = fd;
    listener_ = std::thread([fd, onRaise = std::move(onRaise)] {
        for (;;) {
            int c = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0) {
                if (errno == EINTR) continue;
                return;  // the socket was shut down
            }
            char buf[16] = {};
            ssize_t n = read(c, buf, sizeof buf - 1);
            if (n > 0 && std::strcmp(buf, kRaise) == 0) {
                onRaise();
                (void)!write(c, kDone, sizeof kDone - 1);
            }
            close(c);
        }
    });
    return true;
}

void SingleCopy::release() {
    if (listenFd_ >= 0) {
        shutdown(listenFd_, SHUT_RDWR);
        if (listener_.joinable()) listener_.join();
        close(listenFd_);
        listenFd_ = -1;
    }
    if (lockFd_ >= 0) {
        close(lockFd_);  // drops the lock
        lockFd_ = -1;
    }
}

bool SingleCopy::askToRaise(const std::string& rootDir, int waitMs) const {
    socklen_t length = 0;
    sockaddr_un name = socketName(program_, rootDir, length);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    // The first copy may hold the lock before it listens: try again a while.
    for (;;) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (connect(fd, (sockaddr*)&name, length) == 0) {
            bool ok = write(fd, kRaise, sizeof kRaise - 1) == (ssize_t)(sizeof kRaise - 1);
            char buf[8] = {};
            ok = ok && read(fd, buf, sizeof buf - 1) > 0 && std::strcmp(buf, kDone) == 0;
            close(fd);
            return ok;
        }
        close(fd);
        if (std::chrono::steady_clock::now() >= until) return false;
        usleep(50 * 1000);
    }
}

}  // namespace device
