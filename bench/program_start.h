// Starting the whole program headless inside a benchmark: its window
// classes registered once, and the message loop run until the device is
// idle.
#pragma once

#include <cstdint>

#include "resources/program_resources.h"
#include "shell/startup.h"
#include "windows.h"

namespace bench {

inline void pumpUntilIdle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline HINSTANCE programInstance() {
    static HINSTANCE instance = [] {
        HINSTANCE i = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000));
        registerProgramResources();
        registerWindowClasses(i);
        return i;
    }();
    return instance;
}

}  // namespace bench
