// Connects the device's clipboard to the desktop's. The SDL host sets both
// functions; without them the clipboard stays inside the device.
#pragma once

#include <functional>
#include <string>

namespace device {

struct ClipboardHost {
    // Called when the program has put text on the clipboard and closed it.
    std::function<void(const std::u16string& text)> publish;
    // Asked when the program opens the clipboard or asks for a format: true
    // with the desktop's text when it has some.
    std::function<bool(std::u16string& text)> fetch;
};

void clipboardSetHost(ClipboardHost host);
// Empties the clipboard and forgets its owner (tests).
void clipboardReset();

}  // namespace device
