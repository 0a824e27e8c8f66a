// The script player: a host port on the virtual clock that performs the next
// script step whenever the device is idle (nothing posted, no timer due).
// A step that needs the device to run between its parts (a drag, several
// key presses, a wait that crosses timers) does one part per idle call.
//
// At the end of the script it checks that nothing is left open in front (a
// menu, a dialog, a message box: status 4), then sends the main window
// WM_CLOSE and lets the program end as it would for a person. A step that
// finds no target stops the run with status 3. Stopping posts WM_QUIT, so
// every loop of the program unwinds.
#pragma once

#include <optional>
#include <string>

#include "platform/host/script.h"
#include "platform/window/host_port.h"

namespace device {

class ScriptPlayer : public HostPort {
public:
    explicit ScriptPlayer(Script script);

    bool waitForInput(std::optional<uint64_t> timeoutMs) override;
    void present(const gdi::Surface& screen, const std::vector<RECT>& dirty) override;
    void quit(int exitCode) override;

    // 0 while running or after a normal end, else 3 or 4.
    int stopStatus() const { return stopStatus_; }
    // Why the run stopped ("line 7: click \"OK\": ...").
    const std::string& stopMessage() const { return stopMessage_; }
    // Every step was performed.
    bool finished() const { return index_ >= script_.steps.size() && !active_; }
    // The line of the step that comes next (0 when none).
    int nextLine() const;
    bool quitSeen() const { return quitSeen_; }
    int quitCode() const { return quitCode_; }
    int presentCount() const { return presents_; }

private:
    bool perform(std::optional<uint64_t> timeoutMs);
    bool endOfScript();
    bool fail(const std::string& why);
    bool stop(int status, const std::string& message);
    void stepDone();

    bool stepTap(const ScriptStep& s, std::optional<uint64_t> timeoutMs);
    bool holdPen(POINT p, std::optional<uint64_t> timeoutMs);
    bool stepDrag(const ScriptStep& s);
    bool stepKey(const ScriptStep& s);
    bool stepType(const ScriptStep& s);
    bool stepMenu(const ScriptStep& s);
    bool stepControl(const ScriptStep& s);
    bool stepSelect(const ScriptStep& s);
    bool stepTree(const ScriptStep& s, std::optional<uint64_t> timeoutMs);
    bool stepWait(const ScriptStep& s, std::optional<uint64_t> timeoutMs);
    bool stepFile(const ScriptStep& s);
    bool stepPowerOff(const ScriptStep& s);
    bool stepScreen(const ScriptStep& s);
    bool stepWheel(const ScriptStep& s);
    bool stepDrop(const ScriptStep& s);

    Script script_;
    size_t index_ = 0;
    bool active_ = false;  // the step at index_ has begun
    int phase_ = 0;        // its part
    uint64_t waitLeft_ = 0;
    int selectIndex_ = -1;
    POINT holdPoint_{0, 0};
    bool busy_ = false;    // inside a step (a message it sent may idle again)
    bool closing_ = false;
    int stopStatus_ = 0;
    std::string stopMessage_;
    bool quitSeen_ = false;
    int quitCode_ = 0;
    int presents_ = 0;
};

}  // namespace device
