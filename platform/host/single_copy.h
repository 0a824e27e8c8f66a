// One copy of the program per device root. The first copy holds a lock on
// the root folder for as long as it runs (the system drops it when the
// process ends, however it ends, so a killed copy never blocks a start) and
// listens on a local socket named after the program and the root; a second
// copy finds the lock taken, asks the first through the socket to come to
// the front, and ends without touching a file.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <utility>

namespace device {

class SingleCopy {
public:
    enum class Claim { First, Second, Failed };

    // `program` names the socket, so that two programs may share a root.
    explicit SingleCopy(std::string program) : program_(std::move(program)) {}
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    // Takes the lock of `rootDir` (made when missing: nobody can run there
    // yet). Failed with `error` when the folder cannot be made or opened.
    Claim claim(const std::string& rootDir, std::string& error);
    // Listens for raise requests while the lock is held; `onRaise` runs on
    // the listener's own thread, so it must only hand the request over.
    bool listen(std::function<void()> onRaise);
    // Stops listening and drops the lock.
    void release();

    // Asks the copy holding the lock of `rootDir` to come to the front,
    // waiting up to `waitMs` for it to listen; true when it answered.
    bool askToRaise(const std::string& rootDir, int waitMs = 3000) const;

private:
    int lockFd_ = -1;
    int listenFd_ = -1;
    std::string program_;
    std::string root_;
    std::thread listener_;
};

}  // namespace device
