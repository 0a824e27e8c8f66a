// The host for people: an SDL2 window titled with the program's name that
// shows the device's screen at an integer zoom, turns the mouse into the pen (left
// button; a click of the right button is a tap-and-hold) and the keyboard into
// the device's, exchanges text with the desktop clipboard, and sleeps in
// SDL_WaitEventTimeout until input comes or the next timer is due.
#pragma once

#include <memory>
#include <string>

#include "platform/window/host_port.h"

namespace device {

struct HostOptions;

class SdlHost : public HostPort {
public:
    SdlHost();
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    // Opens the window; false with `error` when there is no display.
    bool open(const HostOptions& options, std::string& error);
    void close();

    bool waitForInput(std::optional<uint64_t> timeoutMs) override;
    void present(const gdi::Surface& screen, const std::vector<RECT>& dirty) override;

    // Brings the window and the program's main window to the front; safe to
    // call from any thread (the request waits in SDL's event queue).
    static void requestRaise();

    // Rectangles uploaded so far (the idle check of the tests).
    long uploadedRects() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// The virtual key of an SDL keycode for keys that do not type a character
// (Enter, arrows, Shift, ...), or of a letter or digit while Ctrl is held;
// 0 for the rest, whose text arrives as SDL_TEXTINPUT.
unsigned vkFromSdlKey(int sdlKeycode, bool ctrlHeld);

// The host's own zoom keys: +1 (Ctrl++ or Ctrl+=), -1 (Ctrl+-), kZoomFit
// (Ctrl+0, back to the zoom that fits), 0 for every other key.
constexpr int kZoomFit = 100;
int zoomKeyStep(int sdlKeycode, int sdlModifiers);

}  // namespace device
