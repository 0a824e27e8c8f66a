// The nested message loop that message boxes, dialogs and menus share, so
// they nest the same way: the owner is disabled while the loop runs, the
// loop ends when the caller's flag is set or the window is gone, and a
// WM_QUIT ends it and stays queued for the loops outside.
#pragma once

#include <functional>

#include "windef.h"
#include "winuser.h"

namespace device {

// Runs messages until `*done` is true or `hwnd` is destroyed. `owner` (may
// be null) is disabled for the duration and enabled again afterwards if it
// was enabled before, and is activated again when the loop ends.
// `preTranslate` sees every message first and returns true when it handled
// it (dialogs pass IsDialogMessage-style keyboard handling here).
// Returns false when WM_QUIT ended the loop.
bool runModalLoop(HWND hwnd, HWND owner, const bool* done,
                  const std::function<bool(MSG&)>& preTranslate = {});

}  // namespace device
