// The script player's loop: one step (or one part of a step) per idle call,
// and the checks at the end of the script.
#include "platform/host/script_player.h"

#include "platform/host/window_query.h"
#include "platform/shell/menu_query.h"
#include "platform/system/device_clock.h"
#include "platform/window/message_box.h"
#include "windows.h"

namespace device {

ScriptPlayer::ScriptPlayer(Script script) : script_(std::move(script)) {}

void ScriptPlayer::present(const gdi::Surface&, const std::vector<RECT>&) { ++presents_; }

void ScriptPlayer::quit(int exitCode) {
    quitSeen_ = true;
    quitCode_ = exitCode;
}

int ScriptPlayer::nextLine() const {
    return index_ < script_.steps.size() ? script_.steps[index_].line : 0;
}

bool ScriptPlayer::waitForInput(std::optional<uint64_t> timeoutMs) {
    if (stopStatus_) return false;
    if (busy_) {
        // A message a step sent went into a loop of its own (say, a dialog
        // opened while a tree branch was revealed). The step resumes when that
        // call returns; meanwhile only time passes, as nobody touches the device.
        if (!timeoutMs) return false;
        clockAdvance(*timeoutMs);
        return true;
    }
    if (closing_) {
        // The main window was asked to close and the program is idle again:
        // if it asks something, nobody is there to answer.
        if (popupMenuOpen() || (GetForegroundWindow() && GetForegroundWindow() != programMainWindow()))
            return endOfScript();
        return false;
    }
    if (!active_ && index_ >= script_.steps.size()) return endOfScript();
    busy_ = true;
    bool r = perform(timeoutMs);
    busy_ = false;
    return r;
}

bool ScriptPlayer::perform(std::optional<uint64_t> timeoutMs) {
    const ScriptStep& s = script_.steps[index_];
    if (!active_) {
        active_ = true;
        phase_ = 0;
    }
    switch (s.kind) {
        case StepKind::Tap:
        case StepKind::DoubleTap:
        case StepKind::Hold: return stepTap(s, timeoutMs);
        case StepKind::Drag: return stepDrag(s);
        case StepKind::Key: return stepKey(s);
        case StepKind::Type: return stepType(s);
        case StepKind::Menu: return stepMenu(s);
        case StepKind::Click:
        case StepKind::Control: return stepControl(s);
        case StepKind::Select: return stepSelect(s);
        case StepKind::Tree: return stepTree(s, timeoutMs);
        case StepKind::Wait: return stepWait(s, timeoutMs);
        case StepKind::Shot:
        case StepKind::Dump: return stepFile(s);
        case StepKind::PowerOff: return stepPowerOff(s);
        case StepKind::Screen: return stepScreen(s);
        case StepKind::Wheel: return stepWheel(s);
        case StepKind::Drop: return stepDrop(s);
    }
    return fail("unknown step");
}

void ScriptPlayer::stepDone() {
    active_ = false;
    phase_ = 0;
    ++index_;
}

bool ScriptPlayer::fail(const std::string& why) {
    const ScriptStep& s = script_.steps[index_];
    return stop(3, "line " + std::to_string(s.line) + ": " + s.source + ": " + why);
}

bool ScriptPlayer::stop(int status, const std::string& message) {
    stopStatus_ = status;
    stopMessage_ = message;
    return false;
}

bool ScriptPlayer::endOfScript() {
    std::string where = closing_ ? "after the main window was closed" : "at the end of the script";
    if (popupMenuOpen()) {
        std::string items;
        for (const MenuItemState& it : openPopupItems(0)) {
            if (it.separator) continue;
            if (!items.empty()) items += ", ";
            items += utf16ToUtf8(it.text);
        }
        return stop(4, "a menu is open " + where + ": " + items);
    }
    HWND main = programMainWindow();
    HWND front = GetForegroundWindow();
    if (front && front != main && IsWindowVisible(front)) {
        // A message box draws its text itself: name it with the caption.
        if (isMessageBox(front))
            return stop(4, "a message box is open " + where + ": \"" + utf16ToUtf8(windowText(front)) + "\": " +
                               utf16ToUtf8(messageBoxText(front)));
        return stop(4, "a dialog is open " + where + ": " + describeOpenWindow(front));
    }
    if (closing_ || !main) return false;  // nothing can arrive any more: the device quits
    closing_ = true;
    PostMessageW(main, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace device
